#pragma once

// Drives the real program on the virtual display with xdotool, for the
// end-to-end tests. Every wait is bounded.

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <optional>

namespace x11 {

// Runs xdotool with the arguments; returns its standard output, trimmed.
inline QString Xdo(const QStringList& args, int* exitCode = nullptr)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    p.waitForFinished(10000);
    if (exitCode)
        *exitCode = p.exitCode();
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

// Ids of the visible windows whose name matches the regular expression.
inline QStringList FindWindows(const QString& nameRegex)
{
    const QString out = Xdo({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                             QStringLiteral("--name"), nameRegex});
    return out.isEmpty() ? QStringList() : out.split(QLatin1Char('\n'));
}

// Ids of the program's visible windows (popups and menus included).
inline QStringList VisibleWindows()
{
    const QString out = Xdo({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                             QStringLiteral("--class"), QStringLiteral("zentro")});
    return out.isEmpty() ? QStringList() : out.split(QLatin1Char('\n'));
}

// The visible windows of the program that are not in before.
inline QStringList NewWindows(const QStringList& before)
{
    QStringList out;
    for (const QString& id : VisibleWindows())
        if (!before.contains(id))
            out << id;
    return out;
}

inline QString WindowName(const QString& id)
{
    return Xdo({QStringLiteral("getwindowname"), id});
}

inline std::optional<QRect> WindowGeometry(const QString& id)
{
    const QString out = Xdo({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), id});
    int x = 0, y = 0, w = 0, h = 0, found = 0;
    for (const QString& line : out.split(QLatin1Char('\n'))) {
        const auto kv = line.split(QLatin1Char('='));
        if (kv.size() != 2)
            continue;
        const int v = kv[1].toInt();
        if (kv[0] == QLatin1String("X"))
            x = v, ++found;
        else if (kv[0] == QLatin1String("Y"))
            y = v, ++found;
        else if (kv[0] == QLatin1String("WIDTH"))
            w = v, ++found;
        else if (kv[0] == QLatin1String("HEIGHT"))
            h = v, ++found;
    }
    if (found != 4)
        return std::nullopt;
    return QRect(x, y, w, h);
}

// Waits until a visible window matches; returns its id or an empty string.
inline QString WaitForWindow(const QString& nameRegex, int timeoutMs = 20000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        const QStringList ids = FindWindows(nameRegex);
        if (!ids.isEmpty())
            return ids.first();
        QThread::msleep(50);
    }
    return QString();
}

inline bool WaitForNoWindow(const QString& nameRegex, int timeoutMs = 20000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (FindWindows(nameRegex).isEmpty())
            return true;
        QThread::msleep(50);
    }
    return false;
}

inline void MouseMove(int x, int y)
{
    Xdo({QStringLiteral("mousemove"), QString::number(x), QString::number(y)});
}

inline void Click(int button)
{
    Xdo({QStringLiteral("click"), QString::number(button)});
}

// A right-click as a hand makes it: press, a short pause, release.
inline void RightClick()
{
    Xdo({QStringLiteral("mousedown"), QStringLiteral("3")});
    QThread::msleep(100);
    Xdo({QStringLiteral("mouseup"), QStringLiteral("3")});
}

// The whole virtual screen as it is now (null when it cannot be taken).
inline QImage Screen()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("screen.png"));
    QProcess p;
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), file});
    if (!p.waitForFinished(20000))
        return {};
    return QImage(file);
}

inline void Keys(const QStringList& keys)
{
    QStringList args{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("60")};
    args += keys;
    Xdo(args);
}

// The real program, started in its own temporary working directory.
class Program {
public:
    Program()
    {
        m_process.setWorkingDirectory(m_dir.path());
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    ~Program()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    bool Start(const QStringList& args = {})
    {
        m_process.start(QString::fromLocal8Bit(qgetenv("ZENTRO_BINARY")), args);
        return m_process.waitForStarted(10000);
    }
    bool WaitForExit(int timeoutMs = 20000) { return m_process.waitForFinished(timeoutMs); }
    QProcess& Process() { return m_process; }
    QString WorkDir() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
};

} // namespace x11
