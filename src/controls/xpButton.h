#pragma once

#include "base/TColor.h"

#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QPainter;
class QShortcut;

// A custom-drawn push button: rounded dark-blue outline, light gradient
// face, bevel lines, an orange frame while the pointer is over it, a
// pressed look, an optional focus rectangle and a flat grey disabled look.
//
// Keys the window offers to all its buttons:
//  - Esc and Enter that no focused control took (they reach the window
//    unhandled) click an enabled Cancel or Default button;
//  - the character that the caption marks with "&" clicks the button, even
//    a disabled one: with Alt wherever the focus is in the window, alone
//    when the focused control does not take characters.
// Enter and Space pressed on the focused button itself belong to that
// button: they press it and are not offered to the window.
class TxpButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QFont Font READ Font WRITE SetFont)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(bool Cancel READ Cancel WRITE SetCancel)
    Q_PROPERTY(bool Default READ Default WRITE SetDefault)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
    Q_PROPERTY(bool ShowFocus READ ShowFocus WRITE SetShowFocus)

public:
    using TNotifyEvent = std::function<void(QObject* Sender)>;
    using TKeyEvent = std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)>;

    explicit TxpButton(QWidget* AOwner = nullptr);
    ~TxpButton() override;

    QString Caption() const { return m_caption; }
    // Repaints only when the text changes.
    void SetCaption(const QString& value);

    // The caption font is the button's own, independent of the widget font
    // that Qt passes down from the parent.
    const QFont& Font() const { return m_font; }
    void SetFont(const QFont& value);
    TColor FontColor() const { return m_fontColor; }
    void SetFontColor(TColor value);

    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool value);

    QString Hint() const { return toolTip(); }
    void SetHint(const QString& value) { setToolTip(value); }
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool value) { m_showHint = value; }

    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool value);

    bool Cancel() const { return m_cancel; }
    void SetCancel(bool value) { m_cancel = value; }
    bool Default() const { return m_default; }
    void SetDefault(bool value) { m_default = value; }
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int value) { m_modalResult = value; }
    bool ShowFocus() const { return m_showFocus; }
    void SetShowFocus(bool value) { m_showFocus = value; }

    // The caption as shown: its first "&" removed.
    QString Text() const;
    // The caption without its accelerator marks, as assistive tools read it.
    QString AccessibleCaption() const;

    // Runs OnClick, then gives the owning dialog the modal result, if any.
    void Click();

    // The window offers unhandled Esc/Enter (DialogKey) and characters
    // (DialogChar) to every button it holds.
    void DialogKey(int key);
    void DialogChar(int key);

    bool IsHot = false;
    bool IsDown = false;
    bool IsFocused = false;

    TNotifyEvent OnClick;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;

    // The pen width the canvas keeps from one paint to the next.
    int CanvasPenWidth() const { return m_penWidth; }

protected:
    virtual void Paint(QPainter& canvas);

    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void SetHot(bool hot);
    void PaintEnabled(QPainter& canvas);
    void PaintDisabled(QPainter& canvas);
    void DrawCaption(QPainter& canvas, const QColor& colour, int d);
    void DrawAccelerator(QPainter& canvas, const QColor& colour, int d);
    void WatchWindow();
    void UpdateAccelerator();

    QString m_caption;
    QFont m_font;
    TColor m_fontColor = clr::WindowText;
    bool m_showHint = false;
    bool m_cancel = false;
    bool m_default = false;
    int m_modalResult = 0;
    bool m_showFocus = false;
    int m_penWidth = 1;
    QPointer<QWidget> m_watchedWindow;
    QPointer<QShortcut> m_accelerator;
};
