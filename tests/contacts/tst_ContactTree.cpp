#include "ContactFixture.h"
#include "PaintCounter.h"
#include "ZentroTest.h"

#include <QAccessible>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

namespace {

const QColor Cream(255, 251, 240);

QStringList Names(const QList<TContactNode*>& nodes)
{
    QStringList out;
    for (const TContactNode* n : nodes)
        out << n->Text();
    return out;
}

// The demo list in a shown tree, both groups expanded unless asked not to.
struct Fixture : TDemoTree {
    TContactNode* friends;
    TContactNode* enemies;

    explicit Fixture(bool expand = true) : TDemoTree({}, expand, expand)
    {
        enemies = tree->Group(0);
        friends = tree->Group(1);
    }

    QPoint Centre(const TContactNode* n) const { return tree->RowRect(n).center(); }
    void Click(const char* name, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, mods, Centre(Node(name)));
    }
    void Drop(const TContactNode* target)
    {
        const QPoint p = Centre(target);
        tree->tvContactsDragDrop(tree, p.x(), p.y());
        tree->tvContactsEndDrag();
    }
    QImage Shot() const
    {
        return tree->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    // A picture of the status list as a row shows it on the cream ground.
    QImage Picture(int index, const QColor& ground = Cream) const
    {
        QImage img(16, 16, QImage::Format_RGB32);
        img.fill(ground);
        QPainter p(&img);
        images->Draw(p, 0, 0, index);
        return img;
    }
    // A text as a row draws it, on its own.
    QImage Text(const QRect& row, const QString& text, QFont font, const QColor& ink,
                const QColor& ground = Cream) const
    {
        QImage img(row.size(), QImage::Format_RGB32);
        img.fill(ground);
        QPainter p(&img);
        p.setFont(font);
        p.setPen(ink);
        p.drawText(QRect(0, 0, row.width(), row.height()),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
        return img;
    }
};

QFont TreeFont(bool bold, bool italic)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

bool IsBlank(const QImage& img, const QRect& r, const QColor& ground = Cream)
{
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (img.pixel(x, y) != ground.rgb())
                return false;
    return true;
}

} // namespace

class tst_ContactTree : public QObject {
    Q_OBJECT
private slots:
    void settings()
    {
        Fixture f;
        TContactTree* t = f.tree;
        QCOMPARE(t->indentation(), 15);
        QCOMPARE(t->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(t->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(t->dragEnabled());
        QVERIFY(t->font().families().contains(QStringLiteral("Arial")));
        QCOMPARE(t->font().pixelSize(), 11);
        QVERIFY(t->font().bold() && t->font().italic());
        QCOMPARE(t->palette().color(QPalette::Base), Cream);
        QVERIFY(t->RowRect(f.friends).height() >= 16);
    }

    void demoListIsSorted()
    {
        Fixture f(false);
        QCOMPARE(f.tree->GroupCount(), 2);
        QCOMPARE(f.enemies->Text(), QStringLiteral("Enemies"));
        QCOMPARE(f.friends->Text(), QStringLiteral("Friends"));
        QVERIFY(!f.enemies->Expanded() && !f.friends->Expanded());
        QCOMPARE(Names(f.friends), QStringList({QStringLiteral("Darvel"), QStringLiteral("kop318"),
                                                QStringLiteral("user1"), QStringLiteral("user2")}));
        QCOMPARE(Names(f.enemies),
                 QStringList({QStringLiteral("Bugs Bunny"), QStringLiteral("Donald Duck"),
                              QStringLiteral("Guffy Duck"), QStringLiteral("Yosemite Sam")}));
        QCOMPARE(f.Node("Darvel")->ImageIndex, 88);
        QCOMPARE(f.Node("kop318")->ImageIndex, 170);
        QCOMPARE(f.Node("user2")->ImageIndex, 84);
        QCOMPARE(f.Node("Donald Duck")->ImageIndex, 91);
        QCOMPARE(f.Node("Yosemite Sam")->ImageIndex, 255);
        QCOMPARE(f.Node("Guffy Duck")->ImageIndex, 0);
    }

    void sortIgnoresCaseAndLocale()
    {
        QLocale::setDefault(QLocale::c());
        Fixture f(false);
        TContactNode* g = f.tree->AddGroup(QStringLiteral("aaa"));
        for (const char* n : {"carol", "Bob", "Dave", "alice"})
            f.tree->AddContact(g, QLatin1String(n), 0);
        f.tree->SortTree();
        QCOMPARE(f.tree->Group(0), g);
        QCOMPARE(Names(g), QStringList({QStringLiteral("alice"), QStringLiteral("Bob"),
                                        QStringLiteral("carol"), QStringLiteral("Dave")}));
    }

    void contactRowPictures()
    {
        Fixture f;
        const QImage shot = f.Shot();
        const int right = f.tree->viewport()->width();
        auto strip = [&](const char* name, int k) {
            const QRect row = f.tree->RowRect(f.Node(name));
            return shot.copy(right - 72 + 18 * k, row.top(), 16, 16);
        };
        // Darvel: online, online, busy, offline.
        const int darvel[] = {1, 4, 8, 9};
        for (int k = 0; k < 4; ++k)
            QCOMPARE(strip("Darvel", k), f.Picture(darvel[k]));
        // Donald Duck has no ICQ account: the fourth slot stays empty.
        QCOMPARE(strip("Donald Duck", 2), f.Picture(8));
        QVERIFY(IsBlank(
            shot, QRect(right - 72 + 54, f.tree->RowRect(f.Node("Donald Duck")).top(), 18, 16)));
        // Yosemite Sam has no accounts at all.
        QVERIFY(IsBlank(shot,
                        QRect(right - 72, f.tree->RowRect(f.Node("Yosemite Sam")).top(), 72, 16)));
        // Offline everywhere: the four offline pictures.
        const int offline[] = {0, 3, 6, 9};
        for (int k = 0; k < 4; ++k)
            QCOMPARE(strip("user1", k), f.Picture(offline[k]));
    }

    void rowTexts()
    {
        Fixture f;
        const QImage shot = f.Shot();
        auto textPart = [&](const TContactNode* n, int from) {
            const QRect row = f.tree->RowRect(n);
            return QRect(from, row.top(), f.tree->viewport()->width() - 72 - from, row.height());
        };
        QFont contact = TreeFont(false, false);
        QFont offline = TreeFont(false, true);
        // Contacts at x = 15, plain; offline ones grey and italic.
        QRect r = textPart(f.Node("Yosemite Sam"), 15);
        QCOMPARE(shot.copy(r), f.Text(r, QStringLiteral("Yosemite Sam"), contact, Qt::black));
        r = textPart(f.Node("user1"), 15);
        QCOMPARE(shot.copy(r), f.Text(r, QStringLiteral("user1"), offline, QColor(192, 192, 192)));
        // Groups at x = 20 in bold italic, after their arrow.
        r = textPart(f.friends, 20);
        QCOMPARE(shot.copy(r),
                 f.Text(r, QStringLiteral("Friends"), TreeFont(true, true), Qt::black));
        const int top = f.tree->RowRect(f.friends).top();
        QCOMPARE(shot.copy(0, top, 16, 16), f.Picture(imgGroupExpanded));
        f.friends->setExpanded(false);
        QCOMPARE(f.Shot().copy(0, top, 16, 16), f.Picture(imgGroupCollapsed));
    }

    void selectedOfflineContactUsesHighlightText()
    {
        Fixture f;
        f.Click("user1");
        QVERIFY(f.Node("user1")->Selected());
        const QPalette& pal = f.tree->palette();
        const QRect row = f.tree->RowRect(f.Node("user1"));
        const QRect r(15, row.top(), 100, row.height());
        QCOMPARE(f.Shot().copy(r),
                 f.Text(r, QStringLiteral("user1"), TreeFont(false, true),
                        pal.color(QPalette::HighlightedText), pal.color(QPalette::Highlight)));
        // Selection stays visible without focus.
        f.tree->clearFocus();
        QCOMPARE(f.Shot().copy(r).pixel(80, 2), pal.color(QPalette::Highlight).rgb());
    }

    void dropTargetGroupIsBlue()
    {
        Fixture f;
        bool accept = false;
        const QPoint over = f.Centre(f.Node("kop318"));
        f.tree->tvContactsDragOver(f.tree, over.x(), over.y(), accept);
        QVERIFY(accept);
        QVERIFY(f.friends->Focused);
        QVERIFY(!f.enemies->Focused && !f.Node("kop318")->Focused);
        const QRect row = f.tree->RowRect(f.friends);
        const QRect r(20, row.top(), 100, row.height());
        QCOMPARE(f.Shot().copy(r),
                 f.Text(r, QStringLiteral("Friends"), TreeFont(true, true), QColor(0, 0, 255)));
        // Blue also while selected.
        f.Click("Friends");
        QCOMPARE(f.Shot().copy(r),
                 f.Text(r, QStringLiteral("Friends"), TreeFont(true, true), QColor(0, 0, 255),
                        f.tree->palette().color(QPalette::Highlight)));
        // Over the other group the mark moves; past the last row it stays.
        const QPoint enemies = f.Centre(f.enemies);
        f.tree->tvContactsDragOver(f.tree, enemies.x(), enemies.y(), accept);
        QVERIFY(f.enemies->Focused && !f.friends->Focused);
        f.tree->tvContactsDragOver(f.tree, 30, 310, accept);
        QVERIFY(f.enemies->Focused);
        f.tree->tvContactsEndDrag();
        QVERIFY(!f.enemies->Focused);
        // Another source is not ours to take.
        bool foreign = false;
        f.tree->tvContactsDragOver(&f.window, enemies.x(), enemies.y(), foreign);
        QVERIFY(!foreign);
        QVERIFY(!f.enemies->Focused);
    }

    void widthChangeMovesIcons()
    {
        Fixture f;
        f.tree->resize(400, 320);
        // Inside the flat bevel's line.
        const int C = f.tree->viewport()->width();
        QCOMPARE(C, 400 - 2 * f.tree->frameWidth());
        const QRect row = f.tree->RowRect(f.Node("Darvel"));
        QCOMPARE(f.Shot().copy(C - 72, row.top(), 16, 16), f.Picture(1));
    }

    void dropOnGroupOrItsContact_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("on Friends") << QStringLiteral("Friends");
        QTest::newRow("on kop318") << QStringLiteral("kop318");
    }
    void dropOnGroupOrItsContact()
    {
        QFETCH(QString, target);
        Fixture f;
        f.Click("Darvel");
        f.Click("Bugs Bunny", Qt::ControlModifier);
        QCOMPARE(Names(f.tree->Selections()),
                 QStringList({QStringLiteral("Bugs Bunny"), QStringLiteral("Darvel")}));
        f.Drop(f.tree->FindNode(target));
        QCOMPARE(Names(f.friends), QStringList({QStringLiteral("Bugs Bunny"),
                                                QStringLiteral("Darvel"), QStringLiteral("kop318"),
                                                QStringLiteral("user1"), QStringLiteral("user2")}));
        QCOMPARE(Names(f.enemies),
                 QStringList({QStringLiteral("Donald Duck"), QStringLiteral("Guffy Duck"),
                              QStringLiteral("Yosemite Sam")}));
        QVERIFY(f.friends->Expanded());
        QCOMPARE(f.tree->CurrentNode(), f.friends);
        QCOMPARE(f.tree->Selections(), QList<TContactNode*>{f.friends});
        QCOMPARE(f.Node("Bugs Bunny")->ImageIndex, 170);
    }

    void dropOnOwnGroupOnlyExpandsAndSelects()
    {
        Fixture f(false);
        f.friends->setExpanded(true);
        f.Click("Darvel");
        f.friends->setExpanded(false);
        f.Drop(f.friends);
        QCOMPARE(Names(f.friends), QStringList({QStringLiteral("Darvel"), QStringLiteral("kop318"),
                                                QStringLiteral("user1"), QStringLiteral("user2")}));
        QVERIFY(f.friends->Expanded());
        QCOMPARE(f.tree->Selections(), QList<TContactNode*>{f.friends});
    }

    void draggedGroupMovesNothing()
    {
        Fixture f(false);
        f.Click("Enemies");
        f.Drop(f.friends);
        QCOMPARE(f.friends->childCount(), 4);
        QCOMPARE(f.enemies->childCount(), 4);
        QVERIFY(!f.friends->Expanded());
        QCOMPARE(f.tree->CurrentNode(), f.friends);
        QCOMPARE(f.tree->Selections(), QList<TContactNode*>{f.friends});
    }

    void emptiedGroupCollapses()
    {
        Fixture f;
        f.Click("Bugs Bunny");
        f.Click("Yosemite Sam", Qt::ShiftModifier);
        QCOMPARE(f.tree->Selections().size(), 4);
        f.Drop(f.friends);
        QCOMPARE(f.enemies->childCount(), 0);
        QVERIFY(!f.enemies->Expanded());
        QCOMPARE(f.friends->childCount(), 8);
        const int top = f.tree->RowRect(f.enemies).top();
        QCOMPARE(f.Shot().copy(0, top, 16, 16), f.Picture(imgGroupCollapsed));
    }

    void dropBelowLastRowMovesNothing()
    {
        Fixture f;
        f.Click("Darvel");
        bool accept = false;
        const QPoint p = f.Centre(f.enemies);
        f.tree->tvContactsDragOver(f.tree, p.x(), p.y(), accept);
        f.tree->tvContactsDragOver(f.tree, 30, 310, accept);
        f.tree->tvContactsDragDrop(f.tree, 30, 310);
        QCOMPARE(f.friends->childCount(), 4);
        QVERIFY(f.enemies->Focused);
        QCOMPARE(f.tree->Selections(), QList<TContactNode*>{f.Node("Darvel")});
        f.tree->tvContactsEndDrag();
        const QRect row = f.tree->RowRect(f.enemies);
        const QRect r(20, row.top(), 100, row.height());
        QCOMPARE(f.Shot().copy(r),
                 f.Text(r, QStringLiteral("Enemies"), TreeFont(true, true), Qt::black));
    }

    void dropRepaintsOnce()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        f.Click("Darvel");
        f.Click("Bugs Bunny", Qt::ControlModifier);
        f.Click("Guffy Duck", Qt::ControlModifier);
        QCoreApplication::processEvents();
        TPaintCounter counter;
        f.tree->viewport()->installEventFilter(&counter);
        f.Drop(f.friends);
        QCOMPARE(counter.paints, 0); // nothing until the event loop runs
        QTRY_COMPARE(counter.paints, 1);
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        QCOMPARE(counter.paints, 1);
    }

