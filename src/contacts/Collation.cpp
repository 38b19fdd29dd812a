#include "contacts/Collation.h"

namespace {

// Below every character a name can hold: a shorter text sorts first.
constexpr QChar LevelSeparator(0x0001);

bool IsAscii(const QString& s)
{
    for (const QChar c : s)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

} // namespace

QString CollationKey(const QString& text)
{
    // Accents come apart from their letters, so that "é" sorts with "e".
    const QString decomposed = IsAscii(text) ? text : text.normalized(QString::NormalizationForm_D);

    QString primary, secondary, tertiary;
    primary.reserve(decomposed.size());
    secondary.reserve(decomposed.size());
    tertiary.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        const bool mark = c.category() == QChar::Mark_NonSpacing;
        const QChar folded = c.toCaseFolded();
        if (!mark)
            primary += folded;
        secondary += folded;
        if (!mark)
            tertiary += c.isUpper() ? QLatin1Char('1') : QLatin1Char('0');
    }
    return primary + LevelSeparator + secondary + LevelSeparator + tertiary;
}

int CompareText(const QString& a, const QString& b)
{
    return CollationKey(a).compare(CollationKey(b));
}
