// The emoticon palette of the composer: the palette menu, inserting
// emoticons through the "res" scheme, the last emoticon of each composer
// and its picture on the toolbar and the context menu.

#include "base/ImageList.h"
#include "compose/uMail.h"
#include "htmlview/HtmlView.h"
#include "htmlview/ResAddress.h"
#include "popup/ZmItem.h"
#include "popup/ZmPopupMenu.h"
#include "popup/ZmRootItem.h"

#include "ComposerFixture.h"
#include "ZentroTest.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QToolBar>
#include <QToolButton>
#include <QWebEngineView>

namespace {

QToolButton* EmoticonsToolButton(TfMail* f)
{
    return qobject_cast<QToolButton*>(f->StandardToolBar->widgetForAction(f->EmoticonsButton));
}

// The sources of the message's pictures, in order.
QStringList Pictures(TfMail* f)
{
    return Eval(f->web, QStringLiteral("Array.from(document.images, i => i.getAttribute('src'))"))
        .toStringList();
}

QString Address(int resource)
{
    return QStringLiteral("res://%1/RT_EMOTICON/%2")
        .arg(QCoreApplication::applicationFilePath().section(QLatin1Char('/'), -1))
        .arg(resource);
}

// Whether an icon shows palette picture n as the toolbar does: every opaque
// pixel of the picture at (2, 2), and nothing around it.
bool ShowsEmoticon(const QIcon& icon, TImageList* emoticons, int n)
{
    const QImage shown =
        icon.pixmap(QSize(24, 24), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage picture = emoticons->Image(n).convertToFormat(QImage::Format_ARGB32);
    if (shown.size() != QSize(24, 24))
        return false;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            const QRect inside(2, 2, 21, 21);
            if (!inside.contains(x, y)) {
                if (qAlpha(shown.pixel(x, y)) != 0)
                    return false;
            } else if (qAlpha(picture.pixel(x - 2, y - 2)) == 255 &&
                       shown.pixel(x, y) != picture.pixel(x - 2, y - 2)) {
                return false;
            }
        }
    return true;
}

// The screen rectangle of the menu that an action opens (closing it), or
// an empty one.
QRect MenuOpenedBy(const std::function<void()>& action)
{
    QRect shown;
    WhileMenuOpen(action, [&](TZmView* view) { shown = view->Window()->frameGeometry(); });
    return shown;
}

} // namespace

