#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

// The Full Mode window's right-click hook over HTML views: while it is
// installed, a right-button release over any HTML view of the program
// (the preview, a composer's editor, a chat transcript) never reaches the
// view; the hook's target runs instead, with the point of the release. The
// views show no context menu of their own meanwhile. A menu asked for from
// the keyboard (Shift+F10, the Menu key) in an HTML view is taken alike,
// at the view's cursor. Everything else passes untouched.
//
// Each Full Mode window installs one and removes it with itself, so the
// hook never calls into a window that no longer exists.
class TPreviewMouseHook : public QObject {
    Q_OBJECT
public:
    TPreviewMouseHook(std::function<void(const QPoint& screenPoint)> target, QObject* owner);
    ~TPreviewMouseHook() override;

    // The routine the hook calls, bound to its window.
    std::function<void(const QPoint& screenPoint)> MouseHookTarget;

    // The hook procedure: true takes the event away from its receiver.
    bool PreviewMouseHook(QObject* receiver, QEvent* event);

    // The engine view of the HTML view whose surface receives events sent
    // to the object, or null.
    static QWidget* HtmlViewOf(QObject* receiver);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Silence(QWidget* view);

    // Views whose own context menu the hook has switched off, with the
    // policy to give back when the hook goes.
    struct Silenced {
        QPointer<QWidget> View;
        Qt::ContextMenuPolicy Policy;
    };
    QList<Silenced> m_silenced;
};
