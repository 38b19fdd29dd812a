#include "controls/xpButton.h"

#include "controls/XPGraphUtil.h"
#include "controls/xpButtonAccessible.h"

#include <QAccessible>
#include <QDialog>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

#include <cmath>

namespace {

// The button paints with the integer primitives of a classic canvas, so
// that every pixel is where its coordinates say: lines leave out their end
// point, outlines lie inside their bounding box (Right and Bottom
// exclusive).

void Pixels(QPainter& canvas, int x, int y, int w, int h, const QColor& colour)
{
    if (w > 0 && h > 0)
        canvas.fillRect(QRect(x, y, w, h), colour);
}

// A horizontal or vertical line from (x1, y1) towards (x2, y2), the end
// point not painted.
void Line(QPainter& canvas, int x1, int y1, int x2, int y2, const QColor& colour)
{
    if (y1 == y2) {
        if (x2 > x1)
            Pixels(canvas, x1, y1, x2 - x1, 1, colour);
        else
            Pixels(canvas, x2 + 1, y1, x1 - x2, 1, colour);
    } else if (x1 == x2) {
        if (y2 > y1)
            Pixels(canvas, x1, y1, 1, y2 - y1, colour);
        else
            Pixels(canvas, x1, y2 + 1, 1, y1 - y2, colour);
    }
}

void FrameRect(QPainter& canvas, int l, int t, int r, int b, const QColor& colour, int width)
{
    for (int i = 0; i < width && r - l > 2 * i && b - t > 2 * i; ++i) {
        const int L = l + i, T = t + i, R = r - i, B = b - i;
        Pixels(canvas, L, T, R - L, 1, colour);
        Pixels(canvas, L, B - 1, R - L, 1, colour);
        Pixels(canvas, L, T, 1, B - T, colour);
        Pixels(canvas, R - 1, T, 1, B - T, colour);
    }
}

// The outline of a rounded rectangle whose corners are quarters of an
// ellipse of ew x eh pixels, one pixel wide per step of width, inwards.
void RoundRect(QPainter& canvas, int l, int t, int r, int b, int ew, int eh, const QColor& colour,
               int width)
{
    for (int i = 0; i < width && r - l > 2 * i && b - t > 2 * i; ++i) {
        const int L = l + i, T = t + i, R = r - i, B = b - i;
        const int w = Min(ew, R - L), h = Min(eh, B - T);
        if (w <= 2 || h <= 2) {
            FrameRect(canvas, L, T, R, B, colour, 1);
            continue;
        }
        // The ellipse outline in its own box, column by column and row by
        // row so that it has no gaps.
        const double cx = (w - 1) / 2.0, cy = (h - 1) / 2.0;
        auto plot = [&](int x, int y) {
            const int X = x < w / 2.0 ? L + x : R - w + x;
            const int Y = y < h / 2.0 ? T + y : B - h + y;
            Pixels(canvas, X, Y, 1, 1, colour);
        };
        for (int x = 0; x < w; ++x) {
            const double u = (x - cx) / cx;
            const double dy = cy * std::sqrt(std::max(0.0, 1 - u * u));
            plot(x, int(std::lround(cy - dy)));
            plot(x, int(std::lround(cy + dy)));
        }
        for (int y = 0; y < h; ++y) {
            const double v = (y - cy) / cy;
            const double dx = cx * std::sqrt(std::max(0.0, 1 - v * v));
            plot(int(std::lround(cx - dx)), y);
            plot(int(std::lround(cx + dx)), y);
        }
        // The straight edges between the corners.
        const int x0 = L + int(std::ceil(cx)), x1 = R - w + int(std::floor(cx)) + 1;
        const int y0 = T + int(std::ceil(cy)), y1 = B - h + int(std::floor(cy)) + 1;
        Pixels(canvas, x0, T, x1 - x0, 1, colour);
        Pixels(canvas, x0, B - 1, x1 - x0, 1, colour);
        Pixels(canvas, L, y0, 1, y1 - y0, colour);
        Pixels(canvas, R - 1, y0, 1, y1 - y0, colour);
    }
}

// The dotted focus frame: every other pixel of the rectangle's border
// inverted, so that it shows on any face.
void DrawFocusRect(QPainter& canvas, int l, int t, int r, int b)
{
    const QPainter::CompositionMode mode = canvas.compositionMode();
    canvas.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor white(255, 255, 255);
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0)
            Pixels(canvas, x, y, 1, 1, white);
    };
    for (int x = l; x < r; ++x) {
        dot(x, t);
        if (b - 1 > t)
            dot(x, b - 1);
    }
    for (int y = t + 1; y < b - 1; ++y) {
        dot(l, y);
        if (r - 1 > l)
            dot(r - 1, y);
    }
    canvas.setCompositionMode(mode);
}

