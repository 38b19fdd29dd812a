#include "contacts/ContactTree.h"

#include "app/uUtils.h"
#include "base/ImageList.h"
#include "base/TColor.h"
#include "base/WindowLook.h"
#include "contacts/Presence.h"
#include "contacts/StatusImages.h"
#include "popup/ZmPopupMenu.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>

namespace {

// What a drag of contacts carries; only this tree reads it.
const QString ContactDragFormat = QStringLiteral("application/x-zentro-contacts");

// Row geometry.
constexpr int GroupTextOffset = 20;
constexpr int ContactTextOffset = 15;
constexpr int IconStripWidth = 72;
constexpr int IconPitch = 18;
constexpr int ContactPointSize = 8;

const TColor TreeColor = clr::Cream;
const TColor DropTargetColor = clr::Blue;
const TColor OfflineColor = clr::Silver;

TContactNode* NodeOf(QTreeWidgetItem* item)
{
    return static_cast<TContactNode*>(item);
}

// Text at (x, y) as its top-left corner, on the canvas brush.
void TextOut(QPainter& canvas, int x, int y, const QString& text)
{
    const QFontMetrics fm(canvas.font(), canvas.device());
    canvas.setBackgroundMode(Qt::OpaqueMode);
    canvas.setBackground(canvas.brush());
    canvas.drawText(QRect(x, y, fm.horizontalAdvance(text), fm.height()),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, text);
    canvas.setBackgroundMode(Qt::TransparentMode);
}

} // namespace

