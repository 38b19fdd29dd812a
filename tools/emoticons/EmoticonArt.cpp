#include "EmoticonArt.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace {

constexpr qreal Pi = 3.14159265358979323846;

const QColor Ink(0x4a, 0x2c, 0x00);
const QColor MouthRed(0xa0, 0x20, 0x1c);
const QColor Tongue(0xff, 0x78, 0x88);
const QColor TearBlue(0x3c, 0x9c, 0xff);
const QColor Cheek(0xff, 0x6e, 0x7a);

struct Skin {
    QColor light, dark, outline;
};
const Skin Yellow{QColor(0xff, 0xf4, 0x86), QColor(0xff, 0xbb, 0x00), QColor(0xa3, 0x6a, 0x00)};
const Skin AngryRed{QColor(0xff, 0xb0, 0x60), QColor(0xe8, 0x30, 0x10), QColor(0x8a, 0x10, 0x00)};
const Skin SickGreen{QColor(0xe6, 0xf7, 0x9c), QColor(0x8c, 0xc6, 0x3f), QColor(0x4a, 0x6e, 0x10)};
const Skin DevilPurple{QColor(0xe0, 0xa0, 0xff), QColor(0x84, 0x2c, 0xd0),
                       QColor(0x46, 0x10, 0x7a)};

// The face of a 32 x 32 emoticon.
const QPointF C(16, 16.2);
constexpr qreal R = 14.4;
const QPointF LeftEye(11, 12.6);
const QPointF RightEye(21, 12.6);

QFont Font(int pixels, bool bold = true)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

