#include "popup/ZmItem.h"

TZmItem::TZmItem(QObject* owner) : TZmCustomItem(owner) {}