    void groupsLeaveAContactSelection()
    {
        Fixture f;
        f.Click("Friends");
        f.Click("Darvel", Qt::ControlModifier);
        QCOMPARE(f.tree->Selections(), QList<TContactNode*>{f.Node("Darvel")});
        f.Click("Enemies", Qt::ControlModifier);
        QCOMPARE(f.tree->Selections(), QList<TContactNode*>{f.Node("Darvel")});
        QVERIFY(!f.enemies->Selected());
        // Groups alone may be selected together.
        f.Click("Enemies");
        f.Click("Friends", Qt::ControlModifier);
        QCOMPARE(f.tree->Selections(), (QList<TContactNode*>{f.friends, f.enemies}));
    }

    void selectionListIsMostRecentFirst()
    {
        Fixture f;
        f.Click("Darvel");
        f.Click("user2", Qt::ControlModifier);
        f.Click("kop318", Qt::ControlModifier);
        QCOMPARE(Names(f.tree->Selections()),
                 QStringList({QStringLiteral("kop318"), QStringLiteral("user2"),
                              QStringLiteral("Darvel")}));
        f.Click("user2", Qt::ControlModifier); // toggled off
        QCOMPARE(Names(f.tree->Selections()),
                 QStringList({QStringLiteral("kop318"), QStringLiteral("Darvel")}));
    }

