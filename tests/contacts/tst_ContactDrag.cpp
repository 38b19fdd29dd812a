// Dragging contacts with the real pointer on the X display: the whole
// path from the press through Qt's drag to the drop and the end of drag.

#include "ContactFixture.h"
#include "ZentroTest.h"

#include <QProcess>
#include <QTimer>

namespace {

struct Fixture : TDemoTree {
    QProcess pointer;

    Fixture() : TDemoTree({100, 100}) {}
    ~Fixture()
    {
        pointer.kill();
        pointer.waitForFinished(5000);
    }

    QPoint Screen(const char* name) const
    {
        return Screen(tree->RowRect(tree->FindNode(QLatin1String(name))).center());
    }
    QPoint Screen(QPoint p) const { return tree->viewport()->mapToGlobal(p); }

    // Press at one point, move to the other in small steps, release: run
    // by xdotool while our event loop (and Qt's drag loop) keeps going.
    void Drag(QPoint from, QPoint to)
    {
        QStringList args{QStringLiteral("mousemove"), QString::number(from.x()),
                         QString::number(from.y()),   QStringLiteral("sleep"),
                         QStringLiteral("0.2"),       QStringLiteral("mousedown"),
                         QStringLiteral("1")};
        for (int i = 1; i <= 10; ++i) {
            const QPoint p = from + (to - from) * i / 10;
            args << QStringLiteral("sleep") << QStringLiteral("0.05") << QStringLiteral("mousemove")
                 << QString::number(p.x()) << QString::number(p.y());
        }
        args << QStringLiteral("sleep") << QStringLiteral("0.3") << QStringLiteral("mouseup")
             << QStringLiteral("1");
        pointer.start(QStringLiteral("xdotool"), args);
    }
};

} // namespace

class tst_ContactDrag : public QObject {
    Q_OBJECT
private slots:
    void dragContactsIntoAnotherGroup()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        TContactTree* t = f.tree;
        TContactNode* friends = t->FindNode(QStringLiteral("Friends"));
        t->setCurrentItem(t->FindNode(QStringLiteral("Darvel")));
        t->FindNode(QStringLiteral("Bugs Bunny"))->setSelected(true);

        // Watch the drop target's mark while the drag runs.
        bool friendsMarked = false;
        QTimer watch;
        watch.setInterval(10);
        connect(&watch, &QTimer::timeout, &watch, [&] { friendsMarked |= friends->Focused; });
        watch.start();

        f.Drag(f.Screen("Bugs Bunny"), f.Screen("user2"));
        QTRY_VERIFY_WITH_TIMEOUT(f.pointer.state() == QProcess::NotRunning, 15000);
        QTRY_COMPARE(friends->childCount(), 5);
        QVERIFY(friendsMarked);
        QCOMPARE(Names(friends), QStringList({QStringLiteral("Bugs Bunny"),
                                              QStringLiteral("Darvel"), QStringLiteral("kop318"),
                                              QStringLiteral("user1"), QStringLiteral("user2")}));
        QVERIFY(friends->Expanded());
        QCOMPARE(t->Selections(), QList<TContactNode*>{friends});
        QTRY_VERIFY(!friends->Focused); // the end of the drag clears the marks
    }

    void dropOnEmptySpaceMovesNothing()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        TContactTree* t = f.tree;
        TContactNode* friends = t->FindNode(QStringLiteral("Friends"));
        t->setCurrentItem(t->FindNode(QStringLiteral("Darvel")));

        bool friendsMarked = false;
        QTimer watch;
        watch.setInterval(10);
        connect(&watch, &QTimer::timeout, &watch, [&] { friendsMarked |= friends->Focused; });
        watch.start();

        // Over the contacts of Friends, then on below the last row, and let
        // go there.
        f.Drag(f.Screen("Darvel"), f.Screen(QPoint(60, 300)));
        QTRY_VERIFY_WITH_TIMEOUT(f.pointer.state() == QProcess::NotRunning, 15000);
        QTRY_VERIFY(friendsMarked);
        QTRY_VERIFY(!friends->Focused);
        QCOMPARE(friends->childCount(), 4);
        QCOMPARE(t->FindNode(QStringLiteral("Enemies"))->childCount(), 4);
        QCOMPARE(t->Selections(), QList<TContactNode*>{t->FindNode(QStringLiteral("Darvel"))});
    }
};

ZENTRO_TEST_MAIN(tst_ContactDrag)
#include "tst_ContactDrag.moc"
