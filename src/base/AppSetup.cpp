#include "base/AppSetup.h"

#include "base/HintStyle.h"

#include <QApplication>
#include <QFont>

void SetUpApplication(QApplication& app)
{
    QCoreApplication::setApplicationName(QStringLiteral("Zentro"));
    QCoreApplication::setOrganizationName(QStringLiteral("Zentro"));
    QGuiApplication::setApplicationDisplayName(QString());
    app.setQuitOnLastWindowClosed(false);
    InstallHintStyle(app);
    // The windows ask for the classic UI faces by name. Without them the
    // font matcher falls back to a face about a fifth wider, which cuts
    // captions off; the metric-compatible sans face keeps their widths.
    for (const char* family : {"MS Sans Serif", "Tahoma", "Default", "Arial"})
        QFont::insertSubstitution(QString::fromLatin1(family), QStringLiteral("Liberation Sans"));
}