    void rightClickKeepsTheSelection()
    {
        Fixture f;
        f.Click("Darvel");
        QTest::mouseClick(f.tree->viewport(), Qt::RightButton, {}, f.Centre(f.Node("user1")));
        QCOMPARE(f.tree->Selections(), QList<TContactNode*>{f.Node("Darvel")});
        QCOMPARE(f.tree->CurrentNode(), f.Node("Darvel"));
    }

    void arrowTogglesGroup()
    {
        Fixture f(false);
        const QRect row = f.tree->RowRect(f.friends);
        QTest::mouseClick(f.tree->viewport(), Qt::LeftButton, {}, QPoint(7, row.center().y()));
        QVERIFY(f.friends->Expanded());
        QTest::mouseClick(f.tree->viewport(), Qt::LeftButton, {}, QPoint(7, row.center().y()));
        QVERIFY(!f.friends->Expanded());
    }

    void doubleClickIsOffered()
    {
        Fixture f;
        int clicks = 0;
        connect(f.tree, &TContactTree::DblClick, f.tree, [&] { ++clicks; });
        QTest::mouseDClick(f.tree->viewport(), Qt::LeftButton, {}, f.Centre(f.Node("Darvel")));
        QCOMPARE(clicks, 1);
    }

    void hints()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        const int y = f.Centre(f.Node("Darvel")).y();
        f.tree->tvContactsMouseMove(40, y);
        QCOMPARE(f.tree->Hint(), QStringLiteral("Darvel"));
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("Darvel"));
        // Every pixel of the four icon columns names its network, with or
        // without a scroll bar beside them.
        const auto columns = [&f](int y) {
            const int C = f.tree->viewport()->width();
            const QStringList suffix = {
                QStringLiteral(" - Zentro Status"), QStringLiteral(" - Yahoo Status"),
                QStringLiteral(" - MSN Status"), QStringLiteral(" - ICQ Status")};
            for (int k = 0; k < 4; ++k) {
                for (const int dx : {0, 8, 17}) {
                    f.tree->tvContactsMouseMove(C - 72 + 18 * k + dx, y);
                    QCOMPARE(f.tree->Hint(), QStringLiteral("Darvel") + suffix[k]);
                }
            }
        };
        columns(y);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Darvel - ICQ Status"));
        // A group row is named only; over empty space there is no hint.
        f.tree->tvContactsMouseMove(f.tree->viewport()->width() - 10, f.Centre(f.friends).y());
        QCOMPARE(f.tree->Hint(), QStringLiteral("Friends"));
        f.tree->tvContactsMouseMove(40, 310);
        QCOMPARE(f.tree->Hint(), QString());
        QTRY_VERIFY(!QToolTip::isVisible());

