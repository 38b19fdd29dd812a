#pragma once

#include <QWidget>

class TZmCustomItem;
class TZmPopupView;
class TZmView;

// The top-level window of one open menu level: a 3-pixel frame around its
// TZmPopupView. It is never activated (the menu's loop takes the pointer
// and the keyboard), ignores requests to close, and offers the selected
// item's short hint as its tooltip.
class TZmPopupWindow : public QWidget {
    Q_OBJECT
public:
    TZmPopupWindow(TZmCustomItem* item, TZmView* parentView);
    ~TZmPopupWindow() override;

    TZmPopupView* View() const { return m_view; }

    // Measures the view and sizes the window around it; returns the size.
    QSize MeasureWindow();
    // Shows the window without activating it, with the "MenuPopup" sound.
    void ShowPopup();

signals:
    // Emitted once, when the items were first painted (benchmarks).
    void FirstPainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    friend class TZmView;
    void ContentPainted();

    TZmPopupView* m_view;
    bool m_painted = false;
};
