#pragma once

#include "base/ImageList.h"
#include "popup/ZmTypes.h"

#include <QKeyCombination>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

class QWidget;
class TZmItemViewer;
class TZmPopupWindow;
class TZmView;

// An item of a popup menu's tree: its properties, its child list, its
// click and its popup. Items are components: the window that declares them
// owns them (QObject parent) and destroys them; the tree they form is kept
// apart from ownership. Destroying an item destroys its children and takes
// it out of its parent's list.
//
// Building a menu:
//     auto* item = new TZmItem(this);             // owned by the window
//     item->SetCaption(QStringLiteral("&Customize"));
//     item->OnClick = [this](QObject*) { ZmItem1Click(); };
//     menu->Items()->Add(item);
//
// Views showing an item's children listen to ItemsChanged; every setter
// acts only when the value changes.
class TZmCustomItem : public QObject {
    Q_OBJECT
public:
    explicit TZmCustomItem(QObject* owner = nullptr);
    ~TZmCustomItem() override;

    // Items alive in the process (the hidden click dispatcher lives while
    // this is above zero).
    static int LiveItemCount();

    // --- Properties -----------------------------------------------------
    // Click toggles Checked first.
    bool AutoCheck() const { return m_autoCheck; }
    void SetAutoCheck(bool value) { m_autoCheck = value; }
    // "&" marks the accelerator character ("&&" is a literal ampersand).
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& value);
    // Checking an item with a GroupIndex other than 0 unchecks its siblings
    // of the same group.
    bool Checked() const { return m_checked; }
    void SetChecked(bool value);
    TZmItemDisplayMode DisplayMode() const { return m_displayMode; }
    void SetDisplayMode(TZmItemDisplayMode value);
    // Disabled items are shown greyed and can be selected but not clicked.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    int GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(int value);
    // Help topic offered by F1 while the item is selected; 0 = none.
    int HelpContext() const { return m_helpContext; }
    void SetHelpContext(int value) { m_helpContext = value; }
    // "short|long": the short part is the tooltip, the long part the
    // application hint while the item is selected (status bars show it).
    QString Hint() const { return m_hint; }
    void SetHint(const QString& value) { m_hint = value; }
    QString ShortHint() const;
    QString LongHint() const;
    // Picture of Images (or of the parent's SubMenuImages or Images when
    // the item has no list of its own); -1 = none.
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int value);
    TImageList* Images() const { return m_images; }
    void SetImages(TImageList* value);
    // The list that ImageIndex refers to: Images, else the parent's
    // SubMenuImages, else the parent's Images.
    TImageList* EffectiveImages() const;
    TZmItemStyle ItemStyle() const { return m_itemStyle; }
    void SetItemStyle(TZmItemStyle value);
    TZmItemOptions MaskOptions() const { return m_maskOptions; }
    void SetMaskOptions(TZmItemOptions value);
    TZmItemOptions Options() const { return m_options; }
    void SetOptions(TZmItemOptions value);
    bool InheritOptions() const { return m_inheritOptions; }
    void SetInheritOptions(bool value);
    // Dispatched by TZmPopupMenu::IsShortCut; shown right-aligned in menus.
    QKeySequence ShortCut() const { return m_shortCut; }
    void SetShortCut(const QKeySequence& value);
    // Images for the children.
    TImageList* SubMenuImages() const { return m_subMenuImages; }
    void SetSubMenuImages(TImageList* value);
    // Shows another item's children in place of this item's own.
    TZmCustomItem* LinkSubitems() const { return m_linkSubitems; }
    void SetLinkSubitems(TZmCustomItem* value);
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);

    // Column layout: zmbBarBreak starts a new column, separated from the
    // previous one by a vertical bar. Up and Down still follow item order.
    TZmItemBreak Break() const { return m_break; }
    void SetBreak(TZmItemBreak value);
    // A checked radio item shows a bullet instead of a check mark. Use
    // GroupIndex to make checking one uncheck the others.
    bool RadioItem() const { return m_radioItem; }
    void SetRadioItem(bool value);

    // --- Events ---------------------------------------------------------
    // Called by Click with the item as sender.
    TZmNotifyEvent OnClick;
    // Raised before the item's submenu opens (DoPopup).
    TZmPopupEvent OnPopup;
    // Raised when an open view selects the item or moves away from it.
    TZmSelectEvent OnSelect;

    // --- Child list -----------------------------------------------------
    TZmCustomItem* Parent() const { return m_parent; }
    int Count() const { return int(m_items.size()); }
    // Throws "Toolbar item index out of range" outside 0..Count()-1.
    TZmCustomItem* Items(int index) const;
    int IndexOf(const TZmCustomItem* item) const;
    // Throws EZmItemError "Toolbar item already inserted" for an item with
    // a parent, "Toolbar item index out of range" for an index outside
    // 0..Count(), "Toolbar item cannot contain itself" for the item or one
    // of its ancestors; the list stays unchanged.
    void Add(TZmCustomItem* item);
    void Insert(int index, TZmCustomItem* item);
    // Takes the item out of the list (it is not destroyed). Throws
    // "Toolbar item index out of range" outside 0..Count()-1.
    void Delete(int index);

    // --- Operations -----------------------------------------------------
    // Tells the parent's listeners that this item needs redrawing, and
    // re-measuring when needResize is set.
    virtual void Change(bool needResize);
    // Raises OnPopup, then (unless the item is a drop-down combo) Click.
    virtual void DoPopup(TZmCustomItem* sender, bool fromLink);
    virtual void EnabledChanged();
    // The viewer that shows this item in an open view.
    virtual TZmItemViewer* CreateItemViewer(TZmView* view);
    // The window that shows this item's children.
    virtual TZmPopupWindow* CreatePopupWindow(TZmView* parentView);
    // Only when enabled: toggles Checked if AutoCheck, then calls OnClick.
    virtual void Click();

    // Opens a view of the children: raises DoPopup (of LinkSubitems first,
    // when set), creates, measures, places and shows the window. A
    // submenu (asSubmenu) is placed beside parentViewer; a first-level
    // view at point with the alignment. Returns null when nothing would be
    // shown (no visible children, or the item went away meanwhile).
    virtual TZmView* CreatePopup(TZmView* parentView, TZmItemViewer* parentViewer, bool asSubmenu,
                                 bool selectFirst, QPoint point, TZmPopupAlignment alignment);

    // Pops the children up at a screen point and runs the menu until it
    // closes; returns then. The chosen item's Click arrives afterwards,
    // from the ordinary event loop. The long hint of the selected item is
    // sent as a status tip to hintReceiver (or the active window).
    void Popup(QPoint point, bool trackRightButton, TZmPopupAlignment alignment,
               QWidget* hintReceiver = nullptr);

    // The item whose children a view of this item shows.
    TZmCustomItem* ShownItem() { return m_linkSubitems ? m_linkSubitems.data() : this; }

signals:
    // The change listeners: views showing this item's children.
    void ItemsChanged(TZmChangeKind kind, TZmCustomItem* item, int index);

protected:
    // A notification of this item's own kind to the parent's listeners.
    void Notify(TZmChangeKind kind);

private:
    void ThrowIfInsertRefused(int index, TZmCustomItem* item) const;

    bool m_autoCheck = false;
    QString m_caption;
    bool m_checked = false;
    TZmItemDisplayMode m_displayMode = zmdmDefault;
    bool m_enabled = true;
    int m_groupIndex = 0;
    int m_helpContext = 0;
    QString m_hint;
    int m_imageIndex = -1;
    QPointer<TImageList> m_images;
    QList<TZmCustomItem*> m_items;
    TZmItemStyle m_itemStyle = DefaultItemStyle;
    TZmItemOptions m_maskOptions;
    TZmItemOptions m_options;
    bool m_inheritOptions = true;
    TZmCustomItem* m_parent = nullptr;
    QKeySequence m_shortCut;
    QPointer<TImageList> m_subMenuImages;
    QPointer<TZmCustomItem> m_linkSubitems;
    bool m_visible = true;
    TZmItemBreak m_break = zmbNone;
    bool m_radioItem = false;
};
