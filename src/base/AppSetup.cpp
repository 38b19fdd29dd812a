#include "base/AppSetup.h"

#include "base/Artwork.h"
#include "base/HintStyle.h"
#include "base/KeyboardMenus.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QFont>
#include <QWidget>

namespace {

// A window built on a plain widget is a window to a screen reader, not a
// filler.
QAccessibleInterface* PlainWindowAccessible(const QString& className, QObject* object)
{
    // Only our own classes (named T...): the engine asks about objects of
    // its own that are not whole yet, and even a cast would touch them.
    if (!className.startsWith(QLatin1Char('T')))
        return nullptr;
    auto* w = qobject_cast<QWidget*>(object);
    if (!w || !w->isWindow() || w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip ||
        className != QLatin1String(w->metaObject()->className()) ||
        w->metaObject()->superClass() != &QWidget::staticMetaObject)
        return nullptr;
    return new QAccessibleWidget(w, QAccessible::Window);
}

} // namespace

void SetApplicationIcon()
{
    if (QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(Artwork::Icon(QStringLiteral("app/zentro")));
}

void SetUpApplication(QApplication& app, TIconTiming icon)
{
    QCoreApplication::setApplicationName(QStringLiteral("Zentro"));
    QCoreApplication::setOrganizationName(QStringLiteral("Zentro"));
    QGuiApplication::setApplicationDisplayName(QString());
    app.setQuitOnLastWindowClosed(false);
    if (icon == TIconTiming::Now)
        SetApplicationIcon();
    InstallHintStyle(app);
    QAccessible::installFactory(PlainWindowAccessible);
    new TKeyboardMenus(&app);
    // The windows ask for the classic UI faces by name. Without them the
    // font matcher falls back to a face about a fifth wider, which cuts
    // captions off; the metric-compatible sans face keeps their widths.
    for (const char* family : {"MS Sans Serif", "Tahoma", "Default", "Arial"})
        QFont::insertSubstitution(QString::fromLatin1(family), QStringLiteral("Liberation Sans"));
}