class tst_Emoticons : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        for (TfMail* m : Composers())
            delete m;
    }

    void paletteMenu()
    {
        TfMail* f = Open(QStringLiteral("Darvel"));
        QCOMPARE(f->Emoticons->Count(), 42);
        QCOMPARE(f->Emoticons->Size(), QSize(21, 21));
        QCOMPARE(f->pmEmoticons->Images(), f->Emoticons);
        QCOMPARE(f->pmEmoticons->Alignment(), paRight);
        TZmRootItem* items = f->pmEmoticons->Items();
        QCOMPARE(items->Count(), 42);
        for (int i = 0; i < items->Count(); ++i) {
            QVERIFY(items->Items(i)->Caption().isEmpty());
            QCOMPARE(items->Items(i)->ImageIndex(), i);
            QCOMPARE(items->Items(i)->Break(), i > 0 && i % 10 == 0 ? zmbBarBreak : zmbNone);
        }
        // Every palette picture is a picture of its own.
        for (int i = 1; i < f->Emoticons->Count(); ++i)
            QVERIFY(f->Emoticons->Image(i) != f->Emoticons->Image(i - 1));
    }

    void aNewComposerStartsAtTheFirstEmoticon()
    {
        TfMail* f = Open(QStringLiteral("Darvel"));
        QCOMPARE(f->LastEmoticon, 0);
        QVERIFY(ShowsEmoticon(f->EmoticonsButton->icon(), f->Emoticons, 0));
        QVERIFY(ShowsEmoticon(QIcon(f->IconsON->Pixmap(15)), f->Emoticons, 0));
        for (TZmItem* item : {f->miLastEmoticon, f->miEmoticon})
            QCOMPARE(item->ImageIndex(), 15);
        QVERIFY(WaitReady(f));
        SetMessage(f, QStringLiteral("<p id=p>x</p>"));
        CaretIn(f, QStringLiteral("p"));

        // The button's face and "Insert last Emoticon" insert resource 1.
        const QRect face = EmoticonsToolButton(f)->rect().adjusted(0, 0, -14, 0);
        QTest::mouseClick(EmoticonsToolButton(f), Qt::LeftButton, {}, face.center());
        QTRY_COMPARE_WITH_TIMEOUT(Pictures(f), QStringList{Address(1)}, 10000);
        f->miLastEmoticon->Click();
        QTRY_COMPARE_WITH_TIMEOUT(Pictures(f), (QStringList{Address(1), Address(1)}), 10000);
        QCOMPARE(f->LastEmoticon, 0);
    }

    void theEleventhPictureBecomesTheLastEmoticon()
    {
        TfMail* f = Open(QStringLiteral("Darvel"));
        QVERIFY(WaitReady(f));
        SetMessage(f, QStringLiteral("<p id=p>x</p>"));
        CaretIn(f, QStringLiteral("p"));

        // Chosen from the palette dropped down from the button's arrow.
        QToolButton* button = EmoticonsToolButton(f);
        QVERIFY(WhileMenuOpen(
            [&] {
                QTest::mousePress(button, Qt::LeftButton, {},
                                  QPoint(button->width() - 4, button->height() / 2));
            },
            [&](TZmView* view) { ClickItem(view, f->pmEmoticons->Items()->Items(10)); }));
        QTRY_COMPARE_WITH_TIMEOUT(Pictures(f), QStringList{Address(11)}, 10000);
        QCOMPARE(f->LastEmoticon, 10);
        QVERIFY(ShowsEmoticon(f->EmoticonsButton->icon(), f->Emoticons, 10));
        QVERIFY(ShowsEmoticon(button->icon(), f->Emoticons, 10));
        // Both items of the context menu show it.
        QVERIFY(WhileMenuOpen(
            [f] { f->web->ShowContextMenu(cmDefault, f->mapToGlobal(QPoint(200, 300))); },
            [f](TZmView* view) {
                const QImage menu = view->grab().toImage();
                for (TZmItem* item : {f->miLastEmoticon, f->miEmoticon})
                    QVERIFY(Contains(menu.copy(view->ViewerRect(view->ViewerOf(item))),
                                     f->Emoticons->Image(10)));
                QVERIFY(!Contains(menu.copy(view->ViewerRect(view->ViewerOf(f->miEmoticon))),
                                  f->Emoticons->Image(0)));
            }));

        // From now on the button inserts it.
        f->EmoticonsButton->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(Pictures(f), (QStringList{Address(11), Address(11)}), 10000);

        // It really shows, and it moves.
        QTRY_COMPARE_WITH_TIMEOUT(
            Eval(f->web, QStringLiteral("document.images[0].naturalWidth")).toInt(), 32, 10000);
        const QRect at = [&] {
            const QVariantList r =
                Eval(f->web, QStringLiteral("const b = document.images[0].getBoundingClientRect();"
                                            "[b.x, b.y, b.width, b.height]"))
                    .toList();
            return QRect(r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt());
        }();
        QCOMPARE(at.size(), QSize(32, 32));
        const QImage first = f->web->View()->grab(at).toImage();
        QVERIFY(first.pixelColor(16, 16) != QColor(Qt::white));
        QTRY_VERIFY_WITH_TIMEOUT(f->web->View()->grab(at).toImage() != first, 5000);
    }

    void eachComposerKeepsItsOwnLastEmoticon()
    {
        TfMail* a = Open(QStringLiteral("Ana"));
        TfMail* b = Open(QStringLiteral("Bob"));
        QVERIFY(WaitReady(a) && WaitReady(b));
        a->pmEmoticons->Items()->Items(25)->Click();
        QCOMPARE(a->LastEmoticon, 25);
        QCOMPARE(b->LastEmoticon, 0);
        QVERIFY(ShowsEmoticon(b->EmoticonsButton->icon(), b->Emoticons, 0));
        QVERIFY(ShowsEmoticon(a->EmoticonsButton->icon(), a->Emoticons, 25));

        SetMessage(b, QStringLiteral("<p id=p>x</p>"));
        CaretIn(b, QStringLiteral("p"));
        b->EmoticonsButton->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(Pictures(b), QStringList{Address(1)}, 10000);

        // A composer opened later starts again at the first.
        TfMail* c = Open(QStringLiteral("Cy"));
        QCOMPARE(c->LastEmoticon, 0);
        QVERIFY(ShowsEmoticon(c->EmoticonsButton->icon(), c->Emoticons, 0));
    }

    void thePaletteOpensFromTheArrowTheRightButtonAndTheMenu()
    {
        TfMail* f = Open(QStringLiteral("Darvel"));
        QVERIFY(WaitReady(f));
        QToolButton* button = EmoticonsToolButton(f);
        SetMessage(f, QStringLiteral("<p id=p>x</p>"));

        // The arrow drops the palette down, right edges aligned.
        // Letting the button go leaves it open.
        const QPoint arrow(button->width() - 4, button->height() / 2);
        QRect dropped;
        QVERIFY(WhileMenuOpen([&] { QTest::mousePress(button, Qt::LeftButton, {}, arrow); },
                              [&](TZmView* view) {
                                  QTest::mouseRelease(button, Qt::LeftButton, {}, arrow);
                                  QVERIFY(OpenMenu() == view);
                                  dropped = view->Window()->frameGeometry();
                              }));
        const QRect onScreen(button->mapToGlobal(QPoint(0, 0)), button->size());
        QCOMPARE(dropped.right(), onScreen.right());
        QCOMPARE(dropped.top(), onScreen.bottom() + 1);
        QCOMPARE(Pictures(f), QStringList());

        // A right-click opens it at the pointer.
        const QPoint click(10, 10);
        const QRect atPointer = MenuOpenedBy([&] {
            QContextMenuEvent event(QContextMenuEvent::Mouse, click, button->mapToGlobal(click));
            QApplication::sendEvent(button, &event);
        });
        QCOMPARE(atPointer.right() + 1, button->mapToGlobal(click).x());
        QCOMPARE(atPointer.top(), button->mapToGlobal(click).y());

        // "Insert Emoticon ..." opens it at the mouse cursor.
        QCursor::setPos(600, 100);
        const QRect atCursor = MenuOpenedBy([&] { f->miEmoticon->Click(); });
        QCOMPARE(atCursor.right() + 1, QCursor::pos().x());
        QCOMPARE(atCursor.top(), QCursor::pos().y());
    }
};

ZENTRO_TEST_MAIN(tst_Emoticons)
#include "tst_Emoticons.moc"
