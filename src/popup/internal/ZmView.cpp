#include "popup/internal/ZmView.h"

#include "popup/ZmCustomItem.h"
#include "popup/ZmPlatform.h"
#include "popup/internal/ZmDraw.h"
#include "popup/internal/ZmItemViewer.h"
#include "popup/internal/ZmLayout.h"
#include "popup/internal/ZmMenuLoop.h"
#include "popup/internal/ZmPopupWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>

#include <algorithm>
#include <cstdlib>

namespace {

QList<TZmView*>& Registry()
{
    static QList<TZmView*> views;
    return views;
}

// Embedded groups inside embedded groups: deep enough for any real menu,
// and a stop for a group that (through links) contains itself.
constexpr int MaxEmbedDepth = 8;

bool OpensSubmenu(const TZmItemViewer* viewer)
{
    const TZmCustomItem* item = viewer ? viewer->Item() : nullptr;
    return item && item->Enabled() && (item->ItemStyle() & zisSubmenu);
}

} // namespace

TZmView::TZmView(TZmPopupWindow* window, TZmCustomItem* item, TZmView* parentView)
    : QWidget(window), m_window(window), m_item(item), m_parentView(parentView),
      m_menuFont(ZmPlatform::MenuFont())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setFont(m_menuFont);
    Registry().append(this);
    RebuildViewers();
}

TZmView::~TZmView()
{
    Shutdown();
    Registry().removeOne(this);
}

QList<TZmView*> TZmView::OpenViews()
{
    return Registry();
}

TZmView* TZmView::RootView()
{
    TZmView* v = this;
    while (v->m_parentView)
        v = v->m_parentView;
    return v;
}

TZmView* TZmView::InnermostView()
{
    TZmView* v = this;
    while (v->m_openView)
        v = v->m_openView;
    return v;
}

TZmMenuLoop* TZmView::Loop()
{
    return RootView()->m_loop;
}

TZmItemViewer* TZmView::ViewerOf(const TZmCustomItem* item) const
{
    for (const auto& v : m_viewers)
        if (v->Item() == item)
            return v.get();
    return nullptr;
}

QList<TZmItemViewer*> TZmView::ShownViewers() const
{
    QList<TZmItemViewer*> out;
    for (const auto& v : m_viewers)
        if (v->Show)
            out.append(v.get());
    return out;
}

bool TZmView::KeyboardUsed() const
{
    const TZmView* v = this;
    while (v->m_parentView)
        v = v->m_parentView;
    return v->m_keyboardUsed;
}

void TZmView::SetKeyboardUsed()
{
    TZmView* root = RootView();
    if (root->m_keyboardUsed)
        return;
    root->m_keyboardUsed = true;
    if (ZmPlatform::UnderlineAcceleratorsAlways())
        return;
    for (TZmView* v = root; v; v = v->m_openView)
        v->update(); // accelerators are underlined from now on
}

// --- Viewers and layout -------------------------------------------------------

void TZmView::ListenTo(TZmCustomItem* item)
{
    m_sources.append(item);
    connect(item, &TZmCustomItem::ItemsChanged, this, &TZmView::ItemsChanged);
}

void TZmView::CollectChildren(TZmCustomItem* item, QList<TZmCustomItem*>& out, int depth)
{
    ListenTo(item);
    for (int i = 0; i < item->Count(); ++i) {
        TZmCustomItem* child = item->Items(i);
        if (!child->Visible())
            continue;
        if ((child->ItemStyle() & zisEmbedGroup) && depth < MaxEmbedDepth)
            CollectChildren(child->ShownItem(), out, depth + 1);
        else
            out.append(child);
    }
}

void TZmView::RebuildViewers()
{
    for (const QPointer<TZmCustomItem>& source : std::as_const(m_sources))
        if (source)
            disconnect(source, nullptr, this, nullptr);
    m_sources.clear();

    QList<TZmCustomItem*> children;
    if (m_item) {
        // A linked item's own notifications (a new link) matter too.
        if (m_item->ShownItem() != m_item)
            ListenTo(m_item);
        CollectChildren(m_item->ShownItem(), children, 0);
    }

    // Keep the viewers of items still shown, so that the selection and the
    // open submenu stay where they are.
    std::vector<std::unique_ptr<TZmItemViewer>> next;
    next.reserve(size_t(children.size()));
    for (TZmCustomItem* child : std::as_const(children)) {
        auto it = std::find_if(m_viewers.begin(), m_viewers.end(),
                               [child](const auto& v) { return v && v->Item() == child; });
        if (it != m_viewers.end())
            next.push_back(std::move(*it));
        else
            next.emplace_back(child->CreateItemViewer(this));
    }
    for (auto& old : m_viewers)
        if (old)
            RetireViewer(std::move(old));
    m_viewers = std::move(next);
}

