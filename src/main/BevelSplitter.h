#pragma once

#include "base/TColor.h"

#include <QSplitter>

// A splitter whose handle is a bevelled bar of one colour, resized live.
class TBevelSplitter : public QSplitter {
    Q_OBJECT
public:
    TBevelSplitter(Qt::Orientation orientation, TColor color, int width, QWidget* parent);

    TColor Color() const { return m_color; }

protected:
    QSplitterHandle* createHandle() override;

private:
    TColor m_color;
};
