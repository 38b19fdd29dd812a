#include "popup/ZmItem.h"
#include "popup/ZmItemError.h"
#include "popup/ZmPopupMenu.h"
#include "popup/ZmRootItem.h"
#include "popup/ZmSeparatorItem.h"
#include "popup/ZmSubmenuItem.h"
#include "popup/internal/ZmDispatcher.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(TZmChangeKind)

namespace {

// The notifications a parent sent, as (kind, child, index).
struct Notifications {
    explicit Notifications(TZmCustomItem* parent) : spy(parent, &TZmCustomItem::ItemsChanged) {}
    QList<TZmChangeKind> Kinds() const
    {
        QList<TZmChangeKind> out;
        for (const QList<QVariant>& n : spy)
            out << n[0].value<TZmChangeKind>();
        return out;
    }
    QSignalSpy spy;
};

QStringList Captions(const TZmCustomItem* parent)
{
    QStringList out;
    for (int i = 0; i < parent->Count(); ++i)
        out << parent->Items(i)->Caption();
    return out;
}

TZmItem* NewItem(QObject* owner, const QString& caption, TZmCustomItem* parent = nullptr)
{
    auto* item = new TZmItem(owner);
    item->SetCaption(caption);
    if (parent)
        parent->Add(item);
    return item;
}

} // namespace

