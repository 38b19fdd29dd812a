// The contact list's actions in both windows: the context menu opened by a
// right-click, "Send e-mail", and the double-clicks (e-mail in Full Mode,
// a chat in Messenger Mode).

#include "app/Application.h"
#include "chat/uChat.h"
#include "commandbars/CommandManager.h"
#include "compose/uMail.h"
#include "contacts/ContactMenu.h"
#include "contacts/ContactTree.h"
#include "contacts/uMessenger.h"
#include "layoutfile/BarLayout.h"
#include "main/uMain.h"
#include "popup/ZmItem.h"
#include "popup/ZmRootItem.h"
#include "popup/ZmSeparatorItem.h"
#include "popup/ZmSubmenuItem.h"
#include "popup/internal/ZmItemViewer.h"
#include "popup/internal/ZmPopupView.h"
#include "popup/internal/ZmPopupWindow.h"

#include "WindowProbe.h"
#include "ZentroTest.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTextEdit>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

// Captions of an item's children; separators as "-".
QStringList Captions(const TZmCustomItem* parent)
{
    QStringList out;
    for (int i = 0; i < parent->Count(); ++i) {
        const TZmCustomItem* item = parent->Items(i);
        out << (qobject_cast<const TZmSeparatorItem*>(item) ? QStringLiteral("-")
                                                            : item->Caption());
    }
    return out;
}

struct TOpenMenu {
    QRect window;                    // the popup window on screen
    TContactNode* current = nullptr; // the tree's current node while open
    QList<TContactNode*> chosen;     // the selection while open
};

// Right-clicks a row of the tree with the mouse; once the menu is open,
// notes what the tree reports, lets the button go and clicks the item with
// the caption (or presses Escape for an empty caption).
TOpenMenu RightClickAndChoose(TContactTree* tree, const TContactNode* row, const QString& caption,
                              std::function<void()> whileOpen = {})
{
    const QPoint at = tree->RowRect(row).center();
    // Shared: should the menu never open, the timer may fire after return.
    auto seen = std::make_shared<TOpenMenu>();
    QTimer::singleShot(0, tree, [tree, at, seen, caption, whileOpen] {
        if (!QTest::qWaitFor([] { return OpenMenu() != nullptr; }, 5000))
            return;
        TZmView* view = OpenMenu();
        seen->window = view->Window()->frameGeometry();
        seen->current = tree->CurrentNode();
        seen->chosen = tree->Selections();
        if (whileOpen)
            whileOpen();
        // The release of the button that opened the menu.
        QTest::mouseRelease(tree->viewport(), Qt::RightButton, {}, at);
        for (TZmItemViewer* v : view->ShownViewers())
            if (!caption.isEmpty() && v->Item() && v->Item()->Caption() == caption) {
                const QPoint on = view->ViewerRect(v).center() + view->pos();
                QTest::mouseMove(view->Window(), on);
                QTest::mouseClick(view->Window(), Qt::LeftButton, {}, on);
                return;
            }
        QTest::keyClick(view->Window(), Qt::Key_Escape);
    });
    // The press, then the context-menu request the platform makes of it
    // (the test's events do not pass through the platform).
    QTest::mousePress(tree->viewport(), Qt::RightButton, {}, at);
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, tree->viewport()->mapToGlobal(at));
    QApplication::sendEvent(tree->viewport(), &request);
    return *seen;
}

void Click(TContactTree* tree, const char* name, Qt::KeyboardModifiers mods = {})
{
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, mods,
                      tree->RowRect(tree->FindNode(QLatin1String(name))).center());
}

void DoubleClick(TContactTree* tree, QPoint at)
{
    // As the platform delivers it: a click, then the double-click.
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
}

// A double-click on a group's arrow, which leaves the selection alone.
void DoubleClickArrow(TContactTree* tree, const char* group)
{
    DoubleClick(tree, QPoint(7, tree->RowRect(tree->FindNode(QLatin1String(group))).center().y()));
}

