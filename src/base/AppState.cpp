#include "base/AppState.h"

#include <QString>

namespace {
bool g_terminating = false;
QString g_title = QStringLiteral("Zentro");
} // namespace

QString ApplicationTitle()
{
    return g_title;
}

void SetApplicationTitle(const QString& title)
{
    g_title = title;
}

bool ApplicationTerminating()
{
    return g_terminating;
}

void SetApplicationTerminating()
{
    g_terminating = true;
}
