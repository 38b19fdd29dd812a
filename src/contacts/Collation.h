#pragma once

#include <QString>

// The order of names in the contact list: letters compare alphabetically
// without regard to case or accents first, then accents, and case decides
// only between otherwise equal texts (lower case first). The same on every
// machine, whatever the process locale (LANG=C included).

// A key whose plain string order is that order. Compute it once per text
// when many comparisons follow (sorting).
QString CollationKey(const QString& text);

// < 0, 0 or > 0 as a sorts before, with or after b.
int CompareText(const QString& a, const QString& b);
