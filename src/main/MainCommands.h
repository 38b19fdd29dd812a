#pragma once

#include "layoutfile/BarLayout.h"

class TCommandManager;

// The Full Mode window's commands as designed: every command of the menu
// bar with its category, caption and shortcuts, and the menu bar's item
// tree; the toolbar's commands with their picture indices, and the
// toolbar's items. The window binds the handlers afterwards.
TBarLayout BuildMenuBarCommands(TCommandManager* amMenuBar);
TBarLayout BuildToolBarCommands(TCommandManager* amToolBar);

// The Message menu is known by its first command, wherever it stands.
inline constexpr char MessageMenuCommand[] = "acMessageReply";
// The top-level item of the bar whose submenu holds the command (at any
// depth), or -1.
int TopLevelMenuOf(const TBarLayout& bar, const QString& command);
