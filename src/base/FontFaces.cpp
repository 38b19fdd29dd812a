#include "base/FontFaces.h"

#include "base/FontCache.h"

#include <QFont>
#include <QHash>

#include <fontconfig/fontconfig.h>

#include <memory>
#include <utility>

namespace {

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

Pattern FamilyPattern(const QString& family)
{
    Pattern pattern(FcPatternCreate());
    const QByteArray name = family.toUtf8();
    FcPatternAddString(pattern.get(), FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(name.constData()));
    return pattern;
}

// The file fontconfig gives for the family, when the face it gives is of
// that family: a stand-in chosen by likeness is left to Qt, which chooses
// it the same way everywhere else. Collections (several faces in one
// file) are left to Qt too.
QString FaceFile(const QString& family, bool bold)
{
    Pattern pattern = FamilyPattern(family);
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const Pattern match(FcFontMatch(nullptr, pattern.get(), &result));
    FcChar8* matched = nullptr;
    FcChar8* file = nullptr;
    int index = 0;
    if (!match || FcPatternGetString(match.get(), FC_FAMILY, 0, &matched) != FcResultMatch ||
        FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch ||
        FcPatternGetInteger(match.get(), FC_INDEX, 0, &index) != FcResultMatch || index != 0)
        return {};
    if (QString::fromUtf8(reinterpret_cast<const char*>(matched))
            .compare(family, Qt::CaseInsensitive) != 0)
        return {};
    return QString::fromUtf8(reinterpret_cast<const char*>(file));
}

QHash<QString, QRawFont>& LoadedFaces()
{
    static QHash<QString, QRawFont> faces;
    return faces;
}

// Answers of this run, and which of them came from the last one.
QHash<QString, bool>& KnownFamilies()
{
    static QHash<QString, bool> known;
    return known;
}

QStringList& KeptAnswers()
{
    static QStringList kept;
    return kept;
}

bool AskInstalled(const QString& family)
{
    // Listing matches the family as written, without aliases.
    const Pattern pattern = FamilyPattern(family);
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* faces = FcFontList(nullptr, pattern.get(), objects);
    const bool installed = faces && faces->nfont > 0;
    if (faces)
        FcFontSetDestroy(faces);
    FcObjectSetDestroy(objects);
    return installed;
}

} // namespace

bool FontFamilyInstalled(const QString& family)
{
    QHash<QString, bool>& known = KnownFamilies();
    if (auto it = known.constFind(family); it != known.cend())
        return *it;
    bool installed = false;
    if (const std::optional<bool> kept = TFontCache::Instance().Installed(family)) {
        installed = *kept;
        KeptAnswers() << family;
    } else {
        installed = AskInstalled(family);
        TFontCache::Instance().SetInstalled(family, installed);
    }
    known.insert(family, installed);
    return installed;
}

void ConfirmFontAnswers()
{
    for (const QString& family : std::exchange(KeptAnswers(), {})) {
        const bool installed = AskInstalled(family);
        KnownFamilies().insert(family, installed);
        TFontCache::Instance().SetInstalled(family, installed);
    }
}

QStringList FontFamiliesFor(const QString& family)
{
    if (FontFamilyInstalled(family))
        return {family};
    return QFont::substitutes(family) << family;
}

QRawFont FontFace(const QString& family, int pixels, bool bold)
{
    QHash<QString, QRawFont>& known = LoadedFaces();
    const QString key = QStringLiteral("%1/%2/%3").arg(family).arg(pixels).arg(bold);
    if (auto it = known.constFind(key); it != known.cend())
        return *it;
    QRawFont face;
    for (const QString& candidate : FontFamiliesFor(family)) {
        const QString file = FaceFile(candidate, bold);
        if (file.isEmpty())
            continue;
        face = QRawFont(file, pixels, QFont::PreferDefaultHinting);
        if (face.isValid())
            break;
    }
    known.insert(key, face);
    return face;
}

void ReleaseFontFaces()
{
    LoadedFaces().clear();
}
