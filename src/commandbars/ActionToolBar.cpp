#include "commandbars/ActionToolBar.h"

#include "commandbars/Command.h"
#include "commandbars/CommandManager.h"
#include "commandbars/ItemAction.h"
#include "commandbars/XPStyle.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDrag>
#include <QLayout>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

TActionToolBar::TActionToolBar(TCommandManager* manager, int bar, TXPStyle* style, QWidget* parent)
    : QToolBar(parent), m_manager(manager), m_style(style), m_bar(bar)
{
    setStyle(style);
    setMovable(false);
    setFloatable(false);
    setContentsMargins(0, 0, 0, 0);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    connect(manager, &TCommandManager::BarChanged, this, [this](int index) {
        if (index == m_bar)
            Rebuild();
    });
    connect(manager, &TCommandManager::ItemChanged, this, &TActionToolBar::FollowItem);
    connect(manager, &TCommandManager::OptionsChanged, this, &TActionToolBar::Rebuild);
    Rebuild();
}

QToolButton* TActionToolBar::Button(int item) const
{
    if (item < 0 || item >= m_actions.size())
        return nullptr;
    return qobject_cast<QToolButton*>(widgetForAction(m_actions[item]));
}

void TActionToolBar::Rebuild()
{
    const TBarLayout& layout = m_manager->Bar(m_bar);
    clear();
    for (QAction* a : std::as_const(m_actions))
        a->deleteLater();
    m_actions.clear();

    const int picture = layout.SmallIcons ? 16 : 32;
    setIconSize(QSize(picture, picture));
    for (int i = 0; i < layout.Items.size(); ++i) {
        const TBarItem& item = layout.Items[i];
        QAction* action = nullptr;
        bool captioned = false;
        if (item.Kind == TBarItem::ikSeparator) {
            action = new QAction(this);
            action->setSeparator(true);
        } else {
            action = new TItemAction(m_manager, m_bar, {i}, item, this);
            captioned = layout.CaptionOptions == TCaptionOption::coAll ||
                        (layout.CaptionOptions == TCaptionOption::coSelective && item.ShowCaption);
            if (item.Kind == TBarItem::ikSubmenu) {
                auto* menu = new QMenu(this);
                menu->setStyle(style());
                for (int k = 0; k < item.Items.size(); ++k) {
                    const TBarItem& sub = item.Items[k];
                    if (sub.Kind == TBarItem::ikSeparator)
                        menu->addSeparator();
                    else
                        menu->addAction(new TItemAction(m_manager, m_bar, {i, k}, sub, menu));
                }
                action->setMenu(menu);
            }
        }
        if (item.Kind == TBarItem::ikCommand)
            action->setToolTip(Hint(item));
        action->setVisible(item.Visible);
        addAction(action);
        m_actions.append(action);
        if (QWidget* w = widgetForAction(action)) {
            w->installEventFilter(this);
            if (auto* b = qobject_cast<QToolButton*>(w)) {
                b->setToolButtonStyle(captioned ? Qt::ToolButtonTextUnderIcon
                                                : Qt::ToolButtonIconOnly);
                b->setAutoRaise(true);
                if (action->menu())
                    b->setPopupMode(QToolButton::InstantPopup);
            }
        }
    }
    setVisible(layout.Visible);
    // Sizes are asked for right after a change (the top band fits itself).
    this->layout()->invalidate();
    updateGeometry();
}

void TActionToolBar::FollowItem(int bar, const QList<int>& path)
{
    if (bar != m_bar || path.size() != 1 || path[0] >= m_actions.size())
        return;
    if (const TBarItem* item = m_manager->Item(bar, path))
        m_actions[path[0]]->setVisible(item->Visible);
}

void TActionToolBar::SetCustomizing(bool on)
{
    m_customizing = on;
    setAcceptDrops(on);
    m_dropMark = -1;
    update();
}

int TActionToolBar::DropIndexAt(const QPoint& pos) const
{
    for (int i = 0; i < m_actions.size(); ++i) {
        const QWidget* w = widgetForAction(m_actions[i]);
        if (w && w->isVisible() && pos.x() < w->geometry().center().x())
            return i;
    }
    return int(m_actions.size());
}

