#include "app/Application.h"
#include "app/FirstPaintReport.h"
#include "app/Platform.h"
#include "app/SessionEnd.h"
#include "app/SingleInstance.h"
#include "appbar/uAppbar.h"
#include "base/AppSetup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (!ChoosePlatform(argc, argv))
        return 1;
    QApplication app(argc, argv);
    SetUpApplication(app, TIconTiming::Later);
    // Signals and the session's end are kept until the window loop runs.
    TSessionEnd sessionEnd;
    // A later start shows the running Zentro instead of a second app-bar.
    TSingleInstance instance(TSingleInstance::DefaultServerPath());
    if (const auto role = instance.Claim(); role != TSingleInstance::TRole::Primary)
        return role == TSingleInstance::TRole::HandedOver ? 0 : 1;
    CreateStartupWindows();
    QObject::connect(&instance, &TSingleInstance::ShowRequested, fAppBar, &TfAppBar::RollDown);
    QObject::connect(&sessionEnd, &TSessionEnd::EndRequested, fAppBar, &TfAppBar::Exit1Click);
    if (qEnvironmentVariableIsSet("ZENTRO_REPORT_FIRST_PAINT"))
        QObject::connect(fAppBar, &TfAppBar::FirstPainted, fAppBar, ReportFirstPaint);
    const int rc = QApplication::exec();
    DestroyAllWindows();
    return rc;
}
