#include "SoakDriver.h"

#include "SoakProgram.h"
#include "X11Driver.h"

#include <QDeadlineTimer>
#include <QThread>

using x11::Keys;
using x11::Xdo;

namespace {

const QString BarName = QStringLiteral("Zentro AppBar");
const QString FullModeName = QStringLiteral("Zentro");
const QString MessengerName = QStringLiteral("Zentro Messenger");
const QString ComposerName = QStringLiteral("Compose");
const QString CustomizeName = QStringLiteral("Customize");

// Rows kept free above the pointer's targets: a right-click there would land
// on the always-on-top app-bar, whose menu ends the program.
constexpr int BarClearance = 28;
// Composers hold an HTML engine view each; the soak keeps a few open.
constexpr int MaxComposers = 3;
constexpr int MaxChats = 4;
// Every bounded wait for a window of the program (the sanitizer build
// starts the HTML engine slowly).
constexpr int WindowTimeoutMs = 60000;
constexpr int OpenerPeriodMs = 8000;

QString Hex(std::uint32_t id)
{
    return QStringLiteral("0x%1").arg(id, 0, 16);
}

QString Pt(const QPoint& p)
{
    return QStringLiteral("(%1,%2)").arg(p.x()).arg(p.y());
}

void Move(const QPoint& p)
{
    x11::MouseMove(p.x(), p.y());
}

void Click(const QPoint& p, int button, int count = 1)
{
    Xdo({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y()),
         QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(count),
         QStringLiteral("--delay"), QStringLiteral("80"), QString::number(button)});
}

bool IsChat(const SoakWindow& w)
{
    return w.kind == SoakWindowKind::Window && w.name.startsWith(QLatin1String("Chat"));
}

} // namespace

SoakDriver::SoakDriver(SoakProgram& program, quint32 seed) : m_program(program), m_rng(seed) {}

int SoakDriver::Uniform(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(m_rng);
}

void SoakDriver::Note(const QString& action)
{
    m_ring.Add(QStringLiteral("%1s %2").arg(m_clock.elapsed() / 1000.0, 6, 'f', 1).arg(action));
}

QString SoakDriver::Describe(const SoakWindow& w) const
{
    return QStringLiteral("'%1' %2").arg(w.name, Hex(w.id));
}

void SoakDriver::Settle(int ms)
{
    QThread::msleep(ulong(ms));
}

void SoakDriver::Fail(const QString& why)
{
    if (m_failure.isEmpty())
        m_failure = why;
}

QStringList SoakDriver::WindowsSeen() const
{
    QStringList out(m_seen.begin(), m_seen.end());
    out.sort();
    return out;
}

QList<SoakWindow> SoakDriver::Windows()
{
    QList<SoakWindow> out;
    const auto all = m_x.VisibleWindowsOf(m_program.Pid());
    for (SoakWindow w : all) {
        if (w.kind == SoakWindowKind::Tooltip)
            continue;
        // The bar bypasses the window manager, so to X it is override-redirect
        // like a popup; it is a window all the same, never one to dismiss.
        if (w.name == BarName)
            w.kind = SoakWindowKind::Window;
        const QString kind = w.kind == SoakWindowKind::Popup    ? QStringLiteral("popup")
                             : w.kind == SoakWindowKind::Dialog ? QStringLiteral("dialog")
                                                                : QStringLiteral("window");
        m_seen.insert(QStringLiteral("%1 '%2'").arg(kind, w.name));
        // A file dialog can rename and delete files anywhere on the disk:
        // it is closed unanswered, never fed random keys.
        if (w.name.startsWith(QLatin1String("Save As"))) {
            m_x.RequestClose(w.id);
            Note(QStringLiteral("close file dialog %1").arg(Describe(w)));
            continue;
        }
        if (w.name == BarName && w.kind == SoakWindowKind::Window)
            m_bar = w.rect;
        out.append(w);
    }
    return out;
}

std::optional<SoakWindow> SoakDriver::Find(const QString& name, SoakWindowKind kind)
{
    const auto windows = Windows();
    for (const SoakWindow& w : windows)
        if (w.name == name && w.kind == kind)
            return w;
    return std::nullopt;
}

