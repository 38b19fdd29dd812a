// The windows the program opens, under a window manager: each
// comes to the front with the keyboard focus, so that the first keys typed
// land in it; the app-bar never takes the focus and stays above them, a
// chat window can be raised above the Messenger window, and a minimized
// Messenger window comes back from the bar.

#include "E2ESteps.h"

#include <QDir>
#include <QFile>

using namespace x11;

namespace {

// Opens a window from a bar button and waits for it to take the focus.
QString OpenFromBar(const QString& bar, int x, const QString& name)
{
    if (!OnBar(bar, x, 10))
        return {};
    Click(1);
    // Until its fade has begun the window may still change its X window.
    QString id;
    (void)QTest::qWaitFor(
        [&] {
            const QString focused = FocusedWindow();
            id = FindWindows(name).contains(focused) ? focused : QString();
            return !id.isEmpty();
        },
        10000);
    return id;
}

bool BarOnTop(const QString& bar, const QString& window)
{
    return QTest::qWaitFor([&] { return StackIndex(bar) > StackIndex(window); }, 5000);
}

// Keys typed as soon as a window has the focus land in its field at a point.
bool FirstKeysLand(const QString& window, const QPoint& field, const QString& text)
{
    if (!QTest::qWaitFor([&] { return FocusedWindow() == window; }, 10000))
        return false;
    Type(text);
    return FieldText(field).contains(text);
}

} // namespace

class tst_e2e_WindowFocus : public QObject {
    Q_OBJECT
private slots:
    void windowsTakeFocusBarStaysAbove()
    {
        if (!SyntheticInput())
            QSKIP("no synthetic input on this display");
        Program zentro;
        QVERIFY(zentro.Start());
        const QString bar = WaitForWindow(QStringLiteral("^Zentro AppBar$"));
        QVERIFY2(!bar.isEmpty(), "the app-bar did not appear");

        // Messenger, then a chat from a double-click on Darvel.
        const QString messenger = OpenFromBar(bar, 488, QStringLiteral("^Zentro Messenger$"));
        QVERIFY2(!messenger.isEmpty(), "the Messenger window did not take the focus");
        QVERIFY(BarOnTop(bar, messenger));
        const QRect m = *WindowGeometry(messenger);
        const auto rows = MessengerRows(messenger);
        QVERIFY2(rows, "the Messenger window's contact rows were not found");
        DoubleClick(rows->Row(2, 30)); // Darvel
        const QString chat = WaitForWindow(QStringLiteral("^Chat with Darvel$"), 5000);
        QVERIFY2(!chat.isEmpty(), "no chat window opened");
        const QRect c = *WindowGeometry(chat);
        // The input line, in the strip under the transcript.
        QVERIFY(FirstKeysLand(chat, QPoint(c.x() + 100, c.bottom() - 36), QStringLiteral("hi")));
        QVERIFY(StackIndex(chat) > StackIndex(messenger));
        QVERIFY(BarOnTop(bar, chat));

        // A click on the Messenger window raises it, one on the chat window
        // brings the chat back above it; minimized, the Messenger window
        // comes back from the bar's button, in front.
        MouseMove(m.x() + 20, m.bottom() - 30);
        Click(1);
        QTRY_VERIFY_WITH_TIMEOUT(StackIndex(messenger) > StackIndex(chat), 5000);
        MouseMove(c.right() - 20, c.bottom() - 20);
        Click(1);
        QTRY_VERIFY_WITH_TIMEOUT(StackIndex(chat) > StackIndex(messenger), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(FocusedWindow(), chat, 5000);

        // mutter offers no minimizing for a window kept off the taskbar:
        // the step is skipped there, and said so at the end.
        const bool minimizable = Property(messenger, QStringLiteral("_NET_WM_ALLOWED_ACTIONS"))
                                     .value_or(QString())
                                     .contains(QLatin1String("_NET_WM_ACTION_MINIMIZE"));
        if (minimizable) {
            Xdo({QStringLiteral("windowminimize"), messenger});
            QVERIFY(WaitForNoWindow(QStringLiteral("^Zentro Messenger$"), 5000));
            QCOMPARE(OpenFromBar(bar, 488, QStringLiteral("^Zentro Messenger$")), messenger);
            QVERIFY(StackIndex(messenger) > StackIndex(chat));
        }

        // Full Mode from the bar, a composer from the bar's menu: each takes
        // the focus in turn, and the bar stays above them.
        const QString main = OpenFromBar(bar, 11, QStringLiteral("^Zentro$"));
        QVERIFY2(!main.isEmpty(), "the Full Mode window did not take the focus");
        QVERIFY(BarOnTop(bar, main));
        const QString composer = ComposeFromBar(bar);
        QVERIFY2(!composer.isEmpty(), "no composer opened from the bar's menu");
        // Subject is the first field.
        QVERIFY(FirstKeysLand(composer, ComposerField(*WindowGeometry(composer), cfSubject),
                              QStringLiteral("zq")));
        QVERIFY(BarOnTop(bar, composer));

        // Pressing the bar's Full Mode button gives the focus back to the
        // Full Mode window; the bar itself never holds it.
        QVERIFY(!OpenFromBar(bar, 11, QStringLiteral("^Zentro$")).isEmpty());
        QVERIFY(FocusedWindow() != bar);
        // The Customize dialog takes the first key: Escape closes it.
        const QString customize = OpenCustomize(*WindowGeometry(main));
        QVERIFY2(!customize.isEmpty(), "the Customize dialog did not open");
        QTRY_COMPARE_WITH_TIMEOUT(FocusedWindow(), customize, 10000);
        Keys({QStringLiteral("Escape")});
        QVERIFY(WaitForNoWindow(QStringLiteral("^Customize$"), 5000));

        // "Exit" with Full Mode open keeps the toolbar layout, status 0.
        QVERIFY(ExitFromBar(zentro, bar));
        QVERIFY(QFile::exists(QDir(zentro.WorkDir()).filePath(QStringLiteral("zentro.am"))));
        if (!minimizable)
            QSKIP("the window manager offers no minimizing for the Messenger window: "
                  "its restore from the bar was not checked");
    }
};

QTEST_MAIN(tst_e2e_WindowFocus)
#include "tst_e2e_WindowFocus.moc"
