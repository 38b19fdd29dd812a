#pragma once

#include "popup/ZmPopupMenu.h"

class TContactTree;
class TZmItem;
class TZmSeparatorItem;
class TZmSubmenuItem;

// The contact list's context menu, the same in the Full Mode and the
// Messenger windows. It opens where the tree is right-clicked and acts on
// the tree's selection as it stands. Only "Send e-mail" does something;
// the other items just close the menu.
class TContactMenu : public TZmPopupMenu {
    Q_OBJECT
public:
    // Becomes the tree's context menu; the window owning it owns the menu.
    TContactMenu(TContactTree* tree, QObject* owner);

    TZmSubmenuItem* ZmSubmenuItem1; // "Chat with user(s) using ..."
    TZmItem* ZmItem5;               // "ZentroChat"
    TZmItem* ZmItem4;               // "Yahoo Messenger"
    TZmItem* ZmItem3;               // "MSN Messenger"
    TZmItem* ZmItem2;               // "ICQ Chat"
    TZmItem* ZmItem9;               // "Start a Conference"
    TZmItem* ZmItem6;               // "Invite to ZentroConference"
    TZmSeparatorItem* ZmSeparatorItem2;
    TZmItem* ZmItem11; // "Add Contact"
    TZmItem* ZmItem10; // "Edit Contact"
    TZmItem* ZmItem12; // "Delete Contact"
    TZmSeparatorItem* ZmSeparatorItem3;
    TZmItem* ZmItem8; // "Send e-mail"
    TZmItem* ZmItem7; // "Send SMS"

private:
    TZmItem* AddItem(TZmCustomItem* parent, const QString& caption);
    TZmSeparatorItem* AddSeparator();
};
