#include "popup/ZmCustomItem.h"

#include "base/ImageList.h"
#include "popup/ZmItemError.h"
#include "popup/ZmPlatform.h"
#include "popup/internal/ZmDispatcher.h"
#include "popup/internal/ZmItemViewer.h"
#include "popup/internal/ZmLayout.h"
#include "popup/internal/ZmMenuLoop.h"
#include "popup/internal/ZmPopupView.h"
#include "popup/internal/ZmPopupWindow.h"

namespace {

int g_liveItems = 0;

} // namespace

TZmCustomItem::TZmCustomItem(QObject* owner) : QObject(owner)
{
    ++g_liveItems;
}

TZmCustomItem::~TZmCustomItem()
{
    // Children go first, last first; each leaves this list as it goes.
    while (!m_items.isEmpty())
        delete m_items.last();
    if (m_parent)
        m_parent->Delete(m_parent->IndexOf(this));
    --g_liveItems;
    TZmDispatcher::ItemDestroyed(this, g_liveItems);
}

int TZmCustomItem::LiveItemCount()
{
    return g_liveItems;
}

// --- Properties -------------------------------------------------------------

void TZmCustomItem::SetCaption(const QString& value)
{
    if (m_caption == value)
        return;
    m_caption = value;
    Change(true);
}

void TZmCustomItem::SetChecked(bool value)
{
    if (m_checked == value)
        return;
    m_checked = value;
    Change(false);
    if (value && m_groupIndex != 0 && m_parent) {
        // Copy: handlers reached through notifications may edit the list.
        const QList<TZmCustomItem*> siblings = m_parent->m_items;
        for (TZmCustomItem* sibling : siblings)
            if (sibling != this && sibling->m_groupIndex == m_groupIndex)
                sibling->SetChecked(false);
    }
}

void TZmCustomItem::SetDisplayMode(TZmItemDisplayMode value)
{
    if (m_displayMode == value)
        return;
    m_displayMode = value;
    Notify(zccInvalidateAndResize);
}

void TZmCustomItem::SetEnabled(bool value)
{
    if (m_enabled == value)
        return;
    m_enabled = value;
    EnabledChanged();
}

void TZmCustomItem::SetGroupIndex(int value)
{
    if (m_groupIndex == value)
        return;
    m_groupIndex = value;
    Notify(zccInvalidate);
}

QString TZmCustomItem::ShortHint() const
{
    const qsizetype bar = m_hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? m_hint : m_hint.left(bar);
}

QString TZmCustomItem::LongHint() const
{
    const qsizetype bar = m_hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? m_hint : m_hint.mid(bar + 1);
}

void TZmCustomItem::SetImageIndex(int value)
{
    if (m_imageIndex == value)
        return;
    m_imageIndex = value;
    Notify(zccInvalidate);
}

void TZmCustomItem::SetImages(TImageList* value)
{
    if (m_images == value)
        return;
    m_images = value;
    Notify(zccInvalidateAndResize);
}

TImageList* TZmCustomItem::EffectiveImages() const
{
    if (m_images)
        return m_images;
    if (!m_parent)
        return nullptr;
    return m_parent->m_subMenuImages ? m_parent->m_subMenuImages.data() : m_parent->m_images.data();
}

void TZmCustomItem::SetItemStyle(TZmItemStyle value)
{
    m_itemStyle = value;
}

void TZmCustomItem::SetMaskOptions(TZmItemOptions value)
{
    if (m_maskOptions == value)
        return;
    m_maskOptions = value;
    Notify(zccInvalidateAndResize);
}

void TZmCustomItem::SetOptions(TZmItemOptions value)
{
    if (m_options == value)
        return;
    m_options = value;
    Notify(zccInvalidateAndResize);
}

void TZmCustomItem::SetInheritOptions(bool value)
{
    if (m_inheritOptions == value)
        return;
    m_inheritOptions = value;
    Notify(zccInvalidateAndResize);
}

void TZmCustomItem::SetShortCut(const QKeySequence& value)
{
    if (m_shortCut == value)
        return;
    m_shortCut = value;
    Notify(zccInvalidateAndResize);
}

void TZmCustomItem::SetSubMenuImages(TImageList* value)
{
    if (m_subMenuImages == value)
        return;
    m_subMenuImages = value;
    // The children's pictures change: views of them re-measure.
    emit ItemsChanged(zccInvalidateAndResize, nullptr, -1);
}

void TZmCustomItem::SetLinkSubitems(TZmCustomItem* value)
{
    if (m_linkSubitems == value || value == this)
        return;
    m_linkSubitems = value;
    emit ItemsChanged(zccInvalidateAndResize, nullptr, -1);
}

void TZmCustomItem::SetVisible(bool value)
{
    if (m_visible == value)
        return;
    m_visible = value;
    Change(true);
}

void TZmCustomItem::SetBreak(TZmItemBreak value)
{
    if (m_break == value)
        return;
    m_break = value;
    Change(true);
}

void TZmCustomItem::SetRadioItem(bool value)
{
    if (m_radioItem == value)
        return;
    m_radioItem = value;
    Change(false);
}

// --- Child list -------------------------------------------------------------

TZmCustomItem* TZmCustomItem::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EZmItemError(QStringLiteral("Toolbar item index out of range"));
    return m_items[index];
}

int TZmCustomItem::IndexOf(const TZmCustomItem* item) const
{
    return int(m_items.indexOf(item));
}

