#include "popup/ZmRootItem.h"

TZmRootItem::TZmRootItem(QObject* owner) : TZmCustomItem(owner) {}
