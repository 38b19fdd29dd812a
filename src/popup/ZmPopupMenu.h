#pragma once

#include "popup/ZmTypes.h"

#include <QKeyCombination>
#include <QObject>
#include <QPoint>

class TImageList;
class TZmCustomItem;
class TZmRootItem;

// A popup (context) menu: a tree of items under its root item Items, shown
// at a screen point by Popup. The owner (normally the window declaring
// the menu) receives the selected item's long hint as status tips while
// the menu is open.
//
//     ZmPopupMenu1 = new TZmPopupMenu(this);
//     ZmPopupMenu1->OnPopup = [this](QObject* sender) { ZmPopupMenu1Popup(sender); };
//     ZmPopupMenu1->Items()->Add(miShowCaptions);   // items owned by the window
//     ...
//     void contextMenuEvent(QContextMenuEvent* e) { ZmPopupMenu1->Popup(e->globalPos()); }
//
// Popup returns when the menu has closed; the chosen item's OnClick runs
// afterwards from the event loop. OnPopup runs before anything is shown,
// so it may set Checked, Enabled, captions or add items.
class TZmPopupMenu : public QObject {
    Q_OBJECT
public:
    explicit TZmPopupMenu(QObject* owner = nullptr);
    ~TZmPopupMenu() override;

    TZmRootItem* Items() const { return m_items; }

    // The root item's images, linked items and options.
    TImageList* Images() const;
    void SetImages(TImageList* value);
    TZmCustomItem* LinkSubitems() const;
    void SetLinkSubitems(TZmCustomItem* value);
    TZmItemOptions Options() const;
    void SetOptions(TZmItemOptions value);

    // Left: the menu opens to the right of the point; right: its right edge
    // is at the point; centre: centred on it.
    TZmPopupAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TZmPopupAlignment value) { m_alignment = value; }
    // With tbRightButton (the default) the right button operates the open
    // menu as the left one does.
    TZmTrackButton TrackButton() const { return m_trackButton; }
    void SetTrackButton(TZmTrackButton value) { m_trackButton = value; }

    // Raised with the menu as sender before the menu is shown.
    TZmNotifyEvent OnPopup;

    // Shows the menu at a screen point and runs it until it closes.
    void Popup(QPoint screenPoint);
    void Popup(int x, int y) { Popup(QPoint(x, y)); }
    // The point of the last Popup.
    QPoint PopupPoint() const { return m_popupPoint; }

    // Shortcut dispatch: finds the item whose ShortCut is key (raising
    // each submenu's DoPopup before searching it) and clicks it. Disabled
    // submenus are not searched; a disabled match ends the search. Returns
    // whether the key was handled. A menu owned by a widget is asked for
    // every key pressed in the owner's window, before the focused control
    // sees the key; a handled key goes no further.
    bool IsShortCut(QKeyCombination key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TZmRootItem* m_items;
    TZmPopupAlignment m_alignment = paLeft;
    TZmTrackButton m_trackButton = tbRightButton;
    QPoint m_popupPoint;
};
