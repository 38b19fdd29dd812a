#include "base/HintStyle.h"

#include <QApplication>

namespace {
int g_hintDelay = DefaultHintDelay;
}

int ApplicationHintDelay()
{
    return g_hintDelay;
}

void SetApplicationHintDelay(int milliseconds)
{
    g_hintDelay = milliseconds;
}

int THintStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                          QStyleHintReturn* returnData) const
{
    if (hint == QStyle::SH_ToolTip_WakeUpDelay)
        return g_hintDelay;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void InstallHintStyle(QApplication& app)
{
    if (qobject_cast<THintStyle*>(app.style()))
        return;
    // QProxyStyle takes ownership of the base style.
    QApplication::setStyle(new THintStyle(QApplication::style()->name()));
}