void TZmCustomItem::Add(TZmCustomItem* item)
{
    Insert(Count(), item);
}

void TZmCustomItem::ThrowIfInsertRefused(int index, TZmCustomItem* item) const
{
    if (!item)
        throw EZmItemError(QStringLiteral("Toolbar item is missing"));
    if (item->m_parent)
        throw EZmItemError(QStringLiteral("Toolbar item already inserted"));
    // An item inside its own subtree would make the tree a loop.
    for (const TZmCustomItem* p = this; p; p = p->m_parent)
        if (p == item)
            throw EZmItemError(QStringLiteral("Toolbar item cannot contain itself"));
    if (index < 0 || index > Count())
        throw EZmItemError(QStringLiteral("Toolbar item index out of range"));
}

void TZmCustomItem::Insert(int index, TZmCustomItem* item)
{
    ThrowIfInsertRefused(index, item);
    m_items.insert(index, item);
    m_items.squeeze();
    item->m_parent = this;
    emit ItemsChanged(zccBeginUpdate, nullptr, -1);
    emit ItemsChanged(zccInserted, item, index);
    emit ItemsChanged(zccEndUpdate, nullptr, -1);
}

void TZmCustomItem::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw EZmItemError(QStringLiteral("Toolbar item index out of range"));
    TZmCustomItem* item = m_items[index];
    emit ItemsChanged(zccDeleting, item, index);
    // A listener may have taken it out meanwhile.
    const int at = IndexOf(item);
    if (at < 0)
        return;
    item->m_parent = nullptr;
    m_items.removeAt(at);
    m_items.squeeze();
}

// --- Operations -------------------------------------------------------------

void TZmCustomItem::Notify(TZmChangeKind kind)
{
    if (m_parent)
        emit m_parent->ItemsChanged(kind, this, m_parent->IndexOf(this));
}

void TZmCustomItem::Change(bool needResize)
{
    Notify(needResize ? zccInvalidateAndResize : zccInvalidate);
}

void TZmCustomItem::DoPopup(TZmCustomItem* sender, bool fromLink)
{
    QPointer<TZmCustomItem> self(this);
    if (OnPopup)
        OnPopup(sender, fromLink);
    if (self && !(m_itemStyle & zisDropdownCombo))
        Click();
}

void TZmCustomItem::EnabledChanged()
{
    Change(false);
}

TZmItemViewer* TZmCustomItem::CreateItemViewer(TZmView* view)
{
    return new TZmItemViewer(view, this);
}

TZmPopupWindow* TZmCustomItem::CreatePopupWindow(TZmView* parentView)
{
    return new TZmPopupWindow(this, parentView);
}

void TZmCustomItem::Click()
{
    if (!m_enabled)
        return;
    if (m_autoCheck)
        SetChecked(!m_checked);
    if (OnClick)
        OnClick(this);
}

TZmView* TZmCustomItem::CreatePopup(TZmView* parentView, TZmItemViewer* parentViewer,
                                    bool asSubmenu, bool selectFirst, QPoint point,
                                    TZmPopupAlignment alignment)
{
    // Handlers run first, before anything is shown; they may change the
    // children (or destroy the item).
    QPointer<TZmCustomItem> self(this);
    QPointer<TZmView> parent(parentView);
    if (m_linkSubitems)
        m_linkSubitems->DoPopup(this, true);
    if (!self)
        return nullptr;
    DoPopup(this, false);
    if (!self)
        return nullptr;
    // A handler may have ended the menu, by opening a modal window.
    const TZmMenuLoop* loop = parent ? parent->Loop() : nullptr;
    if (parentView && !(loop && loop->IsRunning()))
        return nullptr;

    TZmPopupWindow* window = CreatePopupWindow(parentView);
    TZmPopupView* view = window->View();
    const QRect parentRect =
        asSubmenu && parentView ? parentView->ScreenRect(parentViewer) : QRect(point, QSize(1, 1));
    const QRect workArea = ZmPlatform::WorkAreaAt(parentRect.center());
    view->SetMaxHeight(workArea.height() - 2 * ZmLayout::FrameWidth);
    const QSize size = window->MeasureWindow();
    if (view->ShownViewers().isEmpty()) {
        // Nothing to show: no window at all rather than an empty frame.
        delete window;
        return nullptr;
    }
    if (selectFirst)
        view->Select(view->FirstSelectable(true), true);

    QPoint pos;
    if (asSubmenu && parentView) {
        const ZmLayout::SubmenuPlacement p = parentView->PlaceSubmenu(parentViewer, size);
        pos = p.Pos;
        view->SetOpenedLeft(p.OpenedLeft);
    } else {
        pos = ZmLayout::PlaceFirstLevel(point, alignment, size, workArea);
    }
    window->move(pos);
    window->ShowPopup();
    return view;
}

void TZmCustomItem::Popup(QPoint point, bool trackRightButton, TZmPopupAlignment alignment,
                          QWidget* hintReceiver)
{
    TZmView* view = CreatePopup(nullptr, nullptr, false, false, point, alignment);
    if (!view)
        return;
    QPointer<TZmPopupWindow> window = view->Window();
    view->SetIgnoreFirstRelease(true);
    TZmDoneAction done;
    {
        TZmMenuLoop loop(view, trackRightButton, hintReceiver);
        done = loop.Run();
    }
    delete window.data();
    TZmMenuLoop::CarryOut(done);
}