const QColor OutlineColour(0, 60, 116);
const QColor FaceStart(253, 253, 253);
const QColor FaceEnd(205, 204, 223);
const QColor TopBevel(206, 231, 255);
const QColor BottomBevel(105, 130, 238);
const QColor InnerFrame(188, 212, 246);
const QColor White(255, 255, 255);
const QColor HotFrame(248, 179, 48);
const QColor DisabledOutline(196, 195, 191);
const QColor DisabledText(161, 161, 146);

// A character typed; with Ctrl, Alt or Meta it is a command or a shortcut.
bool IsCharacterKey(const QKeyEvent* e)
{
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    return !e->text().isEmpty() && e->text().at(0).isPrint();
}

TColor ToTColor(const QColor& c)
{
    return TColor::FromQColor(c);
}

} // namespace

TxpButton::TxpButton(QWidget* AOwner) : QWidget(AOwner)
{
    TxpButtonAccessible::Register();
    resize(75, 25);
    setMouseTracking(true);
    m_caption = QStringLiteral("XP Button");
    SetEnabled(true);
    SetTabStop(true);
    WatchWindow();
}

TxpButton::~TxpButton()
{
    if (m_watchedWindow)
        m_watchedWindow->removeEventFilter(this);
    delete m_accelerator;
}

void TxpButton::SetCaption(const QString& value)
{
    if (value == m_caption)
        return;
    m_caption = value;
    UpdateAccelerator();
    QAccessibleEvent ev(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&ev);
    repaint();
}

void TxpButton::SetFont(const QFont& value)
{
    m_font = value;
    repaint();
}

void TxpButton::SetFontColor(TColor value)
{
    m_fontColor = value;
    repaint();
}

void TxpButton::SetEnabled(bool value)
{
    // changeEvent repaints, also when a parent enables or disables us.
    setEnabled(value);
}

void TxpButton::SetTabStop(bool value)
{
    // Focus by the mouse is taken by the press handler itself.
    setFocusPolicy(value ? Qt::TabFocus : Qt::NoFocus);
}

QString TxpButton::Text() const
{
    QString text = m_caption;
    const qsizetype amp = text.indexOf(QLatin1Char('&'));
    if (amp >= 0)
        text.remove(amp, 1);
    return text;
}

QString TxpButton::AccessibleCaption() const
{
    // "&" marks the next character; "&&" stands for one "&".
    QString out;
    out.reserve(m_caption.size());
    for (qsizetype i = 0; i < m_caption.size(); ++i) {
        if (m_caption[i] == QLatin1Char('&')) {
            if (++i < m_caption.size())
                out += m_caption[i];
            continue;
        }
        out += m_caption[i];
    }
    return out;
}

void TxpButton::Click()
{
    QPointer<TxpButton> self(this);
    if (OnClick)
        OnClick(this);
    if (!self || m_modalResult == 0)
        return;
    if (auto* dialog = qobject_cast<QDialog*>(window()))
        dialog->done(m_modalResult);
}

void TxpButton::DialogKey(int key)
{
    if (!isEnabled())
        return;
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if ((m_cancel && key == Qt::Key_Escape) || (m_default && enter))
        Click();
}

void TxpButton::DialogChar(int key)
{
    const QKeySequence accel = QKeySequence::mnemonic(m_caption);
    if (accel.isEmpty())
        return;
    if (accel[0].key() == Qt::Key(key))
        Click();
}