class tst_ZmItems : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<TZmChangeKind>(); }

    void defaults()
    {
        QObject owner;
        TZmItem item(&owner);
        QCOMPARE(item.ItemStyle(), TZmItemStyle(6146));
        QVERIFY(item.Enabled());
        QVERIFY(item.Visible());
        QVERIFY(!item.Checked());
        QVERIFY(!item.AutoCheck());
        QCOMPARE(item.ImageIndex(), -1);
        QCOMPARE(item.GroupIndex(), 0);
        QCOMPARE(item.HelpContext(), 0);
        QCOMPARE(item.DisplayMode(), zmdmDefault);
        QVERIFY(item.InheritOptions());
        QVERIFY(item.Options() == TZmItemOptions());
        QVERIFY(item.ShortCut().isEmpty());
        QCOMPARE(item.Break(), zmbNone);
        QVERIFY(!item.OnClick && !item.OnPopup && !item.OnSelect);
        QCOMPARE(TZmSubmenuItem().ItemStyle(), TZmItemStyle(6146 + 1 + 128));
        // Separators: never selectable, not executed by a release.
        QCOMPARE(TZmSeparatorItem().ItemStyle(), TZmItemStyle(4 + 16));

        item.SetHint(QStringLiteral("Short|The long one"));
        QCOMPARE(item.ShortHint(), QStringLiteral("Short"));
        QCOMPARE(item.LongHint(), QStringLiteral("The long one"));
        item.SetHint(QStringLiteral("Both"));
        QCOMPARE(item.ShortHint(), QStringLiteral("Both"));
        QCOMPARE(item.LongHint(), QStringLiteral("Both"));
    }

    void childListAndItsErrors()
    {
        QObject owner;
        TZmRootItem root(&owner);
        TZmItem* a = NewItem(&owner, QStringLiteral("A"), &root);
        TZmItem* c = NewItem(&owner, QStringLiteral("C"), &root);
        TZmItem* b = NewItem(&owner, QStringLiteral("B"));

        Notifications n(&root);
        root.Insert(1, b);
        QCOMPARE(Captions(&root), (QStringList{"A", "B", "C"}));
        QCOMPARE(b->Parent(), &root);
        QCOMPARE(n.Kinds(), (QList<TZmChangeKind>{zccBeginUpdate, zccInserted, zccEndUpdate}));
        QCOMPARE(n.spy[1][1].value<TZmCustomItem*>(), b);
        QCOMPARE(n.spy[1][2].toInt(), 1);
        QCOMPARE(root.IndexOf(c), 2);
        QCOMPARE(root.IndexOf(&root), -1);

        // Refusals leave the list as it was and tell nobody.
        n.spy.clear();
        const auto error = [](auto action) -> QString {
            try {
                action();
            } catch (const EZmItemError& e) {
                return e.Message();
            }
            return QString();
        };
        const QString inserted = QStringLiteral("Toolbar item already inserted");
        const QString range = QStringLiteral("Toolbar item index out of range");
        TZmItem* d = NewItem(&owner, QStringLiteral("D"));
        QCOMPARE(error([&] { root.Add(a); }), inserted);
        QCOMPARE(error([&] { root.Insert(0, b); }), inserted);
        QCOMPARE(error([&] { root.Insert(4, d); }), range);
        QCOMPARE(error([&] { root.Insert(-1, d); }), range);
        QCOMPARE(error([&] { root.Delete(3); }), range);
        QCOMPARE(error([&] { root.Delete(-1); }), range);
        // An item cannot end up inside itself.
        QCOMPARE(error([&] { a->Add(&root); }),
                 QStringLiteral("Toolbar item cannot contain itself"));
        QCOMPARE(Captions(&root), (QStringList{"A", "B", "C"}));
        QVERIFY(n.spy.isEmpty());
        QCOMPARE(d->Parent(), nullptr);
        root.Insert(3, d); // the end is a valid place
        root.Delete(3);

        // Delete tells the listeners first; the item lives on, parentless.
        n.spy.clear();
        root.Delete(1);
        QCOMPARE(n.Kinds(), (QList<TZmChangeKind>{zccDeleting}));
        QCOMPARE(n.spy[0][1].value<TZmCustomItem*>(), b);
        QCOMPARE(Captions(&root), (QStringList{"A", "C"}));
        QCOMPARE(b->Parent(), nullptr);
        root.Add(b); // and may be inserted again
        QCOMPARE(Captions(&root), (QStringList{"A", "C", "B"}));
    }

    void settersNotifyOnlyOnChange()
    {
        QObject owner;
        TZmRootItem root(&owner);
        TZmItem* item = NewItem(&owner, QStringLiteral("Same"), &root);
        Notifications n(&root);

        item->SetCaption(QStringLiteral("Same"));
        item->SetChecked(false);
        item->SetEnabled(true);
        item->SetVisible(true);
        item->SetImageIndex(-1);
        QVERIFY(n.spy.isEmpty());

        // Captions and visibility re-measure; checks and enabling redraw.
        item->SetCaption(QStringLiteral("Other"));
        item->SetChecked(true);
        item->SetEnabled(false);
        item->SetVisible(false);
        QCOMPARE(n.Kinds(), (QList<TZmChangeKind>{zccInvalidateAndResize, zccInvalidate,
                                                  zccInvalidate, zccInvalidateAndResize}));
        for (const QList<QVariant>& args : std::as_const(n.spy))
            QCOMPARE(args[1].value<TZmCustomItem*>(), item);
    }

    void radioGroups()
    {
        QObject owner;
        TZmRootItem root(&owner);
        QList<TZmItem*> items;
        for (int group : {3, 3, 3, 0, 5})
            (items << NewItem(&owner, QString::number(group), &root)).last()->SetGroupIndex(group);
        for (TZmItem* i : std::as_const(items))
            i->SetChecked(true); // checking each group member in turn
        // Only the last checked of group 3 stays; other groups untouched.
        QCOMPARE(items[0]->Checked(), false);
        QCOMPARE(items[1]->Checked(), false);
        QCOMPARE(items[2]->Checked(), true);
        QCOMPARE(items[3]->Checked(), true);
        QCOMPARE(items[4]->Checked(), true);
        items[0]->SetChecked(true);
        QVERIFY(!items[2]->Checked());
        QVERIFY(items[4]->Checked());
        // Group 0 is no group.
        TZmItem* other = NewItem(&owner, QStringLiteral("x"), &root);
        other->SetChecked(true);
        QVERIFY(items[3]->Checked());
        // Unchecking unchecks nothing else.
        items[0]->SetChecked(false);
        QVERIFY(!items[1]->Checked() && !items[2]->Checked());
    }

    void clickOnlyWhenEnabled()
    {
        QObject owner;
        TZmItem item(&owner);
        int clicks = 0;
        QObject* sender = nullptr;
        item.OnClick = [&](QObject* s) {
            ++clicks;
            sender = s;
        };
        item.SetAutoCheck(true);
        item.Click();
        QCOMPARE(clicks, 1);
        QCOMPARE(sender, &item);
        QVERIFY(item.Checked()); // toggled before OnClick
        item.SetEnabled(false);
        item.Click();
        QCOMPARE(clicks, 1);
        QVERIFY(item.Checked());
        // Unassigned OnClick: a click only toggles.
        TZmItem plain(&owner);
        plain.SetAutoCheck(true);
        plain.Click();
        QVERIFY(plain.Checked());
    }

    void submenuPopupThenClick()
    {
        QObject owner;
        TZmSubmenuItem submenu(&owner);
        QStringList log;
        submenu.OnPopup = [&](TZmCustomItem* sender, bool fromLink) {
            QCOMPARE(sender, &submenu);
            log << (fromLink ? QStringLiteral("popup-link") : QStringLiteral("popup"));
        };
        submenu.OnClick = [&](QObject*) {
            log << QStringLiteral("click");
        };
        submenu.DoPopup(&submenu, false);
        QCOMPARE(log, (QStringList{"popup", "click"}));
        // A drop-down combo opens without clicking.
        log.clear();
        submenu.SetDropdownCombo(true);
        QCOMPARE(submenu.ItemStyle() & zisDropdownCombo, TZmItemStyle(zisDropdownCombo));
        submenu.DoPopup(&submenu, false);
        QCOMPARE(log, (QStringList{"popup"}));
    }

    void menuPopupEventAndRootProperties()
    {
        QObject owner;
        TZmPopupMenu menu(&owner);
        QObject* sender = nullptr;
        menu.OnPopup = [&](QObject* s) {
            sender = s;
        };
        // Raising the root item's popup raises the menu's, as the menu.
        menu.Items()->DoPopup(menu.Items(), false);
        QCOMPARE(sender, &menu);
        TImageList images(16, 16);
        menu.SetImages(&images);
        QCOMPARE(menu.Items()->Images(), &images);
        menu.SetOptions(zmoDefault);
        QCOMPARE(menu.Items()->Options(), TZmItemOptions(zmoDefault));
        QCOMPARE(menu.Alignment(), paLeft);
        QCOMPARE(menu.TrackButton(), tbRightButton);
        // Children take the menu's images unless they have their own.
        TZmItem* child = NewItem(&owner, QStringLiteral("c"), menu.Items());
        QCOMPARE(child->EffectiveImages(), &images);
        TImageList own(8, 8);
        child->SetImages(&own);
        QCOMPARE(child->EffectiveImages(), &own);
    }

    void shortcutDispatch()
    {
        QObject owner;
        TZmPopupMenu menu(&owner);
        TZmItem* top = NewItem(&owner, QStringLiteral("Top"), menu.Items());
        top->SetShortCut(QKeySequence(Qt::CTRL | Qt::Key_T));
        auto* submenu = new TZmSubmenuItem(&owner);
        menu.Items()->Add(submenu);
        TZmItem* inner = NewItem(&owner, QStringLiteral("Inner"), submenu);
        inner->SetShortCut(QKeySequence(Qt::CTRL | Qt::Key_I));
        QStringList log;
        top->OnClick = [&](QObject*) {
            log << QStringLiteral("top");
        };
        inner->OnClick = [&](QObject*) {
            log << QStringLiteral("inner");
        };
        // The submenu's popup comes first, so handlers can update children.
        submenu->OnPopup = [&](TZmCustomItem*, bool) {
            log << QStringLiteral("popup");
        };

        QVERIFY(menu.IsShortCut(Qt::CTRL | Qt::Key_T));
        QVERIFY(menu.IsShortCut(Qt::CTRL | Qt::Key_I));
        QCOMPARE(log, (QStringList{"top", "popup", "inner"}));
        QVERIFY(!menu.IsShortCut(Qt::CTRL | Qt::Key_X));

        // Under a disabled submenu: not dispatched, and not opened either.
        log.clear();
        submenu->SetEnabled(false);
        QVERIFY(!menu.IsShortCut(Qt::CTRL | Qt::Key_I));
        QVERIFY(log.isEmpty());
        // A disabled match ends the search: not handled.
        submenu->SetEnabled(true);
        inner->SetEnabled(false);
        QVERIFY(!menu.IsShortCut(Qt::CTRL | Qt::Key_I));
        QCOMPARE(log, (QStringList{"popup"}));
    }

    void destructionAndPendingClick()
    {
        const int before = TZmCustomItem::LiveItemCount();
        auto owner = std::make_unique<QObject>();
        auto* root = new TZmRootItem(owner.get());
        TZmSubmenuItem* sub = new TZmSubmenuItem(owner.get());
        root->Add(sub);
        QPointer<TZmItem> child = NewItem(owner.get(), QStringLiteral("child"), sub);
        QPointer<TZmItem> clicked = NewItem(owner.get(), QStringLiteral("clicked"), root);
        QCOMPARE(TZmCustomItem::LiveItemCount(), before + 4);

        int clicks = 0;
        clicked->OnClick = [&](QObject*) {
            ++clicks;
        };
        TZmDispatcher::PostClick(clicked);
        QVERIFY(TZmDispatcher::Exists());
        QCOMPARE(TZmDispatcher::PendingItem(), clicked.data());
        QCoreApplication::processEvents();
        QCOMPARE(clicks, 1);
        QCOMPARE(TZmDispatcher::PendingItem(), nullptr);

        // An item destroyed before its click arrives: the click does nothing.
        TZmDispatcher::PostClick(clicked);
        delete clicked.data();
        QCOMPARE(TZmDispatcher::PendingItem(), nullptr);
        QCoreApplication::processEvents();
        QCOMPARE(clicks, 1);

        // A destroyed submenu takes its children along and leaves its parent.
        delete sub;
        QVERIFY(!child);
        QCOMPARE(root->Count(), 0);
        QCOMPARE(TZmCustomItem::LiveItemCount(), before + 1);
        // The dispatcher goes with the last item.
        owner.reset();
        QCOMPARE(TZmCustomItem::LiveItemCount(), before);
        QCOMPARE(TZmDispatcher::Exists(), before > 0);
    }
};

QTEST_GUILESS_MAIN(tst_ZmItems)
#include "tst_ZmItems.moc"