void Fill(QPainter& p, const QPainterPath& path, const QBrush& brush, const QColor& pen = {},
          qreal width = 1.0)
{
    p.setPen(pen.isValid() ? QPen(pen, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                           : QPen(Qt::NoPen));
    p.setBrush(brush);
    p.drawPath(path);
}

void Stroke(QPainter& p, const QPainterPath& path, const QColor& colour, qreal width)
{
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

QPainterPath Ellipse(QPointF c, qreal rx, qreal ry)
{
    QPainterPath e;
    e.addEllipse(c, rx, ry);
    return e;
}

QPainterPath Curve(QPointF a, QPointF control, QPointF b)
{
    QPainterPath path(a);
    path.quadTo(control, b);
    return path;
}

QPainterPath Line(QPointF a, QPointF b)
{
    QPainterPath path(a);
    path.lineTo(b);
    return path;
}

void Dot(QPainter& p, QPointF c, qreal rx, qreal ry, const QColor& colour)
{
    Fill(p, Ellipse(c, rx, ry), colour);
}

void Face(QPainter& p, QPointF c = C, qreal r = R, const Skin& skin = Yellow)
{
    QRadialGradient g(c + QPointF(-r * 0.3, -r * 0.4), r * 1.45);
    g.setColorAt(0, skin.light);
    g.setColorAt(1, skin.dark);
    Fill(p, Ellipse(c, r, r), g, skin.outline, 1.1);
}

void Eye(QPainter& p, QPointF c, qreal rx = 1.8, qreal ry = 2.6)
{
    Dot(p, c, rx, ry, Ink);
    if (ry > 1.2)
        Dot(p, c + QPointF(-rx * 0.3, -ry * 0.4), rx * 0.4, rx * 0.4, Qt::white);
}

void Eyes(QPainter& p, qreal rx = 1.8, qreal ry = 2.6)
{
    Eye(p, LeftEye, rx, ry);
    Eye(p, RightEye, rx, ry);
}

// Closed with joy: an arch.
void HappyEye(QPainter& p, QPointF c, qreal w = 2.6)
{
    Stroke(p, Curve(c + QPointF(-w, 1.2), c + QPointF(0, -2.8), c + QPointF(w, 1.2)), Ink, 1.5);
}

// Closed in sleep or sorrow: a hanging arc.
void ClosedEye(QPainter& p, QPointF c, qreal w = 2.6)
{
    Stroke(p, Curve(c + QPointF(-w, -0.4), c + QPointF(0, 2.2), c + QPointF(w, -0.4)), Ink, 1.4);
}

void Smile(QPainter& p, QPointF c = QPointF(16, 20), qreal w = 6.8, qreal depth = 3.2)
{
    Stroke(p, Curve(c + QPointF(-w, 0), c + QPointF(0, depth * 2), c + QPointF(w, 0)), Ink, 1.6);
}

void Frown(QPainter& p, QPointF c = QPointF(16, 23), qreal w = 5.5, qreal depth = 2.6)
{
    Stroke(p, Curve(c + QPointF(-w, 0), c + QPointF(0, -depth * 2), c + QPointF(w, 0)), Ink, 1.6);
}

// Straight top, round bottom, a tongue and maybe teeth.
void OpenMouth(QPainter& p, QPointF c = QPointF(16, 18.5), qreal w = 8, qreal h = 6,
               bool teeth = false)
{
    QPainterPath m(c + QPointF(-w, 0));
    m.cubicTo(c + QPointF(-w, h * 1.35), c + QPointF(w, h * 1.35), c + QPointF(w, 0));
    m.closeSubpath();
    Fill(p, m, MouthRed);
    p.save();
    p.setClipPath(m);
    Dot(p, c + QPointF(0, h * 1.05), w * 0.6, h * 0.45, Tongue);
    if (teeth)
        Fill(p, Ellipse(c + QPointF(0, -0.4), w, h * 0.32), Qt::white);
    p.restore();
    Fill(p, m, Qt::NoBrush, Ink, 1.1);
}

void Brow(QPainter& p, QPointF a, QPointF control, QPointF b, qreal width = 1.3)
{
    Stroke(p, Curve(a, control, b), Ink, width);
}

void Cheeks(QPainter& p, int alpha)
{
    QColor c = Cheek;
    c.setAlpha(alpha);
    Dot(p, QPointF(7.5, 18.5), 2.6, 1.6, c);
    Dot(p, QPointF(24.5, 18.5), 2.6, 1.6, c);
}

QPainterPath HeartPath(QPointF c, qreal s)
{
    QPainterPath h(QPointF(c.x(), c.y() + s * 0.95));
    h.cubicTo(c + QPointF(-s * 1.35, s * 0.05), c + QPointF(-s * 0.95, -s * 1.15),
              c + QPointF(0, -s * 0.45));
    h.cubicTo(c + QPointF(s * 0.95, -s * 1.15), c + QPointF(s * 1.35, s * 0.05),
              c + QPointF(0, s * 0.95));
    return h;
}

void Heart(QPainter& p, QPointF c, qreal s, QColor colour = QColor(0xe8, 0x10, 0x30))
{
    QLinearGradient g(c + QPointF(0, -s), c + QPointF(0, s));
    g.setColorAt(0, colour.lighter(140));
    g.setColorAt(1, colour);
    Fill(p, HeartPath(c, s), g, colour.darker(160), qMax(0.6, s * 0.12));
}

void Drop(QPainter& p, QPointF tip, qreal size, QColor colour = TearBlue)
{
    QPainterPath d(tip);
    d.cubicTo(tip + QPointF(size * 1.1, size * 1.4), tip + QPointF(size * 0.9, size * 2.4),
              tip + QPointF(0, size * 2.4));
    d.cubicTo(tip + QPointF(-size * 0.9, size * 2.4), tip + QPointF(-size * 1.1, size * 1.4), tip);
    Fill(p, d, colour, colour.darker(140), 0.6);
    Dot(p, tip + QPointF(-size * 0.3, size * 1.6), size * 0.25, size * 0.35,
        QColor(255, 255, 255, 200));
}

QPainterPath StarPath(QPointF c, qreal outer, qreal inner, qreal turn)
{
    QPainterPath s;
    for (int i = 0; i < 10; ++i) {
        const qreal r = i % 2 ? inner : outer;
        const qreal a = turn + i * Pi / 5 - Pi / 2;
        const QPointF pt = c + QPointF(std::cos(a) * r, std::sin(a) * r);
        if (i == 0)
            s.moveTo(pt);
        else
            s.lineTo(pt);
    }
    s.closeSubpath();
    return s;
}

// An eighth note with its stem up, head at c.
void Note(QPainter& p, QPointF c, qreal s, const QColor& colour)
{
    p.save();
    p.translate(c);
    p.rotate(-20);
    Dot(p, QPointF(0, 0), s * 0.55, s * 0.4, colour);
    p.restore();
    Stroke(p, Line(c + QPointF(s * 0.45, -s * 0.1), c + QPointF(s * 0.45, -s * 1.9)), colour,
           s * 0.16);
    Stroke(p,
           Curve(c + QPointF(s * 0.45, -s * 1.9), c + QPointF(s * 1.3, -s * 1.4),
                 c + QPointF(s * 1.0, -s * 0.8)),
           colour, s * 0.16);
}

// Text drawn letter by letter, each lifted by its own offset.
void BouncingText(QPainter& p, const QString& text, QFont font, QPointF at,
                  const std::function<qreal(int)>& lift, const QColor& colour, const QColor& shadow)
{
    p.setFont(font);
    const QFontMetricsF fm(font);
    qreal x = at.x();
    for (int i = 0; i < text.size(); ++i) {
        const QString letter = text.mid(i, 1);
        const QPointF pos(x, at.y() - lift(i));
        p.setPen(shadow);
        p.drawText(pos + QPointF(0.8, 0.8), letter);
        p.setPen(colour);
        p.drawText(pos, letter);
        x += fm.horizontalAdvance(letter);
    }
}

int FittingPixels(const QString& text, qreal width, int largest)
{
    int px = largest;
    while (px > 8 && QFontMetricsF(Font(px)).horizontalAdvance(text) > width)
        --px;
    return px;
}

// --- Faces shared by several emoticons (32 x 32, frame-dependent) ---

void SmileFace(QPainter& p, int frame)
{
    Face(p);
    static const qreal lids[] = {2.6, 1.3, 0.45, 1.3};
    const qreal ry = lids[frame % 4];
    if (ry < 1)
        for (const QPointF e : {LeftEye, RightEye})
            Stroke(p, Line(e + QPointF(-2, 0.4), e + QPointF(2, 0.4)), Ink, 1.3);
    else
        Eyes(p, 1.8, ry);
    Smile(p);
}

void GrinFace(QPainter& p, int)
{
    Face(p);
    HappyEye(p, LeftEye);
    HappyEye(p, RightEye);
    OpenMouth(p, QPointF(16, 18.2), 8.2, 6, true);
}

void WinkFace(QPainter& p, int frame)
{
    Face(p);
    Eye(p, LeftEye);
    if (frame % 2 == 0) {
        HappyEye(p, RightEye);
        Stroke(p, Curve(QPointF(9.5, 20), QPointF(16, 26), QPointF(23.5, 18)), Ink, 1.6);
        Cheeks(p, 120);
    } else {
        Eye(p, RightEye);
        Smile(p);
    }
}

void SadFace(QPainter& p, int frame)
{
    Face(p);
    Brow(p, QPointF(7.5, 9.8), QPointF(10.5, 9.5), QPointF(13.5, 7.6));
    Brow(p, QPointF(24.5, 9.8), QPointF(21.5, 9.5), QPointF(18.5, 7.6));
    Eyes(p, 1.6, 2.2);
    Frown(p);
    if (frame < 0)
        return;
    // A tear runs down and fades.
    const int step = frame % 5;
    QColor tear = TearBlue;
    tear.setAlpha(step == 4 ? 90 : 255);
    Drop(p, QPointF(22.5, 14.5 + step * 2.6), 1.5, tear);
}

void BlushFace(QPainter& p, int frame)
{
    Face(p);
    HappyEye(p, LeftEye);
    HappyEye(p, RightEye);
    Smile(p, QPointF(16, 21), 4.2, 2.0);
    static const int glow[] = {90, 150, 210};
    Cheeks(p, glow[frame % 3]);
}

void CoolFace(QPainter& p, int frame)
{
    Face(p);
    QPainterPath glasses;
    glasses.addRoundedRect(QRectF(5.2, 9.6, 9.6, 6.4), 2.6, 2.6);
    glasses.addRoundedRect(QRectF(17.2, 9.6, 9.6, 6.4), 2.6, 2.6);
    QLinearGradient dark(0, 9.6, 0, 16);
    dark.setColorAt(0, QColor(0x50, 0x50, 0x60));
    dark.setColorAt(1, QColor(0x08, 0x08, 0x10));
    Stroke(p, Line(QPointF(14.5, 11.2), QPointF(17.5, 11.2)), QColor(0x10, 0x10, 0x18), 1.4);
    Stroke(p, Line(QPointF(5.4, 11), QPointF(2.2, 10)), QColor(0x10, 0x10, 0x18), 1.2);
    Stroke(p, Line(QPointF(26.6, 11), QPointF(29.8, 10)), QColor(0x10, 0x10, 0x18), 1.2);
    Fill(p, glasses, dark, QColor(0x10, 0x10, 0x18), 0.9);
    if (frame > 0) {
        // A glint sweeps over the lenses.
        p.save();
        p.setClipPath(glasses);
        const qreal x = 2 + frame * 6;
        QPainterPath glint;
        glint.moveTo(x, 17);
        glint.lineTo(x + 2.2, 17);
        glint.lineTo(x + 6.2, 9);
        glint.lineTo(x + 4, 9);
        glint.closeSubpath();
        Fill(p, glint, QColor(255, 255, 255, 200));
        p.restore();
    }
    Stroke(p, Curve(QPointF(11, 21.5), QPointF(18, 24.5), QPointF(22.5, 19.5)), Ink, 1.6);
}

void PartyHat(QPainter& p, QPointF base, qreal width, qreal height)
{
    QPainterPath cone(base + QPointF(-width / 2, 0));
    cone.lineTo(base + QPointF(width * 0.1, -height));
    cone.lineTo(base + QPointF(width / 2, 0));
    cone.quadTo(base + QPointF(0, 1.6), base + QPointF(-width / 2, 0));
    Fill(p, cone, QColor(0x3d, 0x7b, 0xff), QColor(0x10, 0x30, 0x90), 0.8);
    p.save();
    p.setClipPath(cone);
    for (int i = 0; i < 4; ++i) {
        const qreal y = base.y() - height * (0.15 + i * 0.25);
        Stroke(p, Line(QPointF(base.x() - width, y + 2), QPointF(base.x() + width, y - 2)),
               QColor(0xff, 0xe0, 0x30), 1.5);
    }
    p.restore();
    Dot(p, base + QPointF(width * 0.1, -height), 1.8, 1.8, QColor(0xff, 0x40, 0x80));
}

void PartyFace(QPainter& p, int)
{
    Face(p, QPointF(16, 18.2), 13.2);
    HappyEye(p, QPointF(11.2, 15.5), 2.4);
    HappyEye(p, QPointF(20.8, 15.5), 2.4);
    OpenMouth(p, QPointF(16, 21), 6.5, 4.6);
    PartyHat(p, QPointF(15, 6.8), 11, 7);
}

// A sign held by a face: the face left, the board with bouncing letters
// right.
TEmoticonDesign Banner(int width, const QString& text, const QColor& board,
                       void (*face)(QPainter&, int))
{
    TEmoticonDesign d;
    d.size = QSize(width, 32);
    d.delays = {60, 10, 10, 10, 10, 10};
    d.key = QRectF(0, 0, 40, 32);
    d.draw = [width, text, board, face](QPainter& p, int frame) {
        const QRectF sign(32.5, 5.5, width - 33.5, 21);
        QLinearGradient g(sign.topLeft(), sign.bottomLeft());
        g.setColorAt(0, board.lighter(130));
        g.setColorAt(1, board);
        QPainterPath boardPath;
        boardPath.addRoundedRect(sign, 4, 4);
        Fill(p, boardPath, g, board.darker(170), 1.0);
        face(p, frame);
        // The hand holding the board.
        Fill(p, Ellipse(QPointF(31.5, 22), 2.6, 2.2), Yellow.dark, Yellow.outline, 0.9);
        const QFont font = Font(FittingPixels(text, sign.width() - 8, 16));
        const qreal textWidth = QFontMetricsF(font).horizontalAdvance(text);
        const QPointF at(sign.center().x() - textWidth / 2 + 1,
                         sign.center().y() + QFontMetricsF(font).capHeight() / 2);
        BouncingText(
            p, text, font, at,
            [frame](int i) {
                return frame == 0 ? 0.0 : std::max(0.0, 2.2 * std::sin((frame * 2 - i) * Pi / 4));
            },
            Qt::white, board.darker(220));
    };
    return d;
}

TEmoticonDesign Design(QSize size, QList<int> delays, std::function<void(QPainter&, int)> draw,
                       QRectF key = {})
{
    return TEmoticonDesign{size, std::move(delays), key.isNull() ? QRectF(QPointF(), size) : key,
                           std::move(draw)};
}

QList<TEmoticonDesign> Build()
{
    QList<TEmoticonDesign> all;
    const QSize Square(32, 32);

    // 1 smile, blinking.
    all << Design(Square, {220, 5, 8, 5}, SmileFace);
    // 2 big grin, bouncing.
    all << Design(Square, {12, 12, 12, 12}, [](QPainter& p, int f) {
        static const qreal lift[] = {0, -0.8, 0, 0.8};
        p.translate(0, lift[f]);
        GrinFace(p, f);
    });
    // 3 wink.
    all << Design(Square, {70, 120}, WinkFace);
    // 4 sad, a tear running down.
    all << Design(Square, {40, 14, 14, 14, 14}, SadFace);
    // 5 tongue out, wagging.
    all << Design(Square, {14, 14, 14, 14}, [](QPainter& p, int f) {
        Face(p);
        Eyes(p);
        static const qreal sway[] = {-1.6, 0, 1.6, 0};
        QPainterPath tongue;
        tongue.addRoundedRect(QRectF(12.6 + sway[f], 19.5, 6.8, 8), 3.3, 3.3);
        Fill(p, tongue, Tongue, QColor(0xc0, 0x30, 0x48), 0.9);
        Stroke(p, Line(QPointF(16 + sway[f], 21.5), QPointF(16 + sway[f], 25)),
               QColor(0xc0, 0x30, 0x48), 0.8);
        Stroke(p, Curve(QPointF(9.5, 19.5), QPointF(16, 22.5), QPointF(22.5, 19.5)), Ink, 1.6);
    });
    // 6 surprised, mouth opening.
    all << Design(Square, {40, 10, 50, 10}, [](QPainter& p, int f) {
        Face(p);
        Brow(p, QPointF(8, 7.8), QPointF(11, 5.2), QPointF(14, 7.2));
        Brow(p, QPointF(18, 7.2), QPointF(21, 5.2), QPointF(24, 7.8));
        Eyes(p, 2.0, 3.0);
        static const qreal open[] = {2.4, 3.4, 4.3, 3.4};
        Fill(p, Ellipse(QPointF(16, 22.5), open[f] * 0.85, open[f]), MouthRed, Ink, 1.1);
    });
    // 7 laughing out loud, rocking, with its "ha".
    all << Design(
        QSize(41, 32), {10, 10, 10, 10},
        [](QPainter& p, int f) {
            p.save();
            p.translate(C);
            p.rotate(f % 2 ? 9 : -9);
            p.translate(-C);
            Face(p);
            Stroke(p, Line(QPointF(8.5, 10.5), QPointF(12.5, 12.6)), Ink, 1.5);
            Stroke(p, Line(QPointF(12.5, 12.6), QPointF(8.5, 14.5)), Ink, 1.5);
            Stroke(p, Line(QPointF(23.5, 10.5), QPointF(19.5, 12.6)), Ink, 1.5);
            Stroke(p, Line(QPointF(19.5, 12.6), QPointF(23.5, 14.5)), Ink, 1.5);
            OpenMouth(p, QPointF(16, 17.8), 8.4, 6.6, true);
            Drop(p, QPointF(5.5, 13.5 + f % 2), 1.4);
            Drop(p, QPointF(26.5, 13.5 + (f + 1) % 2), 1.4);
            p.restore();
            p.setFont(Font(9));
            p.setPen(QColor(0xd0, 0x20, 0x20));
            p.drawText(QPointF(32, f % 2 ? 12 : 27), QStringLiteral("ha"));
        },
        QRectF(0, 0, 32, 32));
    // 8 angry, fuming.
    all << Design(Square, {16, 16, 16}, [](QPainter& p, int f) {
        Skin skin = AngryRed;
        skin.light = skin.light.lighter(100 + f * 8);
        Face(p, C, R, skin);
        Stroke(p, Line(QPointF(6.5, 8.5), QPointF(13.5, 11.8)), QColor(0x40, 0x08, 0x00), 2.0);
        Stroke(p, Line(QPointF(25.5, 8.5), QPointF(18.5, 11.8)), QColor(0x40, 0x08, 0x00), 2.0);
        Eye(p, QPointF(11, 14), 1.6, 1.9);
        Eye(p, QPointF(21, 14), 1.6, 1.9);
        QPainterPath teeth;
        teeth.addRoundedRect(QRectF(10.5, 20, 11, 5), 1.8, 1.8);
        Fill(p, teeth, Qt::white, QColor(0x40, 0x08, 0x00), 1.1);
        for (const qreal x : {13.3, 16.0, 18.7})
            Stroke(p, Line(QPointF(x, 20.2), QPointF(x, 24.8)), QColor(0x80, 0x60, 0x60), 0.7);
        Stroke(p, Line(QPointF(10.7, 22.5), QPointF(21.3, 22.5)), QColor(0x80, 0x60, 0x60), 0.7);
        const qreal puff = 1.2 + f * 0.7;
        for (const QPointF at : {QPointF(4, 4.5), QPointF(28, 4.5)}) {
            Dot(p, at, puff, puff, QColor(0xf0, 0xf0, 0xf0, 230));
            Dot(p, at + QPointF(at.x() < 16 ? 1.8 : -1.8, 2), puff * 0.7, puff * 0.7,
                QColor(0xd8, 0xd8, 0xd8, 230));
        }
    });
    // 9 hello, waving.
    all << Design(
        QSize(48, 32), {12, 12, 12, 12},
        [](QPainter& p, int f) {
            SmileFace(p, 0);
            static const qreal angle[] = {-12, 0, 12, 0};
            p.save();
            p.translate(39, 29);
            p.rotate(angle[f]);
            p.translate(-40, -29);
            QPainterPath hand = Ellipse(QPointF(40, 20), 5, 5.6);
            for (int i = 0; i < 4; ++i) {
                QPainterPath finger;
                finger.addRoundedRect(
                    QRectF(35.6 + i * 2.3, 8.5 + (i == 0 || i == 3 ? 1.6 : 0), 2.4, 9), 1.2, 1.2);
                hand = hand.united(finger);
            }
            hand = hand.united(Ellipse(QPointF(34.8, 20.5), 1.6, 3.2));
            Fill(p, hand, Yellow.dark, Yellow.outline, 0.9);
            p.restore();
            if (f % 2 == 0) {
                const qreal side = f == 0 ? 1 : -1;
                Stroke(p,
                       Curve(QPointF(40 + side * 7, 8), QPointF(40 + side * 8.5, 12),
                             QPointF(40 + side * 7, 16)),
                       QColor(0x60, 0x60, 0x60), 0.8);
            }
        },
        QRectF(0, 0, 48, 32));
    // 10 cool, a glint on the shades.
    all << Design(Square, {80, 7, 7, 7, 7}, CoolFace);
    // 11 confused, a question mark bobbing.
    all << Design(Square, {30, 30}, [](QPainter& p, int f) {
        Face(p);
        Brow(p, QPointF(7.5, 8.2), QPointF(10.5, 5.4), QPointF(13.5, 8.2));
        Brow(p, QPointF(18.5, 9.6), QPointF(21, 9.6), QPointF(24, 10));
        Eye(p, LeftEye, 1.9, 2.8);
        Eye(p, RightEye + QPointF(0, 0.8), 1.6, 1.9);
        QPainterPath wave(QPointF(10, 22));
        wave.quadTo(QPointF(12.5, 19.6), QPointF(15, 22));
        wave.quadTo(QPointF(17.5, 24.4), QPointF(20, 22));
        wave.quadTo(QPointF(21.8, 20.4), QPointF(23, 21));
        Stroke(p, wave, Ink, 1.5);
        p.setFont(Font(12));
        p.setPen(QColor(0x10, 0x50, 0xe0));
        p.drawText(QPointF(24.5, f ? 10 : 11.5), QStringLiteral("?"));
    });
    // 12 crying, tears streaming.
    all << Design(Square, {10, 10, 10, 10}, [](QPainter& p, int f) {
        Face(p);
        Brow(p, QPointF(7.5, 9.4), QPointF(10.5, 9.2), QPointF(13.5, 7.4));
        Brow(p, QPointF(24.5, 9.4), QPointF(21.5, 9.2), QPointF(18.5, 7.4));
        ClosedEye(p, LeftEye);
        ClosedEye(p, RightEye);
        for (const qreal x : {9.5, 22.5}) {
            QColor stream = TearBlue;
            stream.setAlpha(150);
            QPainterPath s;
            s.addRoundedRect(QRectF(x - 1.2, 14, 2.4, 14.5), 1.2, 1.2);
            Fill(p, s, stream);
            Drop(p, QPointF(x, 15 + ((f * 3 + (x > 16 ? 6 : 0)) % 12)), 1.2);
        }
        QPainterPath mouth(QPointF(11, 25));
        mouth.cubicTo(QPointF(11, 17.5), QPointF(21, 17.5), QPointF(21, 25));
        mouth.closeSubpath();
        Fill(p, mouth, MouthRed, Ink, 1.1);
    });
    // 13 kiss, a heart flying off.
    all << Design(Square, {50, 12, 12, 12, 12}, [](QPainter& p, int f) {
        Face(p);
        HappyEye(p, LeftEye);
        HappyEye(p, RightEye);
        Cheeks(p, 110);
        Dot(p, QPointF(17, 19.7), 2.2, 1.5, QColor(0xe0, 0x20, 0x40));
        Dot(p, QPointF(17, 22.3), 2.2, 1.5, QColor(0xe0, 0x20, 0x40));
        if (f > 0) {
            QColor red(0xff, 0x10, 0x40);
            red.setAlpha(255 - (f - 1) * 45);
            Heart(p, QPointF(20 + f * 2.2, 19 - f * 3.6), 1.8 + f * 0.5, red);
        }
    });
    // 14 sleeping, the z's rising.
    all << Design(Square, {30, 30, 30, 30}, [](QPainter& p, int f) {
        Face(p);
        ClosedEye(p, LeftEye);
        ClosedEye(p, RightEye);
        Fill(p, Ellipse(QPointF(16, 22.5), 1.8, 2.1), MouthRed, Ink, 1.0);
        static const QPointF at[] = {QPointF(21.5, 9.5), QPointF(24.3, 6), QPointF(27, 2.6)};
        for (int i = 0; i < f && i < 3; ++i) {
            p.setFont(Font(5 + i * 2));
            p.setPen(QColor(0x10, 0x40, 0xc0));
            p.drawText(at[i] + QPointF(0, 2 + i), QStringLiteral("z"));
        }
    });
    // 15 blushing.
    all << Design(Square, {25, 25, 25}, BlushFace);
    // 16 sick, a thermometer rising.
    all << Design(Square, {16, 16, 16, 16}, [](QPainter& p, int f) {
        Face(p, C, R, SickGreen);
        for (const QPointF e : {LeftEye, RightEye}) {
            Eye(p, e + QPointF(0, 0.8), 1.6, 2.0);
            Stroke(p, Line(e + QPointF(-2.4, -0.2), e + QPointF(2.4, 0.4)),
                   QColor(0x30, 0x50, 0x08), 1.2);
        }
        QPainterPath wave(QPointF(10, 22.5));
        wave.quadTo(QPointF(12, 21), QPointF(14, 22.5));
        wave.quadTo(QPointF(16, 24), QPointF(18, 22.5));
        Stroke(p, wave, Ink, 1.4);
        p.save();
        p.translate(18, 22.5);
        p.rotate(-25);
        QPainterPath stick;
        stick.addRoundedRect(QRectF(0, -1.1, 11.5, 2.2), 1.1, 1.1);
        Fill(p, stick, Qt::white, QColor(0x70, 0x70, 0x70), 0.7);
        Fill(p, Ellipse(QPointF(11.5, 0), 1.9, 1.9), QColor(0xe0, 0x10, 0x10));
        Stroke(p, Line(QPointF(11.5, 0), QPointF(11.5 - 2 - f * 2, 0)), QColor(0xe0, 0x10, 0x10),
               1.0);
        p.restore();
        Drop(p, QPointF(25.5, 5.5), 1.2, QColor(0x90, 0xd0, 0xff));
    });
    // 17 thinking, the thought coming.
    all << Design(Square, {30, 25, 25, 70}, [](QPainter& p, int f) {
        Face(p);
        Brow(p, QPointF(7.8, 8.8), QPointF(10.5, 7.6), QPointF(13.4, 8.6));
        Brow(p, QPointF(18.5, 7.2), QPointF(21.5, 5.4), QPointF(24.2, 7));
        for (const QPointF e : {LeftEye, RightEye}) {
            Dot(p, e, 2.6, 2.8, Qt::white);
            Fill(p, Ellipse(e, 2.6, 2.8), Qt::NoBrush, Ink, 0.6);
            Dot(p, e + QPointF(1.1, -1.1), 1.2, 1.3, Ink);
        }
        Stroke(p, Line(QPointF(12, 22.5), QPointF(20.5, 21)), Ink, 1.6);
        static const QPointF at[] = {QPointF(23.8, 6.2), QPointF(26.6, 3.7), QPointF(29.6, 1.8)};
        for (int i = 0; i < f && i < 3; ++i)
            Fill(p, Ellipse(at[i], 0.9 + i * 0.35, 0.9 + i * 0.35), Qt::white,
                 QColor(0x50, 0x50, 0x50), 0.6);
    });
    // 18 applause.
    all << Design(
        QSize(48, 32), {10, 10, 10, 10},
        [](QPainter& p, int f) {
            GrinFace(p, f);
            static const qreal gap[] = {5, 2.5, 0, 2.5};
            for (const int side : {-1, 1}) {
                p.save();
                p.translate(40 + side * (gap[f] / 2 + 2.4), 19);
                p.rotate(side * (8 + gap[f] * 2));
                QPainterPath palm = Ellipse(QPointF(0, 0), 2.6, 6.2);
                QPainterPath thumb = Ellipse(QPointF(-side * 1.8, 2.6), 1.2, 2.4);
                Fill(p, palm.united(thumb), Yellow.dark, Yellow.outline, 0.9);
                p.restore();
            }
            if (gap[f] == 0) {
                for (const qreal a : {-0.9, 0.0, 0.9}) {
                    const QPointF dir(std::sin(a), -std::cos(a));
                    Stroke(p, Line(QPointF(40, 19) + dir * 8, QPointF(40, 19) + dir * 10.5),
                           QColor(0xff, 0x90, 0x00), 1.1);
                }
            }
        },
        QRectF(0, 0, 48, 32));
    // 19 dancing to the music.
    all << Design(
        QSize(49, 32), {12, 12, 12, 12},
        [](QPainter& p, int f) {
            static const qreal tilt[] = {-12, 0, 12, 0};
            static const qreal shift[] = {-1, 0, 1, 0};
            p.save();
            p.translate(C + QPointF(shift[f], 0));
            p.rotate(tilt[f]);
            p.translate(-C);
            Face(p);
            HappyEye(p, LeftEye);
            HappyEye(p, RightEye);
            OpenMouth(p, QPointF(16, 19), 6.5, 4.6);
            p.restore();
            Note(p, QPointF(36.5, f % 2 ? 22 : 25), 5.5, QColor(0x20, 0x40, 0xd0));
            Note(p, QPointF(43.5, f % 2 ? 15 : 12), 4.6, QColor(0xd0, 0x20, 0x90));
        },
        QRectF(0, 0, 49, 32));
    // 20 in love.
    all << Design(
        QSize(48, 32), {14, 14, 14, 14},
        [](QPainter& p, int f) {
            Face(p);
            const qreal beat = f % 2 ? 3.3 : 2.8;
            Heart(p, LeftEye, beat);
            Heart(p, RightEye, beat);
            Smile(p, QPointF(16, 20.5), 6.2, 3.0);
            for (int i = 0; i < 3; ++i) {
                const qreal y = 28 - std::fmod(f * 6 + i * 8.5, 26);
                Heart(p, QPointF(37 + (i % 2) * 6, y), 2.2 + (i % 2) * 0.8);
            }
        },
        QRectF(0, 0, 48, 32));
    // 21 devil, its tail swishing.
    all << Design(QSize(37, 32), {15, 15, 15}, [](QPainter& p, int f) {
        const QColor horn(0xb0, 0x10, 0x20);
        static const qreal swing[] = {-3, 0, 3};
        QPainterPath tail(QPointF(27, 24));
        tail.cubicTo(QPointF(34, 26), QPointF(31, 16), QPointF(33.5, 10 + swing[f]));
        Stroke(p, tail, horn, 1.6);
        QPainterPath tip(QPointF(33.5, 6.5 + swing[f]));
        tip.lineTo(QPointF(36.4, 11.8 + swing[f]));
        tip.lineTo(QPointF(30.6, 11.2 + swing[f]));
        tip.closeSubpath();
        Fill(p, tip, horn);
        for (const int side : {-1, 1}) {
            QPainterPath h(QPointF(16 + side * 5, 4.6));
            h.quadTo(QPointF(16 + side * 11, 3), QPointF(16 + side * 11.5, -0.5));
            h.quadTo(QPointF(16 + side * 12, 5), QPointF(16 + side * 9.5, 8.5));
            h.closeSubpath();
            Fill(p, h, horn, horn.darker(150), 0.7);
        }
        Face(p, C, R, DevilPurple);
        Stroke(p, Line(QPointF(7, 9), QPointF(13.5, 11.6)), Ink, 1.7);
        Stroke(p, Line(QPointF(25, 9), QPointF(18.5, 11.6)), Ink, 1.7);
        Dot(p, QPointF(11, 14), 1.8, 1.6, QColor(0xff, 0xf0, 0x40));
        Dot(p, QPointF(21, 14), 1.8, 1.6, QColor(0xff, 0xf0, 0x40));
        Dot(p, QPointF(11.3, 14), 0.7, 1.2, Ink);
        Dot(p, QPointF(20.7, 14), 0.7, 1.2, Ink);
        QPainterPath grin(QPointF(8.5, 19));
        grin.quadTo(QPointF(16, 28.5), QPointF(23.5, 19));
        grin.quadTo(QPointF(16, 22.5), QPointF(8.5, 19));
        Fill(p, grin, Qt::white, Ink, 1.1);
    });
    // 22 to 28: signs.
    all << Banner(126, QStringLiteral("Welcome!"), QColor(0x20, 0x90, 0x40), GrinFace);
    all << Banner(99, QStringLiteral("Thanks!"), QColor(0xe0, 0x40, 0x90), BlushFace);
    all << Banner(91, QStringLiteral("Sorry!"), QColor(0x50, 0x60, 0xa0),
                  [](QPainter& p, int) { SadFace(p, -1); });
    all << Banner(97, QStringLiteral("Hello!"), QColor(0xff, 0x80, 0x10), WinkFace);
    all << Banner(94, QStringLiteral("Bye-bye"), QColor(0x20, 0x80, 0xd0), SmileFace);
    all << Banner(105, QStringLiteral("Good luck"), QColor(0x10, 0x90, 0x90), CoolFace);
    all << Banner(107, QStringLiteral("Congrats!"), QColor(0xc0, 0x20, 0x20), PartyFace);
    // 29 beating heart.
    all << Design(QSize(16, 19), {10, 10, 10, 35}, [](QPainter& p, int f) {
        static const qreal scale[] = {1.0, 1.16, 1.0, 0.92};
        Heart(p, QPointF(8, 10), 5.6 * scale[f]);
        Dot(p, QPointF(5.6, 7.6), 1.1, 0.8, QColor(255, 255, 255, 170));
    });
    // 30 twinkling star.
    all << Design(QSize(16, 19), {12, 12, 12, 12}, [](QPainter& p, int f) {
        QRadialGradient g(QPointF(7, 8.5), 8);
        g.setColorAt(0, QColor(0xff, 0xfa, 0xb0));
        g.setColorAt(1, QColor(0xff, 0xc0, 0x00));
        Fill(p, StarPath(QPointF(8, 10.5), 7.4 - (f % 2) * 0.8, 3.1, f * Pi / 30), g,
             QColor(0xc0, 0x70, 0x00), 0.8);
        if (f % 2) {
            const QPointF s(13.5, 3);
            Stroke(p, Line(s + QPointF(-2, 0), s + QPointF(2, 0)), Qt::white, 0.8);
            Stroke(p, Line(s + QPointF(0, -2), s + QPointF(0, 2)), Qt::white, 0.8);
            Stroke(p, Line(s + QPointF(-1.2, 0), s + QPointF(1.2, 0)), QColor(0xff, 0xc0, 0x00),
                   0.8);
        }
    });
    // 31 music notes.
    all << Design(QSize(16, 19), {15, 15, 15, 15}, [](QPainter& p, int f) {
        static const qreal tilt[] = {-8, 0, 8, 0};
        p.translate(8, 10);
        p.rotate(tilt[f]);
        p.translate(-8, -10 + (f % 2 ? -0.8 : 0));
        const QColor ink(0x20, 0x30, 0xb0);
        Dot(p, QPointF(4, 15), 2.4, 1.8, ink);
        Dot(p, QPointF(12, 13), 2.4, 1.8, ink);
        Stroke(p, Line(QPointF(6.1, 15), QPointF(6.1, 4)), ink, 1.1);
        Stroke(p, Line(QPointF(14.1, 13), QPointF(14.1, 2)), ink, 1.1);
        QPainterPath beam(QPointF(6.1, 4));
        beam.lineTo(QPointF(14.1, 2));
        beam.lineTo(QPointF(14.1, 4.4));
        beam.lineTo(QPointF(6.1, 6.4));
        beam.closeSubpath();
        Fill(p, beam, ink);
    });
    // 32 sun.
    all << Design(QSize(15, 15), {12, 12, 12, 12}, [](QPainter& p, int f) {
        const QPointF c(7.5, 7.5);
        for (int i = 0; i < 8; ++i) {
            const qreal a = i * Pi / 4 + f * Pi / 16;
            const qreal len = i % 2 ? 6.6 : 7.2;
            Stroke(p,
                   Line(c + QPointF(std::cos(a), std::sin(a)) * 4.6,
                        c + QPointF(std::cos(a), std::sin(a)) * len),
                   QColor(0xff, 0x90, 0x00), 1.2);
        }
        QRadialGradient g(c - QPointF(1, 1), 4.5);
        g.setColorAt(0, QColor(0xff, 0xf6, 0x80));
        g.setColorAt(1, QColor(0xff, 0xb8, 0x00));
        Fill(p, Ellipse(c, 3.7, 3.7), g, QColor(0xd0, 0x70, 0x00), 0.7);
    });
    // 33 be right back, the clock ticking.
    all << Design(QSize(41, 16), {25, 25, 25, 25}, [](QPainter& p, int f) {
        QPainterPath tag;
        tag.addRoundedRect(QRectF(0.5, 0.5, 40, 15), 3.5, 3.5);
        QLinearGradient g(0, 0, 0, 16);
        g.setColorAt(0, QColor(0x60, 0x90, 0xff));
        g.setColorAt(1, QColor(0x18, 0x48, 0xc0));
        Fill(p, tag, g, QColor(0x10, 0x28, 0x80), 1.0);
        const QPointF c(8, 8);
        Fill(p, Ellipse(c, 5.4, 5.4), Qt::white, QColor(0x10, 0x28, 0x80), 0.8);
        Stroke(p, Line(c, c + QPointF(0, -3.6)), Ink, 1.0);
        const qreal a = f * Pi / 2;
        Stroke(p, Line(c, c + QPointF(std::sin(a), -std::cos(a)) * 4.4), QColor(0xd0, 0x10, 0x10),
               0.8);
        p.setFont(Font(11));
        p.setPen(Qt::white);
        p.drawText(QRectF(14, 0, 26, 16), Qt::AlignCenter, QStringLiteral("BRB"));
    });
    // 34 flower, swaying.
    all << Design(QSize(16, 19), {15, 15, 15, 15}, [](QPainter& p, int f) {
        static const qreal sway[] = {-1.5, 0, 1.5, 0};
        const QPointF head(8 + sway[f], 6.8);
        Stroke(p, Curve(QPointF(8, 19), QPointF(8, 12), head), QColor(0x20, 0x90, 0x20), 1.3);
        Fill(p, Ellipse(QPointF(10.5, 14.5), 2.4, 1.1), QColor(0x40, 0xb0, 0x30));
        for (int i = 0; i < 5; ++i) {
            const qreal a = i * 2 * Pi / 5 + f * 0.1;
            Fill(p, Ellipse(head + QPointF(std::cos(a), std::sin(a)) * 3.2, 2.4, 2.4),
                 QColor(0xff, 0x70, 0xb0), QColor(0xc0, 0x30, 0x70), 0.6);
        }
        Fill(p, Ellipse(head, 1.9, 1.9), QColor(0xff, 0xd0, 0x20), QColor(0xc0, 0x80, 0x00), 0.6);
    });
    // 35 a letter, opening.
    all << Design(QSize(24, 18), {50, 10, 10, 50}, [](QPainter& p, int f) {
        const QColor edge(0x70, 0x60, 0x40);
        const QRectF body(1, 6.5, 22, 11);
        static const qreal flap[] = {13.5, 6.5, 0.8, 0.8};
        QPainterPath back;
        back.addRect(body);
        Fill(p, back, QColor(0xf2, 0xe6, 0xc8), edge, 0.9);
        if (f >= 2)
            Heart(p, QPointF(12, 8.6 - (f - 2) * 2.2), 3.2);
        QPainterPath front(body.topLeft());
        front.lineTo(QPointF(12, 13));
        front.lineTo(body.topRight());
        front.lineTo(body.bottomRight());
        front.lineTo(body.bottomLeft());
        front.closeSubpath();
        Fill(p, front, QColor(0xfb, 0xf4, 0xe0), edge, 0.9);
        QPainterPath lid(body.topLeft());
        lid.lineTo(QPointF(12, flap[f]));
        lid.lineTo(body.topRight());
        Fill(p, lid, f >= 2 ? QColor(0xe8, 0xd8, 0xb0) : QColor(0xfb, 0xf4, 0xe0), edge, 0.9);
    });
    // 36 angel, the halo floating.
    all << Design(
        Square, {15, 15, 15, 15},
        [](QPainter& p, int f) {
            static const qreal bob[] = {0, -0.7, -1.1, -0.7};
            Face(p, QPointF(16, 18), 13.4);
            HappyEye(p, QPointF(11.2, 15), 2.4);
            HappyEye(p, QPointF(20.8, 15), 2.4);
            Smile(p, QPointF(16, 21.5), 5.4, 2.6);
            QPainterPath halo = Ellipse(QPointF(16, 3.4 + bob[f]), 8, 2.4);
            halo = halo.subtracted(Ellipse(QPointF(16, 3.4 + bob[f]), 6, 1.2));
            Fill(p, halo, QColor(0xff, 0xd8, 0x20), QColor(0xc0, 0x90, 0x00), 0.6);
        },
        QRectF(0, 0, 32, 32));
    // 37 nerd, pushing up the glasses.
    all << Design(Square, {70, 15}, [](QPainter& p, int f) {
        Face(p);
        const qreal up = f ? -1.2 : 0;
        Eye(p, LeftEye + QPointF(0, 0.6), 1.3, 1.6);
        Eye(p, RightEye + QPointF(0, 0.6), 1.3, 1.6);
        const QColor frame(0x20, 0x20, 0x28);
        for (const QPointF e : {LeftEye, RightEye})
            Fill(p, Ellipse(e + QPointF(0, 0.6 + up), 4.2, 4.2), QColor(255, 255, 255, 70), frame,
                 1.4);
        Stroke(p, Curve(QPointF(15, 12.2 + up), QPointF(16, 11 + up), QPointF(17, 12.2 + up)),
               frame, 1.3);
        Smile(p, QPointF(16, 20.5), 6.2, 2.6);
        QPainterPath teeth;
        teeth.addRect(QRectF(13.6, 22.6, 2.3, 2.6));
        teeth.addRect(QRectF(16.1, 22.6, 2.3, 2.6));
        Fill(p, teeth, Qt::white, Ink, 0.7);
    });
    // 38 shocked, trembling.
    all << Design(Square, {8, 8}, [](QPainter& p, int f) {
        p.translate(f ? 0.8 : -0.8, 0);
        Face(p);
        p.save();
        p.setClipPath(Ellipse(C, R, R));
        QLinearGradient pale(0, 1, 0, 16);
        pale.setColorAt(0, QColor(0x80, 0xa8, 0xff, 220));
        pale.setColorAt(1, QColor(0x80, 0xa8, 0xff, 0));
        p.fillRect(QRectF(0, 0, 32, 16), pale);
        p.restore();
        Brow(p, QPointF(7.5, 6.8), QPointF(10.5, 4.6), QPointF(13.5, 6.6));
        Brow(p, QPointF(18.5, 6.6), QPointF(21.5, 4.6), QPointF(24.5, 6.8));
        for (const QPointF e : {LeftEye, RightEye}) {
            Fill(p, Ellipse(e, 3.2, 3.4), Qt::white, Ink, 0.8);
            Dot(p, e, 0.9, 0.9, Ink);
        }
        Fill(p, Ellipse(QPointF(16, 23.4), 3.2, 4.6), MouthRed, Ink, 1.1);
    });
    // 39 party, confetti falling.
    all << Design(QSize(32, 33), {12, 12, 12, 12}, [](QPainter& p, int f) {
        PartyFace(p, f);
        static const QColor colours[] = {QColor(0xff, 0x30, 0x60), QColor(0x20, 0xb0, 0xff),
                                         QColor(0x30, 0xc0, 0x40), QColor(0xff, 0xa0, 0x00),
                                         QColor(0xa0, 0x40, 0xff), QColor(0xff, 0xe0, 0x20)};
        static const qreal xs[] = {3, 27, 6.5, 24, 29.5, 1.5};
        for (int i = 0; i < 6; ++i) {
            const qreal y = std::fmod(i * 5.5 + f * 4, 24) + 1;
            p.save();
            p.translate(xs[i], y);
            p.rotate(i * 40 + f * 45);
            p.fillRect(QRectF(-1.2, -0.6, 2.4, 1.2), colours[i]);
            p.restore();
        }
    });
    // 40 rolling the eyes.
    all << Design(Square, {10, 10, 10, 10, 10, 40}, [](QPainter& p, int f) {
        Face(p);
        const qreal a = Pi + f * Pi / 5;
        for (const QPointF e : {LeftEye, RightEye}) {
            Fill(p, Ellipse(e, 3.2, 3.2), Qt::white, Ink, 0.7);
            Dot(p, e + QPointF(std::cos(a), std::sin(a)) * 1.7, 1.3, 1.3, Ink);
        }
        Stroke(p, Curve(QPointF(11.5, 22.5), QPointF(16, 21), QPointF(20.5, 22.5)), Ink, 1.6);
    });
    // 41 hot coffee.
    all << Design(QSize(40, 32), {14, 14, 14, 14}, [](QPainter& p, int f) {
        Fill(p, Ellipse(QPointF(19, 28.3), 16, 3.2), QColor(0xf4, 0xf4, 0xf4),
             QColor(0x80, 0x80, 0x88), 0.9);
        Fill(p, Ellipse(QPointF(31, 18.5), 4.2, 4.6), Qt::NoBrush, QColor(0x70, 0x70, 0x78), 2.6);
        QPainterPath cup(QPointF(7, 12));
        cup.lineTo(QPointF(31, 12));
        cup.cubicTo(QPointF(31, 24), QPointF(27, 28.5), QPointF(19, 28.5));
        cup.cubicTo(QPointF(11, 28.5), QPointF(7, 24), QPointF(7, 12));
        QLinearGradient g(7, 0, 31, 0);
        g.setColorAt(0, QColor(0xff, 0xff, 0xff));
        g.setColorAt(1, QColor(0xc8, 0xc8, 0xd0));
        Fill(p, cup, g, QColor(0x70, 0x70, 0x78), 0.9);
        Fill(p, Ellipse(QPointF(19, 12.2), 11.6, 2.2), QColor(0x6a, 0x3a, 0x14),
             QColor(0x70, 0x70, 0x78), 0.7);
        for (int i = 0; i < 3; ++i) {
            const qreal x = 13 + i * 6;
            const qreal phase = (f + i) % 4;
            QPainterPath steam(QPointF(x, 9.5));
            steam.cubicTo(QPointF(x - 2.5, 7 - phase * 0.3), QPointF(x + 2.5, 5),
                          QPointF(x, 1.5 + (phase > 1 ? 0.8 : 0)));
            QColor c(0x90, 0x90, 0x98);
            c.setAlpha(110 + int(phase) * 30);
            Stroke(p, steam, c, 1.3);
        }
    });
    // 42 birthday cake, the candle flickering.
    all << Design(QSize(40, 32), {12, 12, 12}, [](QPainter& p, int f) {
        Fill(p, Ellipse(QPointF(20, 28.5), 18, 2.8), QColor(0xf0, 0xf0, 0xf8),
             QColor(0x90, 0x90, 0xa0), 0.8);
        const QColor sponge(0xc8, 0x84, 0x4a);
        const QColor icing(0xff, 0xa8, 0xc8);
        for (const QRectF layer : {QRectF(5, 18, 30, 10), QRectF(10, 11, 20, 7.5)}) {
            QPainterPath body;
            body.addRoundedRect(layer, 2, 2);
            Fill(p, body, sponge, sponge.darker(150), 0.8);
            QPainterPath top(layer.topLeft() + QPointF(0, 2));
            top.lineTo(layer.topLeft());
            top.lineTo(layer.topRight());
            top.lineTo(layer.topRight() + QPointF(0, 2));
            const int drips = int(layer.width() / 5);
            for (int i = drips; i > 0; --i) {
                const qreal x = layer.left() + i * layer.width() / drips;
                top.quadTo(QPointF(x - layer.width() / drips / 2, layer.top() + (i % 2 ? 5 : 3.4)),
                           QPointF(x - layer.width() / drips, layer.top() + 2));
            }
            Fill(p, top, icing, icing.darker(130), 0.7);
        }
        for (int i = 0; i < 5; ++i)
            Dot(p, QPointF(8 + i * 6, 25), 0.8, 0.8,
                i % 2 ? QColor(0x30, 0x90, 0xff) : QColor(0xff, 0xe0, 0x30));
        QPainterPath candle;
        candle.addRect(QRectF(18.8, 4, 2.4, 7));
        Fill(p, candle, QColor(0x70, 0xb0, 0xff), QColor(0x30, 0x60, 0xb0), 0.6);
        static const qreal lean[] = {0, 0.7, -0.7};
        static const qreal tall[] = {1.0, 1.15, 0.9};
        QPainterPath flame(QPointF(20 + lean[f], 4 - 4.2 * tall[f]));
        flame.cubicTo(QPointF(22.4, 1.4), QPointF(22, 3.8), QPointF(20, 3.8));
        flame.cubicTo(QPointF(18, 3.8), QPointF(17.6, 1.4),
                      QPointF(20 + lean[f], 4 - 4.2 * tall[f]));
        QRadialGradient g(QPointF(20, 2.6), 2.6);
        g.setColorAt(0, QColor(0xff, 0xf8, 0x90));
        g.setColorAt(1, QColor(0xff, 0x70, 0x00));
        Fill(p, flame, g);
    });
    return all;
}

} // namespace

QList<TEmoticonDesign> EmoticonDesigns()
{
    static const QList<TEmoticonDesign> designs = Build();
    return designs;
}

QImage RenderFrame(const TEmoticonDesign& design, int frame, qreal scale)
{
    QImage img(design.size * scale, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);
    design.draw(p, frame);
    return img;
}

QImage PalettePicture(const TEmoticonDesign& design, int scale)
{
    // Drawn large and reduced, so that even the small ones come out sharp.
    const int side = 21 * scale;
    const qreal over = 4 * scale;
    const QImage big = RenderFrame(design, 0, over);
    const QRect key = QRectF(design.key.topLeft() * over, design.key.size() * over).toAlignedRect();
    const qreal fit = std::min(side / design.key.width(), side / design.key.height());
    const QSize size = (design.key.size() * fit).toSize();
    const QImage part = big.copy(key).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage out(side, side, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    {
        QPainter p(&out);
        p.drawImage(QPoint((side - size.width()) / 2, (side - size.height()) / 2), part);
    }
    // No pure white: the toolbar picture of the last emoticon is drawn on
    // white with white as its transparent colour, which would punch holes
    // into eyes and teeth.
    out = out.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < side; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < side; ++x)
            if (qAlpha(line[x]) > 0)
                line[x] = qRgba(std::min(qRed(line[x]), 250), std::min(qGreen(line[x]), 250),
                                std::min(qBlue(line[x]), 250), qAlpha(line[x]));
    }
    return out;
}