void TxpButton::Paint(QPainter& canvas)
{
    const bool enabled = isEnabled();
    if (enabled)
        PaintEnabled(canvas);
    else
        PaintDisabled(canvas);
    // The underline comes last, over the focus rectangle, and follows IsDown
    // in both looks; its pen is the one the next paint starts with.
    DrawAccelerator(canvas, enabled ? m_fontColor.ToQColor(palette()) : DisabledText,
                    IsDown ? 1 : 0);
}

void TxpButton::PaintEnabled(QPainter& canvas)
{
    const int W = width(), H = height();
    const int d = IsDown ? 1 : 0;

    m_penWidth = 1;
    RoundRect(canvas, 1, 1, W - 1, H - 1, 5, 5, OutlineColour, m_penWidth);

    const QRect face = RectLTRB(4, 4, W - 4, H - 4);
    if (IsDown && IsHot)
        GradientFillRect(canvas, face, ToTColor(FaceStart), ToTColor(FaceEnd), 1, quint8(H / 2));
    else
        GradientFillRect(canvas, face, ToTColor(FaceStart), ToTColor(FaceEnd), 0, quint8(H / 3));

    Line(canvas, 3, 2, W - 3, 2, TopBevel);
    Line(canvas, 3, H - 3, W - 3, H - 3, BottomBevel);
    FrameRect(canvas, 2, 3, W - 2, H - 3, InnerFrame, m_penWidth);
    Line(canvas, 3, 4, 3, H - 4, White);
    Line(canvas, W - 4, 4, W - 4, H - 4, White);
    Line(canvas, 3, H - 1, W - 3, H - 1, White);
    Line(canvas, W - 1, H - 4, W - 1, 2, White);

    if (IsHot) {
        m_penWidth = 1;
        RoundRect(canvas, 3, 3, W - 3, H - 3, 2, 2, HotFrame, m_penWidth);
    }

    DrawCaption(canvas, m_fontColor.ToQColor(palette()), d);

    if (IsFocused && m_showFocus) {
        m_penWidth = 2;
        DrawFocusRect(canvas, 4, 4, W - 4, H - 4);
    }
}

void TxpButton::PaintDisabled(QPainter& canvas)
{
    const int W = width(), H = height();
    // The outline keeps the pen width of the previous paint.
    RoundRect(canvas, 1, 1, W - 1, H - 1, 5, 5, DisabledOutline, m_penWidth);
    DrawCaption(canvas, DisabledText, 0);
}

// The text centred and shifted by d, clipped to the face.
void TxpButton::DrawCaption(QPainter& canvas, const QColor& colour, int d)
{
    const int W = width(), H = height();
    const QString text = Text();
    canvas.setFont(m_font);
    const QFontMetrics fm(m_font, this);
    const int tw = fm.horizontalAdvance(text);
    const int th = fm.height();
    const int left = (W - tw) / 2 + d;
    const int top = (H - th) / 2 + d;

    canvas.save();
    canvas.setClipRect(RectLTRB(4, 4, W - 4, H - 4));
    canvas.setPen(colour);
    canvas.drawText(QRect(left, top, Max(tw, 1), th),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, text);
    canvas.restore();
}

// The line under the accelerator character, in the row below the text.
void TxpButton::DrawAccelerator(QPainter& canvas, const QColor& colour, int d)
{
    const qsizetype p = m_caption.indexOf(QLatin1Char('&')) + 1; // 1-based
    if (p == 0)
        return;
    const int W = width(), H = height();
    const QString text = Text();
    const QFontMetrics fm(m_font, this);
    const int tw = fm.horizontalAdvance(text);
    const int th = fm.height();
    m_penWidth = 1;
    const int y = (H - th) / 2 + th + d;
    const int x1 = fm.horizontalAdvance(text.left(p - 1)) + (W - tw) / 2 + d;
    const int x2 = fm.horizontalAdvance(text.left(p)) + (W - tw) / 2 + d;
    Line(canvas, x1, y, x2, y, colour);
}

bool TxpButton::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::ToolTip:
        if (!m_showHint)
            return true;
        break;
    case QEvent::ParentChange:
    case QEvent::Show:
        // The window may have changed with an ancestor's parent.
        WatchWindow();
        break;
    default:
        break;
    }
    return QWidget::event(e);
}

// The window's unhandled keys, offered to every button it holds.
bool TxpButton::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_watchedWindow && e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        const int key = ke->key();
        if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter)
            DialogKey(key);
        else if (IsCharacterKey(ke))
            DialogChar(key);
    }
    return false;
}

