// The Full Mode window: its layout, the folder tree and header list, the
// designed bars, the customization dialog, and the toolbar layout file as
// the window reads and writes it.

#include "app/Application.h"
#include "appbar/uAppbar.h"
#include "base/FadeIn.h"
#include "commandbars/ActionMenuBar.h"
#include "commandbars/ActionToolBar.h"
#include "commandbars/Command.h"
#include "commandbars/CommandManager.h"
#include "commandbars/CustomizeDlg.h"
#include "contacts/uMessenger.h"
#include "layoutfile/LayoutReader.h"
#include "layoutfile/LayoutWriter.h"
#include "main/BevelSplitter.h"
#include "main/uMain.h"

#include "popup/ZmItem.h"
#include "popup/internal/ZmMenuLoop.h"
#include "popup/internal/ZmPopupWindow.h"
#include "popup/internal/ZmView.h"

#include "WindowProbe.h"
#include "ZentroTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <sys/stat.h>

namespace {

QStringList ToolbarCaptions(TfMain* w)
{
    QStringList out;
    for (const TBarItem& item : w->amToolBar->Bar(0).Items)
        out << (item.Kind == TBarItem::ikSeparator ? QStringLiteral("-")
                                                   : TCommand::StripAccelerator(item.Caption));
    return out;
}

const QStringList Designed = {QStringLiteral("Compose"),     QStringLiteral("Reply"),
                              QStringLiteral("Forward"),     QStringLiteral("-"),
                              QStringLiteral("Check"),       QStringLiteral("-"),
                              QStringLiteral("AddressBook"), QStringLiteral("-"),
                              QStringLiteral("Find"),        QStringLiteral("Print")};

QByteArray ReadAll(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Opens the toolbar's context menu as a right-click does (on a control of
// the toolbar when given, else on its empty end); once it is open, looks
// at it and picks the entry that many Down keys select.
void ChooseFromToolbarMenu(TfMain* w, int downs, std::function<void()> whileOpen = {},
                           QWidget* clicked = nullptr)
{
    QTimer::singleShot(0, w, [downs, whileOpen] {
        if (!QTest::qWaitFor([] { return OpenMenu() != nullptr; }, 5000))
            return;
        if (whileOpen)
            whileOpen();
        TZmView* view = OpenMenu();
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(view->Window(), Qt::Key_Down);
        QTest::keyClick(view->Window(), Qt::Key_Return);
    });
    if (clicked) {
        const QPointF at = clicked->rect().center();
        QMouseEvent press(QEvent::MouseButtonPress, at, clicked->mapToGlobal(at), Qt::RightButton,
                          Qt::RightButton, {});
        QApplication::sendEvent(clicked, &press);
        return;
    }
    const QPoint at(w->atbToolBar->width() - 5, w->atbToolBar->height() / 2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, w->atbToolBar->mapToGlobal(at));
    QApplication::sendEvent(w->atbToolBar, &event);
}

// How many columns of a control's picture hold the blue of the toolbar's
// artwork.
int PictureWidth(QWidget* control)
{
    const QImage img = control->grab().toImage();
    int columns = 0;
    for (int x = 0; x < img.width(); ++x) {
        bool blue = false;
        for (int y = 0; y < img.height() && !blue; ++y) {
            const QColor c = img.pixelColor(x, y);
            blue = c.blue() - c.red() > 60;
        }
        columns += blue;
    }
    return columns;
}

// Runs the test body in a working directory of its own.
struct WorkDir {
    QTemporaryDir dir;
    QString previous = QDir::currentPath();
    WorkDir() { QDir::setCurrent(dir.path()); }
    ~WorkDir() { QDir::setCurrent(previous); }
    QString File() const { return dir.filePath(QStringLiteral("zentro.am")); }
};

} // namespace

class tst_MainWindow : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { DeleteOwnerlessWindows(); }

