#pragma once

class QObject;
class TImageList;

// Indices of the status pictures: network n with presence v (0..2) is
// 3 * n + v; then the two group arrows.
inline constexpr int imgGroupCollapsed = 12;
inline constexpr int imgGroupExpanded = 13;

// A new list of the 14 status pictures, 16 x 16: Zentro, Yahoo, MSN and
// ICQ each offline, online and busy, then the collapsed and expanded group
// arrows. Every window that shows contacts holds its own.
TImageList* NewStatusImageList(QObject* owner);
