// The popup-menu component: time from the pop-up request to the first
// paint of a 14-item context menu, beside the platform's own menu (QMenu)
// of the same items, and the heap one open menu takes.

#include "BenchCommon.h"

#include "popup/ZmItem.h"
#include "popup/ZmPopupMenu.h"
#include "popup/ZmRootItem.h"
#include "popup/ZmSeparatorItem.h"
#include "popup/ZmSubmenuItem.h"
#include "popup/internal/ZmPopupWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

#include <functional>
#include <malloc.h>

namespace {

constexpr int SamplesPerRun = 10;
const QPoint At(300, 200);

double HeapKiB()
{
    return double(mallinfo2().uordblks) / 1024.0;
}

// The contact context menu's shape: a submenu of four, nine items and two
// separators.
const QStringList Captions{QStringLiteral("Chat with user(s) using ..."),
                           QStringLiteral("Start a Conference"),
                           QStringLiteral("Invite to ZentroConference"),
                           QStringLiteral("-"),
                           QStringLiteral("Add Contact"),
                           QStringLiteral("Edit Contact"),
                           QStringLiteral("Delete Contact"),
                           QStringLiteral("-"),
                           QStringLiteral("Send e-mail"),
                           QStringLiteral("Send SMS"),
                           QStringLiteral("Show Captions"),
                           QStringLiteral("Large Icons"),
                           QStringLiteral("Customize"),
                           QStringLiteral("Exit")};
const QStringList SubmenuCaptions{QStringLiteral("ZentroChat"), QStringLiteral("Yahoo Messenger"),
                                  QStringLiteral("MSN Messenger"), QStringLiteral("ICQ Chat")};

struct Sample {
    double ms = 0;
    double heapKiB = 0;
};

// Watches for popup windows being shown and reports their first paint.
class TFirstPaintWatch : public QObject {
public:
    std::function<void(TZmPopupWindow*)> OnPainted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            if (auto* w = qobject_cast<TZmPopupWindow*>(watched))
                connect(w, &TZmPopupWindow::FirstPainted, this, [this, w] { OnPainted(w); });
        return false;
    }
};

Sample MeasureZm(TZmPopupMenu& menu)
{
    Sample s;
    TFirstPaintWatch watch;
    qint64 painted = 0;
    double heap = 0;
    watch.OnPainted = [&](TZmPopupWindow* w) {
        painted = bench::MonotonicNs();
        heap = HeapKiB();
        // Close it as a user would: Escape.
        QCoreApplication::postEvent(w, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
    };
    qApp->installEventFilter(&watch);
    const double heap0 = HeapKiB();
    const qint64 t0 = bench::MonotonicNs();
    menu.Popup(At);
    qApp->removeEventFilter(&watch);
    s.ms = (painted - t0) / 1e6;
    s.heapKiB = heap - heap0;
    return s;
}

// The floor: the platform's menu with the same items, measured the same
// way.
class TFloorMenu : public QMenu {
public:
    TFloorMenu()
    {
        for (const QString& c : Captions) {
            if (c == QLatin1String("-")) {
                addSeparator();
            } else if (c == Captions.first()) {
                QMenu* sub = addMenu(c);
                for (const QString& s : SubmenuCaptions)
                    sub->addAction(s);
            } else {
                addAction(c);
            }
        }
    }

    Sample Measure()
    {
        m_painted = 0;
        const qint64 t0 = bench::MonotonicNs();
        exec(At);
        return {(m_painted - t0) / 1e6, 0};
    }

protected:
    void paintEvent(QPaintEvent* e) override
    {
        QMenu::paintEvent(e);
        if (m_painted)
            return;
        m_painted = bench::MonotonicNs();
        QTimer::singleShot(0, this, &QMenu::close);
    }

private:
    qint64 m_painted = 0;
};

QList<bench::Row> Run(int runs)
{
    QObject owner;
    TZmPopupMenu menu(&owner);
    for (const QString& c : Captions) {
        if (c == QLatin1String("-")) {
            menu.Items()->Add(new TZmSeparatorItem(&owner));
            continue;
        }
        TZmCustomItem* item = c == Captions.first()
                                  ? static_cast<TZmCustomItem*>(new TZmSubmenuItem(&owner))
                                  : new TZmItem(&owner);
        item->SetCaption(c);
        menu.Items()->Add(item);
        if (c == Captions.first())
            for (const QString& s : SubmenuCaptions) {
                auto* child = new TZmItem(&owner);
                child->SetCaption(s);
                item->Add(child);
            }
    }

    // One of each first: fonts, styles and code paths warm up.
    TFloorMenu floor;
    MeasureZm(menu);
    floor.Measure();
    QList<double> zMs, zHeap, fMs;
    for (int r = 0; r < runs; ++r) {
        for (int i = 0; i < SamplesPerRun; ++i) {
            const Sample z = MeasureZm(menu);
            const Sample f = floor.Measure();
            zMs << z.ms;
            zHeap << z.heapKiB;
            fMs << f.ms;
        }
        std::printf("    run %d: first paint %.2f / %.2f ms, heap %.1f KiB\n", r + 1,
                    bench::Median(zMs.mid(r * SamplesPerRun)),
                    bench::Median(fMs.mid(r * SamplesPerRun)),
                    bench::Median(zHeap.mid(r * SamplesPerRun)));
        std::fflush(stdout);
    }
    QList<bench::Row> rows;
    rows << bench::Row{QStringLiteral("pop-up request to first paint, 14 items (median)"),
                       bench::Median(zMs),
                       QStringLiteral("ms"),
                       bench::Median(fMs),
                       0,
                       16};
    // No floor for the heap: QMenu keeps its window between pop-ups, ours
    // is made for each pop-up and goes with it.
    rows << bench::Row{QStringLiteral("heap of one open menu (median)"), bench::Median(zHeap),
                       QStringLiteral("KiB")};
    return rows;
}

[[maybe_unused]] const bool registered = (bench::Register({QStringLiteral("popup"), Run}), true);

} // namespace
