#pragma once

// Helpers for the composer's tests: opening composers, filling and
// selecting in their editor, and watching what reaches the engine.

#include "app/uUtils.h"
#include "compose/uMail.h"
#include "htmlview/HtmlView.h"
#include "popup/ZmCustomItem.h"
#include "popup/internal/ZmPopupView.h"
#include "popup/internal/ZmPopupWindow.h"

#include "HtmlEval.h"
#include "WindowProbe.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

inline QList<TfMail*> Composers()
{
    return TopLevels<TfMail>();
}

// Opens a composer as the contact actions do.
inline TfMail* Open(const QString& to)
{
    OpenComposer(QString(), to, QString(), QString());
    for (TfMail* m : Composers())
        if (m->leTo->text() == to)
            return m;
    return nullptr;
}

inline bool WaitReady(TfMail* f)
{
    QDeadlineTimer deadline(20000);
    while (!f->EditorReady && !deadline.hasExpired())
        QTest::qWait(10);
    return f->EditorReady;
}

// Replaces the message with some HTML and puts the focus into it.
inline void SetMessage(TfMail* f, const QString& html)
{
    const QString literal =
        QString::fromUtf8(QJsonDocument(QJsonArray{html}).toJson(QJsonDocument::Compact));
    Eval(f->web, QStringLiteral("document.body.innerHTML = %1[0]; document.body.focus(); true")
                     .arg(literal));
}

// Runs a script that moves the selection, as the user would with the
// keyboard or the mouse.
inline void Select(TfMail* f, const QString& script)
{
    // A block of its own: its declarations end with it.
    Eval(f->web, QStringLiteral("{ %1; } true").arg(script));
}

inline void CaretIn(TfMail* f, const QString& id, int offset = 1)
{
    Select(f,
           QStringLiteral("getSelection().collapse(document.getElementById('%1').firstChild, %2)")
               .arg(id)
               .arg(offset));
}

inline void SelectAllOf(TfMail* f, const QString& id)
{
    Select(
        f,
        QStringLiteral("getSelection().selectAllChildren(document.getElementById('%1'))").arg(id));
}

// From now on every command the page's bridge receives is logged as
// "command:value".
inline void WatchCommands(TfMail* f)
{
    Eval(f->web, QStringLiteral("{ window.sent = []; const run = zentro.exec;"
                                "zentro.exec = (c, v) => { sent.push(c + ':' + v); run(c, v); }; }"
                                "true"));
}

inline QStringList SentCommands(TfMail* f)
{
    return Eval(f->web, QStringLiteral("window.sent")).toStringList();
}

inline QString Body(TfMail* f)
{
    return Eval(f->web, QStringLiteral("document.body.innerHTML")).toString();
}

// Runs open, which pops a menu up and returns once it has closed; while
// the menu is open, look sees it, and then Escape closes it unless look
// has closed it. Returns whether a menu opened.
inline bool WhileMenuOpen(const std::function<void()>& open,
                          const std::function<void(TZmView*)>& look = {})
{
    QObject context;
    auto seen = std::make_shared<bool>(false);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [&context, seen, poll, look] {
        TZmView* view = OpenMenu();
        if (!view) {
            QTimer::singleShot(10, &context, *poll);
            return;
        }
        *seen = true;
        QPointer<TZmPopupWindow> window = view->Window();
        if (look)
            look(view);
        if (window && window->isVisible())
            QTest::keyClick(window, Qt::Key_Escape);
    };
    QTimer::singleShot(0, &context, *poll);
    open();
    return *seen;
}

// Clicks an item of an open menu as the user does.
inline void ClickItem(TZmView* view, const TZmCustomItem* item)
{
    const QPoint at = view->ViewerRect(view->ViewerOf(item)).center() + view->pos();
    QTest::mouseMove(view->Window(), at);
    QTest::mouseClick(view->Window(), Qt::LeftButton, {}, at);
}
