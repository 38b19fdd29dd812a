#include "base/TabLeaves.h"

#include <QAbstractItemView>
#include <QShortcut>

namespace {

void MoveCell(QAbstractItemView* view, bool forward)
{
    const QAbstractItemModel* model = view->model();
    const QModelIndex at = view->currentIndex();
    const int rows = model->rowCount(at.parent());
    const int columns = model->columnCount(at.parent());
    if (rows == 0 || columns == 0)
        return;
    int cell = at.isValid() ? at.row() * columns + at.column() : (forward ? -1 : 0);
    cell = ((cell + (forward ? 1 : -1)) % (rows * columns) + rows * columns) % (rows * columns);
    view->setCurrentIndex(model->index(cell / columns, cell % columns, at.parent()));
}

} // namespace

void LetTabLeave(QAbstractItemView* view)
{
    view->setTabKeyNavigation(false);
    for (const bool forward : {true, false}) {
        const QKeySequence key = forward ? QKeySequence(Qt::CTRL | Qt::Key_Tab)
                                         : QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab);
        auto* shortcut = new QShortcut(key, view, nullptr, nullptr, Qt::WidgetShortcut);
        QObject::connect(shortcut, &QShortcut::activated, view,
                         [view, forward] { MoveCell(view, forward); });
    }
}