QSet<std::uint32_t> SoakDriver::Ids()
{
    QSet<std::uint32_t> ids;
    const auto windows = Windows();
    for (const SoakWindow& w : windows)
        ids.insert(w.id);
    return ids;
}

bool SoakDriver::WaitForNew(const QString& name, const QSet<std::uint32_t>& before, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired() && m_program.IsRunning()) {
        const auto windows = Windows();
        for (const SoakWindow& w : windows)
            if (w.kind == SoakWindowKind::Window && w.name.startsWith(name) &&
                !before.contains(w.id))
                return true;
        Settle(100);
    }
    Note(QStringLiteral("  -> no new '%1' window within %2 ms").arg(name).arg(timeoutMs));
    return false;
}

bool SoakDriver::StartProgram()
{
    if (!m_program.Start()) {
        Fail(QStringLiteral("the program did not start"));
        return false;
    }
    Note(QStringLiteral("start the program, pid %1").arg(m_program.Pid()));
    QDeadlineTimer deadline(WindowTimeoutMs);
    while (!deadline.hasExpired() && m_program.IsRunning()) {
        if (Find(BarName, SoakWindowKind::Window))
            return true;
        Settle(100);
    }
    Fail(m_program.IsRunning()
             ? QStringLiteral("the app-bar did not appear")
             : QStringLiteral("the program %1 at start").arg(m_program.EndDescription()));
    return false;
}

// Random input may choose the app-bar menu's "Exit": a clean end of the
// program is fine and the soak goes on with a new run. Any other end fails.
bool SoakDriver::ProgramStillRuns()
{
    if (!m_failure.isEmpty())
        return false;
    if (m_program.IsRunning()) {
        if (m_program.SanitizerReports().isEmpty())
            return true;
        // The report is being written; the program ends when it is done.
        m_program.WaitForExit(30000);
        Fail(QStringLiteral("a sanitizer report; the program %1").arg(m_program.EndDescription()));
        return false;
    }
    m_program.WaitForExit(5000);
    if (!m_program.EndedCleanly()) {
        Fail(QStringLiteral("the program %1").arg(m_program.EndDescription()));
        return false;
    }
    ++m_restarts;
    Note(QStringLiteral("the program ended with status 0 (\"Exit\" chosen): new run"));
    return StartProgram();
}

bool SoakDriver::Run(int seconds)
{
    m_clock.start();
    if (!m_x.IsConnected()) {
        Fail(QStringLiteral("no connection to the X display"));
        return false;
    }
    const QStringList display = Xdo({QStringLiteral("getdisplaygeometry")}).split(QLatin1Char(' '));
    if (display.size() == 2)
        m_screen = QRect(0, 0, display[0].toInt(), display[1].toInt());
    if (!StartProgram())
        return false;
    OpenEveryKind();

    QElapsedTimer input;
    input.start();
    QElapsedTimer sinceOpener;
    sinceOpener.start();
    while (input.elapsed() < qint64(seconds) * 1000) {
        if (!ProgramStillRuns())
            return false;
        if (sinceOpener.elapsed() > OpenerPeriodMs) {
            RunNextOpener();
            sinceOpener.restart();
        } else {
            RandomAction();
        }
    }
    Note(QStringLiteral("end of the random input"));
    if (!ProgramStillRuns())
        return false;
    return StillAnswers() && OpenCustomizeDialog() && Quit();
}

// The scripted part: every kind of window at least once, whatever the
// random input does later.
void SoakDriver::OpenEveryKind()
{
    OpenFullMode();
    OpenComposer();
    OpenMessenger();
    DoubleClickContacts();
}

void SoakDriver::RunNextOpener()
{
    CloseDialogsAndMenus();
    KeepWindowCountsDown();
    switch (m_opener++ % 4) {
    case 0:
        OpenFullMode();
        break;
    case 1:
        OpenComposer();
        break;
    case 2:
        OpenMessenger();
        DoubleClickContacts();
        break;
    default:
        RandomBarAction();
        break;
    }
}

