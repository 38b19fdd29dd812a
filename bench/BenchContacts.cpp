// The contact tree at scale: 100 groups of 100 contacts built and sorted,
// a drop of 1,000 selected contacts, and one full repaint of a visible
// page; side by side with a plain QTreeWidget doing the same work (the
// floor).

#include "BenchCommon.h"
#include "PaintCounter.h"

#include "base/ImageList.h"
#include "contacts/ContactTree.h"
#include "contacts/StatusImages.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QItemSelection>
#include <QTreeWidget>

namespace {

constexpr int Groups = 100;
constexpr int PerGroup = 100;

// Names in no particular order, in mixed case, so that sorting has work.
QString GroupName(int g)
{
    const int n = (g * 37) % Groups;
    return QStringLiteral("%1roup %2")
        .arg(n % 2 ? QLatin1Char('g') : QLatin1Char('G'))
        .arg(n, 3, 10, QLatin1Char('0'));
}

QString ContactName(int g, int c)
{
    const int n = (c * 61 + g * 7) % PerGroup;
    return QStringLiteral("%1ontact %2-%3")
        .arg(n % 3 ? QLatin1Char('c') : QLatin1Char('C'))
        .arg(n, 3, 10, QLatin1Char('0'))
        .arg(g);
}

struct Trees {
    QWidget window;
    TImageList* images;
    TContactTree* tree;
    Trees()
    {
        window.resize(247, 413);
        images = NewStatusImageList(&window);
        tree = new TContactTree(images, &window);
        tree->setGeometry(0, 0, 247, 413);
    }
};

void BuildContacts(TContactTree* tree)
{
    for (int g = 0; g < Groups; ++g) {
        TContactNode* group = tree->AddGroup(GroupName(g));
        for (int c = 0; c < PerGroup; ++c)
            tree->AddContact(group, ContactName(g, c), quint8((g * 13 + c * 29) & 0xFF));
    }
    tree->SortTree();
}

void BuildPlain(QTreeWidget* tree)
{
    for (int g = 0; g < Groups; ++g) {
        auto* group = new QTreeWidgetItem(tree, {GroupName(g)});
        for (int c = 0; c < PerGroup; ++c)
            new QTreeWidgetItem(group, {ContactName(g, c)});
    }
    tree->sortItems(0, Qt::AscendingOrder);
}

void Settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

QList<bench::Row> Run(int runs)
{
    QList<double> build, buildFloor, drop, dropPaints, paint, paintFloor;
    for (int run = 0; run < runs; ++run) {
        {
            Trees t;
            QElapsedTimer timer;
            timer.start();
            BuildContacts(t.tree);
            build << timer.nsecsElapsed() / 1e6;
        }
        {
            QTreeWidget plain;
            QElapsedTimer timer;
            timer.start();
            BuildPlain(&plain);
            buildFloor << timer.nsecsElapsed() / 1e6;
        }
        {
            // 10 contacts of every group selected, dropped on the first.
            Trees t;
            BuildContacts(t.tree);
            for (int g = 0; g < Groups; ++g)
                t.tree->Group(g)->setExpanded(true);
            t.window.show();
            Settle();
            QItemSelection selection;
            const QAbstractItemModel* model = t.tree->model();
            for (int g = 0; g < Groups; ++g)
                selection.select(model->index(40, 0, model->index(g, 0)),
                                 model->index(49, 0, model->index(g, 0)));
            t.tree->selectionModel()->select(selection, QItemSelectionModel::Select);
            Settle();
            TPaintCounter counter;
            t.tree->viewport()->installEventFilter(&counter);
            const QPoint target = t.tree->RowRect(t.tree->Group(0)).center();
            QElapsedTimer timer;
            timer.start();
            t.tree->tvContactsDragDrop(t.tree, target.x(), target.y());
            drop << timer.nsecsElapsed() / 1e6;
            Settle();
            dropPaints << counter.paints;
            // The target's own ten stay where they are.
            if (t.tree->Group(0)->childCount() != PerGroup + 990)
                std::printf("    the drop did not move 990 contacts in\n");
        }
        {
            Trees t;
            BuildContacts(t.tree);
            for (int g = 0; g < Groups; ++g)
                t.tree->Group(g)->setExpanded(true);
            t.tree->scrollToItem(t.tree->Group(50)->Child(20));
            t.window.show();
            Settle();
            QList<double> one;
            for (int i = 0; i < 20; ++i) {
                QElapsedTimer timer;
                timer.start();
                t.tree->viewport()->repaint();
                one << timer.nsecsElapsed() / 1e6;
            }
            paint << bench::Median(one);
        }
        {
            QWidget window;
            window.resize(247, 413);
            auto* plain = new QTreeWidget(&window);
            plain->setGeometry(0, 0, 247, 413);
            BuildPlain(plain);
            plain->expandAll();
            plain->scrollToItem(plain->topLevelItem(50)->child(20));
            window.show();
            Settle();
            QList<double> one;
            for (int i = 0; i < 20; ++i) {
                QElapsedTimer timer;
                timer.start();
                plain->viewport()->repaint();
                one << timer.nsecsElapsed() / 1e6;
            }
            paintFloor << bench::Median(one);
        }
        std::printf("    run %d: build %.1f / %.1f ms, drop %.1f ms (%d paints), repaint %.2f / "
                    "%.2f ms\n",
                    run + 1, build.last(), buildFloor.last(), drop.last(), int(dropPaints.last()),
                    paint.last(), paintFloor.last());
        std::fflush(stdout);
    }
    QList<bench::Row> rows;
    rows << bench::Row{QStringLiteral("contacts: build and sort 100 x 100 (median)"),
                       bench::Median(build),
                       QStringLiteral("ms"),
                       bench::Median(buildFloor),
                       0,
                       50};
    rows << bench::Row{QStringLiteral("contacts: drop of 1,000 selected (median)"),
                       bench::Median(drop),
                       QStringLiteral("ms"),
                       0,
                       0,
                       50};
    double worstPaints = 0;
    for (double p : dropPaints)
        worstPaints = qMax(worstPaints, p);
    rows << bench::Row{QStringLiteral("contacts: repaints per drop (worst run)"),
                       worstPaints,
                       QStringLiteral(""),
                       0,
                       0,
                       1};
    rows << bench::Row{QStringLiteral("contacts: full repaint of a visible page (median)"),
                       bench::Median(paint),
                       QStringLiteral("ms"),
                       bench::Median(paintFloor),
                       0,
                       8};
    return rows;
}

[[maybe_unused]] const bool registered = (bench::Register({QStringLiteral("contacts"), Run}), true);

} // namespace
