#pragma once

class TfAppBar;
class TfChat;
class TfMain;
class TfMessenger;

// The live window of each class, or null. fAppBar and fChat live for the
// whole run; fMain and fMessenger are cleared by their windows' destructors.
extern TfAppBar* fAppBar;
extern TfChat* fChat;
extern TfMain* fMain;
extern TfMessenger* fMessenger;

enum class TViewMode { vmAppBar, vmFull, vmMessenger };

// The view mode is never stored: it is read off fMain and fMessenger.
TViewMode CurrentViewMode();

// Start-up in order: the app-bar (visible at once), then the hidden chat
// window. Returns after both exist.
void CreateStartupWindows();

// After the event loop: marks the application as terminating and destroys
// every window that still exists, the Full Mode window included.
void DestroyAllWindows();

// Deletes every window of its own. Windows that belong to another (a combo
// box's list, a window's dialog) go with their owner; deleted first, they
// would leave it holding a dangling pointer.
void DeleteOwnerlessWindows();
