// Every window by keys alone: from where a window puts the focus, a row's
// keys lead to the window and control it names; Tab rings go round and
// leave every control, and the shortcuts do their thing.

#include "app/Application.h"
#include "app/uUtils.h"
#include "appbar/uAppbar.h"
#include "chat/uChat.h"
#include "commandbars/CustomizeDlg.h"
#include "compose/uMail.h"
#include "contacts/ContactTree.h"
#include "contacts/uMessenger.h"
#include "main/uMain.h"

#include "HtmlEval.h"
#include "WindowProbe.h"
#include "ZentroTest.h"

#include <QAccessible>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

namespace {

// "<active window's title>/<name of the focused control>": the name of the
// nearest control that has one (the engine's own widget has none).
QString Where()
{
    const QWidget* window = QApplication::activeWindow();
    QString name;
    // (A combo box reads its value as its name on Linux: its own name first.)
    for (QWidget* w = QApplication::focusWidget(); w && name.isEmpty(); w = w->parentWidget())
        name = w->accessibleName().isEmpty()
                   ? QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name)
                   : w->accessibleName();
    return (window ? window->windowTitle() : QString()) + QLatin1Char('/') + name;
}

// Opens a window as the row names it and puts the focus where it starts.
void Open(const QString& window)
{
    CreateStartupWindows();
    // The chat window comes once the bar has painted: not amid the keys.
    QTRY_VERIFY_WITH_TIMEOUT(fChat, 5000);
    QWidget* focus = nullptr;
    if (window == QLatin1String("bar")) {
        fAppBar->Summon();
        focus = fAppBar->sbFull;
    } else if (window == QLatin1String("full") || window == QLatin1String("customize")) {
        fAppBar->sbFull->click();
        focus = fMain->tvFolders;
        if (window == QLatin1String("customize")) {
            // Full Mode takes the keyboard as it fades in: before the dialog.
            QVERIFY(QTest::qWaitForWindowActive(fMain));
            fMain->Action3Execute();
            fMain->cd->tabs->setCurrentIndex(1);
            fMain->cd->lbActions->setCurrentRow(0);
            fMain->cd->lbItems->setCurrentRow(0);
            focus = fMain->cd->lbItems;
        }
    } else if (window == QLatin1String("messenger") || window == QLatin1String("full contact")) {
        const bool full = window == QLatin1String("full contact");
        (full ? fAppBar->sbFull : fAppBar->sbMessenger)->click();
        TContactTree* tree = full ? fMain->tvContacts : fMessenger->tvContacts;
        tree->setCurrentItem(tree->topLevelItem(1)->child(0)); // Friends, Darvel
        focus = tree;
    } else if (window == QLatin1String("composer")) {
        OpenComposer(QString(), QStringLiteral("Darvel"), QString(), QString());
        TfMail* f = TopLevels<TfMail>().first();
        QTRY_VERIFY_WITH_TIMEOUT(f->EditorReady, 20000);
        focus = f->leSubject;
    } else if (window == QLatin1String("chat")) {
        fChat->show();
        focus = fChat->re;
    }
    QVERIFY(focus);
    focus->window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(focus->window()));
    focus->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), focus);
}

void Press(const QString& keys)
{
    for (const QString& key : keys.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QKeyCombination k = QKeySequence(key)[0];
        QTest::keyClick(QApplication::focusWidget(), k.key(), k.keyboardModifiers());
    }
}

} // namespace