bool SoakDriver::OpenFullMode()
{
    return OpenMode(FullModeName, QPoint(11, 10));
}

bool SoakDriver::OpenMessenger()
{
    return OpenMode(MessengerName, QPoint(m_bar.width() - 12, 10));
}

// A mode button of the app-bar; an open window of that mode only comes to
// the front, so a new one is waited for only when there was none.
bool SoakDriver::OpenMode(const QString& name, const QPoint& button)
{
    const bool open = Find(name, SoakWindowKind::Window).has_value();
    if (!RollDownBar())
        return false;
    const auto before = Ids();
    Note(QStringLiteral("app-bar button at %1 for '%2'%3")
             .arg(Pt(m_bar.topLeft() + button), name,
                  open ? QStringLiteral(" (open already)") : QString()));
    Click(m_bar.topLeft() + button, 1);
    return open || WaitForNew(name, before, WindowTimeoutMs);
}

bool SoakDriver::OpenComposer()
{
    const auto before = Ids();
    // "Send e-mail to", then one of its contact entries.
    QStringList keys{QStringLiteral("Down"), QStringLiteral("Down"), QStringLiteral("Down"),
                     QStringLiteral("Right")};
    const int entry = Uniform(0, 1);
    for (int i = 0; i < entry; ++i)
        keys << QStringLiteral("Down");
    keys << QStringLiteral("Return");
    if (!BarMenu(keys))
        return false;
    Note(QStringLiteral("  -> \"Send e-mail to\", Contact %1").arg(entry + 1));
    return WaitForNew(ComposerName, before, WindowTimeoutMs);
}

// The Full Mode toolbar's Customize dialog, from the menu bar (File, two
// menus on to View, its last entry); the run ends with it open.
bool SoakDriver::OpenCustomizeDialog()
{
    if (!OpenFullMode())
        return false;
    const auto main = Find(FullModeName, SoakWindowKind::Window);
    if (!main)
        return false;
    const auto before = Ids();
    // Random input may have left other windows over it, and with no window
    // manager a click does not raise it: raise it first, and try again if
    // the menu did not take the keys.
    const QString id = QString::number(main->id);
    for (int attempt = 0; attempt < 3; ++attempt) {
        Note(QStringLiteral("View, \"Customize Toolbar\""));
        Xdo({QStringLiteral("windowraise"), id});
        Settle(200);
        Click(main->rect.topLeft() + QPoint(12, 8), 1);
        Settle(300);
        Keys({QStringLiteral("Right"), QStringLiteral("Right"), QStringLiteral("Up"),
              QStringLiteral("Return")});
        if (WaitForNew(CustomizeName, before, WindowTimeoutMs / 6))
            return true;
        CloseDialogsAndMenus();
    }
    Fail(QStringLiteral("the Customize dialog did not open"));
    return false;
}

// A double-click on a contact of the Messenger window's tree opens a chat
// window for it. The first group is selected and opened from the keyboard
// first, so that contacts are on the rows below it.
void SoakDriver::DoubleClickContacts()
{
    const auto messenger = Find(MessengerName, SoakWindowKind::Window);
    if (!messenger)
        return;
    const auto before = Ids();
    const auto row = [&](int n) {
        return messenger->rect.topLeft() + QPoint(60, 24 + 16 * n);
    };
    Note(QStringLiteral("select and open the first group at %1 in %2")
             .arg(Pt(row(0)), Describe(*messenger)));
    Click(row(0), 1);
    Keys({QStringLiteral("Right")});
    for (int n : {1, 2}) {
        Note(QStringLiteral("double-click contact row %1 at %2").arg(n).arg(Pt(row(n))));
        Click(row(n), 1, 2);
        Settle(300);
    }
    WaitForNew(QStringLiteral("Chat"), before, 3000);
}

