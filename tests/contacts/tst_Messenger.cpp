#include "app/Application.h"
#include "base/FadeIn.h"
#include "base/HintStyle.h"
#include "base/ImageList.h"
#include "contacts/ContactTree.h"
#include "contacts/uMessenger.h"

#include "ZentroTest.h"

#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>

namespace {

class PaintRegions : public QObject {
public:
    QRegion painted;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

TfMessenger* OpenMessenger()
{
    fMessenger = new TfMessenger();
    return fMessenger;
}

} // namespace

class tst_Messenger : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        delete fMessenger;
        QVERIFY(!fMessenger);
    }

    void creation()
    {
        SetApplicationHintDelay(DefaultHintDelay);
        TfMessenger* m = OpenMessenger();
        QCOMPARE(ApplicationHintDelay(), 1);
        QCOMPARE(m->windowTitle(), QStringLiteral("Zentro Messenger"));
        // Off the taskbar by a window state, not as a tool window, which
        // window managers keep above the chat windows.
        QCOMPARE(m->windowType(), Qt::Window);
        // Its designed place, kept inside the work area.
        const QRect area = m->screen()->availableGeometry();
        QCOMPARE(m->pos(), QPoint(542, qMin(356, area.bottom() + 1 - m->height())));
        QVERIFY(m->isVisible());
        QVERIFY(m->Fade->Running());
        QTRY_VERIFY(!m->Fade->Running());
        QCOMPARE(m->windowOpacity(), 1.0);
        // The demo list, both groups collapsed.
        QCOMPARE(m->tvContacts->GroupCount(), 2);
        QCOMPARE(m->tvContacts->Group(0)->Text(), QStringLiteral("Enemies"));
        QVERIFY(!m->tvContacts->Group(0)->Expanded() && !m->tvContacts->Group(1)->Expanded());
        QCOMPARE(m->ilStatus->Count(), 14);
    }

    void layout()
    {
        TfMessenger* m = OpenMessenger();
        QVERIFY(QTest::qWaitForWindowExposed(m));
        QCOMPARE(m->tvContacts->size(), QSize(247, 413));
        QCOMPARE(m->tvContacts->pos(), QPoint(0, 0));
        QCOMPARE(m->Panel1->height(), 27);
        QCOMPARE(m->StatusBar1->height(), 19);
        QCOMPARE(m->tvContacts->geometry().bottom() + 1, m->Panel1->geometry().top());
        const auto labels = m->StatusBar1->findChildren<QLabel*>();
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.first()->text(),
                 QStringLiteral("TODO: Does this window need ADVERTISING?"));
        QCOMPARE(m->Label1->text(), QStringLiteral("My Status"));
        QCOMPARE(m->Label1->pos(), QPoint(4, 8));
        QCOMPARE(m->cbStatus->geometry(), QRect(56, 4, 185, 21));
        QVERIFY(!m->cbStatus->isEditable());
        QCOMPARE(m->cbStatus->count(), 4);
        QCOMPARE(m->cbStatus->itemText(0), QStringLiteral("Fucked up"));
        QCOMPARE(m->cbStatus->itemText(1), QStringLiteral("Dead"));
        QCOMPARE(m->cbStatus->itemText(2), QStringLiteral("Still alive, but dying"));
        QCOMPARE(m->cbStatus->itemText(3), QStringLiteral("Weird"));
        QCOMPARE(m->cbStatus->currentIndex(), 0);
        QStringList menu;
        for (const QAction* a : m->menuBar()->actions())
            menu << a->text();
        QCOMPARE(menu, QStringList{QStringLiteral("View")});
        QVERIFY(m->MessengerMode1->isChecked());
        QVERIFY(m->N1->isSeparator());
    }

    void enlargingGrowsOnlyTheTree()
    {
        TfMessenger* m = OpenMessenger();
        QVERIFY(QTest::qWaitForWindowExposed(m));
        QTRY_VERIFY(!m->Fade->Running());
        PaintRegions regions;
        m->tvContacts->viewport()->installEventFilter(&regions);
        m->resize(m->size() + QSize(100, 60));
        QTRY_COMPARE(m->tvContacts->size(), QSize(347, 473));
        QCOMPARE(m->Panel1->height(), 27);
        QCOMPARE(m->StatusBar1->height(), 19);
        QCOMPARE(m->cbStatus->geometry(), QRect(56, 4, 185, 21));
        // Every row is painted again, not only the new strip.
        QTRY_VERIFY(regions.painted.contains(m->tvContacts->viewport()->rect()));
    }

    void statusChoiceChangesNothingElse()
    {
        TfMessenger* m = OpenMessenger();
        m->cbStatus->setCurrentIndex(1);
        QCOMPARE(m->cbStatus->currentText(), QStringLiteral("Dead"));
        QCOMPARE(fMessenger, m);
        QCOMPARE(m->tvContacts->Selections().size(), 0);
        QCOMPARE(m->windowTitle(), QStringLiteral("Zentro Messenger"));
    }

    void closingFreesAndReopeningStartsAfresh()
    {
        QPointer<TfMessenger> m = OpenMessenger();
        TContactTree* t = m->tvContacts;
        t->Group(1)->setExpanded(true);
        t->setCurrentItem(t->FindNode(QStringLiteral("Darvel")));
        const QPoint target = t->RowRect(t->Group(0)).center();
        t->tvContactsDragDrop(t, target.x(), target.y());
        QCOMPARE(t->Group(0)->childCount(), 5);
        m->cbStatus->setCurrentIndex(3);

        m->Close1->trigger();
        QTRY_VERIFY(m.isNull());
        QVERIFY(!fMessenger);

        TfMessenger* again = OpenMessenger();
        QCOMPARE(again->tvContacts->Group(0)->childCount(), 4);
        QCOMPARE(again->tvContacts->Group(1)->childCount(), 4);
        QVERIFY(!again->tvContacts->Group(0)->Expanded());
        QCOMPARE(again->cbStatus->currentIndex(), 0);
    }

    void appBarModeCloses()
    {
        QPointer<TfMessenger> m = OpenMessenger();
        m->AppBarMode1->trigger();
        QTRY_VERIFY(m.isNull());
        QVERIFY(!fMessenger);
    }
};

ZENTRO_TEST_MAIN(tst_Messenger)
#include "tst_Messenger.moc"
