#pragma once

#include "popup/ZmCustomItem.h"

// A plain command item of a menu.
class TZmItem : public TZmCustomItem {
    Q_OBJECT
public:
    explicit TZmItem(QObject* owner = nullptr);
};
