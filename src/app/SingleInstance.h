#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

// One Zentro per user and display. The first start listens on a local
// socket; a later start connects, asks the running one to show itself and
// ends. The decision between the two is taken under a lock file, so that
// starts at the same moment agree on one winner, and a socket left behind
// by a killed process is replaced rather than obeyed. The socket lives in
// a folder only this user may enter, and only a process of this user is
// obeyed or answered; anything else ends the start with a message.
class TSingleInstance : public QObject {
    Q_OBJECT
public:
    enum class TRole {
        Primary,    // this process runs Zentro and answers later starts
        HandedOver, // a running Zentro took the start over: end with 0
        Failed      // the socket is held by a Zentro that does not answer, or not ours
    };

    explicit TSingleInstance(QString serverPath, QObject* parent = nullptr);
    ~TSingleInstance() override;

    TRole Claim();

    // The socket of this user on this display: in the user's runtime
    // folder, else in a private folder of the user's own under the
    // temporary folder. Needs the application object (the platform names
    // the display).
    static QString DefaultServerPath();
    // One name for every spelling of a display: X11 displays by host and
    // number (":0", "unix:0" and ":0.0" are one).
    static QString DisplayKey(const QString& platform, const QString& display);

signals:
    // A later start asked the running one to show itself.
    void ShowRequested();

private:
    // Asks a running Zentro to show itself; Primary when nobody listens.
    TRole HandOver();
    void Listen();
    void Accept();
    void Answer(int client);

    QString m_path;
    // The listening socket, or -1. Plain sockets: the network module would
    // cost every start the loading of its libraries.
    int m_listener = -1;
    QSocketNotifier* m_accepting = nullptr;
    // Later starts being served.
    int m_clients = 0;
};
