#pragma once

#include <QWebEngineUrlSchemeHandler>

class QWebEngineProfile;

// The engine's end of the "res" scheme (ResAddress): it serves the
// program's emoticons and nothing else. Any other host or path is refused,
// so pages can never reach other files through it.
class TResSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    explicit TResSchemeHandler(QObject* parent = nullptr);

    // Must run before the engine's first profile exists.
    static void RegisterScheme();
    // Installs one handler on the profile, once.
    static void InstallOn(QWebEngineProfile* profile);

    void requestStarted(QWebEngineUrlRequestJob* job) override;
};
