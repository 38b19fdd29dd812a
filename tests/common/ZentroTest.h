#pragma once

// Test entry point for tests that need the application set up as the
// program sets it up: the engine's GL sharing before the application
// object, the hint style, settings in test mode and a fresh temporary
// working directory (the toolbar layout file is written there).

#include "app/Application.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#define ZENTRO_TEST_MAIN(TestObject)                                                               \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        PrepareApplication();                                                                      \
        QApplication app(argc, argv);                                                              \
        SetUpApplication(app);                                                                     \
        QStandardPaths::setTestModeEnabled(true);                                                  \
        QTemporaryDir workDir;                                                                     \
        QDir::setCurrent(workDir.path());                                                          \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
