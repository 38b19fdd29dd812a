#pragma once

#include <QStringList>

// The face names the editor understands. The font database tells apart
// families that several foundries supply by appending " [Foundry]"; the
// editor knows only the bare family, so the suffix goes and the duplicates
// it leaves behind are merged. Sorted case-insensitively, case deciding
// only ties.
QStringList EditorFontNames(const QStringList& families);

// EditorFontNames of the installed, non-private families.
QStringList InstalledEditorFontNames();
