#include "htmlengine/HtmlProfile.h"

#include "htmlengine/LibraryPages.h"
#include "htmlengine/ResSchemeHandler.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <QWebEngineProfile>

#include <malloc.h>

namespace {

struct TShared {
    QPointer<QWebEngineProfile> profile;
    int pages = 0;
    // Once the program is ending, the profile goes with its last page:
    // it must not outlive the engine, which ends with the application.
    bool quitting = false;
    QTimer* release = nullptr;
};

TShared& Shared()
{
    static TShared shared;
    return shared;
}

void DeleteProfile()
{
    TShared& s = Shared();
    if (s.pages > 0 || !s.profile)
        return;
    delete s.profile;
    // The engine frees the profile's objects in tasks of its own; the heap
    // is trimmed once they have run, and the code of the engine and of the
    // libraries it brought, which hardly runs until the next view, is given
    // back too.
    if (!s.quitting)
        QTimer::singleShot(THtmlProfile::ReleaseDelayMs, qApp, [] {
            malloc_trim(0);
            // A view opened meanwhile runs that code again.
            if (Shared().pages == 0)
                ReleaseLibraryPagesFrom(reinterpret_cast<const void*>(&THtmlProfile::Acquire));
        });
}

} // namespace

QWebEngineProfile* THtmlProfile::Acquire()
{
    TShared& s = Shared();
    if (!s.release) {
        s.release = new QTimer(qApp);
        s.release->setSingleShot(true);
        s.release->setInterval(ReleaseDelayMs);
        QObject::connect(s.release, &QTimer::timeout, qApp, DeleteProfile);
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [] {
            Shared().quitting = true;
            DeleteProfile();
        });
    }
    s.release->stop();
    ++s.pages;
    if (!s.profile) {
        // Off the record: the views leave nothing on disk.
        s.profile = new QWebEngineProfile(qApp);
        TResSchemeHandler::InstallOn(s.profile);
    }
    return s.profile;
}

void THtmlProfile::Release()
{
    TShared& s = Shared();
    if (--s.pages > 0)
        return;
    if (s.quitting)
        DeleteProfile();
    else
        s.release->start();
}
