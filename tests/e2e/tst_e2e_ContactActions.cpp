// The contact actions of the real program on the virtual display: from the
// Messenger window a right-click, "Send e-mail", a composer addressed to
// the selection that formats and follows its editor, closed again; two
// chats for one contact; the app-bar's "Send e-mail to".

#include "E2ESteps.h"

#include <QImage>
#include <QTest>

using namespace x11;

namespace {

QString StartToBar(Program& zentro)
{
    if (!zentro.Start())
        return {};
    return WaitForWindow(QStringLiteral("^Zentro AppBar$"));
}

QImage Grab(const QRect& r)
{
    return Screen().copy(r);
}

// Whether a field shows text: some pixel far darker than its face.
bool ShowsText(const QImage& field)
{
    for (int y = 0; y < field.height(); ++y)
        for (int x = 0; x < field.width(); ++x)
            if (qGray(field.pixel(x, y)) < 96)
                return true;
    return false;
}

} // namespace

class tst_e2e_ContactActions : public QObject {
    Q_OBJECT
private slots:
    void typicalRoadFromMessenger()
    {
        Program zentro;
        const QString bar = StartToBar(zentro);
        QVERIFY2(!bar.isEmpty(), "the app-bar did not appear");
        const auto rows = OpenMessenger(bar);
        QVERIFY2(rows, "the Messenger window's contact rows were not found");

        // Darvel, then user2 with Ctrl; then the right button on user1.
        MouseMove(rows->Row(2).x(), rows->Row(2).y());
        Click(1);
        MouseMove(rows->Row(5).x(), rows->Row(5).y());
        Xdo({QStringLiteral("keydown"), QStringLiteral("ctrl")});
        Click(1);
        Xdo({QStringLiteral("keyup"), QStringLiteral("ctrl")});
        const QPoint user1 = rows->Row(4);
        MouseMove(user1.x(), user1.y());
        const QStringList before = VisibleWindows();
        RightClick();
        QTRY_VERIFY_WITH_TIMEOUT(!NewWindows(before).isEmpty(), 5000);
        const QStringList popups = NewWindows(before);
        QCOMPARE(popups.size(), 1);
        const auto menu = WindowGeometry(popups.first());
        QVERIFY(menu);
        // It unfolds from the pointer.
        QVERIFY2((menu->topLeft() - user1).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("menu at %1,%2, pointer at %3,%4")
                                .arg(menu->x())
                                .arg(menu->y())
                                .arg(user1.x())
                                .arg(user1.y())));

        // "Send e-mail" is the one before the last.
        Keys({QStringLiteral("End"), QStringLiteral("Up"), QStringLiteral("Return")});
        const QString composer = WaitForWindow(QStringLiteral("^Compose$"));
        QVERIFY2(!composer.isEmpty(), "no composer appeared");
        QCOMPARE(WindowName(composer), QStringLiteral("Compose"));
        QCOMPARE(FindWindows(QStringLiteral("^Compose$")).size(), 1);
        const QRect c = *WindowGeometry(composer);
        // The To field, below the menu bar and Subject.
        QCOMPARE(FieldText(ComposerField(c, cfTo)), QStringLiteral("user2; Darvel"));

        // Formatting: plain text, then Bold and more text. The Bold button
        // shows the editor's state wherever the caret goes.
        const QRect boldButton(c.topLeft() + QPoint(342, 136), QSize(20, 20));
        const QPoint away = c.topLeft() + QPoint(400, 590);
        const QPoint editor = c.topLeft() + QPoint(200, 300);
        // The editor is ready once it reports its state: the font list then
        // names the font at the caret. Until then a click does nothing.
        const QRect fontName(c.topLeft() + QPoint(178, 138), QSize(50, 14));
        QTRY_VERIFY_WITH_TIMEOUT(
            (MouseMove(editor.x(), editor.y()), Click(1), ShowsText(Grab(fontName))), 30000);
        Type(QStringLiteral("plain "));
        // The pointer jumps, never crossing the button.
        MouseMove(away.x(), away.y());
        const QImage off = Grab(boldButton);
        MouseMove(boldButton.center().x(), boldButton.center().y());
        Click(1);
        Type(QStringLiteral("bold"));
        MouseMove(away.x(), away.y());
        QTRY_VERIFY_WITH_TIMEOUT(Grab(boldButton) != off, 10000);
        const QImage on = Grab(boldButton);
        Keys({QStringLiteral("Home")});
        QTRY_VERIFY_WITH_TIMEOUT(Grab(boldButton) == off, 10000);
        Keys({QStringLiteral("End")});
        QTRY_VERIFY_WITH_TIMEOUT(Grab(boldButton) == on, 10000);

        // "Close" (the last item of "Mail") discards it; the program and the
        // Messenger window go on.
        MouseMove(c.x() + 20, c.y() + 9);
        QVERIFY(!OpenMenu([] { Click(1); }).isEmpty());
        Keys({QStringLiteral("Up"), QStringLiteral("Return")});
        QVERIFY(WaitForNoWindow(QStringLiteral("^Compose$")));
        QCOMPARE(zentro.Process().state(), QProcess::Running);
        QVERIFY(!FindWindows(QStringLiteral("^Zentro Messenger$")).isEmpty());

        QVERIFY(ExitFromBar(zentro, bar));
    }

    void twoChatsForTheSameContact()
    {
        Program zentro;
        const QString bar = StartToBar(zentro);
        QVERIFY2(!bar.isEmpty(), "the app-bar did not appear");
        const auto rows = OpenMessenger(bar);
        QVERIFY2(rows, "the Messenger window's contact rows were not found");

        // Left of where the chat windows open, right of the expand buttons.
        const QPoint darvel = rows->Row(2, 30);
        const QString chat = QStringLiteral("^Chat with Darvel$");
        DoubleClick(darvel);
        QTRY_COMPARE_WITH_TIMEOUT(FindWindows(chat).size(), qsizetype(1), 10000);
        DoubleClick(darvel);
        QTRY_COMPARE_WITH_TIMEOUT(FindWindows(chat).size(), qsizetype(2), 10000);
        const QStringList chats = FindWindows(chat);
        QVERIFY(chats.at(0) != chats.at(1));
        QVERIFY(FindWindows(QStringLiteral("^Compose$")).isEmpty());

        QVERIFY(ExitFromBar(zentro, bar));
    }

    void appBarSendEmailTo()
    {
        Program zentro;
        const QString bar = StartToBar(zentro);
        QVERIFY2(!bar.isEmpty(), "the app-bar did not appear");
        const QString composer = ComposeFromBar(bar);
        QVERIFY2(!composer.isEmpty(), "no composer appeared");
        QCOMPARE(FieldText(ComposerField(*WindowGeometry(composer), cfTo)),
                 QStringLiteral("Contact 2"));

        QVERIFY(ExitFromBar(zentro, bar));
    }
};

QTEST_MAIN(tst_e2e_ContactActions)
#include "tst_e2e_ContactActions.moc"
