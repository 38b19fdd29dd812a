// The Full Mode window's right-click hook: over any HTML view of the
// program a right-button release brings the message menu and the view
// shows none of its own; elsewhere nothing changes; the hook goes with its
// window.

#include "app/Application.h"
#include "app/uUtils.h"
#include "compose/uMail.h"
#include "htmlview/HtmlView.h"
#include "main/PreviewMouseHook.h"
#include "main/uMain.h"

#include "ZentroTest.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QTableWidget>
#include <QTreeWidget>
#include <QWebEngineView>

namespace {

// Sends a right-button event as the platform would deliver it; says
// whether the receiver got it (nothing took it away on the way).
bool SendRight(QWidget* target, QEvent::Type type)
{
    struct Probe : QObject {
        bool seen = false;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease)
                seen = true;
            return false;
        }
    } probe;
    target->installEventFilter(&probe);
    const QPointF local(target->width() / 2.0, target->height() / 2.0);
    QMouseEvent event(type, local, target->mapToGlobal(local), Qt::RightButton,
                      type == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
    target->removeEventFilter(&probe);
    return probe.seen;
}

QWidget* Surface(THtmlView* web)
{
    return web->View() ? web->View()->focusProxy() : nullptr;
}

} // namespace

class tst_PreviewMouseHook : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { DeleteOwnerlessWindows(); }

    void releaseOverTheHtmlViewsBringsTheMessageMenu()
    {
        auto* w = new TfMain;
        QTRY_VERIFY_WITH_TIMEOUT(w->web->Document(), 20000);
        QTRY_VERIFY(Surface(w->web));
        QWidget* surface = Surface(w->web);
        QVERIFY(TPreviewMouseHook::HtmlViewOf(surface) == w->web->View());
        QVERIFY(!TPreviewMouseHook::HtmlViewOf(w->lvHeaders->viewport()));

        // The press reaches the view, which asks for no menu of its own.
        QVERIFY(SendRight(surface, QEvent::MouseButtonPress));
        QCOMPARE(w->web->View()->contextMenuPolicy(), Qt::PreventContextMenu);
        // The release does not reach it: the message menu comes instead.
        QVERIFY(!SendRight(surface, QEvent::MouseButtonRelease));
        QTRY_VERIFY(w->pmMsg->isVisible());
        QStringList items;
        for (const QAction* a : w->pmMsg->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(items, (QStringList{QStringLiteral("Reply"), QStringLiteral("Forward"),
                                     QStringLiteral("-"), QStringLiteral("View Message Source")}));
        w->pmMsg->hide();

        // Anywhere else the hook stays out of the way.
        QVERIFY(SendRight(w->lvHeaders->viewport(), QEvent::MouseButtonRelease));
        QVERIFY(SendRight(w->tvFolders->viewport(), QEvent::MouseButtonRelease));
        QVERIFY(!w->pmMsg->isVisible());
    }

    void theHookCoversComposersAndGoesWithItsWindow()
    {
        auto* w = new TfMain;
        OpenComposer(QString(), QString(), QString(), QString());
        TfMail* composer = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* m = qobject_cast<TfMail*>(top))
                composer = m;
        QVERIFY(composer);
        QTRY_VERIFY_WITH_TIMEOUT(Surface(composer->web), 20000);
        QWebEngineView* editor = composer->web->View();
        const Qt::ContextMenuPolicy own = editor->contextMenuPolicy();
        QVERIFY(own != Qt::PreventContextMenu);

        QVERIFY(SendRight(Surface(composer->web), QEvent::MouseButtonPress));
        QVERIFY(!SendRight(Surface(composer->web), QEvent::MouseButtonRelease));
        QTRY_VERIFY(w->pmMsg->isVisible());
        w->pmMsg->hide();

        // Gone with its window: the composer has its own menu again.
        delete w;
        QCOMPARE(editor->contextMenuPolicy(), own);
        QVERIFY(SendRight(Surface(composer->web), QEvent::MouseButtonRelease));

        // A new Full Mode window installs its own hook.
        auto* again = new TfMain;
        QVERIFY(!SendRight(Surface(composer->web), QEvent::MouseButtonRelease));
        QTRY_VERIFY(again->pmMsg->isVisible());
    }
};

ZENTRO_TEST_MAIN(tst_PreviewMouseHook)
#include "tst_PreviewMouseHook.moc"
