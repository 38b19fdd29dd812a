// Windows on a screen of scale 2 beside one of scale 1 (two offscreen
// screens, QT_SCREEN_SCALE_FACTORS): geometry stays in logical pixels and
// pictures come from sources of twice the size, not enlarged ones.

#include "popup/ZmItem.h"
#include "popup/ZmPopupMenu.h"
#include "popup/ZmRootItem.h"

#include "ContactFixture.h"
#include "WindowProbe.h"
#include "ZentroTest.h"

#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {

QScreen* ScaledScreen()
{
    const auto screens = QGuiApplication::screens();
    for (QScreen* s : screens)
        if (s->devicePixelRatio() == 2)
            return s;
    return nullptr;
}

// Device pixels of a shown widget at a logical rectangle.
QImage Device(QWidget* w, const QRect& r)
{
    const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal dpr = shot.devicePixelRatio();
    QImage part = shot.copy(QRect(r.topLeft() * dpr, r.size() * dpr));
    part.setDevicePixelRatio(1);
    return part;
}

} // namespace

class tst_HighDpi : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(ScaledScreen());
        QuietenGrabWarnings();
    }

    // Each status picture of a contact row sits at twice its logical place,
    // drawn from its artwork at scale 2.
    void contactRowStripLinesUp()
    {
        TDemoTree demo(ScaledScreen()->geometry().topLeft() + QPoint(50, 50), false);
        QWidget& window = demo.window;
        TImageList* images = demo.images;
        TContactTree* tree = demo.tree;
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.devicePixelRatio(), 2);

        const QRect row = tree->RowRect(tree->FindNode(QStringLiteral("Darvel")));
        const int darvel[] = {1, 4, 8, 9}; // online, online, busy, offline
        for (int k = 0; k < 4; ++k) {
            QImage picture = images->Image(darvel[k], 2);
            picture.setDevicePixelRatio(1);
            QImage expected(32, 32, QImage::Format_RGB32);
            expected.fill(QColor(255, 251, 240));
            QPainter(&expected).drawImage(0, 0, picture);
            const QRect slot(tree->viewport()->width() - 72 + 18 * k, row.top(), 16, 16);
            QCOMPARE(Device(tree->viewport(), slot), expected);
        }
    }

    // The emoticon palette: the same logical size on either screen, and
    // on the scaled one its pictures drawn pixel for pixel.
    void popupMeasuresAtTheScreensScale()
    {
        TImageList palette(21, 21);
        for (int n = 1;; ++n) {
            const QImage source(QStringLiteral(":/emoticons/palette/%1.png").arg(n));
            if (source.isNull())
                break;
            palette.AddImage(source);
        }
        QCOMPARE(palette.Count(), 42);

        QWidget owner;
        owner.show();
        TZmPopupMenu menu(&owner);
        menu.SetImages(&palette);
        auto* text = new TZmItem(&owner);
        text->SetCaption(QStringLiteral("Insert an Emoticon"));
        menu.Items()->Add(text);
        for (int i = 0; i < 12; ++i) {
            auto* item = new TZmItem(&owner);
            item->SetImageIndex(i);
            menu.Items()->Add(item);
        }
        QList<QSize> sizes;
        QImage scaled;
        const auto screens = QGuiApplication::screens();
        for (const QScreen* screen : screens) {
            QTimer::singleShot(0, &owner, [&] {
                if (!QTest::qWaitFor([] { return OpenMenu() != nullptr; }, 5000))
                    return;
                TZmView* view = OpenMenu();
                sizes << view->Window()->size();
                if (view->Window()->devicePixelRatio() == 2)
                    scaled = Device(view, view->rect());
                QTest::keyClick(view->Window(), Qt::Key_Escape);
            });
            menu.Popup(screen->geometry().topLeft() + QPoint(100, 100));
        }
        QCOMPARE(sizes.size(), 2);
        QCOMPARE(sizes.at(0), sizes.at(1));
        QVERIFY(!scaled.isNull());
        const QImage twelfth(QStringLiteral(":/emoticons/palette/12.png"));
        QVERIFY(Contains(scaled, twelfth));
    }
};

int main(int argc, char* argv[])
{
    QTemporaryDir dir;
    QFile config(dir.filePath(QStringLiteral("screens.json")));
    if (!config.open(QIODevice::WriteOnly))
        return 2;
    config.write(R"({"screens": [
        {"name": "one", "x": 0, "y": 0, "width": 1280, "height": 1024},
        {"name": "two", "x": 1280, "y": 0, "width": 2560, "height": 2048}]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    qputenv("QT_SCREEN_SCALE_FACTORS", "one=1;two=2");
    QApplication app(argc, argv);
    SetUpApplication(app);
    tst_HighDpi tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_HighDpi.moc"
