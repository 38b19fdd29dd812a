// What a screen reader finds in every window: each control it can act on
// has a name, windows are windows, and no placeholder column header. And
// what a user sees of each in the task bar: an icon.

#include "app/Application.h"
#include "app/uUtils.h"
#include "appbar/uAppbar.h"
#include "chat/uChat.h"
#include "commandbars/CustomizeDlg.h"
#include "compose/uMail.h"
#include "contacts/uMessenger.h"
#include "htmlview/HtmlView.h"
#include "main/uMain.h"

#include "WindowProbe.h"
#include "ZentroTest.h"

#include <QAccessible>
#include <QToolButton>

namespace {

// The controls of a window's accessible tree that a listener cannot tell
// apart: acting ones without a name, and column headers named by number.
QStringList Nameless(QAccessibleInterface* root)
{
    static const QList<QAccessible::Role> acting = {
        QAccessible::PushButton, QAccessible::CheckBox,     QAccessible::RadioButton,
        QAccessible::ComboBox,   QAccessible::EditableText, QAccessible::SpinBox,
        QAccessible::Tree,       QAccessible::List,         QAccessible::Table,
        QAccessible::PageTab,    QAccessible::ButtonMenu,   QAccessible::ButtonDropDown};
    QStringList out;
    const std::function<void(QAccessibleInterface*, const QString&)> walk =
        [&](QAccessibleInterface* i, const QString& path) {
            const QString name = i->text(QAccessible::Name);
            const QObject* o = i->object();
            const QString here = path + QLatin1Char('/') +
                                 (o ? QLatin1String(o->metaObject()->className()) : QString()) +
                                 QLatin1Char(':') + QString::number(int(i->role()), 16);
            const bool invisible = i->state().invisible;
            if (!invisible && acting.contains(i->role()) && name.trimmed().isEmpty())
                out << here;
            if (i->role() == QAccessible::ColumnHeader && name.toInt() > 0)
                out << here + QStringLiteral(" \"") + name + QLatin1Char('"');
            // The pages inside the HTML views are the engine's.
            if (invisible || (o && o->inherits("THtmlView")))
                return;
            for (int c = 0; c < i->childCount(); ++c)
                if (QAccessibleInterface* child = i->child(c))
                    walk(child, here);
        };
    walk(root, QString());
    return out;
}

} // namespace

class tst_Accessibility : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { DestroyAllWindows(); }

    void everyWindowNamesItsControls()
    {
        CreateStartupWindows();
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(fAppBar);
        QCOMPARE(bar->role(), QAccessible::Window);
        QCOMPARE(QAccessible::queryAccessibleInterface(fAppBar->sbFull)->text(QAccessible::Name),
                 QStringLiteral("Full Mode"));
        QCOMPARE(
            QAccessible::queryAccessibleInterface(fAppBar->sbMessenger)->text(QAccessible::Name),
            QStringLiteral("Messenger Mode"));

        fAppBar->sbFull->click();
        fMain->Action3Execute();
        auto* messenger = new TfMessenger;
        OpenComposer(QString(), QStringLiteral("Darvel"), QString(), QString());
        auto* chat = new TfChat;
        chat->show();
        const QList<QWidget*> windows = {
            fAppBar, fMain, fMain->cd, messenger, TopLevels<TfMail>().first(), chat};
        for (QWidget* w : windows) {
            QVERIFY(w->isVisible());
            QAccessibleInterface* window = QAccessible::queryAccessibleInterface(w);
            QVERIFY(window);
            QVERIFY2(window->role() == QAccessible::Window || window->role() == QAccessible::Dialog,
                     w->metaObject()->className());
            // And every one shows Zentro's icon (the composer its own).
            QVERIFY2(!w->windowIcon().isNull(), w->metaObject()->className());
            const QStringList nameless = Nameless(window);
            QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(QLatin1Char('\n'))));
        }
    }
};

ZENTRO_TEST_MAIN(tst_Accessibility)
#include "tst_Accessibility.moc"