void TZmView::RetireViewer(std::unique_ptr<TZmItemViewer> viewer)
{
    if (m_selected == viewer.get()) {
        m_selected = nullptr;
        m_mouseOverSelected = false;
    }
    if (m_openViewer == viewer.get())
        CloseSubmenu();
    // The viewer may be in use further up the stack (a handler reached
    // from it changed the items): free it from the event loop.
    if (m_retired.empty())
        QMetaObject::invokeMethod(this, &TZmView::FlushRetired, Qt::QueuedConnection);
    m_retired.push_back(std::move(viewer));
}

void TZmView::FlushRetired()
{
    m_retired.clear();
}

void TZmView::ItemsChanged(TZmChangeKind kind, TZmCustomItem* item, int)
{
    if (m_shutDown)
        return;
    switch (kind) {
    case zccBeginUpdate:
    case zccEndUpdate:
        return;
    case zccInvalidate:
        if (TZmItemViewer* v = item ? ViewerOf(item) : nullptr)
            UpdateViewer(v);
        else
            update();
        return;
    case zccDeleting: {
        // The item is still in its parent's list: drop its viewer, and
        // those of its children when it is an embedded group.
        const auto goes = [item](const TZmItemViewer* v) {
            for (const TZmCustomItem* i = v->Item(); i; i = i->Parent())
                if (i == item)
                    return true;
            return false;
        };
        bool changed = false;
        for (size_t i = 0; i < m_viewers.size();) {
            if (goes(m_viewers[i].get())) {
                RetireViewer(std::move(m_viewers[i]));
                m_viewers.erase(m_viewers.begin() + qsizetype(i));
                changed = true;
            } else {
                ++i;
            }
        }
        if (changed)
            RelayoutWindow();
        return;
    }
    case zccInserted:
    case zccInvalidateAndResize:
        RebuildViewers();
        RelayoutWindow();
        return;
    }
}

void TZmView::RelayoutWindow()
{
    const QSize size = m_window->MeasureWindow();
    if (!m_window->isVisible())
        return;
    // Keep the window where it is, within its work area.
    QScreen* screen = m_window->screen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    QPoint pos = m_window->pos();
    if (area.isValid()) {
        pos.setX(qMax(area.x(), qMin(pos.x(), area.x() + area.width() - size.width())));
        pos.setY(qMax(area.y(), qMin(pos.y(), area.y() + area.height() - size.height())));
    }
    m_window->move(pos);
    if (m_selected)
        ScrollIntoView(m_selected);
    update();
}

QSize TZmView::Measure()
{
    // The measured size waits in each rectangle until the layout places it.
    for (const auto& v : m_viewers)
        v->BoundsRect = QRect(QPoint(), v->Measure());
    const QSize size = LayoutViewers(0);
    resize(size);
    return size;
}

QSize TZmView::LayoutViewers(int padding)
{
    QList<bool> separators;
    QList<bool> breaks;
    for (const auto& v : m_viewers) {
        separators.append(v->Item() && (v->Item()->ItemStyle() & zisSeparator));
        breaks.append(v->Item() && v->Item()->Break() != zmbNone);
    }
    const QList<bool> shown = ZmLayout::ShownItems(separators, breaks);
    QList<QSize> sizes;
    for (size_t i = 0; i < m_viewers.size(); ++i) {
        m_viewers[i]->Show = shown[qsizetype(i)];
        if (m_viewers[i]->Show)
            sizes.append(m_viewers[i]->BoundsRect.size());
    }
    const ZmLayout::Stack stack =
        ZmLayout::StackItems(sizes, ZmLayout::ShownColumnStarts(shown, breaks), padding);
    qsizetype at = 0;
    for (const auto& v : m_viewers) {
        if (!v->Show)
            continue;
        v->BoundsRect = stack.Rects[at];
        v->Column = stack.Columns[at];
        ++at;
    }
    m_bars = stack.BarsX;
    return stack.Size;
}

TZmItemViewer* TZmView::ViewerAt(QPoint pos) const
{
    for (const auto& v : m_viewers)
        if (v->Show && ViewerRect(v.get()).contains(pos))
            return v.get();
    return nullptr;
}

