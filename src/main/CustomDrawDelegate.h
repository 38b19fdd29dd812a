#pragma once

#include <QStyledItemDelegate>

#include <functional>

// Hands the drawing of every item of a view to a handler of the window;
// the view's own drawing of the item is off.
class TCustomDrawDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using THandler = std::function<void(QPainter& canvas, const QModelIndex& index,
                                        const QStyleOptionViewItem& state)>;

    TCustomDrawDelegate(THandler handler, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    THandler m_handler;
};