class tst_KeyboardWalk : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        DestroyAllWindows();
        fMain = nullptr;
        fMessenger = nullptr;
    }

    void keysLeadThere_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("where");
        const auto row = [](const char* name, const char* w, const char* k, const char* at) {
            QTest::newRow(name) << QString::fromLatin1(w) << QString::fromLatin1(k)
                                << QString::fromUtf8(at);
        };
        row("bar summoned", "bar", "", "Zentro AppBar/Full Mode");
        row("bar arrows", "bar", "Right", "Zentro AppBar/Messenger Mode");
        row("bar Tab wraps", "bar", "Tab,Tab", "Zentro AppBar/Full Mode");
        row("bar Return opens", "bar", "Right,Return", "Zentro Messenger/Contacts");
        row("bar Escape leaves", "bar", "Escape", "/");
        row("full F6 ring", "full", "F6,F6,F6", "Zentro/Message preview");
        row("full F6 wraps", "full", "F6,F6,F6,F6", "Zentro/Folders");
        row("full Shift+F6", "full", "Shift+F6", "Zentro/Message preview");
        row("full Tab leaves messages", "full", "F6,F6,Tab", "Zentro/Message preview");
        row("full Ctrl+Tab stays", "full", "F6,F6,Ctrl+Tab,Ctrl+Tab", "Zentro/Messages");
        row("full Return on contact", "full contact", "Return", "Compose/Subject");
        row("messenger Return chats", "messenger", "Return", "Chat with Darvel/Message");
        row("composer starts in Subject", "composer", "", "Compose/Subject");
        row("composer Tab to message", "composer", "Tab,Tab,Tab,Tab", "Compose/Message");
        row("composer Shift+Tab wraps", "composer", "Shift+Tab", "Compose/Insert emoticon");
        row("composer Shift+Tab back", "composer", "Tab,Tab,Tab,Tab,Shift+Tab", "Compose/BCC");
        row("composer F6 to toolbar", "composer", "F6", "Compose/Font name");
        row("composer font boxes", "composer", "F6,Tab", "Compose/Font size");
        row("composer F6 ring", "composer", "F6,F6,F6", "Compose/Subject");
        row("composer Ctrl+W closes", "composer", "Ctrl+W", "/");
        row("composer Escape closes", "composer", "Tab,Tab,Tab,Tab,Escape", "/");
        row("chat Tab to Send", "chat", "Tab", "Chat/Send");
        row("customize buttons", "customize", "Tab", "Customize/Add");
        row("bar Menu", "bar", "Menu", "menu");
        row("contacts Menu", "messenger", "Menu", "menu");
        row("contacts Shift+F10", "messenger", "Shift+F10", "menu");
        row("preview Shift+F10", "full", "F6,F6,F6,Shift+F10", "menu");
        row("message Menu", "composer", "Tab,Tab,Tab,Tab,Menu", "menu");
        row("emoticons Menu", "composer", "Shift+Tab,Menu", "menu");
    }

    void keysLeadThere()
    {
        QFETCH(QString, window);
        QFETCH(QString, keys);
        QFETCH(QString, where);
        Open(window);
        QuietenGrabWarnings();
        // "menu": a context menu opens (our own run a loop of their own, so
        // they are closed from within it).
        auto opened = std::make_shared<bool>(false);
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [opened] {
            QWidget* menu = OpenMenu() ? OpenMenu()->Window() : QApplication::activePopupWidget();
            if (menu)
                QTest::keyClick(menu, Qt::Key_Escape);
            *opened |= menu != nullptr;
        });
        if (where == QLatin1String("menu"))
            closer.start(50);
        Press(keys);
        if (where == QLatin1String("menu"))
            QTRY_VERIFY(*opened);
        else
            QTRY_COMPARE(Where(), where);
    }

    void typingAfterTabReachesTheMessage()
    {
        Open(QStringLiteral("composer"));
        Press(QStringLiteral("Tab,Tab,Tab,Tab"));
        TfMail* f = TopLevels<TfMail>().first();
        QTRY_VERIFY(Eval(f->web, QStringLiteral("document.hasFocus()")).toBool());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("hello"));
        QTRY_VERIFY(Eval(f->web, QStringLiteral("document.body.innerText"))
                        .toString()
                        .contains(QLatin1String("hello")));
    }

    void customizeButtonsChangeTheToolbar()
    {
        Open(QStringLiteral("customize"));
        TCustomizeDlg* cd = fMain->cd;
        const int before = cd->lbItems->count();
        const QString second = cd->lbItems->item(1)->text();
        Press(QStringLiteral("Tab,Tab,Tab,Space")); // Move Down (Move Up is off)
        QCOMPARE(cd->lbItems->item(0)->text(), second);
        cd->lbItems->setFocus();            // each from the list of the bar's items
        Press(QStringLiteral("Tab,Space")); // Add
        QCOMPARE(cd->lbItems->count(), before + 1);
        cd->lbItems->setFocus();
        Press(QStringLiteral("Tab,Tab,Space")); // Remove
        QCOMPARE(cd->lbItems->count(), before);
    }
};

ZENTRO_TEST_MAIN(tst_KeyboardWalk)
#include "tst_KeyboardWalk.moc"
