#include "contacts/DemoContacts.h"

#include "contacts/ContactTree.h"
#include "contacts/Presence.h"

void BuildDemoContacts(TContactTree* tree)
{
    TContactNode* friends = tree->AddGroup(QStringLiteral("Friends"));
    tree->AddContact(friends, QStringLiteral("Darvel"), JoinPresence(1, 1, 2, 0));
    tree->AddContact(friends, QStringLiteral("kop318"), JoinPresence(2, 2, 2, 2));
    tree->AddContact(friends, QStringLiteral("user1"), JoinPresence(0, 0, 0, 0));
    tree->AddContact(friends, QStringLiteral("user2"), JoinPresence(1, 1, 1, 0));

    TContactNode* enemies = tree->AddGroup(QStringLiteral("Enemies"));
    tree->AddContact(enemies, QStringLiteral("Donald Duck"), JoinPresence(1, 1, 2, 3));
    tree->AddContact(enemies, QStringLiteral("Bugs Bunny"), JoinPresence(2, 2, 2, 2));
    tree->AddContact(enemies, QStringLiteral("Guffy Duck"), JoinPresence(0, 0, 0, 0));
    tree->AddContact(enemies, QStringLiteral("Yosemite Sam"), JoinPresence(3, 3, 3, 3));

    tree->SortTree();
}
