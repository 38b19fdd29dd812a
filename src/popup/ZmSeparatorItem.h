#pragma once

#include "popup/ZmCustomItem.h"

// A separator line between items; never selectable. Views hide a
// separator that comes first, last, or right after another one.
class TZmSeparatorItem : public TZmCustomItem {
    Q_OBJECT
public:
    explicit TZmSeparatorItem(QObject* owner = nullptr);

    // A blank separator takes its space but draws no line.
    bool Blank() const { return m_blank; }
    void SetBlank(bool value);

    TZmItemViewer* CreateItemViewer(TZmView* view) override;

private:
    bool m_blank = false;
};
