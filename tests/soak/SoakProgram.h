#pragma once

// The sanitizer build of the program, run for the soak: a home and a
// working directory of its own (the Save As dialog starts in the home's
// Documents, the toolbar layout goes to the working directory), every
// sanitizer report fatal and written to a file of the log directory, and
// its output kept for the report of a failure.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

class SoakProgram {
public:
    explicit SoakProgram(QString binary);
    ~SoakProgram();
    SoakProgram(const SoakProgram&) = delete;
    SoakProgram& operator=(const SoakProgram&) = delete;

    // Starts a run; a program still running is killed first.
    bool Start();
    bool IsRunning();
    qint64 Pid() const;
    bool WaitForExit(int timeoutMs);
    // After the end of a run: ended by itself with status 0.
    bool EndedCleanly() const;
    QString EndDescription() const;
    // Every sanitizer report written so far, by any run.
    QString SanitizerReports() const;
    QString OutputTail(int lines) const;
    QString LogDir() const;
    int Runs() const { return m_runs; }

private:
    QString m_binary;
    QTemporaryDir m_dir;
    QProcess m_process;
    int m_runs = 0;
};
