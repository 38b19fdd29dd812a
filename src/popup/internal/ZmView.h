#pragma once

#include "popup/ZmCustomItem.h"
#include "popup/ZmTypes.h"
#include "popup/internal/ZmLayout.h"

#include <QBasicTimer>
#include <QFont>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

class TZmItemViewer;
class TZmMenuLoop;
class TZmPopupWindow;

// One open level of a menu: the children of an item, shown by viewers in a
// popup window (this widget is the window's client area). It keeps the
// selection, the submenu it has opened, its timers, and follows the
// item's change notifications while open. The first-level view runs the
// menu's loop (TZmMenuLoop); submenus are driven by the same loop.
class TZmView : public QWidget {
    Q_OBJECT
public:
    // Timers of a view; their interval is the menu show delay for the
    // first two, 100 ms for scrolling.
    enum TZmTimerKind { tkOpenSubmenu = 0, tkCloseSubmenu = 1, tkScrollUp = 2, tkScrollDown = 3 };
    // What a key did to the menu.
    enum TZmKeyResult { krNotConsumed, krConsumed, krCloseLevel, krEndMenu };

    TZmView(TZmPopupWindow* window, TZmCustomItem* item, TZmView* parentView);
    ~TZmView() override;

    // Every view that is open in the process, first-level views first.
    static QList<TZmView*> OpenViews();

    // The item whose children this view shows (it may show its
    // LinkSubitems' children).
    TZmCustomItem* Item() const { return m_item; }
    TZmPopupWindow* Window() const { return m_window; }
    TZmView* ParentView() const { return m_parentView; }
    TZmView* RootView();
    // The deepest open submenu's view, or this one.
    TZmView* InnermostView();
    TZmView* OpenView() const { return m_openView; }
    TZmItemViewer* OpenViewer() const { return m_openViewer; }
    TZmItemViewer* Selected() const { return m_selected; }
    // The loop of the menu this view belongs to (null when not running).
    TZmMenuLoop* Loop();
    void SetLoop(TZmMenuLoop* loop) { m_loop = loop; }

    int ViewerCount() const { return int(m_viewers.size()); }
    TZmItemViewer* Viewer(int index) const { return m_viewers[size_t(index)].get(); }
    TZmItemViewer* ViewerOf(const TZmCustomItem* item) const;
    // Shown viewers in display order.
    QList<TZmItemViewer*> ShownViewers() const;

    bool IsModal() const { return m_modal; }
    void SetModal(bool value) { m_modal = value; }
    bool MouseOverView() const { return m_mouseOverView; }
    bool IgnoreFirstRelease() const { return m_ignoreFirstRelease; }
    void SetIgnoreFirstRelease(bool value) { m_ignoreFirstRelease = value; }
    bool OpenedLeft() const { return m_openedLeft; }
    void SetOpenedLeft(bool value) { m_openedLeft = value; }
    bool MouseOverSelected() const { return m_mouseOverSelected; }
    // Accelerators are underlined once the keyboard has been used in the menu.
    bool KeyboardUsed() const;
    void SetKeyboardUsed();

    QFont MenuFont() const { return m_menuFont; }
    // The largest height the view may take (work area less the frame).
    int MaxHeight() const { return m_maxHeight; }
    void SetMaxHeight(int value) { m_maxHeight = value; }

    // Measures every viewer, lays them out and sizes the view; returns
    // the view's size.
    virtual QSize Measure();
    // The shown viewer at a point of this widget, or null.
    virtual TZmItemViewer* ViewerAt(QPoint pos) const;
    // A viewer's rectangle in this widget's coordinates and on screen.
    QRect ViewerRect(const TZmItemViewer* viewer) const;
    QRect ScreenRect(const TZmItemViewer* viewer) const;
    // Vertical bars between columns (x in this widget).
    const QList<int>& ColumnBars() const { return m_bars; }

