#pragma once

#include <QObject>

// The ends of a run that do not come through Exit: SIGTERM (what the end
// of a session sends), SIGINT, SIGHUP, and the session manager's end of
// the session (which would otherwise close every window, the Full Mode
// window without keeping its toolbar layout). Each is turned into
// EndRequested, once, so that the program ends as Exit ends it. A second
// signal of the same kind ends the process at once, should the window
// loop no longer answer.
class TSessionEnd : public QObject {
    Q_OBJECT
public:
    explicit TSessionEnd(QObject* parent = nullptr);
    ~TSessionEnd() override;

signals:
    void EndRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SignalArrived();
};
