#pragma once

// Gives back the pages of code and constant data that this process holds
// of the library that holds the given address and of every library loaded
// after it: for the engine's library, what it brought with it. They are
// read again from their files (from the system's cache, as page faults)
// when next used. Meant for the time when no view is left, when they are
// tens of MiB that hardly run.
// Only mappings that cannot hold a page of the process's own are touched:
// never writable, and with no anonymous page (the part relocated at load
// has them).
void ReleaseLibraryPagesFrom(const void* addressInLibrary);

// Gives back the pages of every loaded object's symbol tables and
// relocation records: read by the loader as the process starts (binding
// every reference at once), and only by a later dlopen or dlsym, which
// read them again from their files. Meant for the start of the engine's
// helper processes, which keep for the whole run what their loader read.
void ReleaseLinkingTables();
