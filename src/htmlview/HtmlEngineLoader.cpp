#include "htmlview/HtmlEngineLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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
            QDir::cleanPath(program.filePath(QStringLiteral(ZENTRO_ENGINE_DIR "/") +
                                             QLatin1String(LibraryName)))};
}

// The engine keeps its pages from screen readers on Linux unless told
// otherwise before it starts; a user's own setting stands.
void ExposePagesToScreenReaders()
{
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY"))
        qputenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
}

THtmlEngineFactory LoadFactory()
{
    ExposePagesToScreenReaders();
    // A program that links the library (the tests, the benchmark) has it
    // already.
    if (auto* linked = reinterpret_cast<THtmlEngineFactory>(dlsym(RTLD_DEFAULT, HtmlEngineEntry)))
        return linked;
    const QStringList candidates = LibraryCandidates();
    for (const QString& candidate : candidates) {
        if (!QFileInfo::exists(candidate))
            continue;
        ShareGlContexts();
        QLibrary library(candidate);
        if (auto* factory = reinterpret_cast<THtmlEngineFactory>(library.resolve(HtmlEngineEntry)))
            return factory; // the library stays loaded for the rest of the run
        qWarning("HTML cannot be shown: %s", qPrintable(library.errorString()));
        return nullptr;
    }
    qWarning("HTML cannot be shown: the HTML engine's library is missing (looked for %s).",
             qPrintable(candidates.join(QLatin1String(" and "))));
    return nullptr;
}

} // namespace

THtmlEngine* CreateHtmlEngine(QWidget* parent, QObject* bridge, const THtmlEngine::TEvents& events)
{
    // Looked for once: a missing library is reported once.
    static const THtmlEngineFactory factory = LoadFactory();
    return factory ? factory(parent, bridge, events) : nullptr;
}