    // Selection order: the next selectable viewer after (or before) from,
    // wrapping around; null when there is none.
    TZmItemViewer* NextSelectable(TZmItemViewer* from, bool forward) const;
    // The first selectable viewer; for an initial selection, items marked
    // zisNoInitialSelect are passed over.
    TZmItemViewer* FirstSelectable(bool initial) const;
    TZmItemViewer* LastSelectable() const;
    void Select(TZmItemViewer* viewer, bool scrollIntoView);

    // Opens the submenu of an enabled submenu viewer (closing another
    // open one); nothing for other viewers.
    void OpenSubmenu(TZmItemViewer* viewer, bool selectFirst);
    void CloseSubmenu();
    // Where a submenu window of the given size goes beside one of this
    // view's items, on the work area of the item's screen.
    ZmLayout::SubmenuPlacement PlaceSubmenu(const TZmItemViewer* viewer, QSize size) const;

    void StartTimer(TZmTimerKind kind, int interval);
    void StopTimer(TZmTimerKind kind);
    bool TimerRunning(TZmTimerKind kind) const { return m_timers[kind].isActive(); }

    // The navigation keys of a view.
    virtual TZmKeyResult KeyDown(int key, Qt::KeyboardModifiers modifiers);
    // A typed character: selects the item with that accelerator, and acts
    // as Enter when only one item has it; beeps when none has.
    TZmKeyResult CharTyped(QChar ch);
    // Enter on the selected item.
    TZmKeyResult EnterSelected();

    // Hot-tracking: this view's part of following the pointer.
    void TrackPointer(QPoint globalPos, bool overChildView);
    // The pointer left the menu's windows or the menu ends.
    void PointerLeft();

    // Scrolling; views that do not scroll keep these defaults.
    virtual int ScrollOffset() const { return 0; }
    virtual void ScrollIntoView(const TZmItemViewer*) {}
    virtual bool ScrollStep(bool /*down*/) { return false; }
    virtual void TrackScrollZones(QPoint /*pos*/, bool /*overView*/) {}

    // Redraws one viewer.
    void UpdateViewer(const TZmItemViewer* viewer);
    // Stops everything before the window goes: timers, open submenus,
    // change notifications.
    void Shutdown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    virtual void DoTimer(TZmTimerKind kind);
    // Paints over the items (scroll zones).
    virtual void PaintOverlay(QPainter& /*canvas*/) {}
    // Lays out the measured viewers with the given padding at the top and
    // bottom; returns the content size.
    QSize LayoutViewers(int padding);

private:
    void RebuildViewers();
    void ListenTo(TZmCustomItem* item);
    void CollectChildren(TZmCustomItem* item, QList<TZmCustomItem*>& out, int depth);
    void ItemsChanged(TZmChangeKind kind, TZmCustomItem* item, int index);
    void RelayoutWindow();
    void RetireViewer(std::unique_ptr<TZmItemViewer> viewer);
    void FlushRetired();
    bool MoveColumn(int direction);

    TZmPopupWindow* m_window;
    QPointer<TZmCustomItem> m_item;
    // Guarded: a submenu's window outlives the first level's by its
    // deferred deletion.
    QPointer<TZmView> m_parentView;
    TZmMenuLoop* m_loop = nullptr;
    std::vector<std::unique_ptr<TZmItemViewer>> m_viewers;
    std::vector<std::unique_ptr<TZmItemViewer>> m_retired;
    QList<QPointer<TZmCustomItem>> m_sources; // items whose children are shown
    TZmItemViewer* m_selected = nullptr;
    TZmItemViewer* m_openViewer = nullptr;
    TZmView* m_openView = nullptr;
    QBasicTimer m_timers[4];
    QFont m_menuFont;
    int m_maxHeight = 0;
    QList<int> m_bars;
    bool m_modal = false;
    bool m_mouseOverView = false;
    bool m_ignoreFirstRelease = false;
    bool m_openedLeft = false;
    bool m_mouseOverSelected = false;
    bool m_keyboardUsed = false;
    bool m_shutDown = false;
};