QRect TZmView::ViewerRect(const TZmItemViewer* viewer) const
{
    return viewer ? viewer->BoundsRect.translated(0, -ScrollOffset()) : QRect();
}

QRect TZmView::ScreenRect(const TZmItemViewer* viewer) const
{
    const QRect r = ViewerRect(viewer);
    return QRect(mapToGlobal(r.topLeft()), r.size());
}

// --- Selection --------------------------------------------------------------

TZmItemViewer* TZmView::NextSelectable(TZmItemViewer* from, bool forward) const
{
    const int n = int(m_viewers.size());
    if (n == 0)
        return nullptr;
    int start = forward ? -1 : n;
    for (int i = 0; i < n; ++i)
        if (m_viewers[size_t(i)].get() == from)
            start = i;
    for (int step = 1; step <= n; ++step) {
        const int i = ((start + (forward ? step : -step)) % n + n) % n;
        if (m_viewers[size_t(i)]->IsSelectable())
            return m_viewers[size_t(i)].get();
    }
    return nullptr;
}

TZmItemViewer* TZmView::FirstSelectable(bool initial) const
{
    for (const auto& v : m_viewers)
        if (v->IsSelectable() && !(initial && (v->Item()->ItemStyle() & zisNoInitialSelect)))
            return v.get();
    return nullptr;
}

TZmItemViewer* TZmView::LastSelectable() const
{
    for (auto it = m_viewers.rbegin(); it != m_viewers.rend(); ++it)
        if ((*it)->IsSelectable())
            return it->get();
    return nullptr;
}