void TActionToolBar::InsertCommand(int index, const QString& command)
{
    const TCommand* c = m_manager->Command(command);
    if (!c)
        return;
    TBarLayout layout = m_manager->Bar(m_bar);
    index = qBound(0, index, int(layout.Items.size()));
    layout.Items.insert(index, TBarItem::MakeCommand(command, c->text()));
    m_manager->SetBar(m_bar, layout);
}

void TActionToolBar::InsertCategory(int index, const QString& category)
{
    QList<TBarItem> items;
    for (const TCommand* c : m_manager->CommandsOf(category))
        items.append(TBarItem::MakeCommand(c->Name(), c->text()));
    if (items.isEmpty())
        return;
    TBarLayout layout = m_manager->Bar(m_bar);
    index = qBound(0, index, int(layout.Items.size()));
    layout.Items.insert(index, TBarItem::MakeSubmenu(category, items));
    m_manager->SetBar(m_bar, layout);
}

void TActionToolBar::InsertSeparator(int index)
{
    TBarLayout layout = m_manager->Bar(m_bar);
    index = qBound(0, index, int(layout.Items.size()));
    layout.Items.insert(index, TBarItem::MakeSeparator());
    m_manager->SetBar(m_bar, layout);
}

void TActionToolBar::MoveItem(int from, int to)
{
    TBarLayout layout = m_manager->Bar(m_bar);
    const int count = int(layout.Items.size());
    if (from < 0 || from >= count)
        return;
    to = qBound(0, to, count);
    // The insertion point counts the moved item itself.
    if (to > from)
        --to;
    if (to == from)
        return;
    layout.Items.move(from, to);
    m_manager->SetBar(m_bar, layout);
}

void TActionToolBar::RemoveItem(int index)
{
    TBarLayout layout = m_manager->Bar(m_bar);
    if (index < 0 || index >= layout.Items.size())
        return;
    layout.Items.removeAt(index);
    m_manager->SetBar(m_bar, layout);
}

void TActionToolBar::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_customizing && OnContextPopup) {
        OnContextPopup(event->globalPos());
        event->accept();
        return;
    }
    QToolBar::contextMenuEvent(event);
}

int TActionToolBar::ItemOfWidget(const QObject* widget) const
{
    for (int i = 0; i < m_actions.size(); ++i)
        if (widgetForAction(m_actions[i]) == widget)
            return i;
    return -1;
}

QString TActionToolBar::Hint(const TBarItem& item) const
{
    QString hint = TCommand::StripAccelerator(item.Caption);
    const TCommand* c = m_manager->Command(item.Command);
    if (m_manager->Options().ShortCutsInHints && c && !c->shortcut().isEmpty())
        hint += QStringLiteral(" (%1)").arg(c->shortcut().toString(QKeySequence::NativeText));
    return hint;
}

bool TActionToolBar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip && !m_manager->Options().ShowHints)
        return true;
    if (!m_customizing) {
        // A disabled button is given no context menu event: the bar's menu
        // opens on its right-button press as on the bar's empty part.
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* press = static_cast<QMouseEvent*>(event);
            if (press->button() == Qt::RightButton &&
                !static_cast<QWidget*>(watched)->isEnabled()) {
                const QPoint at = press->globalPosition().toPoint();
                QContextMenuEvent menu(QContextMenuEvent::Mouse, mapFromGlobal(at), at);
                contextMenuEvent(&menu);
                return true;
            }
        }
        return QToolBar::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        m_pressedItem = e->button() == Qt::LeftButton ? ItemOfWidget(watched) : -1;
        m_pressPos = e->globalPosition().toPoint();
        return true;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (m_pressedItem >= 0 && (e->buttons() & Qt::LeftButton) &&
            (e->globalPosition().toPoint() - m_pressPos).manhattanLength() >=
                QApplication::startDragDistance()) {
            const int item = m_pressedItem;
            m_pressedItem = -1;
            StartItemDrag(item);
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        m_pressedItem = -1;
        return true;
    case QEvent::ContextMenu:
        ItemMenu(ItemOfWidget(watched), static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    default:
        return QToolBar::eventFilter(watched, event);
    }
}

