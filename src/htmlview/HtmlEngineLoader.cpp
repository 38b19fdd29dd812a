#include "htmlview/HtmlEngineLoader.h"

#include "htmlview/SharedGlContext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>

#include <dlfcn.h>

namespace {

constexpr char LibraryName[] = "libzentro-htmlengine.so";
constexpr char HelperName[] = "zentro-htmlhelper";

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

// The engine's library reads the shared context as it loads, and warns
// when there is none. Whether the context is made (and a GL library
// loaded) is the engine's choice, made once it has loaded.
void PlaceSharedGlContext()
{
    if (!qt_gl_global_share_context())
        qt_gl_set_global_share_context(new QOpenGLContext(QCoreApplication::instance()));
}

// The engine keeps a second helper for the whole run, one that starts the
// helpers that run without a sandbox: about 50 MiB resident, 8 MiB of its
// own. This program starts none of those (the engine's GPU and network
// work run inside it), so the helper is not made. A user's own flags stand.
void SpareUnsandboxedHelper()
{
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--no-unsandboxed-zygote"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --no-unsandboxed-zygote").trimmed());
}

// The engine's helper processes run our helper program, which sits next to
// the engine's library, where it is there; a user's own choice stands.
void UseOwnHelper(const QString& library)
{
    const QString helper = QFileInfo(library).dir().filePath(QLatin1String(HelperName));
    if (!qEnvironmentVariableIsSet("QTWEBENGINEPROCESS_PATH") && QFileInfo(helper).isExecutable())
        qputenv("QTWEBENGINEPROCESS_PATH", QFile::encodeName(helper));
}

THtmlEngineFactory LoadFactory()
{
    ExposePagesToScreenReaders();
    SpareUnsandboxedHelper();
    // A program that links the library (the tests, the benchmark) has it
    // already.
    if (auto* linked = reinterpret_cast<THtmlEngineFactory>(dlsym(RTLD_DEFAULT, HtmlEngineEntry))) {
        Dl_info info{};
        if (dladdr(reinterpret_cast<void*>(linked), &info) && info.dli_fname)
            UseOwnHelper(QFile::decodeName(info.dli_fname));
        return linked;
    }
    const QStringList candidates = LibraryCandidates();
    for (const QString& candidate : candidates) {
        if (!QFileInfo::exists(candidate))
            continue;
        PlaceSharedGlContext();
        UseOwnHelper(candidate);
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