void SoakDriver::KeepWindowCountsDown()
{
    const auto windows = Windows();
    QList<SoakWindow> composers, chats;
    for (const SoakWindow& w : windows) {
        if (w.kind == SoakWindowKind::Window && w.name == ComposerName)
            composers << w;
        else if (IsChat(w))
            chats << w;
    }
    for (int i = 0; i < composers.size() - MaxComposers; ++i) {
        Note(QStringLiteral("close %1 (too many composers)").arg(Describe(composers[i])));
        m_x.RequestClose(composers[i].id);
    }
    for (int i = 0; i < chats.size() - MaxChats; ++i) {
        Note(QStringLiteral("close %1 (too many chats)").arg(Describe(chats[i])));
        m_x.RequestClose(chats[i].id);
    }
}

// The pointer on the top row over the bar rolls it down (bounded).
bool SoakDriver::RollDownBar()
{
    if (!Find(BarName, SoakWindowKind::Window)) {
        Note(QStringLiteral("the app-bar is not on the screen"));
        return false;
    }
    const QPoint middle = m_bar.topLeft() + QPoint(m_bar.width() / 2, 0);
    Move(QPoint(middle.x(), 0));
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        const auto bar = Find(BarName, SoakWindowKind::Window);
        if (bar && bar->rect.top() == 0) {
            Move(QPoint(middle.x(), 12));
            return true;
        }
        Settle(20);
    }
    Note(QStringLiteral("the app-bar did not roll down"));
    return false;
}

bool SoakDriver::BarMenu(const QStringList& keys)
{
    if (!RollDownBar())
        return false;
    const QPoint p = m_bar.topLeft() + QPoint(m_bar.width() / 2, 12);
    const auto before = Ids();
    Note(QStringLiteral("app-bar menu at %1, keys %2").arg(Pt(p), keys.join(QLatin1Char(' '))));
    Click(p, 3);
    QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        const auto windows = Windows();
        for (const SoakWindow& w : windows)
            if (w.kind == SoakWindowKind::Popup && !before.contains(w.id)) {
                Keys(keys);
                return true;
            }
        Settle(50);
    }
    Note(QStringLiteral("  -> no menu appeared"));
    return false;
}

// Anything on the app-bar but "Exit": the buttons, the menu's mode
// switches and submenus, or the menu opened and dismissed.
void SoakDriver::RandomBarAction()
{
    switch (Uniform(0, 5)) {
    case 0:
        if (RollDownBar()) {
            Note(QStringLiteral("app-bar left button"));
            Click(m_bar.topLeft() + QPoint(11, 10), 1);
        }
        break;
    case 1:
        if (RollDownBar()) {
            Note(QStringLiteral("app-bar right button"));
            Click(m_bar.topLeft() + QPoint(m_bar.width() - 12, 10), 1);
        }
        break;
    case 2:
        BarMenu({QStringLiteral("Down"), QStringLiteral("Return")});
        break;
    case 3:
        BarMenu({QStringLiteral("Down"), QStringLiteral("Down"), QStringLiteral("Return")});
        break;
    case 4: {
        // "Chat with" and one of its entries, which do nothing.
        QStringList keys{QStringLiteral("Down"), QStringLiteral("Down"), QStringLiteral("Down"),
                         QStringLiteral("Down"), QStringLiteral("Right")};
        for (int i = Uniform(0, 5); i > 0; --i)
            keys << QStringLiteral("Down");
        keys << QStringLiteral("Return");
        BarMenu(keys);
        break;
    }
    default:
        BarMenu({QStringLiteral("Escape")});
        break;
    }
}

// The app-bar's menu opens at the pointer on the bar, or under the bar when
// asked for from the keyboard: a menu that touches the bar's rows.
bool SoakDriver::IsBarMenu(const SoakWindow& w) const
{
    const QRect barZone(m_bar.left(), 0, m_bar.width(), BarClearance);
    return w.kind == SoakWindowKind::Popup && w.rect.intersects(barZone);
}

std::optional<QPoint> SoakDriver::RandomPointIn(const QRect& r)
{
    const QRect area = r.intersected(m_screen);
    if (area.isEmpty())
        return std::nullopt;
    const QRect barZone(m_bar.left() - 4, 0, m_bar.width() + 8, BarClearance);
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QPoint p(Uniform(area.left(), area.right()), Uniform(area.top(), area.bottom()));
        if (!barZone.contains(p))
            return p;
    }
    return std::nullopt;
}

