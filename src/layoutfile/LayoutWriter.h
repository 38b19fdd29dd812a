#pragma once

#include "layoutfile/BarLayout.h"

#include <QByteArray>
#include <QString>

// Writes the toolbar layout file that TLayoutReader reads: indented JSON
// carrying a format tag and a version beside the bars.
class TLayoutWriter {
public:
    static QByteArray Serialize(const TManagerLayout& layout);

    // Writes the whole file or nothing: the content goes to a temporary
    // file beside the target, which replaces the target only once it is
    // complete. A failed write leaves an existing file as it was.
    static bool WriteFile(const QString& fileName, const TManagerLayout& layout,
                          QString* error = nullptr);
};
