// The command manager and the bars it drives: the idle-time update, the
// toolbar's caption options and icon sizes, customizing by drag and drop,
// and layouts that do not fit the manager.

#include "base/ImageList.h"
#include "commandbars/ActionMenuBar.h"
#include "commandbars/ActionToolBar.h"
#include "commandbars/Command.h"
#include "commandbars/CommandManager.h"
#include "commandbars/XPStyle.h"

#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace {

// A window with one manager, three commands and a toolbar over them.
struct Fixture {
    QWidget window;
    TCommandManager* manager = new TCommandManager(&window);
    TImageList images{16, 16};
    TXPStyle style{TColorMap()};
    TActionToolBar* bar = nullptr;
    int executed = 0;

    Fixture()
    {
        images.AddArtwork(QStringLiteral("main/check"));
        manager->Images = &images;
        TCommand* run =
            manager->AddCommand(QStringLiteral("acRun"), QString(), QStringLiteral("&Run"), 0,
                                {QKeySequence(Qt::CTRL | Qt::Key_R), QKeySequence(Qt::Key_F9)});
        run->OnExecute = [this](TCommand*) {
            ++executed;
        };
        manager->AddCommand(QStringLiteral("acIdle"), QString(), QStringLiteral("&Idle"));
        TCommand* updated =
            manager->AddCommand(QStringLiteral("acUpdated"), QString(), QStringLiteral("&Updated"));
        updated->OnUpdate = [](TCommand* sender) {
            sender->setEnabled(true);
        };
        TBarLayout layout;
        layout.Caption = QStringLiteral("Toolbar");
        layout.Items = {
            TBarItem::MakeCommand(QStringLiteral("acRun"), QStringLiteral("&Run")),
            TBarItem::MakeSeparator(),
            TBarItem::MakeCommand(QStringLiteral("acIdle"), QStringLiteral("&Idle")),
            TBarItem::MakeCommand(QStringLiteral("acUpdated"), QStringLiteral("&Updated"))};
        manager->AddBar(layout);
        bar = new TActionToolBar(manager, 0, &style, &window);
        window.resize(400, 60);
        window.show();
    }
    ~Fixture() { delete bar; }

    QStringList Commands() const
    {
        QStringList out;
        for (const TBarItem& item : manager->Bar(0).Items)
            out << (item.Kind == TBarItem::ikSeparator ? QStringLiteral("-") : item.Command);
        return out;
    }

    void Drop(const QString& mime, const QByteArray& data, QPoint at)
    {
        QMimeData mimeData;
        mimeData.setData(mime, data);
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &mimeData, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(bar, &enter);
        QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &mimeData, Qt::LeftButton,
                        Qt::NoModifier);
        QCoreApplication::sendEvent(bar, &drop);
    }
};

} // namespace

class tst_CommandBars : public QObject {
    Q_OBJECT
private slots:
    void idleUpdateDisablesCommandsWithoutHandlers()
    {
        Fixture f;
        TCommand* idle = f.manager->Command(QStringLiteral("acIdle"));
        TCommand* updated = f.manager->Command(QStringLiteral("acUpdated"));
        updated->setEnabled(false);
        QTRY_VERIFY(!idle->isEnabled());
        QTRY_VERIFY(updated->isEnabled());
        QVERIFY(f.manager->Command(QStringLiteral("acRun"))->isEnabled());
        // The bar follows its commands.
        QVERIFY(!f.bar->Button(2)->isEnabled());
        QVERIFY(f.bar->Button(3)->isEnabled());
        // A disabled command does not run.
        idle->trigger();
        QCOMPARE(f.executed, 0);
    }