QString SoakDriver::RandomKey()
{
    // Editing, navigation, menu and formatting keys; no chord that a
    // desktop would take (there is none on the virtual display anyway).
    static const QStringList keys =
        QStringLiteral("Return Escape Tab shift+Tab BackSpace Delete Up Down Left Right Home End "
                       "Prior Next space Menu shift+F10 F1 F2 F5 F10 ctrl+a ctrl+c ctrl+x ctrl+v "
                       "ctrl+z ctrl+y ctrl+b ctrl+i ctrl+u ctrl+s ctrl+n ctrl+p ctrl+f ctrl+Home "
                       "ctrl+End shift+Left shift+Right shift+Up shift+Down ctrl+shift+Left alt+f "
                       "alt+e alt+v alt+m alt+t alt+h a Z 7 semicolon less ampersand")
            .split(QLatin1Char(' '));
    return keys[Uniform(0, int(keys.size()) - 1)];
}

QString SoakDriver::RandomWord()
{
    static const QString letters =
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCXYZ0123456789 <>&;\"'/.,-_");
    QString word;
    for (int i = Uniform(1, 12); i > 0; --i)
        word += letters[Uniform(0, int(letters.size()) - 1)];
    return word;
}

void SoakDriver::RandomAction()
{
    const auto windows = Windows();
    QList<SoakWindow> targets, popups, dialogs;
    for (const SoakWindow& w : windows) {
        if (w.name == BarName && w.kind == SoakWindowKind::Window)
            continue;
        targets << w;
        if (w.kind == SoakWindowKind::Popup)
            popups << w;
        else if (w.kind == SoakWindowKind::Dialog)
            dialogs << w;
    }
    if (Uniform(0, 99) < 3) {
        KeepWindowCountsDown();
        RandomBarAction();
        return;
    }
    // A menu or dialog on top takes the input while it is up: aim most of
    // it there, the rest anywhere (a click outside closes a menu).
    const int r = Uniform(0, 99);
    if (!popups.isEmpty() && IsBarMenu(popups.last())) {
        // Its "Exit" would end the run; the bar's own actions cover it.
        Note(QStringLiteral("Escape for the app-bar menu %1").arg(Describe(popups.last())));
        Keys({QStringLiteral("Escape")});
    } else if (!popups.isEmpty() && r < 70)
        RandomInputTo(popups.last());
    else if (!dialogs.isEmpty() && r < 50)
        RandomInputTo(dialogs[Uniform(0, int(dialogs.size()) - 1)]);
    else if (!targets.isEmpty())
        RandomInputTo(targets[Uniform(0, int(targets.size()) - 1)]);
    else
        RandomBarAction();
}

void SoakDriver::RandomInputTo(const SoakWindow& w)
{
    const auto p = RandomPointIn(w.rect);
    if (!p)
        return;
    const QString where = QStringLiteral("at %1 in %2").arg(Pt(*p), Describe(w));
    const int r = Uniform(0, 99);
    if (r < 28) {
        Note(QStringLiteral("click %1").arg(where));
        Click(*p, 1);
    } else if (r < 37) {
        Note(QStringLiteral("double-click %1").arg(where));
        Click(*p, 1, 2);
    } else if (r < 48) {
        Note(QStringLiteral("right-click %1").arg(where));
        Click(*p, 3);
    } else if (r < 58) {
        const auto to = RandomPointIn(w.rect.adjusted(-60, -60, 60, 60));
        if (!to)
            return;
        Note(QStringLiteral("drag %1 to %2").arg(where, Pt(*to)));
        Move(*p);
        Xdo({QStringLiteral("mousedown"), QStringLiteral("1")});
        for (int step = 1; step <= 4; ++step) {
            Settle(30);
            Move(*p + (*to - *p) * step / 4);
        }
        Xdo({QStringLiteral("mouseup"), QStringLiteral("1")});
    } else if (r < 78) {
        const QString key = RandomKey();
        Note(QStringLiteral("key %1 with the pointer %2").arg(key, where));
        Move(*p);
        Keys({key});
    } else if (r < 84) {
        const QString word = RandomWord();
        Note(QStringLiteral("type \"%1\" with the pointer %2").arg(word, where));
        Move(*p);
        Xdo({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("10"), word});
    } else if (r < 90) {
        const int button = Uniform(0, 1) ? 4 : 5;
        Note(QStringLiteral("wheel %1 %2")
                 .arg(button == 4 ? QStringLiteral("up") : QStringLiteral("down"), where));
        Click(*p, button, Uniform(1, 4));
    } else if (r < 92) {
        Note(QStringLiteral("middle click %1").arg(where));
        Click(*p, 2);
    } else if (r < 97) {
        Note(QStringLiteral("hover %1").arg(where));
        Move(*p);
        Settle(150);
    } else if (w.kind == SoakWindowKind::Popup) {
        Note(QStringLiteral("Escape for %1").arg(Describe(w)));
        Keys({QStringLiteral("Escape")});
    } else {
        Note(QStringLiteral("close %1").arg(Describe(w)));
        m_x.RequestClose(w.id);
    }
}

