#pragma once

class QApplication;

// Application-wide settings once the QApplication exists: names, the hint
// style, no quitting when windows close (only the app-bar's "Exit" ends
// the program), and the classic UI faces the windows ask for.
void SetUpApplication(QApplication& app);