    void windowSettings()
    {
        auto* w = new TfMain;
        QCOMPARE(w->windowTitle(), QStringLiteral("Zentro"));
        QCOMPARE(w->minimumSize(), QSize(480, 360));
        QCOMPARE(w->size(), QSize(800, 600));
        QVERIFY(w->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(w->Panel9->text(), QStringLiteral(" Folders"));
        QCOMPARE(w->Panel10->text(), QStringLiteral(" Contacts"));
        QCOMPARE(w->Label1->text(), QStringLiteral("From:"));
        QCOMPARE(w->Label2->pos(), QPoint(272, 4));
        QCOMPARE(w->Label3->pos(), QPoint(4, 20));
        QCOMPARE(w->Splitter1->handleWidth(), 3);
        QVERIFY(w->Splitter1->opaqueResize());
        QCOMPARE(w->Splitter2->Color(), clr::Orange);
        QTRY_VERIFY(!w->Fade->Running());
        QCOMPARE(w->Panel2->width(), 177);
        QCOMPARE(w->Panel4->height(), 193);
        QCOMPARE(w->Panel7->height(), 193);
        QVERIFY(w->Memo3->isHidden());
        QVERIFY(w->Memo3->toPlainText().contains(QStringLiteral("<smiley index=1>:)</smiley>")));
        QVERIFY(w->Memo3->toPlainText().contains(QStringLiteral("Untitled Document")));
        for (QPlainTextEdit* memo : {w->Memo1, w->Memo2, w->Memo3})
            QVERIFY(memo->toPlainText().contains(QStringLiteral("<html>"), Qt::CaseInsensitive));
    }

    void topBandKeepsTheAdvertisementInShape()
    {
        QCOMPARE(TfMain::AdHeight(800, 46), 46);
        QCOMPARE(TfMain::AdHeight(480, 46), 45);
        QCOMPARE(TfMain::AdHeight(2000, 200), 90);
        QCOMPARE(TfMain::AdHeight(800, 20), 45);

        auto* w = new TfMain;
        w->show();
        const int band = w->atbMenuBar->height() + w->atbToolBar->height();
        QCOMPARE(w->pTop->height(), band);
        const int expected = qBound(45, qMin(800 / 2 / 6, band), 90);
        QCOMPARE(w->pAd->width(), 6 * expected);
        QCOMPARE(w->imgAd->size(), QSize(6 * expected, expected));

        w->resize(480, 400);
        QCOMPARE(w->pAd->width(), 270);
        QCOMPARE(w->imgAd->height(), 45);

        // Captions and large pictures make the band taller; a wide window
        // then gets the tallest picture the band and the cap allow.
        w->amToolBar->SetCaptionOptions(0, TCaptionOption::coAll);
        w->amToolBar->SetSmallIcons(0, false);
        w->LayoutTopBand();
        const int tall = w->atbMenuBar->height() + w->atbToolBar->height();
        QVERIFY(tall > band);
        QCOMPARE(w->pTop->height(), tall);
        w->resize(1260, 600);
        const int h = qBound(45, qMin(1260 / 2 / 6, tall), 90);
        QCOMPARE(w->imgAd->size(), QSize(6 * h, h));
    }

    void folderTree()
    {
        auto* w = new TfMain;
        QTreeWidget* tv = w->tvFolders;
        QCOMPARE(tv->topLevelItemCount(), 1);
        QTreeWidgetItem* root = tv->topLevelItem(0);
        QCOMPARE(root->text(0), QStringLiteral("Zentro"));
        QStringList children;
        for (int i = 0; i < root->childCount(); ++i)
            children << root->child(i)->text(0);
        QCOMPARE(children, (QStringList{QStringLiteral("Inbox"), QStringLiteral("Outbox"),
                                        QStringLiteral("Sent "), QStringLiteral("Deleted"),
                                        QStringLiteral("Drafts")}));
        QCOMPARE(root->child(0)->child(1)->text(0), QStringLiteral("De la Teodric Valsen"));
        QVERIFY(!root->isExpanded());
        QVERIFY(!root->child(0)->isExpanded());
        QCOMPARE(tv->editTriggers(), QAbstractItemView::NoEditTriggers);

        // The focused folder's name is blue.
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        auto blueInFirstRow = [tv] {
            const QImage img = tv->viewport()->grab().toImage();
            const QRect row = tv->visualItemRect(tv->topLevelItem(0));
            for (int y = row.top(); y <= row.bottom(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    if (img.pixelColor(x, y) == QColor(0, 0, 255))
                        return true;
            return false;
        };
        tv->setCurrentItem(root);
        QVERIFY(blueInFirstRow());
        // A click on the arrow opens the folder, a click on its name does not.
        const QRect rootRow = tv->visualItemRect(root);
        QTest::mouseClick(tv->viewport(), Qt::LeftButton, {}, QPoint(40, rootRow.center().y()));
        QVERIFY(!root->isExpanded());
        QTest::mouseClick(tv->viewport(), Qt::LeftButton, {}, QPoint(6, rootRow.center().y()));
        QVERIFY(root->isExpanded());
        QTest::mouseClick(tv->viewport(), Qt::LeftButton, {}, QPoint(6, rootRow.center().y()));
        QVERIFY(!root->isExpanded());
        root->setExpanded(true);
        tv->setCurrentItem(root->child(1));
        QVERIFY(!blueInFirstRow());
    }

    void headerSelectionShowsTheMessageMenu()
    {
        auto* w = new TfMain;
        QTableWidget* lv = w->lvHeaders;
        QCOMPARE(lv->rowCount(), 2);
        QCOMPARE(lv->columnCount(), 3);
        for (int c = 0; c < 3; ++c)
            QCOMPARE(lv->columnWidth(c), 150);
        QCOMPARE(lv->horizontalHeaderItem(2)->text(), QStringLiteral("Date/Time"));
        QCOMPARE(lv->item(0, 1)->text(), QStringLiteral("Test"));
        QCOMPARE(lv->item(1, 0)->text(), QStringLiteral("Bleach!"));
        QCOMPARE(lv->item(1, 2)->text(), QStringLiteral("02 apr. 2003, 00:24"));
        QVERIFY(lv->showGrid());

        QAction* message = w->atbMenuBar->TopLevelAction(3);
        QCOMPARE(message->text(), QStringLiteral(" &Message "));
        QVERIFY(!message->isVisible());
        lv->selectRow(0);
        QVERIFY(message->isVisible());
        lv->selectRow(1);
        QVERIFY(message->isVisible());
        lv->clearSelection();
        QVERIFY(!message->isVisible());
        QVERIFY(!w->amMenuBar->Bar(0).Items[3].Visible);
    }

    void designedToolbar()
    {
        WorkDir work;
        auto* w = new TfMain;
        QCOMPARE(ToolbarCaptions(w), Designed);
        TActionToolBar* bar = w->atbToolBar;
        QCOMPARE(bar->iconSize(), QSize(16, 16));
        QCOMPARE(w->amToolBar->Bar(0).CaptionOptions, TCaptionOption::coNone);
        for (int i : {0, 1, 2, 4, 6, 8, 9})
            QCOMPARE(bar->Button(i)->toolButtonStyle(), Qt::ToolButtonIconOnly);
        QTRY_VERIFY(!bar->Button(6)->isEnabled()); // AddressBook
        QVERIFY(!bar->Button(8)->isEnabled());     // Find
        for (int i : {0, 1, 2, 4, 9})
            QVERIFY(bar->Button(i)->isEnabled());
        // "Close" is offered by the dialog, not shown on the bar.
        QVERIFY(w->amToolBar->Command(QStringLiteral("acClose")));
        QCOMPARE(w->amToolBar->Command(QStringLiteral("acClose"))->ImageIndex(), 7);
        QCOMPARE(w->amToolBar->Command(QStringLiteral("acFind"))->ImageIndex(), 5);
    }

    void designedMenuBar()
    {
        auto* w = new TfMain;
        QStringList top;
        for (const TBarItem& item : w->amMenuBar->Bar(0).Items)
            top << item.Caption;
        QCOMPARE(top, (QStringList{QStringLiteral(" &File "), QStringLiteral(" E&dit "),
                                   QStringLiteral(" &View "), QStringLiteral(" &Message "),
                                   QStringLiteral(" &Tools "), QStringLiteral(" &Help ")}));
        TCommandManager* m = w->amMenuBar;
        QCOMPARE(m->Command(QStringLiteral("acEmailMessage"))->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::Key_N));
        QCOMPARE(m->Command(QStringLiteral("acEditUndo"))->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Z),
                                      QKeySequence(Qt::ALT | Qt::Key_Backspace)}));
        QCOMPARE(m->Command(QStringLiteral("acEditFind"))->shortcuts().last(),
                 QKeySequence(Qt::Key_F3));
        QCOMPARE(m->Command(QStringLiteral("acViewRefresh"))->shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(m->Command(QStringLiteral("acHelpHelpIndex"))->shortcut(),
                 QKeySequence(Qt::Key_F1));
        QCOMPARE(m->Command(QStringLiteral("acEditDelete"))->shortcut(),
                 QKeySequence(Qt::Key_Delete));
        QCOMPARE(m->CommandsOf(QStringLiteral("Zentro")).size(), 4);
        QCOMPARE(m->CommandsOf(QStringLiteral("Sort By")).size(), 9);
        QCOMPARE(m->Categories().first(), QStringLiteral("New"));
        QVERIFY(w->Action32->isChecked());

        // "Customize Toolbar" starts disabled; its update handler enables it.
        QTRY_VERIFY(w->Action3->isEnabled());
        QVERIFY(!m->Command(QStringLiteral("acViewRefresh"))->isEnabled());
        QVERIFY(w->Action23->isEnabled() && w->acEmailMessage->isEnabled());

        // The My Status menu: four networks, then the four states.
        const QMenu* tools = w->atbMenuBar->TopLevelAction(4)->menu();
        const QMenu* status = tools->actions()[4]->menu();
        QVERIFY(status);
        QCOMPARE(status->actions().size(), 10);
        QCOMPARE(status->actions()[2]->menu()->actions().size(), 5);
        QCOMPARE(status->actions().last()->text(), QStringLiteral("I&nvisible"));
    }

