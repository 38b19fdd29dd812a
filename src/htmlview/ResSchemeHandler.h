#pragma once

#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

class QWebEngineProfile;

// The "res" scheme of the HTML views. It serves the program's emoticons and
// nothing else: res://<program file name>/RT_EMOTICON/<1..42>. Any other
// host or path is refused, so pages can never reach other files through it.
class TResSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    explicit TResSchemeHandler(QObject* parent = nullptr);

    // The program's emoticons are resources 1 to EmoticonCount.
    static constexpr int EmoticonCount = 42;

    // Must run before the application object exists.
    static void RegisterScheme();
    // Installs one handler on the profile, once.
    static void InstallOn(QWebEngineProfile* profile);

    // The program file's name without its folder, as the address names it.
    static QString ModuleName();
    // "res://<program>/RT_EMOTICON/<resource>", resource counted from 1,
    // with the program's name as its file has it.
    static QString EmoticonAddress(int resource);
    static QUrl EmoticonUrl(int resource);
    // The resource path of emoticon n (1..42), or empty for any other
    // address.
    static QString ResourceFor(const QUrl& url);

    void requestStarted(QWebEngineUrlRequestJob* job) override;
};
