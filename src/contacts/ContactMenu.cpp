#include "contacts/ContactMenu.h"

#include "contacts/ContactTree.h"
#include "popup/ZmItem.h"
#include "popup/ZmRootItem.h"
#include "popup/ZmSeparatorItem.h"
#include "popup/ZmSubmenuItem.h"

#include <QPointer>

TContactMenu::TContactMenu(TContactTree* tree, QObject* owner) : TZmPopupMenu(owner)
{
    ZmSubmenuItem1 = new TZmSubmenuItem(this);
    ZmSubmenuItem1->SetCaption(QStringLiteral("Chat with user(s) using ..."));
    Items()->Add(ZmSubmenuItem1);
    ZmItem5 = AddItem(ZmSubmenuItem1, QStringLiteral("ZentroChat"));
    ZmItem4 = AddItem(ZmSubmenuItem1, QStringLiteral("Yahoo Messenger"));
    ZmItem3 = AddItem(ZmSubmenuItem1, QStringLiteral("MSN Messenger"));
    ZmItem2 = AddItem(ZmSubmenuItem1, QStringLiteral("ICQ Chat"));
    ZmItem9 = AddItem(Items(), QStringLiteral("Start a Conference"));
    ZmItem6 = AddItem(Items(), QStringLiteral("Invite to ZentroConference"));
    ZmSeparatorItem2 = AddSeparator();
    ZmItem11 = AddItem(Items(), QStringLiteral("Add Contact"));
    ZmItem10 = AddItem(Items(), QStringLiteral("Edit Contact"));
    ZmItem12 = AddItem(Items(), QStringLiteral("Delete Contact"));
    ZmSeparatorItem3 = AddSeparator();
    ZmItem8 = AddItem(Items(), QStringLiteral("Send e-mail"));
    ZmItem7 = AddItem(Items(), QStringLiteral("Send SMS"));

    // The click arrives after the menu has closed; the tree may be gone.
    ZmItem8->OnClick = [tree = QPointer<TContactTree>(tree)](QObject*) {
        if (tree)
            tree->ZmItem8Click();
    };
    tree->SetPopupMenu(this);
}

TZmItem* TContactMenu::AddItem(TZmCustomItem* parent, const QString& caption)
{
    auto* item = new TZmItem(this);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

TZmSeparatorItem* TContactMenu::AddSeparator()
{
    auto* item = new TZmSeparatorItem(this);
    Items()->Add(item);
    return item;
}