    void customizationDialog()
    {
        WorkDir work;
        auto* w = new TfMain;
        w->show();
        QTRY_VERIFY(w->Action3->isEnabled());
        w->Action3->trigger();
        QVERIFY(w->cd && w->cd->isVisible());
        QVERIFY(w->cd->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!w->cd->isModal());
        QVERIFY(w->atbToolBar->Customizing());
        QCOMPARE(w->cd->lbToolbars->count(), 1);
        QCOMPARE(w->cd->lbToolbars->item(0)->text(), QStringLiteral("Toolbar"));
        QCOMPARE(TCustomizeDlg::MenuAnimations().size(), 5);

        // Caption option "All" from the dialog; the band fits once it closes.
        const int band = w->pTop->height();
        w->cd->cbCaptionOptions->setCurrentIndex(2);
        emit w->cd->cbCaptionOptions->activated(2);
        QCOMPARE(w->amToolBar->Bar(0).CaptionOptions, TCaptionOption::coAll);
        QCOMPARE(w->atbToolBar->Button(0)->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QCOMPARE(w->pTop->height(), band);
        w->cd->btnClose->click();
        QVERIFY(!w->cd->isVisible());
        QVERIFY(!w->atbToolBar->Customizing());
        QVERIFY(w->pTop->height() > band);

        // Hiding the toolbar from its check mark, and bringing it back.
        w->ZmItem1Click();
        QVERIFY(w->cd->isVisible());
        w->cd->lbToolbars->item(0)->setCheckState(Qt::Unchecked);
        QVERIFY(!w->amToolBar->Bar(0).Visible);
        QVERIFY(w->atbToolBar->isHidden());
        w->cd->lbToolbars->item(0)->setCheckState(Qt::Checked);
        QVERIFY(!w->atbToolBar->isHidden());

        // Reset, once confirmed, restores the designed bar.
        w->atbToolBar->RemoveItem(0);
        w->cd->ConfirmReset = [](const QString&) {
            return false;
        };
        w->cd->btnReset->click();
        QCOMPARE(ToolbarCaptions(w).first(), QStringLiteral("Reply"));
        w->cd->ConfirmReset = [](const QString& caption) {
            return caption == QLatin1String("Toolbar");
        };
        w->cd->btnReset->click();
        QCOMPARE(ToolbarCaptions(w), Designed);

        // The options page.
        w->cd->cbLargeIcons->click();
        QVERIFY(!w->amToolBar->Bar(0).SmallIcons);
        QCOMPARE(w->atbToolBar->iconSize(), QSize(32, 32));
        w->cd->close();
    }

    void toolbarContextMenu()
    {
        WorkDir work;
        auto* w = new TfMain;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const int band = w->pTop->height();
        bool captionsChecked = true, largeChecked = true;
        auto look = [&] {
            captionsChecked = w->miShowCaptions->Checked();
            largeChecked = w->miLargeIcons->Checked();
        };

        // "Show Captions", from a right-click on a disabled button
        // ("AddressBook"): captions under the pictures, a taller band.
        QToolButton* addressBook = w->atbToolBar->Button(6);
        QTRY_VERIFY(!addressBook->isEnabled());
        ChooseFromToolbarMenu(w, 1, look, addressBook);
        QVERIFY(!captionsChecked && !largeChecked);
        QTRY_COMPARE(w->amToolBar->Bar(0).CaptionOptions, TCaptionOption::coAll);
        QCOMPARE(w->atbToolBar->Button(0)->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QVERIFY(w->pTop->height() > band);
        // Again: gone.
        ChooseFromToolbarMenu(w, 1, look);
        QVERIFY(captionsChecked);
        QTRY_COMPARE(w->amToolBar->Bar(0).CaptionOptions, TCaptionOption::coNone);
        QCOMPARE(w->pTop->height(), band);

        // "Selective" from the dialog: the menu shows captions checked, and
        // choosing it switches them off.
        w->amToolBar->SetCaptionOptions(0, TCaptionOption::coSelective);
        ChooseFromToolbarMenu(w, 1, look);
        QVERIFY(captionsChecked);
        QTRY_COMPARE(w->amToolBar->Bar(0).CaptionOptions, TCaptionOption::coNone);

        // "Large Icons" twice: large pictures, not small ones in a larger box.
        ChooseFromToolbarMenu(w, 2, look);
        QVERIFY(!largeChecked);
        QTRY_COMPARE(w->atbToolBar->iconSize(), QSize(32, 32));
        QVERIFY(PictureWidth(w->atbToolBar->Button(0)) > 24);
        QVERIFY(w->pTop->height() > band);
        ChooseFromToolbarMenu(w, 2, look);
        QVERIFY(largeChecked);
        QTRY_COMPARE(w->atbToolBar->iconSize(), QSize(16, 16));

        // "Customize".
        ChooseFromToolbarMenu(w, 3);
        QTRY_VERIFY(w->cd && w->cd->isVisible());
        w->cd->close();
    }

    void unusableLayoutFilesLeaveTheDesignedToolbar_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("directory");
        TManagerLayout good;
        TBarLayout bar;
        bar.Caption = QStringLiteral("Toolbar");
        bar.Items = {TBarItem::MakeCommand(QStringLiteral("acPrint"), QStringLiteral("&Print"))};
        good.Bars = {bar};
        const QByteArray valid = TLayoutWriter::Serialize(good);
        QTest::newRow("corrupt") << QByteArray("{\"format\": \x01\x02 garbage") << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("truncated") << valid.left(valid.size() - 20) << false;
        QTest::newRow("wrongly typed")
            << QByteArray(valid).replace("\"smallIcons\": true", "\"smallIcons\": 1") << false;
        QTest::newRow("unknown command")
            << QByteArray(valid).replace("acPrint", "acPrintAll") << false;
        QTest::newRow("unreadable") << QByteArray() << true;
    }

    void unusableLayoutFilesLeaveTheDesignedToolbar()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, directory);
        WorkDir work;
        if (directory) {
            QVERIFY(QDir().mkdir(work.File()));
        } else {
            QFile f(work.File());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        auto* w = new TfMain;
        QCOMPARE(ToolbarCaptions(w), Designed);
        delete w;
        if (directory)
            QVERIFY(QFileInfo(work.File()).isDir());
        else
            QCOMPARE(ReadAll(work.File()), content);
    }