void TActionToolBar::StartItemDrag(int item)
{
    QWidget* w = item >= 0 && item < m_actions.size() ? widgetForAction(m_actions[item]) : nullptr;
    if (!w)
        return;
    auto* drag = new QDrag(this);
    auto* data = new QMimeData;
    data->setData(ItemMime(), QByteArray::number(item));
    drag->setMimeData(data);
    drag->setPixmap(w->grab());
    m_droppedHere = false;
    const Qt::DropAction result = drag->exec(Qt::MoveAction);
    // Dropped anywhere but on this bar, the item leaves the bar.
    const bool overBar = rect().contains(mapFromGlobal(QCursor::pos()));
    if (!m_droppedHere && (result == Qt::MoveAction || !overBar))
        RemoveItem(item);
}

void TActionToolBar::ItemMenu(int item, const QPoint& screenPoint)
{
    const TBarItem* barItem = m_manager->Item(m_bar, {item});
    if (!barItem)
        return;
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (barItem->Kind != TBarItem::ikSeparator) {
        QAction* caption = menu->addAction(QStringLiteral("Show &Caption"));
        caption->setCheckable(true);
        caption->setChecked(barItem->ShowCaption);
        connect(caption, &QAction::toggled, this, [this, item](bool on) {
            TBarLayout layout = m_manager->Bar(m_bar);
            if (item < layout.Items.size()) {
                layout.Items[item].ShowCaption = on;
                m_manager->SetBar(m_bar, layout);
            }
        });
    }
    QAction* remove = menu->addAction(QStringLiteral("&Delete"));
    connect(remove, &QAction::triggered, this, [this, item] { RemoveItem(item); });
    menu->popup(screenPoint);
}

bool TActionToolBar::Accepts(const QMimeData* data) const
{
    return m_customizing && data &&
           (data->hasFormat(CommandMime()) || data->hasFormat(SeparatorMime()) ||
            data->hasFormat(ItemMime()) || data->hasFormat(CategoryMime()));
}

void TActionToolBar::dragEnterEvent(QDragEnterEvent* event)
{
    if (!Accepts(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    m_dropMark = DropIndexAt(event->position().toPoint());
    update();
}

void TActionToolBar::dragMoveEvent(QDragMoveEvent* event)
{
    if (!Accepts(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    const int mark = DropIndexAt(event->position().toPoint());
    if (mark != m_dropMark) {
        m_dropMark = mark;
        update();
    }
}

void TActionToolBar::dragLeaveEvent(QDragLeaveEvent* event)
{
    m_dropMark = -1;
    update();
    QToolBar::dragLeaveEvent(event);
}

void TActionToolBar::dropEvent(QDropEvent* event)
{
    const QMimeData* data = event->mimeData();
    if (!Accepts(data)) {
        event->ignore();
        return;
    }
    const int index = DropIndexAt(event->position().toPoint());
    m_dropMark = -1;
    if (data->hasFormat(ItemMime()) && event->source() == this) {
        m_droppedHere = true;
        MoveItem(data->data(ItemMime()).toInt(), index);
    } else if (data->hasFormat(CommandMime())) {
        InsertCommand(index, QString::fromUtf8(data->data(CommandMime())));
    } else if (data->hasFormat(CategoryMime())) {
        InsertCategory(index, QString::fromUtf8(data->data(CategoryMime())));
    } else if (data->hasFormat(SeparatorMime())) {
        InsertSeparator(index);
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    update();
}

void TActionToolBar::paintEvent(QPaintEvent* event)
{
    QToolBar::paintEvent(event);
    if (m_dropMark < 0)
        return;
    // The insertion mark: a bar between the items where the drop lands.
    int x = 0;
    for (int i = 0; i < m_actions.size(); ++i) {
        const QWidget* w = widgetForAction(m_actions[i]);
        if (!w || !w->isVisible())
            continue;
        x = i < m_dropMark ? w->geometry().right() + 1 : w->geometry().left();
        if (i >= m_dropMark)
            break;
    }
    QPainter p(this);
    p.fillRect(QRect(x - 1, 1, 2, height() - 2), m_style->ColorMap().FontColor.ToQColor(palette()));
}
