#include "htmlview/HtmlValues.h"

#include <QRegularExpression>

namespace HtmlValues {

QVariant FontName(const QString& reported)
{
    QString first;
    QChar quote;
    for (const QChar c : reported) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                first += c;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char(',')) {
            break;
        } else {
            first += c;
        }
    }
    first = first.trimmed();
    if (first.isEmpty())
        return {};
    return first;
}

QVariant FontSize(const QString& reported)
{
    bool ok = false;
    const int size = reported.trimmed().toInt(&ok);
    if (!ok)
        return {};
    return size;
}

QVariant Color(const QString& reported)
{
    const QString s = reported.trimmed();
    int r = 0, g = 0, b = 0;
    static const QRegularExpression hex(QStringLiteral("^#([0-9a-fA-F]{6})$"));
    static const QRegularExpression func(QStringLiteral(
        "^rgba?\\(\\s*(\\d+)\\s*,\\s*(\\d+)\\s*,\\s*(\\d+)\\s*(?:,\\s*([0-9.]+)\\s*)?\\)$"));
    if (const auto m = hex.match(s); m.hasMatch()) {
        const uint rgb = m.captured(1).toUInt(nullptr, 16);
        r = int(rgb >> 16) & 0xFF;
        g = int(rgb >> 8) & 0xFF;
        b = int(rgb) & 0xFF;
    } else if (const auto f = func.match(s); f.hasMatch()) {
        if (f.lastCapturedIndex() == 4 && f.captured(4).toDouble() == 0)
            return {};
        r = qMin(f.captured(1).toInt(), 255);
        g = qMin(f.captured(2).toInt(), 255);
        b = qMin(f.captured(3).toInt(), 255);
    } else {
        return {};
    }
    return int(r | (g << 8) | (b << 16));
}

QString ColorText(quint32 bgr)
{
    const uint r = bgr & 0xFF, g = (bgr >> 8) & 0xFF, b = (bgr >> 16) & 0xFF;
    return QStringLiteral("#%1").arg((r << 16) | (g << 8) | b, 6, 16, QLatin1Char('0'));
}

} // namespace HtmlValues