    void shortcutsIncludeTheSecondaryOnes()
    {
        Fixture f;
        TCommand* run = f.manager->Command(QStringLiteral("acRun"));
        QCOMPARE(run->shortcuts().size(), 2);
        f.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        QTest::keyClick(&f.window, Qt::Key_F9);
        QTest::keyClick(&f.window, Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(f.executed, 2);
    }

    void clickingAButtonRunsTheCommandAndCountsIt()
    {
        Fixture f;
        QTest::mouseClick(f.bar->Button(0), Qt::LeftButton);
        QCOMPARE(f.executed, 1);
        QCOMPARE(f.manager->Bar(0).Items[0].UsageCount, 1);
    }

    void captionOptionsAndIconSize()
    {
        Fixture f;
        QCOMPARE(f.bar->Button(0)->toolButtonStyle(), Qt::ToolButtonIconOnly);
        QCOMPARE(f.bar->iconSize(), QSize(16, 16));
        const int small = f.bar->sizeHint().height();

        f.manager->SetCaptionOptions(0, TCaptionOption::coAll);
        QCOMPARE(f.bar->Button(0)->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QCOMPARE(f.bar->Button(0)->text(), QStringLiteral("Run"));
        QVERIFY(f.bar->sizeHint().height() > small);

        // Selective: only the items marked to show theirs.
        TBarLayout layout = f.manager->Bar(0);
        layout.CaptionOptions = TCaptionOption::coSelective;
        layout.Items[2].ShowCaption = false;
        f.manager->SetBar(0, layout);
        QCOMPARE(f.bar->Button(0)->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QCOMPARE(f.bar->Button(2)->toolButtonStyle(), Qt::ToolButtonIconOnly);

        f.manager->SetSmallIcons(0, false);
        QCOMPARE(f.bar->iconSize(), QSize(32, 32));
    }

    void customizingDropsMovesAndRemoves()
    {
        Fixture f;
        f.bar->SetCustomizing(true);
        // While customizing, a click does not run the command.
        QTest::mouseClick(f.bar->Button(0), Qt::LeftButton);
        QCOMPARE(f.executed, 0);

        const QPoint first = f.bar->Button(0)->geometry().topLeft() + QPoint(1, 1);
        f.Drop(TActionToolBar::CommandMime(), "acUpdated", first);
        QCOMPARE(f.Commands(), (QStringList{QStringLiteral("acUpdated"), QStringLiteral("acRun"),
                                            QStringLiteral("-"), QStringLiteral("acIdle"),
                                            QStringLiteral("acUpdated")}));
        f.Drop(TActionToolBar::SeparatorMime(), "-", QPoint(f.bar->width() - 2, 5));
        QCOMPARE(f.Commands().last(), QStringLiteral("-"));
        // Unknown commands are not dropped.
        f.Drop(TActionToolBar::CommandMime(), "acNothing", first);
        QCOMPARE(f.Commands().size(), 6);

        f.bar->MoveItem(0, 6);
        QCOMPARE(f.Commands().first(), QStringLiteral("acRun"));
        QCOMPARE(f.Commands().last(), QStringLiteral("acUpdated"));
        f.bar->MoveItem(3, 0);
        QCOMPARE(f.Commands().first(), QStringLiteral("acUpdated"));
        f.bar->RemoveItem(0);
        f.bar->RemoveItem(42);
        QCOMPARE(f.Commands(), (QStringList{QStringLiteral("acRun"), QStringLiteral("-"),
                                            QStringLiteral("acIdle"), QStringLiteral("-"),
                                            QStringLiteral("acUpdated")}));

        // Not customizing: drops are refused.
        f.bar->SetCustomizing(false);
        f.Drop(TActionToolBar::CommandMime(), "acIdle", first);
        QCOMPARE(f.Commands().size(), 5);
    }

    void layoutsThatDoNotFitAreRefused()
    {
        Fixture f;
        const TManagerLayout before = f.manager->Layout();
        TManagerLayout unknown = before;
        unknown.Bars[0].Items.append(TBarItem::MakeSubmenu(
            QStringLiteral("S"), {TBarItem::MakeCommand(QStringLiteral("acGone"), QString())}));
        QVERIFY(!f.manager->ApplyLayout(unknown));
        TManagerLayout twoBars = before;
        twoBars.Bars.append(before.Bars[0]);
        QVERIFY(!f.manager->ApplyLayout(twoBars));
        QVERIFY(f.manager->Layout() == before);

        TManagerLayout fits = before;
        fits.Bars[0].Items.removeAt(1);
        fits.Bars[0].SmallIcons = false;
        QSignalSpy changed(f.manager, &TCommandManager::BarChanged);
        QVERIFY(f.manager->ApplyLayout(fits));
        QCOMPARE(changed.size(), 1);
        QVERIFY(f.manager->Layout() == fits);
        f.manager->ResetBar(0);
        QVERIFY(f.manager->Layout() == before);
    }

    void menuBarShowsItemTreesAndVisibility()
    {
        QWidget window;
        TCommandManager manager(&window);
        TXPStyle style{TColorMap()};
        manager.AddCommand(QStringLiteral("acA"), QStringLiteral("C"), QStringLiteral("&A"), -1,
                           {QKeySequence(Qt::CTRL | Qt::Key_A)});
        manager.AddCommand(QStringLiteral("acB"), QStringLiteral("C"), QStringLiteral("&B"));
        TBarLayout layout;
        layout.Items = {TBarItem::MakeSubmenu(
                            QStringLiteral(" &First "),
                            {TBarItem::MakeCommand(QStringLiteral("acA"), QStringLiteral("&A")),
                             TBarItem::MakeSeparator(),
                             TBarItem::MakeSubmenu(QStringLiteral("&Sub"),
                                                   {TBarItem::MakeCommand(QStringLiteral("acB"),
                                                                          QStringLiteral("&B"))})}),
                        TBarItem::MakeSubmenu(QStringLiteral(" &Second "), {})};
        layout.Items[1].Visible = false;
        manager.AddBar(layout);
        TActionMenuBar bar(&manager, 0, &style, &window);
        QCOMPARE(bar.actions().size(), 2);
        QCOMPARE(bar.TopLevelAction(0)->text(), QStringLiteral(" &First "));
        QVERIFY(!bar.TopLevelAction(1)->isVisible());
        const QMenu* first = bar.TopLevelAction(0)->menu();
        QCOMPARE(first->actions().size(), 3);
        QCOMPARE(first->actions()[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
        QVERIFY(first->actions()[1]->isSeparator());
        QCOMPARE(first->actions()[2]->menu()->actions().first()->text(), QStringLiteral("&B"));
        QTRY_VERIFY(!first->actions()[2]->menu()->actions().first()->isEnabled());

        manager.SetItemVisible(0, {1}, true);
        QVERIFY(bar.TopLevelAction(1)->isVisible());
        QVERIFY(manager.Bar(0).Items[1].Visible);
    }

    void recentlyUsedEntriesFirst()
    {
        QWidget window;
        TCommandManager manager(&window);
        TXPStyle style{TColorMap()};
        QList<TBarItem> items;
        for (const char* name : {"acA", "acB", "acC"}) {
            TCommand* c = manager.AddCommand(QLatin1String(name), QString(), QLatin1String(name));
            c->OnExecute = [](TCommand*) {
            };
            items.append(TBarItem::MakeCommand(QLatin1String(name), QLatin1String(name)));
        }
        TBarLayout layout;
        layout.Items = {TBarItem::MakeSubmenu(QStringLiteral("&Menu"), items)};
        manager.AddBar(layout);
        TActionMenuBar bar(&manager, 0, &style, &window);
        QMenu* menu = bar.TopLevelAction(0)->menu();
        auto visible = [menu] {
            QStringList out;
            for (const QAction* a : menu->actions())
                if (a->isVisible())
                    out << a->text();
            return out;
        };
        // Off, or nothing used yet: the full menu.
        menu->popup(QPoint(10, 10));
        QCOMPARE(visible(), (QStringList{QStringLiteral("acA"), QStringLiteral("acB"),
                                         QStringLiteral("acC")}));
        menu->hide();

        TBarOptions options;
        options.RecentlyUsedFirst = true;
        options.FullMenusAfterDelay = false;
        manager.SetOptions(options);
        menu->actions()[1]->trigger();
        QCOMPARE(manager.Bar(0).Items[0].Items[1].UsageCount, 1);
        menu->popup(QPoint(10, 10));
        QCOMPARE(visible(), (QStringList{QStringLiteral("acB"), TActionMenuBar::ChevronText()}));
        // The chevron brings the rest, drawn as unused.
        emit menu->actions().last()->hovered();
        QTRY_COMPARE(visible().size(), 3);
        QVERIFY(menu->actions()[0]->property(TXPStyle::UnusedProperty).toBool());
        menu->hide();
        QCOMPARE(menu->actions().size(), 3);
        QVERIFY(!menu->actions()[0]->property(TXPStyle::UnusedProperty).toBool());

        // Full menus after a pause.
        options.FullMenusAfterDelay = true;
        manager.SetOptions(options);
        menu->popup(QPoint(10, 10));
        QCOMPARE(visible().size(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(visible().size(), 3, TActionMenuBar::FullMenuDelay * 4);
        menu->hide();

        manager.ResetUsageData();
        QCOMPARE(manager.Bar(0).Items[0].Items[1].UsageCount, 0);
        menu = bar.TopLevelAction(0)->menu();
        menu->popup(QPoint(10, 10));
        QCOMPARE(visible().size(), 3);
        menu->hide();
    }

    void hintsFollowTheOptions()
    {
        Fixture f;
        QCOMPARE(f.bar->Button(0)->toolTip(), QStringLiteral("Run"));
        TBarOptions options = f.manager->Options();
        options.ShortCutsInHints = true;
        f.manager->SetOptions(options);
        QCOMPARE(f.bar->Button(0)->toolTip(),
                 QStringLiteral("Run (%1)")
                     .arg(QKeySequence(Qt::CTRL | Qt::Key_R).toString(QKeySequence::NativeText)));
    }
};

QTEST_MAIN(tst_CommandBars)
#include "tst_CommandBars.moc"