        f.tree->resize(f.tree->width(), 60);
        f.tree->scrollToItem(f.Node("Darvel"));
        QTRY_VERIFY(f.tree->verticalScrollBar()->isVisible());
        columns(f.Centre(f.Node("Darvel")).y());
    }

    void presenceIsAccessible()
    {
        Fixture f;
        QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(f.tree);
        QVERIFY(tree);
        QMap<QString, QString> described;
        std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* i) {
            for (int c = 0; c < i->childCount(); ++c) {
                QAccessibleInterface* child = i->child(c);
                if (!child)
                    continue;
                if (child->role() == QAccessible::TreeItem)
                    described.insert(child->text(QAccessible::Name),
                                     child->text(QAccessible::Description));
                walk(child);
            }
        };
        walk(tree);
        QCOMPARE(described.value(QStringLiteral("Darvel")),
                 QStringLiteral("Zentro: online, Yahoo: online, MSN: busy, ICQ: offline"));
        QCOMPARE(described.value(QStringLiteral("Donald Duck")),
                 QStringLiteral("Zentro: online, Yahoo: online, MSN: busy"));
        QVERIFY(described.contains(QStringLiteral("Friends")));
    }
};

ZENTRO_TEST_MAIN(tst_ContactTree)
#include "tst_ContactTree.moc"
