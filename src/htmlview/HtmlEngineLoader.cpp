#include "htmlview/HtmlEngineLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QOpenGLContext>
#include <QStringList>

#include <dlfcn.h>

// Qt keeps the context that every GL context of the program shares with
// here; it has no public setter, and the attribute that makes Qt create
// it only counts before the application object exists.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
QT_END_NAMESPACE

namespace {

constexpr char LibraryName[] = "libzentro-htmlengine.so";

// The engine paints through GL contexts shared with the windows'. A
// program that links the engine gets the shared context before its
// application object; loaded late, the engine needs it made now, before
// its library is loaded, and the windows compose with it from then on.
void ShareGlContexts()
{
    if (qt_gl_global_share_context())
        return;
    auto* context = new QOpenGLContext(QCoreApplication::instance());
    if (!context->create()) {
        // No GL here (the offscreen platform): the engine paints in software.
        delete context;
        return;
    }
    qt_gl_set_global_share_context(context);
}

// Next to the program in the build tree, in the program's own library
// folder once installed.
QStringList LibraryCandidates()
{
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.filePath(QLatin1String(LibraryName)),
            program.filePath(QStringLiteral(ZENTRO_ENGINE_DIR "/") + QLatin1String(LibraryName))};
}

THtmlEngineFactory LoadFactory()
{
    // A program that links the library (the tests, the benchmark) has it
    // already.
    if (auto* linked = reinterpret_cast<THtmlEngineFactory>(dlsym(RTLD_DEFAULT, HtmlEngineEntry)))
        return linked;
    ShareGlContexts();
    QStringList errors;
    for (const QString& candidate : LibraryCandidates()) {
        QLibrary library(candidate);
        if (auto* factory = reinterpret_cast<THtmlEngineFactory>(library.resolve(HtmlEngineEntry)))
            return factory; // the library stays loaded for the rest of the run
        errors << library.errorString();
    }
    qWarning("The HTML engine could not be loaded: %s",
             qPrintable(errors.join(QLatin1String("; "))));
    return nullptr;
}

THtmlEngineFactory& Factory()
{
    static THtmlEngineFactory factory = LoadFactory();
    return factory;
}

} // namespace

THtmlEngine* CreateHtmlEngine(QWidget* parent, QObject* bridge, const THtmlEngine::TEvents& events)
{
    THtmlEngineFactory factory = Factory();
    return factory ? factory(parent, bridge, events) : nullptr;
}
