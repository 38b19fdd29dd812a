#pragma once

#include <QObject>

class TZmCustomItem;

// The component's hidden dispatcher: delivers the click chosen in a menu
// after the menu has closed, from the ordinary event loop. One exists
// (created on the first click) while any item is alive.
class TZmDispatcher : public QObject {
    Q_OBJECT
public:
    // Remembers the item as the pending one and posts the dispatch; the
    // item's Click runs when the event arrives. A later PostClick before
    // that replaces the pending item.
    static void PostClick(TZmCustomItem* item);
    // The item waiting for its click, or null.
    static TZmCustomItem* PendingItem();
    static bool Exists();

    // Called by every item's destructor: forgets it if pending, and
    // destroys the dispatcher with the last item.
    static void ItemDestroyed(TZmCustomItem* item, int liveItems);

protected:
    void customEvent(QEvent* event) override;

private:
    TZmDispatcher() = default;
};
