#pragma once

// Test entry point for tests that need the application set up as the
// program sets it up: the hint style and the UI faces, settings in test
// mode and a fresh temporary working directory (the toolbar layout file is
// written there, and the answers about faces kept for the next run). Linking the HTML view brings
// the engine's own set-up.

#include "base/AppSetup.h"
#include "base/FontCache.h"

#include <QApplication>
#include <QDir>
#include <QObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#define ZENTRO_TEST_MAIN(TestObject)                                                               \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        QApplication app(argc, argv);                                                              \
        SetUpApplication(app);                                                                     \
        QStandardPaths::setTestModeEnabled(true);                                                  \
        QTemporaryDir workDir;                                                                     \
        QDir::setCurrent(workDir.path());                                                          \
        TFontCache::Instance().Open(workDir.filePath(QStringLiteral("fonts")));                    \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

// For "nothing happened" checks: returns once every event posted before
// the call has been handled, since a marker posted now is handled after
// them.
inline bool PostedEventsHandled(int timeoutMs = 5000)
{
    bool reached = false;
    QObject marker;
    QMetaObject::invokeMethod(
        &marker, [&reached] { reached = true; }, Qt::QueuedConnection);
    return QTest::qWaitFor([&reached] { return reached; }, timeoutMs);
}
