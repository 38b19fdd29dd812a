#include "contacts/ContactNode.h"

#include "contacts/Collation.h"
#include "contacts/Presence.h"

#include <QFontMetrics>

TContactNode::TContactNode(const QString& text) : QTreeWidgetItem(NodeType)
{
    setText(0, text);
    setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
}

int TContactNode::Level() const
{
    int level = 0;
    for (const QTreeWidgetItem* p = parent(); p; p = p->parent())
        ++level;
    return level;
}

TContactNode* TContactNode::Group() const
{
    return static_cast<TContactNode*>(parent());
}

TContactNode* TContactNode::Child(int index) const
{
    return static_cast<TContactNode*>(child(index));
}

bool TContactNode::operator<(const QTreeWidgetItem& other) const
{
    if (other.type() != NodeType)
        return QTreeWidgetItem::operator<(other);
    return m_sortKey < static_cast<const TContactNode&>(other).m_sortKey;
}

QVariant TContactNode::data(int column, int role) const
{
    // Rows are at least as high as the status pictures.
    if (role == Qt::SizeHintRole && treeWidget())
        return QSize(0, qMax(16, QFontMetrics(treeWidget()->font()).height() + 3));
    // Assistive tools hear a contact's presence after its name.
    if (role == Qt::AccessibleDescriptionRole && column == 0 && IsContact())
        return DescribePresence(quint8(ImageIndex));
    return QTreeWidgetItem::data(column, role);
}

void TContactNode::setData(int column, int role, const QVariant& value)
{
    if (column == 0 && (role == Qt::DisplayRole || role == Qt::EditRole))
        m_sortKey = CollationKey(value.toString());
    QTreeWidgetItem::setData(column, role, value);
}
