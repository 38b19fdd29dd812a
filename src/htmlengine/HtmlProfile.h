#pragma once

class QWebEngineProfile;

// The profile the pages of every view share. The engine's helper processes
// belong to it (the renderers, and the one it keeps ready for the next
// page): ReleaseDelayMs after the last view has gone, the profile is
// deleted, which ends them, and the heap the engine has left behind goes
// back to the system. The next view makes a new profile.
class THtmlProfile {
public:
    static constexpr int ReleaseDelayMs = 3000;

    // The profile for a new page; each call is paired with a Release.
    static QWebEngineProfile* Acquire();
    // A page of the profile is gone.
    static void Release();
};