void TxpButton::WatchWindow()
{
    QWidget* w = window();
    if (w == this)
        w = nullptr;
    if (w == m_watchedWindow)
        return;
    if (m_watchedWindow)
        m_watchedWindow->removeEventFilter(this);
    m_watchedWindow = w;
    if (m_watchedWindow)
        m_watchedWindow->installEventFilter(this);
    UpdateAccelerator();
}

// Alt with the accelerator character, wherever the focus is in the window.
// The shortcut belongs to the window, so that a disabled button still
// hears it.
void TxpButton::UpdateAccelerator()
{
    delete m_accelerator;
    const QKeySequence accel = QKeySequence::mnemonic(m_caption);
    if (!m_watchedWindow || accel.isEmpty())
        return;
    m_accelerator = new QShortcut(accel, m_watchedWindow);
    m_accelerator->setAutoRepeat(false);
    const int key = accel[0].key();
    connect(m_accelerator, &QShortcut::activated, this, [this, key] { DialogChar(key); });
    connect(m_accelerator, &QShortcut::activatedAmbiguously, this,
            [this, key] { DialogChar(key); });
}

void TxpButton::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    Paint(canvas);
}

void TxpButton::SetHot(bool hot)
{
    if (IsHot == hot)
        return;
    IsHot = hot;
    repaint();
}

void TxpButton::enterEvent(QEnterEvent*)
{
    SetHot(true);
}

void TxpButton::leaveEvent(QEvent*)
{
    SetHot(false);
}

void TxpButton::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        // The right button is swallowed; others go to the parent.
        e->setAccepted(e->button() == Qt::RightButton);
        return;
    }
    if (IsDown)
        return;
    IsDown = true;
    if (!hasFocus() && isEnabled())
        setFocus(Qt::MouseFocusReason);
    repaint();
}

// The mouse is not held by the button, so the pointer leaving and coming
// back counts also while a button is pressed (Qt keeps sending the moves
// here then, but no enter or leave until the release).
void TxpButton::mouseMoveEvent(QMouseEvent* e)
{
    SetHot(rect().contains(e->position().toPoint()));
}

void TxpButton::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        e->setAccepted(e->button() == Qt::RightButton);
        return;
    }
    // A release over another place belongs to that place: not seen here.
    if (!rect().contains(e->position().toPoint()))
        return;
    if (!IsDown)
        return;
    IsDown = false;
    repaint();
    Click();
}

void TxpButton::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        Click();
    else
        e->setAccepted(e->button() == Qt::RightButton);
}

void TxpButton::contextMenuEvent(QContextMenuEvent* e)
{
    e->accept();
}

void TxpButton::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    const bool pressKey = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    if (pressKey && !IsDown && !e->isAutoRepeat()) {
        IsDown = true;
        update();
    }
    if (OnKeyDown) {
        int k = key;
        OnKeyDown(this, k, e->modifiers());
    }
    // Enter and Space press this button; other keys go on to the window.
    e->setAccepted(pressKey);
}

void TxpButton::keyReleaseEvent(QKeyEvent* e)
{
    // Holding a key repeats its press, not its release.
    if (e->isAutoRepeat()) {
        e->ignore();
        return;
    }
    QPointer<TxpButton> self(this);
    if (IsDown) {
        IsDown = false;
        update();
        Click();
        if (!self)
            return;
    }
    if (OnKeyUp) {
        int k = e->key();
        OnKeyUp(this, k, e->modifiers());
    }
    e->ignore();
}

void TxpButton::focusInEvent(QFocusEvent* e)
{
    if (!IsFocused) {
        IsFocused = true;
        update();
    }
    // Coming back to an activated window is no move between controls.
    if (OnEnter && e->reason() != Qt::ActiveWindowFocusReason &&
        e->reason() != Qt::PopupFocusReason)
        OnEnter(this);
}

void TxpButton::focusOutEvent(QFocusEvent* e)
{
    if (IsFocused) {
        IsFocused = false;
        update();
    }
    if (OnExit && e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason)
        OnExit(this);
}

void TxpButton::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::EnabledChange)
        repaint();
}
