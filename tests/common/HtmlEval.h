#pragma once

// Runs a script in the program's own world of an HTML view's page and
// waits (up to 10 s) for its result; an invalid QVariant when none came.

#include "htmlview/HtmlView.h"

#include <QDeadlineTimer>
#include <QTest>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <memory>
#include <optional>

inline QVariant Eval(THtmlView* web, const QString& script)
{
    auto result = std::make_shared<std::optional<QVariant>>();
    web->View()->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                       [result](const QVariant& v) { *result = v; });
    QDeadlineTimer deadline(10000);
    while (!result->has_value() && !deadline.hasExpired())
        QTest::qWait(5);
    return result->value_or(QVariant());
}
