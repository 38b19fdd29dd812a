#pragma once

// Drives the real program on the virtual display with xdotool, for the
// end-to-end tests. Every wait is bounded.

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
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

// A property of a window as xprop prints it, or nothing when it is not set.
inline std::optional<QString> Property(const QString& id, const QString& name)
{
    QProcess p;
    p.start(QStringLiteral("xprop"), {QStringLiteral("-id"), id, name});
    p.waitForFinished(10000);
    const QString out = QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    if (p.exitCode() != 0 || out.endsWith(QLatin1String("not found.")))
        return std::nullopt;
    return out;
}

inline QString WindowName(const QString& id)
{
    return Xdo({QStringLiteral("getwindowname"), id});
}

// Where the window's own area is on the screen. xwininfo rather than
// xdotool, which adds a window manager's frame offset twice.
inline std::optional<QRect> WindowGeometry(const QString& id)
{
    QProcess p;
    p.start(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
    p.waitForFinished(10000);
    const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
    int x = 0, y = 0, w = 0, h = 0, found = 0;
    for (const QString& line : out.split(QLatin1Char('\n'))) {
        const QString key = line.section(QLatin1Char(':'), 0, 0).trimmed();
        const int v = line.section(QLatin1Char(':'), 1).trimmed().toInt();
        if (key == QLatin1String("Absolute upper-left X"))
            x = v, ++found;
        else if (key == QLatin1String("Absolute upper-left Y"))
            y = v, ++found;
        else if (key == QLatin1String("Width"))
            w = v, ++found;
        else if (key == QLatin1String("Height"))
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

// Under sway the pointer moves as a device moves it (vnc_pointer.py, which
// the desktop names, at the last move's place); elsewhere xdotool moves it.
inline void Pointer(const QStringList& xdo, const QStringList& click = {})
{
    static QStringList at{QStringLiteral("0"), QStringLiteral("0")};
    if (click.isEmpty())
        at = xdo.mid(1);
    const QString script = qEnvironmentVariable("ZENTRO_VNC_POINTER");
    if (script.isEmpty())
        Xdo(xdo);
    else
        QProcess::execute(script, at + click);
}

inline void MouseMove(int x, int y)
{
    Pointer({QStringLiteral("mousemove"), QString::number(x), QString::number(y)});
}

inline void Click(int button)
{
    Pointer({QStringLiteral("click"), QString::number(button)}, {QString::number(button)});
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

// The window with the keyboard focus (its client window under a manager).
inline QString FocusedWindow()
{
    return Xdo({QStringLiteral("getwindowfocus")});
}

// Runs xwininfo; returns its standard output.
inline QString WinInfo(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral("xwininfo"), args);
    p.waitForFinished(10000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// Where a window stands among the root's children, bottom first: a managed
// window counts by its manager's frame. -1 when it is not found.
inline int StackIndex(const QString& id)
{
    QString top = QStringLiteral("0x") + QString::number(id.toULongLong(), 16);
    for (int depth = 0; depth < 8; ++depth) {
        const QString tree = WinInfo({QStringLiteral("-id"), top, QStringLiteral("-tree")});
        const int root = tree.indexOf(QLatin1String("Root window id: "));
        const int parent = tree.indexOf(QLatin1String("Parent window id: "));
        if (root < 0 || parent < 0)
            return -1;
        const QString rootId = tree.mid(root + 16).section(QLatin1Char(' '), 0, 0);
        const QString parentId = tree.mid(parent + 18).section(QLatin1Char(' '), 0, 0);
        if (parentId == rootId)
            break;
        top = parentId;
    }
    // xwininfo lists the children top-most first.
    QStringList order;
    const QString children = WinInfo({QStringLiteral("-root"), QStringLiteral("-children")});
    for (const QString& line : children.split(QLatin1Char('\n'))) {
        const QString t = line.trimmed();
        if (t.startsWith(QLatin1String("0x")))
            order.prepend(t.section(QLatin1Char(' '), 0, 0));
    }
    return int(order.indexOf(top));
}

// The top of a window's shape in its own pixels, from xwininfo's
// "Window shape extents:  500x2+0+23" (0 when it has none).
inline int ShapeTop(const QString& id)
{
    const QString info = WinInfo({QStringLiteral("-id"), id, QStringLiteral("-shape")});
    const QString extents = info.section(QStringLiteral("shape extents:"), 1, 1);
    return extents.section(QLatin1Char('\n'), 0, 0).section(QLatin1Char('+'), 2).toInt();
}

// The scale the program runs at (QT_SCALE_FACTOR, whole numbers only).
inline int ScaleFactor()
{
    const int s = qEnvironmentVariableIntValue("QT_SCALE_FACTOR");
    return s > 0 ? s : 1;
}

// The primary monitor in device pixels: the one xrandr marks primary, or
// the whole display.
inline QRect PrimaryScreen()
{
    QProcess p;
    p.start(QStringLiteral("xrandr"), {QStringLiteral("--listmonitors")});
    p.waitForFinished(10000);
    const QStringList lines =
        QString::fromLocal8Bit(p.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        // " 1: +*right 1280/338x1024/270+1280+0  none"
        const QStringList f = line.simplified().split(QLatin1Char(' '));
        if (f.size() < 3 || !f[1].contains(QLatin1Char('*')))
            continue;
        const QStringList g = f[2].split(QLatin1Char('+'));
        const QStringList wh = g.value(0).split(QLatin1Char('x'));
        if (g.size() == 3 && wh.size() == 2)
            return QRect(g[1].toInt(), g[2].toInt(), wh[0].section(QLatin1Char('/'), 0, 0).toInt(),
                         wh[1].section(QLatin1Char('/'), 0, 0).toInt());
    }
    const QStringList wh = Xdo({QStringLiteral("getdisplaygeometry")}).split(QLatin1Char(' '));
    return QRect(0, 0, wh.value(0).toInt(), wh.value(1).toInt());
}

// False on XWayland but sway's (a VNC server's pointer moves there):
// a headless compositor has no input devices, and
// synthetic input (XTEST) there crashes Xwayland 22. Pointer- and
// key-driven checks cannot run on such a display.
inline bool SyntheticInput()
{
    return qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("ZENTRO_VNC_POINTER");
}

// Keys go through XTEST only: none on XWayland.
inline bool SyntheticKeys()
{
    return qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
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
    // The program under test, or another copy of it.
    bool Start(const QStringList& args = {},
               const QString& program = QString::fromLocal8Bit(qgetenv("ZENTRO_BINARY")))
    {
        m_process.start(program, args);
        return m_process.waitForStarted(10000);
    }
    // Whether the running program has mapped a library whose path holds name.
    bool HasLoaded(const QString& name)
    {
        QFile maps(QStringLiteral("/proc/%1/maps").arg(m_process.processId()));
        return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(name.toUtf8());
    }
    bool WaitForExit(int timeoutMs = 20000) { return m_process.waitForFinished(timeoutMs); }
    // Whether the main thread sleeps through a while (the third field of
    // schedstat counts its runs): a 10 ms timer would wake it 100 times a second.
    bool QuietFor(int ms)
    {
        const auto runs = [&] {
            QFile f(QStringLiteral("/proc/%1/task/%1/schedstat").arg(m_process.processId()));
            return f.open(QIODevice::ReadOnly)
                       ? f.readAll().split(' ').value(2).trimmed().toLongLong()
                       : 0;
        };
        const qint64 before = runs();
        QThread::msleep(ms);
        return runs() - before < ms / 50;
    }
    QProcess& Process() { return m_process; }
    QString WorkDir() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
};

} // namespace x11
