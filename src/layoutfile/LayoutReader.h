#pragma once

#include "layoutfile/BarLayout.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Reads the toolbar layout file: a JSON document with a format tag and a
// version, the bars and their item trees, and (from version 2 on) the bar
// options; a version 1 file keeps the default options. Anything it does not fully
// understand (bad JSON, another format or a newer version, a wrong type,
// an unknown caption option, items nested too deeply, a file too large) is
// refused as a whole: the caller then keeps its designed bars.
class TLayoutReader {
public:
    static constexpr int FormatVersion = 2;
    static constexpr int OldestVersion = 1;
    static constexpr qint64 MaxFileSize = 1024 * 1024;
    static constexpr int MaxDepth = 8;
    static constexpr int MaxItems = 10000;

    static QString FormatTag() { return QStringLiteral("Zentro toolbar layout"); }

    // Parses the file's content. On failure returns nothing and, when
    // asked, says why.
    static std::optional<TManagerLayout> Parse(const QByteArray& data, QString* error = nullptr);

    // Reads and parses a file. A missing, unreadable or oversized file
    // gives nothing; the file itself is never touched.
    static std::optional<TManagerLayout> ReadFile(const QString& fileName,
                                                  QString* error = nullptr);
};
