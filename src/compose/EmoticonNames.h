#pragma once

#include <QString>

// What each of the 42 emoticons shows, in words: the palette item's name
// and the inserted picture's alternative text. Counted from 1, as the
// emoticon resources are; empty outside 1..42.
QString EmoticonName(int resource);
