#include "app/Application.h"
#include "app/SingleInstance.h"
#include "appbar/uAppbar.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    PrepareApplication();
    QApplication app(argc, argv);
    SetUpApplication(app);
    // A later start shows the running Zentro instead of a second app-bar.
    TSingleInstance instance(TSingleInstance::DefaultServerPath());
    if (const auto role = instance.Claim(); role != TSingleInstance::TRole::Primary)
        return role == TSingleInstance::TRole::HandedOver ? 0 : 1;
    CreateStartupWindows();
    QObject::connect(&instance, &TSingleInstance::ShowRequested, fAppBar, &TfAppBar::RollDown);
    const int rc = QApplication::exec();
    DestroyAllWindows();
    return rc;
}
