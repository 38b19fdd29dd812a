#pragma once

// Random clicks, drags, right-clicks, wheel turns and keys for every window
// of the running program, with seeded randomness so that a run can be
// replayed. Between the random actions it keeps opening every kind of
// window (Full Mode, Messenger, composers, chats, menus), and at the end it
// checks that the program still answers and ends with status 0 on "Exit".

#include "ActionRing.h"
#include "XcbWindows.h"

#include <QElapsedTimer>
#include <QPoint>
#include <QSet>
#include <QStringList>

#include <optional>
#include <random>

class SoakProgram;

class SoakDriver {
public:
    SoakDriver(SoakProgram& program, quint32 seed);

    // False as soon as the program crashes, reports, or stops answering;
    // Failure() then says what happened.
    bool Run(int seconds);
    QString Failure() const { return m_failure; }
    QStringList LastActions() const { return m_ring.Lines(); }
    QStringList WindowsSeen() const;
    int Actions() const { return m_ring.Total(); }
    int Restarts() const { return m_restarts; }

private:
    // The program's windows now; file dialogs are closed on sight.
    QList<SoakWindow> Windows();
    std::optional<SoakWindow> Find(const QString& name, SoakWindowKind kind);
    bool WaitForNew(const QString& name, const QSet<std::uint32_t>& before, int timeoutMs);
    QSet<std::uint32_t> Ids();

    bool StartProgram();
    bool ProgramStillRuns();
    void Fail(const QString& why);

    void OpenEveryKind();
    void RunNextOpener();
    bool OpenFullMode();
    bool OpenMessenger();
    bool OpenMode(const QString& name, const QPoint& button);
    bool OpenComposer();
    bool OpenCustomizeDialog();
    void DoubleClickContacts();
    void KeepWindowCountsDown();

    bool RollDownBar();
    bool BarMenu(const QStringList& keys);
    void RandomBarAction();

    void RandomAction();
    bool IsBarMenu(const SoakWindow& w) const;
    void RandomInputTo(const SoakWindow& w);
    std::optional<QPoint> RandomPointIn(const QRect& r);
    QString RandomKey();
    QString RandomWord();

    bool CloseDialogsAndMenus();
    bool StillAnswers();
    bool Quit();

    int Uniform(int low, int high);
    void Note(const QString& action);
    QString Describe(const SoakWindow& w) const;
    void Settle(int ms);

    SoakProgram& m_program;
    XcbWindows m_x;
    std::mt19937 m_rng;
    ActionRing m_ring{50};
    QElapsedTimer m_clock;
    QSet<QString> m_seen;
    QRect m_screen{0, 0, 1280, 1024};
    QRect m_bar;
    QString m_failure;
    int m_restarts = 0;
    int m_opener = 0;
};
