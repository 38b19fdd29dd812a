#pragma once

// Helpers for the composer's tests: opening composers, filling and
// selecting in their editor, and watching what reaches the engine.

#include "app/uUtils.h"
#include "compose/uMail.h"
#include "htmlview/HtmlView.h"

#include "HtmlEval.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QStringList>
#include <QTest>

inline QList<TfMail*> Composers()
{
    QList<TfMail*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<TfMail*>(w))
            out << m;
    return out;
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
