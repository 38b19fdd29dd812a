#pragma once

#include <QObject>
#include <QString>

// One Zentro per user and display. The first start listens on a local
// socket; a later start connects, asks the running one to show itself and
// ends. The decision between the two is taken under a lock file, so that
// starts at the same moment agree on one winner, and a socket left behind
// by a killed process is replaced rather than obeyed.
class TSingleInstance : public QObject {
    Q_OBJECT
public:
    enum class TRole {
        Primary,    // this process runs Zentro and answers later starts
        HandedOver, // a running Zentro took the start over: end with 0
        Failed      // a running Zentro holds the socket but did not answer
    };

    explicit TSingleInstance(QString serverPath, QObject* parent = nullptr);
    ~TSingleInstance() override;

    TRole Claim();

    // The socket of this user on this display: in the user's runtime
    // folder, else in the temporary folder with the user id in its name.
    // Needs the application object (the platform names the display).
    static QString DefaultServerPath();

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
};
