#include "GifWriter.h"

#include <QHash>

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

void Word(QByteArray& out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

class BitWriter {
public:
    void Put(int code, int size)
    {
        m_bits |= quint32(code) << m_count;
        m_count += size;
        while (m_count >= 8) {
            m_bytes.append(char(m_bits & 0xFF));
            m_bits >>= 8;
            m_count -= 8;
        }
    }
    QByteArray Finish()
    {
        if (m_count > 0)
            m_bytes.append(char(m_bits & 0xFF));
        m_bits = 0;
        m_count = 0;
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    quint32 m_bits = 0;
    int m_count = 0;
};

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

QByteArray TGifWriter::Lzw(const QList<quint8>& indices, int minCodeSize)
{
    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    // Dictionary as (prefix code, next index) -> code.
    std::vector<qint16> table(4096 * 256);
    int codeSize = minCodeSize + 1;
    int next = end + 1;
    auto reset = [&] {
        std::fill(table.begin(), table.end(), qint16(-1));
        codeSize = minCodeSize + 1;
        next = end + 1;
    };
    BitWriter bits;
    reset();
    bits.Put(clear, codeSize);
    if (!indices.isEmpty()) {
        int prefix = indices[0];
        for (int i = 1; i < indices.size(); ++i) {
            const int k = indices[i];
            const qint16 known = table[prefix * 256 + k];
            if (known >= 0) {
                prefix = known;
                continue;
            }
            bits.Put(prefix, codeSize);
            table[prefix * 256 + k] = qint16(next++);
            // The reader widens its codes one entry later than we add them.
            if (next > (1 << codeSize) && codeSize < 12)
                ++codeSize;
            if (next == 4096) {
                bits.Put(clear, codeSize);
                reset();
            }
            prefix = k;
        }
        bits.Put(prefix, codeSize);
    }
    bits.Put(end, codeSize);
    const QByteArray data = bits.Finish();

    QByteArray out;
    out.append(char(minCodeSize));
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const qsizetype n = std::min<qsizetype>(255, data.size() - at);
        out.append(char(n));
        out.append(data.mid(at, n));
    }
    out.append(char(0));
    return out;
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

    QByteArray out("GIF89a");
    Word(out, size.width());
    Word(out, size.height());
    out.append(char(0x80 | 0x70 | (tableBits - 1))); // global table, 8-bit colour
    out.append(char(Transparent));                   // background index
    out.append(char(0));                             // square pixels
    for (int i = 0; i < (1 << tableBits); ++i) {
        const QRgb c = i == 0 ? m_background : i <= palette.size() ? palette[i - 1] : 0;
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    // Loop for ever.
    out.append("\x21\xFF\x0B", 3);
    out.append("NETSCAPE2.0");
    out.append("\x03\x01", 2);
    Word(out, 0);
    out.append(char(0));

    for (const Frame& f : m_frames) {
        // Graphic control: each frame replaces the whole picture, so the
        // previous one is cleared before it (disposal 2) and index 0 shows
        // through as transparent.
        out.append("\x21\xF9\x04", 3);
        out.append(char((2 << 2) | 1));
        Word(out, f.delay);
        out.append(char(Transparent));
        out.append(char(0));

        out.append(char(0x2C));
        Word(out, 0);
        Word(out, 0);
        Word(out, size.width());
        Word(out, size.height());
        out.append(char(0));

        QList<quint8> pixels;
        pixels.reserve(size.width() * size.height());
        for (int y = 0; y < size.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(f.image.constScanLine(y));
            for (int x = 0; x < size.width(); ++x)
                pixels << (qAlpha(line[x]) >= 128 ? index.value(Flatten(line[x])) : Transparent);
        }
        out.append(Lzw(pixels, std::max(2, tableBits)));
    }
    out.append(char(0x3B));
    return out;
}
