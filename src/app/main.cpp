#include "app/Application.h"
#include "app/Platform.h"
#include "app/SessionEnd.h"
#include "app/SingleInstance.h"
#include "appbar/uAppbar.h"
#include "base/AppSetup.h"

#include <QApplication>

#include <cstdio>
#include <ctime>

namespace {

// The benchmark times start-up to the strip's first paint. The moment goes
// to stderr on the monotonic clock, comparable with the process that
// started us, with the process's CPU time so far: read from outside, it
// would count the work that follows the paint.
void ReportFirstPaint()
{
    timespec now{};
    timespec cpu{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    std::fprintf(stderr, "zentro-first-paint %lld %lld\n",
                 static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec,
                 static_cast<long long>(cpu.tv_sec) * 1000000000LL + cpu.tv_nsec);
    std::fflush(stderr);
}

} // namespace

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