void TZmView::Select(TZmItemViewer* viewer, bool scrollIntoView)
{
    if (viewer == m_selected) {
        if (viewer && scrollIntoView)
            ScrollIntoView(viewer);
        return;
    }
    TZmItemViewer* old = m_selected;
    if (old && m_mouseOverSelected) {
        m_mouseOverSelected = false;
        old->Leaving();
    }
    m_selected = viewer;
    for (TZmItemViewer* v : {old, viewer})
        if (v && v->Item() && (v->Item()->ItemStyle() & zisRedrawOnSelect))
            UpdateViewer(v);
    if (viewer && scrollIntoView)
        ScrollIntoView(viewer);

    // Retired viewers stay alive until the event loop frees them, so the
    // handlers may change the items.
    if (old && old->Item() && old->Item()->OnSelect)
        old->Item()->OnSelect(old->Item(), old, false);
    if (viewer && viewer->Item() && viewer->Item()->OnSelect)
        viewer->Item()->OnSelect(viewer->Item(), viewer, true);
    if (viewer && viewer->Item() && QAccessible::isActive()) {
        QAccessibleEvent focus(viewer->Item(), QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

bool TZmView::MoveColumn(int direction)
{
    if (!m_selected || m_bars.isEmpty())
        return false;
    const int column = m_selected->Column + direction;
    const int y = m_selected->BoundsRect.center().y();
    TZmItemViewer* best = nullptr;
    int bestDistance = 0;
    for (const auto& v : m_viewers) {
        if (!v->IsSelectable() || v->Column != column)
            continue;
        const int d = std::abs(v->BoundsRect.center().y() - y);
        if (!best || d < bestDistance) {
            best = v.get();
            bestDistance = d;
        }
    }
    if (!best)
        return false;
    Select(best, true);
    return true;
}

// --- Submenus ---------------------------------------------------------------

void TZmView::OpenSubmenu(TZmItemViewer* viewer, bool selectFirst)
{
    if (m_shutDown || !OpensSubmenu(viewer))
        return;
    StopTimer(tkOpenSubmenu);
    StopTimer(tkCloseSubmenu);
    if (viewer == m_openViewer && m_openView) {
        if (selectFirst && !m_openView->Selected())
            m_openView->Select(m_openView->FirstSelectable(true), true);
        return;
    }
    CloseSubmenu();
    QPointer<TZmView> self(this);
    TZmView* child = viewer->Item()->CreatePopup(this, viewer, true, selectFirst, QPoint(), paLeft);
    if (!child)
        return;
    const bool stillShown = self && !m_shutDown &&
                            std::any_of(m_viewers.begin(), m_viewers.end(),
                                        [viewer](const auto& v) { return v.get() == viewer; });
    if (!stillShown) {
        // The handlers took the item away while its submenu was opening.
        child->Shutdown();
        child->Window()->hide();
        child->Window()->deleteLater();
        return;
    }
    m_openViewer = viewer;
    m_openView = child;
}

void TZmView::CloseSubmenu()
{
    TZmView* child = m_openView;
    m_openView = nullptr;
    m_openViewer = nullptr;
    if (!child)
        return;
    child->Shutdown();
    child->Window()->hide();
    // Not at once: the close may come from inside the child's own handling.
    child->Window()->deleteLater();
}

ZmLayout::SubmenuPlacement TZmView::PlaceSubmenu(const TZmItemViewer* viewer, QSize size) const
{
    const QRect item = ScreenRect(viewer);
    return ZmLayout::PlaceSubmenu(item, size, ZmPlatform::WorkAreaAt(item.center()), m_openedLeft);
}

void TZmView::Shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    for (QBasicTimer& t : m_timers)
        t.stop();
    CloseSubmenu();
    for (const QPointer<TZmCustomItem>& source : std::as_const(m_sources))
        if (source)
            disconnect(source, nullptr, this, nullptr);
    m_sources.clear();
}

// --- Timers -----------------------------------------------------------------

void TZmView::StartTimer(TZmTimerKind kind, int interval)
{
    if (!m_shutDown)
        m_timers[kind].start(interval, this);
}

void TZmView::StopTimer(TZmTimerKind kind)
{
    m_timers[kind].stop();
}

void TZmView::timerEvent(QTimerEvent* event)
{
    for (int kind = tkOpenSubmenu; kind <= tkScrollDown; ++kind) {
        if (event->timerId() == m_timers[kind].timerId()) {
            DoTimer(TZmTimerKind(kind));
            return;
        }
    }
    QWidget::timerEvent(event);
}

void TZmView::DoTimer(TZmTimerKind kind)
{
    switch (kind) {
    case tkOpenSubmenu:
        StopTimer(kind);
        if (m_selected != m_openViewer && OpensSubmenu(m_selected))
            OpenSubmenu(m_selected, false);
        break;
    case tkCloseSubmenu:
        StopTimer(kind);
        if (m_openViewer && m_openViewer != m_selected)
            CloseSubmenu();
        break;
    case tkScrollUp:
    case tkScrollDown:
        if (!ScrollStep(kind == tkScrollDown))
            StopTimer(kind);
        break;
    }
}

// --- Keyboard ---------------------------------------------------------------

TZmView::TZmKeyResult TZmView::KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const auto step = [this](bool forward) {
        if (TZmItemViewer* v = NextSelectable(m_selected, forward))
            Select(v, true);
        return krConsumed;
    };
    switch (key) {
    case Qt::Key_Up:
        return step(false);
    case Qt::Key_Down:
        return step(true);
    case Qt::Key_Tab:
        return step(!(modifiers & Qt::ShiftModifier));
    case Qt::Key_Backtab:
        return step(false);
    case Qt::Key_Home:
    case Qt::Key_End:
        if (TZmItemViewer* v = key == Qt::Key_Home ? FirstSelectable(false) : LastSelectable())
            Select(v, true);
        return krConsumed;
    case Qt::Key_Right:
        if (OpensSubmenu(m_selected))
            OpenSubmenu(m_selected, true);
        else
            MoveColumn(+1);
        return krConsumed;
    case Qt::Key_Left:
        if (MoveColumn(-1))
            return krConsumed;
        return m_parentView ? krCloseLevel : krConsumed;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return EnterSelected();
    case Qt::Key_Escape:
        if (m_parentView)
            return krCloseLevel;
        [[fallthrough]];
    case Qt::Key_Alt:
    case Qt::Key_F10:
        if (TZmMenuLoop* loop = Loop())
            loop->End();
        return krEndMenu;
    case Qt::Key_F1: {
        TZmMenuLoop* loop = Loop();
        return loop && loop->EndWithHelp() ? krEndMenu : krConsumed;
    }
    default:
        return krNotConsumed;
    }
}

TZmView::TZmKeyResult TZmView::EnterSelected()
{
    TZmMenuLoop* loop = Loop();
    TZmCustomItem* item = m_selected ? m_selected->Item() : nullptr;
    if (!item || !item->Enabled()) {
        if (loop)
            loop->End();
        return krEndMenu;
    }
    const TZmItemStyle style = item->ItemStyle();
    if ((style & zisSubmenu) && !(style & zisDropdownCombo)) {
        OpenSubmenu(m_selected, true);
        return krConsumed;
    }
    if (loop)
        loop->EndWithClick(item);
    return krEndMenu;
}

TZmView::TZmKeyResult TZmView::CharTyped(QChar ch)
{
    const QChar key = ch.toLower();
    const int n = int(m_viewers.size());
    int start = -1;
    for (int i = 0; i < n; ++i)
        if (m_viewers[size_t(i)].get() == m_selected)
            start = i;
    QList<TZmItemViewer*> matches;
    for (int step = 1; step <= n; ++step) {
        TZmItemViewer* v = m_viewers[size_t((start + step) % n)].get();
        if (v->IsSelectable() && !v->Accelerator().isNull() && v->Accelerator() == key)
            matches.append(v);
    }
    if (matches.isEmpty()) {
        QApplication::beep();
        return krConsumed;
    }
    Select(matches.first(), false);
    if (matches.size() == 1) {
        const TZmKeyResult result = EnterSelected();
        if (result != krConsumed)
            return result;
    }
    if (m_selected)
        ScrollIntoView(m_selected);
    return krConsumed;
}

// --- Pointer ----------------------------------------------------------------

void TZmView::TrackPointer(QPoint globalPos, bool overChildView)
{
    if (m_shutDown)
        return;
    const QPoint pos = mapFromGlobal(globalPos);
    const bool over = m_window->geometry().contains(globalPos);
    TZmItemViewer* previous = m_selected;
    if (overChildView) {
        // Inside the submenu this view opened: its item stays selected
        // and the submenu stays open.
        if (m_openViewer)
            Select(m_openViewer, false);
        StopTimer(tkOpenSubmenu);
        StopTimer(tkCloseSubmenu);
    } else {
        TZmItemViewer* under = over ? ViewerAt(pos) : nullptr;
        if (under && under->IsSelectable())
            Select(under, false);
        if (over && m_selected != m_openViewer) {
            const int delay = ZmPlatform::MenuShowDelay();
            const bool opening = TimerRunning(tkOpenSubmenu);
            if (!opening)
                StartTimer(tkCloseSubmenu, delay);
            if (!(opening && m_selected == previous))
                StartTimer(tkOpenSubmenu, delay);
        }
    }
    m_mouseOverView = over;
    TrackScrollZones(pos, over && !overChildView);

    const bool overSelected =
        over && !overChildView && m_selected && ViewerRect(m_selected).contains(pos);
    if (overSelected != m_mouseOverSelected && m_selected) {
        m_mouseOverSelected = overSelected;
        if (m_selected->Item() && (m_selected->Item()->ItemStyle() & zisRedrawOnMouseOver))
            UpdateViewer(m_selected);
        if (overSelected)
            m_selected->Entering();
        else
            m_selected->Leaving();
    }
}

void TZmView::PointerLeft()
{
    if (m_mouseOverSelected && m_selected) {
        m_mouseOverSelected = false;
        m_selected->Leaving();
    }
    m_mouseOverView = false;
}

// --- Painting ---------------------------------------------------------------

void TZmView::UpdateViewer(const TZmItemViewer* viewer)
{
    update(ViewerRect(viewer));
}

void TZmView::paintEvent(QPaintEvent* event)
{
    QPainter canvas(this);
    const QColor face = ZmDraw::Color(clr::Menu);
    canvas.fillRect(event->rect(), face);

    // Each item is painted into an off-screen image over the menu
    // background first, then copied: no flicker while it is drawn.
    const qreal dpr = devicePixelRatioF();
    QImage buffer;
    for (const auto& v : m_viewers) {
        const QRect r = ViewerRect(v.get());
        if (!v->Show || r.isEmpty() || !event->rect().intersects(r))
            continue;
        const QSize pixels = (QSizeF(r.size()) * dpr).toSize();
        if (buffer.width() < pixels.width() || buffer.height() < pixels.height()) {
            buffer = QImage(pixels.expandedTo(buffer.size()), QImage::Format_ARGB32_Premultiplied);
            buffer.setDevicePixelRatio(dpr);
        }
        {
            QPainter item(&buffer);
            item.fillRect(QRect(QPoint(), r.size()), face);
            item.setFont(m_menuFont);
            v->Paint(item, QRect(QPoint(), r.size()));
        }
        canvas.drawImage(r.topLeft(), buffer, QRect(QPoint(), pixels));
    }
    for (int x : std::as_const(m_bars))
        ZmDraw::EtchedVertical(canvas, x, 0, height());
    PaintOverlay(canvas);
    m_window->ContentPainted();
}
