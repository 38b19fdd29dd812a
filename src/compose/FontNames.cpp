#include "compose/FontNames.h"

#include <QFontDatabase>
#include <QRegularExpression>

#include <algorithm>

QStringList EditorFontNames(const QStringList& families)
{
    static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\[\\]]*\\]\\s*$"));
    QStringList names;
    names.reserve(families.size());
    for (const QString& family : families) {
        const QString name = QString(family).remove(foundry).trimmed();
        if (!name.isEmpty())
            names.append(name);
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

QStringList InstalledEditorFontNames()
{
    QStringList families;
    for (const QString& family : QFontDatabase::families())
        if (!QFontDatabase::isPrivateFamily(family))
            families.append(family);
    return EditorFontNames(families);
}