    void aStoredLayoutReplacesTheDesignedToolbar()
    {
        WorkDir work;
        TManagerLayout layout;
        TBarLayout bar;
        bar.Caption = QStringLiteral("Toolbar");
        bar.CaptionOptions = TCaptionOption::coSelective;
        bar.SmallIcons = false;
        bar.Items = {TBarItem::MakeCommand(QStringLiteral("acClose"), QStringLiteral("&Close")),
                     TBarItem::MakeSeparator(),
                     TBarItem::MakeCommand(QStringLiteral("Action6"), QStringLiteral("C&heck"))};
        bar.Items[2].UsageCount = 4;
        layout.Bars = {bar};
        QVERIFY(TLayoutWriter::WriteFile(work.File(), layout));
        auto* w = new TfMain;
        QVERIFY(w->amToolBar->Layout() == layout);
        QCOMPARE(w->atbToolBar->iconSize(), QSize(32, 32));
        QCOMPARE(w->atbToolBar->Button(0)->text(), QStringLiteral("Close"));
        // Closing the window before the end of the run writes nothing.
        w->atbToolBar->RemoveItem(0);
        delete w;
        QVERIFY(TLayoutReader::ReadFile(work.File()) == layout);
    }

    // Last: once the application has begun to terminate it stays so.
    void theLayoutIsWrittenOnlyWhenTheRunEndsInFullMode()
    {
        CreateStartupWindows();
        QTRY_VERIFY_WITH_TIMEOUT(fChat, 5000);
        // Customize, switch to Messenger Mode, then the end: nothing written.
        WorkDir left;
        fAppBar->sbFull->click();
        QPointer<TfMain> first = fMain;
        QVERIFY(first);
        first->atbToolBar->RemoveItem(0);
        fAppBar->sbMessenger->click();
        QTRY_VERIFY(first.isNull());
        QVERIFY(!QFile::exists(left.File()));

        // Customize in Full Mode and end the run there: written.
        WorkDir stayed;
        fAppBar->sbFull->click();
        QTRY_VERIFY(!fMessenger);
        QCOMPARE(ToolbarCaptions(fMain), Designed);
        fMain->atbToolBar->RemoveItem(8);
        fMain->amToolBar->SetCaptionOptions(0, TCaptionOption::coAll);
        // The Options page, left open to the end: its settings reach the
        // menus and are kept with the layout; the dialog goes while the
        // window is still whole.
        fMain->Action3Execute();
        TCustomizeDlg* cd = fMain->cd;
        for (QCheckBox* box : {cd->cbRecentlyUsedFirst, cd->cbLargeIcons, cd->cbShowTips})
            box->click();
        cd->cbMenuAnimations->setCurrentIndex(4);
        emit cd->cbMenuAnimations->activated(4);
        QVERIFY(fMain->amMenuBar->Options().RecentlyUsedFirst);
        bool dialogWentFirst = false;
        connect(cd, &QObject::destroyed, this,
                [&, window = fMain] { dialogWentFirst = qobject_cast<TfMain*>(window); });
        const TManagerLayout expected = fMain->amToolBar->Layout();
        QVERIFY(!expected.Options.ShowHints && expected.Options.MenuAnimation == 4);
        DestroyAllWindows();
        QVERIFY(dialogWentFirst);
        QVERIFY(!fMain);
        QVERIFY(!QFile::exists(left.File()));
        const auto written = TLayoutReader::ReadFile(stayed.File());
        QVERIFY(written);
        QVERIFY(*written == expected);

        // The next window in that directory reads it back; elsewhere the
        // designed toolbar stands.
        auto* again = new TfMain;
        QVERIFY(again->amToolBar->Layout() == expected);
        QVERIFY(again->amMenuBar->Options() == expected.Options);
        QVERIFY(!ToolbarCaptions(again).contains(QStringLiteral("Find")));
        WorkDir elsewhere;
        auto* other = new TfMain;
        QCOMPARE(ToolbarCaptions(other), Designed);
    }
};

ZENTRO_TEST_MAIN(tst_MainWindow)
#include "tst_MainWindow.moc"
