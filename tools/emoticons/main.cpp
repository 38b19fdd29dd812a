// Draws the program's 42 emoticons and writes them as animated GIF89a
// files (<out>/1.gif .. 42.gif) with their palette pictures
// (<out>/palette/1.png ..), drawn at twice their 21 x 21 so that they stay
// crisp on screens of a device pixel ratio of 2. With --sheet <file.png> it also writes every
// frame, enlarged, on one sheet for looking at the artwork.
//
// Usage: make_emoticons <out folder> [--sheet <file.png>]

#include "EmoticonArt.h"
#include "GifWriter.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>

#include <cstdio>

namespace {

bool WriteFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

QImage Sheet(const QList<TEmoticonDesign>& designs)
{
    constexpr int Zoom = 3;
    constexpr int Gap = 6;
    int width = 0, height = Gap;
    for (const TEmoticonDesign& d : designs) {
        width = std::max(width, Gap + int(d.delays.size()) * (d.size.width() * Zoom + Gap) +
                                    21 * Zoom + Gap);
        height += d.size.height() * Zoom + Gap;
    }
    QImage sheet(width, height, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    int y = Gap;
    for (const TEmoticonDesign& d : designs) {
        int x = Gap;
        p.drawImage(x, y, PalettePicture(d).scaled(21 * Zoom, 21 * Zoom));
        x += 21 * Zoom + Gap;
        for (int f = 0; f < d.delays.size(); ++f) {
            p.drawImage(x, y, RenderFrame(d, f).scaled(d.size * Zoom));
            x += d.size.width() * Zoom + Gap;
        }
        y += d.size.height() * Zoom + Gap;
    }
    return sheet;
}

} // namespace

int main(int argc, char* argv[])
{
    // Fonts need the GUI side of Qt, not a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: make_emoticons <out folder> [--sheet <file.png>]\n");
        return 2;
    }
    const QDir out(args[1]);
    if (!out.mkpath(QStringLiteral("palette"))) {
        std::fprintf(stderr, "cannot create %s\n",
                     qPrintable(out.filePath(QStringLiteral("palette"))));
        return 1;
    }
    const QList<TEmoticonDesign> designs = EmoticonDesigns();
    for (int i = 0; i < designs.size(); ++i) {
        const TEmoticonDesign& d = designs[i];
        TGifWriter gif;
        for (int f = 0; f < d.delays.size(); ++f)
            gif.AddFrame(RenderFrame(d, f), d.delays[f]);
        const QString name = QString::number(i + 1);
        if (!WriteFile(out.filePath(name + QStringLiteral(".gif")), gif.Encode()) ||
            !PalettePicture(d, 2).save(out.filePath(QStringLiteral("palette/%1.png").arg(name)))) {
            std::fprintf(stderr, "cannot write emoticon %s\n", qPrintable(name));
            return 1;
        }
    }
    const int sheetArg = args.indexOf(QStringLiteral("--sheet"));
    if (sheetArg > 0 && sheetArg + 1 < args.size() && !Sheet(designs).save(args[sheetArg + 1])) {
        std::fprintf(stderr, "cannot write the sheet\n");
        return 1;
    }
    std::printf("%d emoticons written to %s\n", int(designs.size()), qPrintable(out.path()));
    return 0;
}
