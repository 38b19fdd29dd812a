#include "SoakProgram.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QStringList>

#include <utility>

namespace {

// Any report ends the program with this status and is written to a file.
constexpr int SanitizerExitCode = 23;

QString SanitizerLogBase(const QString& logDir)
{
    return logDir + QStringLiteral("/sanitizer");
}

} // namespace

SoakProgram::SoakProgram(QString binary) : m_binary(std::move(binary))
{
    const QDir root(m_dir.path());
    for (const char* sub : {"home/Documents", "work", "logs", "runtime"})
        root.mkpath(QString::fromLatin1(sub));
    QFile::setPermissions(root.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_process.setWorkingDirectory(root.filePath(QStringLiteral("work")));
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardOutputFile(root.filePath(QStringLiteral("logs/output.txt")),
                                    QIODevice::Append);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString home = root.filePath(QStringLiteral("home"));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root.filePath(QStringLiteral("runtime")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    const QString log = SanitizerLogBase(LogDir());
    const QString common =
        QStringLiteral("halt_on_error=1:exitcode=%1:log_path=%2").arg(SanitizerExitCode).arg(log);
    // Leaks are not looked for. What the leak check reports at exit is
    // allocated by the HTML engine's library (no symbols, so only a
    // whole-library suppression could name it), fontconfig, D-Bus and udev;
    // a suppression matches any frame of a stack, so one for the engine
    // would also hide leaks of ours allocated in its callbacks. The
    // engine's library also frees some objects with a sized delete of a
    // base type: not ours to fix, so that check is off as in every other
    // sanitizer test.
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               common + QStringLiteral(":abort_on_error=0:detect_leaks=0:"
                                       "new_delete_type_mismatch=0"));
    env.insert(QStringLiteral("UBSAN_OPTIONS"), common + QStringLiteral(":print_stacktrace=1"));
    m_process.setProcessEnvironment(env);
}

SoakProgram::~SoakProgram()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
}

bool SoakProgram::Start()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
    ++m_runs;
    m_process.start(m_binary, {});
    return m_process.waitForStarted(20000);
}

bool SoakProgram::IsRunning()
{
    // Without an event loop the process object learns of the end only
    // when asked to wait: a wait of no time brings its state up to date.
    if (m_process.state() == QProcess::Running)
        m_process.waitForFinished(0);
    return m_process.state() == QProcess::Running;
}

qint64 SoakProgram::Pid() const
{
    return m_process.processId();
}

bool SoakProgram::WaitForExit(int timeoutMs)
{
    return m_process.state() == QProcess::NotRunning || m_process.waitForFinished(timeoutMs);
}

bool SoakProgram::EndedCleanly() const
{
    return m_process.state() == QProcess::NotRunning &&
           m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0 &&
           SanitizerReports().isEmpty();
}

QString SoakProgram::EndDescription() const
{
    if (m_process.state() != QProcess::NotRunning)
        return QStringLiteral("still running");
    if (m_process.exitStatus() == QProcess::CrashExit)
        return QStringLiteral("crashed (%1)").arg(m_process.errorString());
    if (m_process.exitCode() == SanitizerExitCode)
        return QStringLiteral("ended by a sanitizer report (status %1)").arg(SanitizerExitCode);
    return QStringLiteral("ended with status %1").arg(m_process.exitCode());
}

QString SoakProgram::SanitizerReports() const
{
    QString out;
    const QDir dir(LogDir());
    const auto files = dir.entryList({QStringLiteral("sanitizer*")}, QDir::Files, QDir::Name);
    for (const QString& name : files) {
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::ReadOnly) && f.size() > 0)
            out += QStringLiteral("==== %1\n").arg(name) + QString::fromUtf8(f.readAll());
    }
    return out;
}

QString SoakProgram::OutputTail(int lines) const
{
    QFile f(QDir(LogDir()).filePath(QStringLiteral("output.txt")));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QStringList all = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    return all.mid(qMax(0, int(all.size()) - lines)).join(QLatin1Char('\n'));
}

QString SoakProgram::LogDir() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("logs"));
}