void DoubleClick(TContactTree* tree, const char* name)
{
    DoubleClick(tree, tree->RowRect(tree->FindNode(QLatin1String(name))).center());
}

TContactTree* ShownTree(QWidget* window, TContactTree* tree)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return nullptr;
    tree->Group(0)->setExpanded(true);
    tree->Group(1)->setExpanded(true);
    return tree;
}

} // namespace

class tst_ContactActions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietenGrabWarnings(); }

    void cleanup()
    {
        DeleteOwnerlessWindows();
        QVERIFY(!fMain && !fMessenger);
    }

    void bothWindowsHaveTheWholeMenu()
    {
        fMessenger = new TfMessenger;
        auto* main = new TfMain;
        for (TContactMenu* menu : {fMessenger->ZmPopupMenu2, main->ZmPopupMenu2}) {
            QCOMPARE(Captions(menu->Items()),
                     (QStringList{"Chat with user(s) using ...", "Start a Conference",
                                  "Invite to ZentroConference", "-", "Add Contact", "Edit Contact",
                                  "Delete Contact", "-", "Send e-mail", "Send SMS"}));
            QVERIFY(qobject_cast<TZmSubmenuItem*>(menu->Items()->Items(0)));
            QCOMPARE(Captions(menu->ZmSubmenuItem1),
                     (QStringList{"ZentroChat", "Yahoo Messenger", "MSN Messenger", "ICQ Chat"}));
            QCOMPARE(menu->ZmItem8->Caption(), QStringLiteral("Send e-mail"));
            for (int i = 0; i < menu->Items()->Count(); ++i)
                QVERIFY(menu->Items()->Items(i)->Enabled());
        }
        QCOMPARE(fMessenger->tvContacts->PopupMenu(), fMessenger->ZmPopupMenu2);
        QCOMPARE(main->tvContacts->PopupMenu(), main->ZmPopupMenu2);
    }

    void sendEmailAddressesTheSelectionMostRecentFirst()
    {
        fMessenger = new TfMessenger;
        TContactTree* t = ShownTree(fMessenger, fMessenger->tvContacts);
        QVERIFY(t);

        // Nothing selected: no composer.
        t->ZmItem8Click();
        QVERIFY(TopLevels<TfMail>().isEmpty());
        // A group alone: none either.
        Click(t, "Friends");
        t->ZmItem8Click();
        QVERIFY(TopLevels<TfMail>().isEmpty());

        Click(t, "Darvel");
        Click(t, "user2", Qt::ControlModifier);
        Click(t, "Bugs Bunny", Qt::ControlModifier);
        t->ZmItem8Click();
        QCOMPARE(TopLevels<TfMail>().size(), 1);
        TfMail* mail = TopLevels<TfMail>().first();
        QCOMPARE(mail->leTo->text(), QStringLiteral("Bugs Bunny; user2; Darvel"));
        QVERIFY(mail->leSubject->text().isEmpty());
        QVERIFY(mail->leCC->text().isEmpty());
        QVERIFY(mail->leBCC->text().isEmpty());
        QVERIFY(mail->isVisible());

        // A second "Send e-mail" opens its own composer; closing one
        // leaves the other as it was.
        Click(t, "Darvel");
        Click(t, "user2", Qt::ControlModifier);
        t->ZmItem8Click();
        QCOMPARE(TopLevels<TfMail>().size(), 2);
        TfMail* second = TopLevels<TfMail>().at(0) == mail ? TopLevels<TfMail>().at(1)
                                                           : TopLevels<TfMail>().at(0);
        QCOMPARE(second->leTo->text(), QStringLiteral("user2; Darvel"));
        QPointer<TfMail> closed = mail;
        mail->close();
        QTRY_VERIFY(closed.isNull());
        QCOMPARE(second->leTo->text(), QStringLiteral("user2; Darvel"));
    }

    void rightClickActsOnTheSelectionNotTheRow()
    {
        fMessenger = new TfMessenger;
        TContactTree* t = ShownTree(fMessenger, fMessenger->tvContacts);
        QVERIFY(t);
        TContactNode* darvel = t->FindNode(QStringLiteral("Darvel"));
        TContactNode* user1 = t->FindNode(QStringLiteral("user1"));
        Click(t, "Darvel");

        const TOpenMenu seen = RightClickAndChoose(t, user1, QStringLiteral("Send e-mail"));
        // Open at the pointer, reporting the right-clicked row as current
        // while the selection stays.
        const QPoint pointer = t->viewport()->mapToGlobal(t->RowRect(user1).center());
        // A corner of the menu is at the pointer (it unfolds to whichever
        // side has room).
        const QRect& m = seen.window;
        bool atCorner = false;
        for (const QPoint& corner : {m.topLeft(), m.topRight() + QPoint(1, 0),
                                     m.bottomLeft() + QPoint(0, 1), m.bottomRight() + QPoint(1, 1)})
            atCorner |= (corner - pointer).manhattanLength() <= 1;
        QVERIFY2(atCorner, qPrintable(QStringLiteral("menu at %1,%2 %3x%4, pointer at %5,%6")
                                          .arg(m.x())
                                          .arg(m.y())
                                          .arg(m.width())
                                          .arg(m.height())
                                          .arg(pointer.x())
                                          .arg(pointer.y())));
        QCOMPARE(seen.current, user1);
        QCOMPARE(seen.chosen, QList<TContactNode*>{darvel});

        QTRY_COMPARE(TopLevels<TfMail>().size(), 1);
        QCOMPARE(TopLevels<TfMail>().first()->leTo->text(), QStringLiteral("Darvel"));
        QCOMPARE(t->Selections(), QList<TContactNode*>{darvel});
        QCOMPARE(t->CurrentNode(), darvel);
    }

    void itemsWithoutActionOnlyCloseTheMenu()
    {
        fMessenger = new TfMessenger;
        TContactTree* t = ShownTree(fMessenger, fMessenger->tvContacts);
        QVERIFY(t);
        Click(t, "Darvel");
        const int windows = int(TopLevels<QWidget>().size() - TopLevels<TZmPopupWindow>().size());
        for (const QString& caption :
             {QStringLiteral("Start a Conference"), QStringLiteral("Invite to ZentroConference"),
              QStringLiteral("Add Contact"), QStringLiteral("Edit Contact"),
              QStringLiteral("Delete Contact"), QStringLiteral("Send SMS"), QString()}) {
            RightClickAndChoose(t, t->FindNode(QStringLiteral("kop318")), caption);
            QVERIFY(!OpenMenu());
            QCoreApplication::sendPostedEvents();
            QCOMPARE(TopLevels<TfMail>().size(), 0);
            QCOMPARE(t->Selections().size(), 1);
            QCOMPARE(t->FindNode(QStringLiteral("kop318"))->Group()->Text(),
                     QStringLiteral("Friends"));
        }
        // Nothing else was opened.
        QCOMPARE(int(TopLevels<QWidget>().size() - TopLevels<TZmPopupWindow>().size()), windows);
    }

    void fullModeMenuRunsTheToolbarMenusHandler()
    {
        auto* main = new TfMain;
        TContactTree* t = ShownTree(main, main->tvContacts);
        QVERIFY(t);
        const int bar = 0;
        main->amToolBar->SetCaptionOptions(bar, TCaptionOption::coAll);
        main->amToolBar->SetSmallIcons(bar, false);
        QVERIFY(!main->miShowCaptions->Checked() && !main->miLargeIcons->Checked());
        Click(t, "Darvel");
        QStringList contactChecks;
        RightClickAndChoose(t, t->FindNode(QStringLiteral("user1")), QString(), [&] {
            for (int i = 0; i < main->ZmPopupMenu2->Items()->Count(); ++i)
                if (main->ZmPopupMenu2->Items()->Items(i)->Checked())
                    contactChecks << main->ZmPopupMenu2->Items()->Items(i)->Caption();
        });
        // The toolbar menu's marks follow the toolbar; this menu is left
        // as it was.
        QVERIFY(main->miShowCaptions->Checked());
        QVERIFY(main->miLargeIcons->Checked());
        QVERIFY(contactChecks.isEmpty());

        // "Send e-mail" from the Full Mode window's menu.
        Click(t, "user2", Qt::ControlModifier);
        RightClickAndChoose(t, t->FindNode(QStringLiteral("kop318")),
                            QStringLiteral("Send e-mail"));
        QTRY_COMPARE(TopLevels<TfMail>().size(), 1);
        QCOMPARE(TopLevels<TfMail>().first()->leTo->text(), QStringLiteral("user2; Darvel"));
    }

    void fullModeDoubleClickSendsEmail()
    {
        auto* main = new TfMain;
        TContactTree* t = ShownTree(main, main->tvContacts);
        QVERIFY(t);
        DoubleClick(t, "Bugs Bunny");
        QCOMPARE(TopLevels<TfMail>().size(), 1);
        QCOMPARE(TopLevels<TfMail>().first()->leTo->text(), QStringLiteral("Bugs Bunny"));
        QVERIFY(TopLevels<TfChat>().isEmpty());
        // On a group, its row or its arrow: nothing to address.
        DoubleClick(t, "Enemies");
        DoubleClickArrow(t, "Friends");
        QCOMPARE(TopLevels<TfMail>().size(), 1);
    }

    void messengerDoubleClickOpensAChatEachTime()
    {
        fMessenger = new TfMessenger;
        TContactTree* t = ShownTree(fMessenger, fMessenger->tvContacts);
        QVERIFY(t);
        DoubleClick(t, "Darvel");
        QCOMPARE(TopLevels<TfChat>().size(), 1);
        TfChat* first = TopLevels<TfChat>().first();
        QCOMPARE(first->windowTitle(), QStringLiteral("Chat with Darvel"));
        QVERIFY(first->isVisible());
        // Owned by the application, not by the Messenger window.
        QVERIFY(!first->parentWidget());

        DoubleClick(t, "Darvel");
        const QList<TfChat*> chats = TopLevels<TfChat>();
        QCOMPARE(chats.size(), 2);
        for (TfChat* c : chats) {
            QCOMPARE(c->windowTitle(), QStringLiteral("Chat with Darvel"));
            QVERIFY(c->isVisible());
        }
        QVERIFY(TopLevels<TfMail>().isEmpty());

        // A group, or empty space below the rows, opens nothing.
        DoubleClick(t, "Friends");
        DoubleClickArrow(t, "Friends");
        DoubleClick(t, QPoint(40, t->viewport()->height() - 5));
        QVERIFY(!t->NodeAt(40, t->viewport()->height() - 5));
        QCOMPARE(TopLevels<TfChat>().size(), 2);

        // Closing a chat hides it; the next double-click gets it back as
        // new, so that closed chats do not pile up.
        const QPoint placed = first->pos();
        first->re->setPlainText(QStringLiteral("last time"));
        first->move(20, 20);
        first->close();
        QVERIFY(!first->isVisible());
        DoubleClick(t, "Darvel");
        QCOMPARE(TopLevels<TfChat>().size(), 2);
        QVERIFY(first->isVisible());
        QVERIFY(first->re->toPlainText().isEmpty() && !first->re->document()->isUndoAvailable());
        QCOMPARE(first->pos(), placed);
        first->close();
        // The Messenger window closing leaves it.
        QPointer<TfChat> kept = first;
        fMessenger->close();
        QTRY_VERIFY(!fMessenger);
        QVERIFY(!kept.isNull());
    }
};

ZENTRO_TEST_MAIN(tst_ContactActions)
#include "tst_ContactActions.moc"