// Menus are dismissed with Escape (they hold the keyboard), dialogs closed
// as by their close box; bounded.
bool SoakDriver::CloseDialogsAndMenus()
{
    for (int round = 0; round < 20; ++round) {
        const auto windows = Windows();
        bool any = false;
        for (const SoakWindow& w : windows) {
            if (w.kind == SoakWindowKind::Popup) {
                Note(QStringLiteral("Escape for %1").arg(Describe(w)));
                Keys({QStringLiteral("Escape")});
                any = true;
                break;
            }
            if (w.kind == SoakWindowKind::Dialog) {
                Note(QStringLiteral("close %1").arg(Describe(w)));
                m_x.RequestClose(w.id);
                any = true;
            }
        }
        if (!any)
            return true;
        Settle(250);
    }
    return false;
}

// The roll of the app-bar shows that its event loop runs; a new composer
// shows that windows still open, engine and all.
bool SoakDriver::StillAnswers()
{
    if (!CloseDialogsAndMenus()) {
        Fail(QStringLiteral("menus or dialogs did not go away"));
        return false;
    }
    const auto bar = Find(BarName, SoakWindowKind::Window);
    if (!bar) {
        Fail(QStringLiteral("the app-bar is not on the screen"));
        return false;
    }
    const int x = bar->rect.left() + bar->rect.width() / 2;
    Note(QStringLiteral("check: the app-bar rolls up and down"));
    Move(QPoint(x, m_screen.height() / 2));
    QDeadlineTimer up(15000);
    while (!up.hasExpired()) {
        const auto b = Find(BarName, SoakWindowKind::Window);
        if (b && b->rect.top() == 2 - b->rect.height())
            break;
        Settle(50);
    }
    if (up.hasExpired() || !RollDownBar()) {
        Fail(QStringLiteral("the app-bar no longer rolls"));
        return false;
    }
    Note(QStringLiteral("check: a new composer opens"));
    if (!OpenComposer()) {
        Fail(QStringLiteral("no new composer appeared within %1 s").arg(WindowTimeoutMs / 1000));
        return false;
    }
    return ProgramStillRuns();
}

bool SoakDriver::Quit()
{
    // The first attempt leaves the dialogs open: the end must take them.
    for (int attempt = 0; attempt < 3 && m_program.IsRunning(); ++attempt) {
        if (attempt > 0)
            CloseDialogsAndMenus();
        Note(QStringLiteral("\"Exit\" from the app-bar menu"));
        if (BarMenu({QStringLiteral("Up"), QStringLiteral("Return")}))
            m_program.WaitForExit(30000);
    }
    if (m_program.IsRunning()) {
        Fail(QStringLiteral("the program did not end on \"Exit\""));
        return false;
    }
    if (!m_program.EndedCleanly()) {
        Fail(QStringLiteral("on \"Exit\" the program %1").arg(m_program.EndDescription()));
        return false;
    }
    Note(QStringLiteral("the program ended with status 0"));
    return true;
}
