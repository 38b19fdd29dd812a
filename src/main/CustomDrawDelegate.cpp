#include "main/CustomDrawDelegate.h"

#include <QPainter>

TCustomDrawDelegate::TCustomDrawDelegate(THandler handler, QObject* parent)
    : QStyledItemDelegate(parent), m_handler(std::move(handler))
{
}

void TCustomDrawDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const
{
    QStyleOptionViewItem state = option;
    initStyleOption(&state, index);
    painter->save();
    m_handler(*painter, index, state);
    painter->restore();
}
