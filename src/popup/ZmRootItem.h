#pragma once

#include "popup/ZmCustomItem.h"

// The invisible root of a menu's tree: its children are the first level.
class TZmRootItem : public TZmCustomItem {
    Q_OBJECT
public:
    explicit TZmRootItem(QObject* owner = nullptr);
};
