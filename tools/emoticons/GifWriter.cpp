#include "GifWriter.h"

#include <QHash>

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr int MaxColours = 255; // index 0 is the transparent one
constexpr quint8 Transparent = 0;

struct Colour {
    QRgb rgb;
    qint64 count;
    int Channel(int c) const { return c == 0 ? qRed(rgb) : c == 1 ? qGreen(rgb) : qBlue(rgb); }
};

struct Box {
    int begin;
    int end;
};

// The channel with the widest spread in a box, and that spread.
std::pair<int, int> Widest(const std::vector<Colour>& colours, const Box& box)
{
    std::array<int, 3> lo{255, 255, 255}, hi{0, 0, 0};
    for (int i = box.begin; i < box.end; ++i)
        for (int c = 0; c < 3; ++c) {
            lo[c] = std::min(lo[c], colours[i].Channel(c));
            hi[c] = std::max(hi[c], colours[i].Channel(c));
        }
    int best = 0;
    for (int c = 1; c < 3; ++c)
        if (hi[c] - lo[c] > hi[best] - lo[best])
            best = c;
    return {best, hi[best] - lo[best]};
}

// Median cut: split the box with the widest, most used spread at the
// weighted median of its widest channel until there are enough boxes.
QList<QRgb> MedianCut(std::vector<Colour> colours)
{
    std::vector<Box> boxes{{0, int(colours.size())}};
    while (int(boxes.size()) < MaxColours) {
        int pick = -1;
        qint64 pickScore = 0;
        for (int b = 0; b < int(boxes.size()); ++b) {
            if (boxes[b].end - boxes[b].begin < 2)
                continue;
            qint64 weight = 0;
            for (int i = boxes[b].begin; i < boxes[b].end; ++i)
                weight += colours[i].count;
            const qint64 score = qint64(Widest(colours, boxes[b]).second + 1) * weight;
            if (score > pickScore) {
                pickScore = score;
                pick = b;
            }
        }
        if (pick < 0)
            break;
        const Box box = boxes[pick];
        const int channel = Widest(colours, box).first;
        std::sort(colours.begin() + box.begin, colours.begin() + box.end,
                  [channel](const Colour& a, const Colour& b) {
                      return a.Channel(channel) < b.Channel(channel);
                  });
        qint64 total = 0;
        for (int i = box.begin; i < box.end; ++i)
            total += colours[i].count;
        qint64 running = 0;
        int cut = box.begin + 1;
        for (int i = box.begin; i < box.end - 1; ++i) {
            running += colours[i].count;
            cut = i + 1;
            if (running * 2 >= total)
                break;
        }
        boxes[pick] = {box.begin, cut};
        boxes.push_back({cut, box.end});
    }
    QList<QRgb> palette;
    for (const Box& box : boxes) {
        qint64 r = 0, g = 0, b = 0, n = 0;
        for (int i = box.begin; i < box.end; ++i) {
            r += qint64(qRed(colours[i].rgb)) * colours[i].count;
            g += qint64(qGreen(colours[i].rgb)) * colours[i].count;
            b += qint64(qBlue(colours[i].rgb)) * colours[i].count;
            n += colours[i].count;
        }
        palette << qRgb(int((r + n / 2) / n), int((g + n / 2) / n), int((b + n / 2) / n));
    }
    return palette;
}

quint8 Nearest(const QList<QRgb>& palette, QRgb c)
{
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < palette.size(); ++i) {
        const int dr = qRed(palette[i]) - qRed(c);
        const int dg = qGreen(palette[i]) - qGreen(c);
        const int db = qBlue(palette[i]) - qBlue(c);
        const int d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return quint8(best + 1);
}

// giflib hands the encoded bytes here.
int Append(GifFileType* gif, const GifByteType* bytes, int length)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), length);
    return length;
}

} // namespace

QRgb TGifWriter::Flatten(QRgb p) const
{
    const int a = qAlpha(p);
    const int inv = 255 - a;
    // Premultiplied: colour + background x (1 - alpha).
    return qRgb(std::min(255, qRed(p) + (qRed(m_background) * inv + 127) / 255),
                std::min(255, qGreen(p) + (qGreen(m_background) * inv + 127) / 255),
                std::min(255, qBlue(p) + (qBlue(m_background) * inv + 127) / 255));
}

void TGifWriter::AddFrame(const QImage& frame, int delayCs)
{
    m_frames << Frame{frame.convertToFormat(QImage::Format_ARGB32_Premultiplied), delayCs};
}

QByteArray TGifWriter::Encode() const
{
    if (m_frames.isEmpty())
        return {};
    const QSize size = m_frames.first().image.size();

    // One colour table for all frames.
    QHash<QRgb, qint64> histogram;
    for (const Frame& f : m_frames)
        for (int y = 0; y < size.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(f.image.constScanLine(y));
            for (int x = 0; x < size.width(); ++x)
                if (qAlpha(line[x]) >= 128)
                    ++histogram[Flatten(line[x])];
        }
    std::vector<Colour> colours;
    for (auto it = histogram.cbegin(); it != histogram.cend(); ++it)
        colours.push_back({it.key(), it.value()});
    // A stable order, so that the same pictures give the same file.
    std::sort(colours.begin(), colours.end(),
              [](const Colour& a, const Colour& b) { return a.rgb < b.rgb; });
    const QList<QRgb> palette = colours.empty() ? QList<QRgb>{} : MedianCut(colours);
    QHash<QRgb, quint8> index;
    for (const Colour& c : colours)
        index.insert(c.rgb, Nearest(palette, c.rgb));

    int tableBits = 1;
    while ((1 << tableBits) < palette.size() + 1)
        ++tableBits;
    ColorMapObject* map = GifMakeMapObject(1 << tableBits, nullptr);
    if (!map)
        return {};
    for (int i = 0; i < map->ColorCount; ++i) {
        const QRgb c = i == 0 ? m_background : i <= palette.size() ? palette[i - 1] : 0;
        map->Colors[i] = {GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))};
    }

    QByteArray out;
    GifFileType* gif = EGifOpen(&out, Append, nullptr);
    if (!gif) {
        GifFreeMapObject(map);
        return {};
    }
    // GIF89a for the extensions; 8-bit colour resolution, background index 0.
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, size.width(), size.height(), 8, Transparent, map) == GIF_OK;
    GifFreeMapObject(map);
    // Loop for ever.
    const GifByteType loop[] = {1, 0, 0};
    ok = ok && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") == GIF_OK &&
         EGifPutExtensionBlock(gif, 3, loop) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;

    std::vector<GifPixelType> pixels(size_t(size.width()) * size_t(size.height()));
    for (const Frame& f : m_frames) {
        if (!ok)
            break;
        // Each frame replaces the whole picture, so the previous one is
        // cleared before it and index 0 shows through as transparent.
        GraphicsControlBlock control{DISPOSE_BACKGROUND, false, f.delay, Transparent};
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_OK &&
             EGifPutImageDesc(gif, 0, 0, size.width(), size.height(), false, nullptr) == GIF_OK;
        auto* pixel = pixels.data();
        for (int y = 0; y < size.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(f.image.constScanLine(y));
            for (int x = 0; x < size.width(); ++x)
                *pixel++ = qAlpha(line[x]) >= 128 ? index.value(Flatten(line[x])) : Transparent;
        }
        ok = ok && EGifPutLine(gif, pixels.data(), int(pixels.size())) == GIF_OK;
    }
    // Closing writes the trailer and frees the encoder whatever happened.
    ok = EGifCloseFile(gif, nullptr) == GIF_OK && ok;
    return ok ? out : QByteArray();
}