TContactTree::TContactTree(TImageList* images, QWidget* parent)
    : QTreeWidget(parent), ilStatus(images)
{
    // No border, a flat bevel: one thin line.
    setStyleSheet(QStringLiteral("QTreeView { border: 1px solid palette(mid); }"));
    setColumnCount(1);
    // Named for a screen reader, which reads the hidden header too.
    setHeaderLabel(QStringLiteral("Contacts"));
    setAccessibleName(QStringLiteral("Contacts"));
    setHeaderHidden(true);
    header()->setStretchLastSection(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setIndentation(15);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setAnimated(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    viewport()->setMouseTracking(true);

    setFont(PixelFont(QStringLiteral("Arial"), 11, true, true));

    // Cream background; the selection looks the same with or without focus.
    QPalette pal = palette();
    pal.setColor(QPalette::Base, TreeColor.ToQColor(pal));
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    setPalette(pal);

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TContactTree::SelectionChanged);
    connect(ilStatus, &TImageList::Changed, this, &TContactTree::Repaint);
}

TContactNode* TContactTree::AddGroup(const QString& text)
{
    auto* node = new TContactNode(text);
    addTopLevelItem(node);
    return node;
}

TContactNode* TContactTree::AddContact(TContactNode* group, const QString& text, quint8 presence)
{
    auto* node = new TContactNode(text);
    node->ImageIndex = presence;
    group->addChild(node);
    return node;
}

void TContactTree::SortTree()
{
    sortItems(0, Qt::AscendingOrder);
}

TContactNode* TContactTree::Group(int index) const
{
    return NodeOf(topLevelItem(index));
}

TContactNode* TContactTree::FindNode(const QString& text) const
{
    TContactNode* found = nullptr;
    ForEachNode([&](TContactNode* n) {
        if (!found && n->Text() == text)
            found = n;
    });
    return found;
}

TContactNode* TContactTree::NodeAt(int X, int Y) const
{
    return NodeOf(itemAt(X, Y));
}

TContactNode* TContactTree::CurrentNode() const
{
    if (m_popupIndex.isValid())
        return NodeOf(itemFromIndex(m_popupIndex));
    return NodeOf(currentItem());
}

QRect TContactTree::RowRect(const TContactNode* node) const
{
    const QRect r = visualItemRect(node);
    return QRect(0, r.top(), viewport()->width(), r.height());
}

QList<TContactNode*> TContactTree::Selections() const
{
    QList<TContactNode*> nodes;
    const auto items = selectedItems();
    nodes.reserve(items.size());
    for (QTreeWidgetItem* item : items)
        nodes << NodeOf(item);
    std::stable_sort(nodes.begin(), nodes.end(), [](const TContactNode* a, const TContactNode* b) {
        return a->SelectedAt > b->SelectedAt;
    });
    return nodes;
}

TZmPopupMenu* TContactTree::PopupMenu() const
{
    return m_popupMenu;
}

void TContactTree::SetPopupMenu(TZmPopupMenu* menu)
{
    m_popupMenu = menu;
}

void TContactTree::Repaint()
{
    viewport()->update();
}

void TContactTree::BeginUpdate()
{
    if (m_updateCount++ == 0)
        setUpdatesEnabled(false);
}

void TContactTree::EndUpdate()
{
    if (m_updateCount == 0 || --m_updateCount > 0)
        return;
    // Lay the rows out now, so that the one repaint below finds nothing
    // left to do that would ask for another.
    executeDelayedItemsLayout();
    setUpdatesEnabled(true);
}

template <typename F> void TContactTree::ForEachNode(F visit) const
{
    for (int g = 0; g < topLevelItemCount(); ++g) {
        TContactNode* group = NodeOf(topLevelItem(g));
        visit(group);
        for (int c = 0; c < group->childCount(); ++c)
            visit(group->Child(c));
    }
}

bool TContactTree::ClearMarks()
{
    bool cleared = false;
    ForEachNode([&](TContactNode* n) {
        cleared |= n->Focused;
        n->Focused = false;
    });
    return cleared;
}

// The tree has prepared the canvas: its font, its colour as the brush, and
// the highlight colours for a selected row.
void TContactTree::tvContactsCustomDrawItem(QPainter& Canvas, TContactNode* Node, const QRect& Row,
                                            bool& DefaultDraw) const
{
    if (!Node)
        return;
    const QRect R = Row;
    Canvas.fillRect(R, Canvas.brush());
    QFont font = Canvas.font();

    if (Node->Level() == 0) {
        DefaultDraw = false;
        font.setBold(true);
        font.setItalic(true);
        Canvas.setFont(font);
        if (Node->Focused)
            Canvas.setPen(DropTargetColor.ToQColor(palette()));
        ilStatus->Draw(Canvas, R.left(), R.top(),
                       Node->Expanded() ? imgGroupExpanded : imgGroupCollapsed);
        TextOut(Canvas, R.left() + GroupTextOffset, R.top(), Node->Text());
    } else if (Node->Level() == 1) {
        DefaultDraw = false;
        const quint8 presence = quint8(Node->ImageIndex);
        quint8 v[4];
        SplitPresence(presence, v[0], v[1], v[2], v[3]);
        font.setBold(false);
        font.setItalic(false);
        if (presence == 0) {
            font.setItalic(true);
            if (!Node->Selected())
                Canvas.setPen(OfflineColor.ToQColor(palette()));
        }
        font.setPixelSize(qRound(ContactPointSize * Canvas.device()->logicalDpiY() / 72.0));
        Canvas.setFont(font);
        TextOut(Canvas, R.left() + ContactTextOffset, R.top(), Node->Text());
        const int B = R.left() + R.width() - IconStripWidth;
        for (int k = 0; k < 4; ++k)
            if (v[k] <= 2)
                ilStatus->Draw(Canvas, B + IconPitch * k, R.top(), 3 * k + v[k]);
    }
}

void TContactTree::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const
{
    const bool selected = selectionModel()->isSelected(index);
    const QPalette& pal = palette();
    painter->save();
    painter->setFont(font());
    painter->setBrush(selected ? clr::Highlight.ToQColor(pal) : TreeColor.ToQColor(pal));
    painter->setPen(selected ? clr::HighlightText.ToQColor(pal) : clr::WindowText.ToQColor(pal));
    bool defaultDraw = true;
    const QRect row(0, option.rect.top(), viewport()->width(), option.rect.height());
    tvContactsCustomDrawItem(*painter, NodeOf(itemFromIndex(index)), row, defaultDraw);
    // The right-clicked row is framed while its menu is open, so that the
    // user sees which row was hit without the selection changing.
    if (index == m_popupIndex) {
        painter->setPen(clr::Highlight.ToQColor(pal));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(row.adjusted(0, 0, -1, -1));
    }
    painter->restore();
    if (defaultDraw)
        QTreeWidget::drawRow(painter, option, index);
}

// The expand buttons work but are not drawn: the group arrow shows instead.
void TContactTree::drawBranches(QPainter*, const QRect&, const QModelIndex&) const {}

void TContactTree::SelectionChanged(const QItemSelection& selected, const QItemSelection&)
{
    const auto indexes = selected.indexes();
    for (const QModelIndex& index : indexes)
        NodeOf(itemFromIndex(index))->SelectedAt = ++m_selectionCount;
    tvContactsChange();
}

// Groups leave a selection that holds a contact.
void TContactTree::tvContactsChange()
{
    const auto selected = selectedItems();
    const bool contactSelected = std::any_of(selected.begin(), selected.end(),
                                             [](auto* item) { return NodeOf(item)->IsContact(); });
    if (!contactSelected)
        return;
    QItemSelection groups;
    for (QTreeWidgetItem* item : selected)
        if (NodeOf(item)->IsGroup()) {
            const QModelIndex index = indexFromItem(item);
            groups.select(index, index);
        }
    if (!groups.isEmpty())
        selectionModel()->select(groups, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
}

// The group under the pointer is marked as the drop target; over empty
// space the last mark stays.
void TContactTree::tvContactsDragOver(QObject* Source, int X, int Y, bool& Accept)
{
    if (Source != this)
        return;
    Accept = true;
    TContactNode* T = NodeAt(X, Y);
    if (!T)
        return;
    if (T->IsContact())
        T = T->Group();
    bool changed = false;
    ForEachNode([&](TContactNode* n) {
        changed |= n->Focused != (n == T);
        n->Focused = n == T;
    });
    if (changed)
        Repaint();
}

// The selected contacts move into the group under the pointer, which then
// becomes the current and only selected node; one repaint shows it all.
void TContactTree::tvContactsDragDrop(QObject* Source, int X, int Y)
{
    if (Source != this)
        return;
    TContactNode* T = NodeAt(X, Y);
    if (!T)
        return;
    if (T->IsContact())
        T = T->Group();

    BeginUpdate();
    ClearMarks();
    const auto selected = selectedItems();
    for (QTreeWidgetItem* item : selected)
        if (NodeOf(item)->IsContact())
            NodeOf(item)->Focused = true;

    // The marked contacts in the order they move: groups from the last to
    // the first, in each the children from the last to the first; each
    // becomes the last child of T.
    QList<QTreeWidgetItem*> moving;
    QList<TContactNode*> losers;
    for (int g = GroupCount() - 1; g >= 0; --g) {
        TContactNode* group = Group(g);
        bool marked = false;
        for (int c = group->childCount() - 1; c >= 0; --c)
            if (group->Child(c)->Focused) {
                moving << group->child(c);
                marked = true;
            }
        if (!marked)
            continue;
        // Take the group's children out at once and put back those staying.
        QList<QTreeWidgetItem*> staying = group->takeChildren();
        staying.removeIf([](QTreeWidgetItem* item) { return NodeOf(item)->Focused; });
        group->addChildren(staying);
        if (group != T && staying.isEmpty())
            losers << group;
    }
    T->addChildren(moving);
    for (TContactNode* group : losers)
        group->setExpanded(false);
    if (!moving.isEmpty())
        T->setExpanded(true);

    setCurrentItem(T, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    SortTree();
    EndUpdate();
}

void TContactTree::tvContactsEndDrag()
{
    if (ClearMarks())
        Repaint();
}

void TContactTree::tvContactsMouseMove(int X, int Y)
{
    QString S;
    if (TContactNode* N = NodeAt(X, Y)) {
        S = N->Text();
        // The icon columns, counted from the right edge of the client area
        // (not the outer edge: a scroll bar would cover most of the strip).
        const int C = viewport()->width();
        if (N->IsContact() && X >= C - IconStripWidth) {
            switch ((C - X - 1) / IconPitch) {
            case 0:
                S += QStringLiteral(" - ICQ Status");
                break;
            case 1:
                S += QStringLiteral(" - MSN Status");
                break;
            case 2:
                S += QStringLiteral(" - Yahoo Status");
                break;
            case 3:
                S += QStringLiteral(" - Zentro Status");
                break;
            default:
                break;
            }
        }
    }
    m_hint = S;
    ActivateHint(viewport()->mapToGlobal(QPoint(X, Y)));
}

// The selected contacts, most recently selected first; groups are skipped.
void TContactTree::ZmItem8Click()
{
    QString S;
    const auto selections = Selections();
    for (const TContactNode* node : selections) {
        if (!node->IsContact())
            continue;
        if (!S.isEmpty())
            S += QStringLiteral("; ");
        S += node->Text();
    }
    if (!S.isEmpty())
        OpenComposer(QString(), S, QString(), QString());
}

void TContactTree::ActivateHint(const QPoint& screenPos)
{
    if (m_hint.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(screenPos, m_hint, viewport());
}

bool TContactTree::viewportEvent(QEvent* event)
{
    // The hint is the tree's own, not the items' tooltips.
    if (event->type() == QEvent::ToolTip) {
        ActivateHint(static_cast<QHelpEvent*>(event)->globalPos());
        return true;
    }
    return QTreeWidget::viewportEvent(event);
}

void TContactTree::mousePressEvent(QMouseEvent* event)
{
    // The right button leaves the selection as it is, for the context menu.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void TContactTree::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    tvContactsMouseMove(p.x(), p.y());
    QTreeWidget::mouseMoveEvent(event);
}

void TContactTree::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidget::mouseDoubleClickEvent(event);
    // On a group (its arrow leaves the selection as it was) a double-click
    // only opens or closes it.
    const QPoint p = event->position().toPoint();
    const TContactNode* node = NodeAt(p.x(), p.y());
    const bool onGroup = node && !node->IsContact();
    if (event->button() == Qt::LeftButton && !onGroup)
        emit DblClick();
}

void TContactTree::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const TContactNode* node = CurrentNode();
    if (!enter || !node) {
        QTreeWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (node->IsContact()) {
        emit DblClick();
    } else if (QTreeWidgetItem* item = currentItem()) {
        item->setExpanded(!item->isExpanded());
    }
}

// The menu opens at the pointer and works on the selection as it stands;
// the row under the pointer is only reported as current while it is open.
void TContactTree::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_popupMenu) {
        event->ignore();
        return;
    }
    event->accept();
    QPoint at = event->globalPos();
    QModelIndex hit;
    if (event->reason() == QContextMenuEvent::Mouse) {
        hit = indexAt(viewport()->mapFromGlobal(at));
    } else if (currentIndex().isValid()) {
        // From the keyboard: below the current row.
        const QRect r = visualRect(currentIndex());
        at = viewport()->mapToGlobal(QPoint(r.left() + ContactTextOffset, r.bottom()));
    }
    QPointer<TContactTree> self(this);
    m_popupIndex = hit;
    if (hit.isValid())
        viewport()->update(RowRect(NodeOf(itemFromIndex(hit))));
    QToolTip::hideText();
    m_popupMenu->Popup(at);
    if (!self)
        return;
    m_popupIndex = QPersistentModelIndex();
    Repaint();
}

void TContactTree::startDrag(Qt::DropActions)
{
    auto* data = new QMimeData;
    data->setData(ContactDragFormat, QByteArray());
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::MoveAction);
    tvContactsEndDrag();
}

void TContactTree::DragOverAt(QDropEvent* event)
{
    bool accept = false;
    const QPoint p = event->position().toPoint();
    tvContactsDragOver(event->source(), p.x(), p.y(), accept);
    if (!accept) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    // Near the top or bottom edge the list scrolls.
    const QRect area = viewport()->rect();
    const int margin = autoScrollMargin();
    if (hasAutoScroll() && (p.y() < area.top() + margin || p.y() > area.bottom() - margin))
        startAutoScroll();
}

void TContactTree::dragEnterEvent(QDragEnterEvent* event)
{
    DragOverAt(event);
}

void TContactTree::dragMoveEvent(QDragMoveEvent* event)
{
    DragOverAt(event);
}

void TContactTree::dragLeaveEvent(QDragLeaveEvent* event)
{
    stopAutoScroll();
    event->accept();
}

void TContactTree::dropEvent(QDropEvent* event)
{
    stopAutoScroll();
    const QPoint p = event->position().toPoint();
    tvContactsDragDrop(event->source(), p.x(), p.y());
    event->setDropAction(Qt::MoveAction);
    event->accept();
}
