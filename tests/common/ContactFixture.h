#pragma once

// The demo contact list in a tree of its own: the scaffolding of the
// contact tree's tests and of others that look at it.

#include "base/ImageList.h"
#include "contacts/ContactTree.h"
#include "contacts/DemoContacts.h"
#include "contacts/StatusImages.h"

#include <QStringList>
#include <QWidget>

// The demo list in a tree filling a window of 247 x 320 at the place
// given, the groups expanded as asked, the window shown.
struct TDemoTree {
    QWidget window;
    TImageList* images;
    TContactTree* tree;

    explicit TDemoTree(QPoint at = {}, bool expandEnemies = true, bool expandFriends = true)
    {
        window.setGeometry(QRect(at, QSize(247, 320)));
        images = NewStatusImageList(&window);
        tree = new TContactTree(images, &window);
        tree->setGeometry(0, 0, 247, 320);
        BuildDemoContacts(tree);
        tree->Group(0)->setExpanded(expandEnemies);
        tree->Group(1)->setExpanded(expandFriends);
        window.show();
    }

    TContactNode* Node(const char* name) const { return tree->FindNode(QLatin1String(name)); }
};

// The texts of a group's contacts, in order.
inline QStringList Names(const TContactNode* group)
{
    QStringList out;
    for (int i = 0; i < group->childCount(); ++i)
        out << group->Child(i)->Text();
    return out;
}
