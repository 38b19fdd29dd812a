#include "controls/xpButton.h"

#include "PaintCounter.h"
#include "ZentroTest.h"

#include <QAccessible>
#include <QDialog>
#include <QLineEdit>
#include <QPainter>
#include <QToolTip>

namespace {

const QRgb Paper = qRgb(236, 233, 216);
const QRgb Outline = qRgb(0, 60, 116);

QImage Render(TxpButton& b)
{
    QImage img(b.size(), QImage::Format_RGB32);
    img.fill(Paper);
    b.render(&img, QPoint(), QRegion(), QWidget::RenderFlags());
    return img;
}

// A font whose glyphs carry exactly the text colour.
QFont SharpFont()
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

// The bounding box of the pixels of the given colour inside the face.
QRect PixelsOf(const QImage& img, QRgb colour)
{
    QRect box;
    for (int y = 4; y < img.height() - 4; ++y)
        for (int x = 4; x < img.width() - 4; ++x)
            if (img.pixel(x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

// A window with a line edit and two buttons, shown and active.
struct Form {
    QWidget window;
    QLineEdit* edit;
    TxpButton* ok;
    TxpButton* cancel;
    int okClicks = 0;
    int cancelClicks = 0;
    Form()
    {
        window.resize(200, 120);
        edit = new QLineEdit(&window);
        edit->setGeometry(8, 8, 184, 21);
        ok = new TxpButton(&window);
        ok->move(8, 40);
        cancel = new TxpButton(&window);
        cancel->move(100, 40);
        ok->SetCaption(QStringLiteral("&OK"));
        ok->SetDefault(true);
        cancel->SetCaption(QStringLiteral("&Cancel"));
        cancel->SetCancel(true);
        ok->OnClick = [this](QObject*) {
            ++okClicks;
        };
        cancel->OnClick = [this](QObject*) {
            ++cancelClicks;
        };
        window.show();
        window.activateWindow();
    }
};

} // namespace

class tst_xpButton : public QObject {
    Q_OBJECT
private slots:
    void constructionDefaults()
    {
        TxpButton b;
        QCOMPARE(b.size(), QSize(75, 25));
        QCOMPARE(b.Caption(), QStringLiteral("XP Button"));
        QVERIFY(b.Enabled());
        QVERIFY(b.TabStop());
        QVERIFY(!b.IsHot && !b.IsDown && !b.IsFocused);
        QVERIFY(!b.Cancel() && !b.Default() && !b.ShowFocus() && !b.ShowHint());
        QCOMPARE(b.ModalResult(), 0);
        QCOMPARE(b.FontColor(), clr::WindowText);
    }

    void normalLook()
    {
        TxpButton b;
        const QImage img = Render(b);
        // Outline (1, 1)-(74, 24) with rounded corners.
        QCOMPARE(img.pixel(1, 12), Outline);
        QCOMPARE(img.pixel(73, 12), Outline);
        QCOMPARE(img.pixel(37, 1), Outline);
        QCOMPARE(img.pixel(37, 23), Outline);
        QCOMPARE(img.pixel(1, 1), Paper);
        QCOMPARE(img.pixel(73, 23), Paper);
        QCOMPARE(img.pixel(0, 12), Paper);
        QCOMPARE(img.pixel(74, 2), Paper);
        // The face, row by row, at the left and right of the text.
        const QList<QRgb> bands = {qRgb(253, 253, 253), qRgb(246, 246, 249), qRgb(239, 239, 244),
                                   qRgb(232, 232, 240), qRgb(226, 225, 236), qRgb(219, 218, 232),
                                   qRgb(212, 211, 227), qRgb(205, 204, 223), qRgb(205, 204, 223)};
        for (int y = 4; y <= 20; ++y)
            for (int x : {4, 5, 69, 70})
                QCOMPARE(img.pixel(x, y), bands[(y - 4) / 2]);
        // Bevel lines.
        QCOMPARE(img.pixel(10, 2), qRgb(206, 231, 255));
        QCOMPARE(img.pixel(10, 22), qRgb(105, 130, 238));
        QCOMPARE(img.pixel(2, 12), qRgb(188, 212, 246));
        QCOMPARE(img.pixel(3, 12), qRgb(255, 255, 255));
        QCOMPARE(img.pixel(71, 12), qRgb(255, 255, 255));
        QCOMPARE(img.pixel(74, 10), qRgb(255, 255, 255));
        QCOMPARE(img.pixel(10, 24), qRgb(255, 255, 255));
    }

    void hotFrame()
    {
        TxpButton b;
        b.IsHot = true;
        const QImage img = Render(b);
        const QRgb orange = qRgb(248, 179, 48);
        QCOMPARE(img.pixel(3, 12), orange);
        QCOMPARE(img.pixel(71, 12), orange);
        QCOMPARE(img.pixel(30, 3), orange);
        QCOMPARE(img.pixel(30, 21), orange);
        QCOMPARE(img.pixel(5, 10), qRgb(232, 232, 240)); // face unchanged
    }

    void pressedLookReversesFaceAndShiftsText()
    {
        TxpButton b;
        b.SetFont(SharpFont());
        b.SetFontColor(clr::Black);
        b.SetCaption(QStringLiteral("Send"));
        const QRect normalText = PixelsOf(Render(b), qRgb(0, 0, 0));
        QVERIFY(!normalText.isEmpty());

        b.IsHot = true;
        b.IsDown = true;
        const QImage pressed = Render(b);
        // Direction 1, 12 one-pixel bands: dark at the top, the remainder
        // at the bottom in the light colour.
        QCOMPARE(pressed.pixel(5, 4), qRgb(205, 204, 223));
        QCOMPARE(pressed.pixel(5, 20), qRgb(253, 253, 253));
        QCOMPARE(PixelsOf(pressed, qRgb(0, 0, 0)), normalText.translated(1, 1));

        // Down but the pointer outside: normal face, text still shifted.
        b.IsHot = false;
        const QImage downOutside = Render(b);
        QCOMPARE(downOutside.pixel(5, 4), qRgb(253, 253, 253));
        QCOMPARE(PixelsOf(downOutside, qRgb(0, 0, 0)), normalText.translated(1, 1));
    }

    void disabledLook()
    {
        TxpButton b;
        b.SetFont(SharpFont());
        b.SetEnabled(false);
        const QImage img = Render(b);
        QCOMPARE(img.pixel(1, 12), qRgb(196, 195, 191));
        QCOMPARE(img.pixel(2, 12), Paper); // one pixel wide
        QCOMPARE(img.pixel(5, 10), Paper); // no face
        QCOMPARE(img.pixel(10, 2), Paper); // no bevel
        QVERIFY(!PixelsOf(img, qRgb(161, 161, 146)).isEmpty());
        // Nothing but the text and the outline.
        for (int y = 0; y < 25; ++y)
            for (int x = 0; x < 75; ++x) {
                const QRgb c = img.pixel(x, y);
                QVERIFY(c == Paper || c == qRgb(161, 161, 146) || c == qRgb(196, 195, 191));
            }
        // The button's own font colour is untouched.
        QCOMPARE(b.FontColor(), clr::WindowText);
    }

    void focusRectangleOnlyWithShowFocus()
    {
        TxpButton b;
        b.IsFocused = true;
        QImage img = Render(b);
        QCOMPARE(img.pixel(4, 4), qRgb(253, 253, 253));
        b.SetShowFocus(true);
        img = Render(b);
        // Every other pixel of the frame (4, 4)-(71, 21) inverted.
        QCOMPARE(img.pixel(4, 4), qRgb(2, 2, 2));
        QCOMPARE(img.pixel(5, 4), qRgb(253, 253, 253));
        QCOMPARE(img.pixel(6, 4), qRgb(2, 2, 2));
        QCOMPARE(img.pixel(4, 20), qRgb(50, 51, 32));
        QCOMPARE(img.pixel(70, 6), qRgb(9, 9, 6));
        QCOMPARE(img.pixel(6, 6), qRgb(246, 246, 249)); // inside untouched
    }

    // The outline of a disabled button keeps the pen width of the paint
    // before it: two pixels after a focus rectangle, one when an accelerator
    // underline was drawn over that rectangle.
    void penWidthCarriesOver_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("width");
        QTest::newRow("no accelerator") << QStringLiteral("Send") << 2;
        QTest::newRow("&Send") << QStringLiteral("&Send") << 1;
    }
    void penWidthCarriesOver()
    {
        QFETCH(QString, caption);
        QFETCH(int, width);
        TxpButton b;
        b.SetCaption(caption);
        b.IsFocused = true;
        b.SetShowFocus(true);
        Render(b);
        QCOMPARE(b.CanvasPenWidth(), width);
        b.setEnabled(false);
        QImage img = Render(b);
        QCOMPARE(img.pixel(1, 12), qRgb(196, 195, 191));
        QCOMPARE(img.pixel(2, 12) == qRgb(196, 195, 191), width == 2);
        QCOMPARE(img.pixel(3, 12), Paper);
        b.IsFocused = false;
        b.setEnabled(true);
        Render(b);
        b.setEnabled(false);
        img = Render(b);
        QCOMPARE(img.pixel(2, 12), Paper);
    }

    void acceleratorUnderline_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("underlined"); // index in the shown text
        QTest::newRow("&Send") << QStringLiteral("&Send") << QStringLiteral("Send") << 0;
        QTest::newRow("Se&nd") << QStringLiteral("Se&nd") << QStringLiteral("Send") << 2;
        QTest::newRow("A&&B") << QStringLiteral("A&&B") << QStringLiteral("A&B") << 1;
        QTest::newRow("a&b&c") << QStringLiteral("a&b&c") << QStringLiteral("ab&c") << 1;
    }
    void acceleratorUnderline()
    {
        QFETCH(QString, caption);
        QFETCH(QString, shown);
        QFETCH(int, underlined);
        // Held down, the underline moves with d also where the text stays.
        for (int look = 0; look < 4; ++look) {
            const bool enabled = look < 2, down = look % 2;
            TxpButton b;
            b.SetFont(SharpFont());
            b.SetFontColor(clr::Black);
            b.SetCaption(caption);
            b.SetEnabled(enabled);
            b.IsDown = down;
            QCOMPARE(b.Text(), shown);
            const QImage img = Render(b);
            const QRgb ink = enabled ? qRgb(0, 0, 0) : qRgb(161, 161, 146);
            const QFontMetrics fm(SharpFont());
            const int d = down ? 1 : 0;
            const int y = (25 - fm.height()) / 2 + fm.height() + d;
            const int x0 = (75 - fm.horizontalAdvance(shown)) / 2 + d;
            const int x1 = x0 + fm.horizontalAdvance(shown.left(underlined));
            const int x2 = x0 + fm.horizontalAdvance(shown.left(underlined + 1));
            QVERIFY(x2 > x1);
            for (int x = 4; x < 71; ++x)
                QCOMPARE(img.pixel(x, y) == ink, x >= x1 && x < x2);
        }
    }

    void captionRepaintsOnlyWhenChanged()
    {
        QWidget w;
        auto* b = new TxpButton(&w);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        TPaintCounter counter;
        b->installEventFilter(&counter);
        b->SetCaption(QStringLiteral("XP Button"));
        QCOMPARE(counter.paints, 0);
        b->SetCaption(QStringLiteral("Send"));
        QCOMPARE(counter.paints, 1); // at once, not later
        b->SetFont(SharpFont());
        QCOMPARE(counter.paints, 2);
        b->SetEnabled(false);
        QCOMPARE(counter.paints, 3);
        b->SetShowFocus(true);
        b->SetDefault(true);
        b->SetCancel(true);
        b->SetModalResult(1);
        QCOMPARE(counter.paints, 3);
    }

    void mouseClick()
    {
        Form f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.edit->setFocus();
        QTest::mouseClick(f.ok, Qt::LeftButton, {}, QPoint(30, 12));
        QCOMPARE(f.okClicks, 1);
        QVERIFY(f.ok->hasFocus());
        QVERIFY(f.ok->IsFocused);
        QVERIFY(!f.ok->IsDown);
    }

    void pressMoveOutRelease()
    {
        Form f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        TxpButton* b = f.ok;
        QTest::mouseMove(&f.window, QPoint(2, 2));
        QTest::mouseMove(b, QPoint(30, 12));
        QTRY_VERIFY(b->IsHot);
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(30, 12));
        QVERIFY(b->IsDown);
        QTest::mouseMove(b, QPoint(30, 60));
        QTRY_VERIFY(!b->IsHot);
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(30, 60));
        QCOMPARE(f.okClicks, 0);
        QVERIFY(b->IsDown); // the release was not seen
        // Coming back shows the pressed face again; the next release clicks.
        QTest::mouseMove(b, QPoint(31, 13));
        QTRY_VERIFY(b->IsHot);
        QVERIFY(b->IsDown);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(30, 12));
        QCOMPARE(f.okClicks, 1);
        QVERIFY(!b->IsDown);
    }

    void doubleClickClicksTwice()
    {
        Form f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        // What a double-click delivers: press, release, double-click, release.
        QTest::mouseClick(f.ok, Qt::LeftButton, {}, QPoint(30, 12));
        QTest::mouseDClick(f.ok, Qt::LeftButton, {}, QPoint(30, 12));
        QTest::mouseRelease(f.ok, Qt::LeftButton, {}, QPoint(30, 12));
        QCOMPARE(f.okClicks, 2);
    }

    void rightButtonIsSwallowed()
    {
        Form f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        int menus = 0;
        f.window.setContextMenuPolicy(Qt::CustomContextMenu);
        connect(&f.window, &QWidget::customContextMenuRequested, &f.window, [&] { ++menus; });
        QTest::mouseClick(f.ok, Qt::RightButton, {}, QPoint(30, 12));
        QTest::mouseDClick(f.ok, Qt::RightButton, {}, QPoint(30, 12));
        QCOMPARE(f.okClicks, 0);
        QVERIFY(!f.ok->IsDown);
        QCOMPARE(menus, 0);
    }

    void keyboard()
    {
        Form f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        TxpButton* b = f.cancel;
        b->setFocus(Qt::TabFocusReason);
        QVERIFY(b->IsFocused);
        // Space down, then another key released: that release clicks.
        QTest::keyPress(b, Qt::Key_Space);
        QVERIFY(b->IsDown);
        QTest::keyRelease(b, Qt::Key_A);
        QCOMPARE(f.cancelClicks, 1);
        QVERIFY(!b->IsDown);
        QTest::keyRelease(b, Qt::Key_Space);
        QCOMPARE(f.cancelClicks, 1);
        // Enter on the focused button presses it; it is not also offered to
        // the Default button.
        QTest::keyClick(b, Qt::Key_Return);
        QCOMPARE(f.cancelClicks, 2);
        QCOMPARE(f.okClicks, 0);
        // Keys held down repeat their press, not a click.
        QTest::keyPress(b, Qt::Key_Space);
        QTest::keyEvent(QTest::Release, b, Qt::Key_Space, {}, -1);
        QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "),
                         true);
        QApplication::sendEvent(b, &repeat);
        QCOMPARE(f.cancelClicks, 3);
    }

    void dialogKeys()
    {
        Form f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.edit->setFocus();
        QTest::keyClick(f.edit, Qt::Key_Return);
        QCOMPARE(f.okClicks, 1);
        QTest::keyClick(f.edit, Qt::Key_Enter);
        QCOMPARE(f.okClicks, 2);
        QTest::keyClick(f.edit, Qt::Key_Escape);
        QCOMPARE(f.cancelClicks, 1);
        // Disabled buttons take no dialog keys.
        f.ok->SetEnabled(false);
        f.cancel->SetEnabled(false);
        QTest::keyClick(f.edit, Qt::Key_Return);
        QTest::keyClick(f.edit, Qt::Key_Escape);
        QCOMPARE(f.okClicks, 2);
        QCOMPARE(f.cancelClicks, 1);
        // Esc on a focused Cancel button still reaches the window.
        f.cancel->SetEnabled(true);
        f.cancel->setFocus();
        QTest::keyClick(f.cancel, Qt::Key_Escape);
        QCOMPARE(f.cancelClicks, 2);
    }

    void acceleratorCharacters()
    {
        Form f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.edit->setFocus();
        // Typed into the edit: the edit takes it.
        QTest::keyClick(f.edit, Qt::Key_C);
        QCOMPARE(f.edit->text(), QStringLiteral("c"));
        QCOMPARE(f.cancelClicks, 0);
        // With Alt it is offered to the buttons, also a disabled one.
        f.cancel->SetEnabled(false);
        QTest::keyClick(f.edit, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(f.cancelClicks, 1);
        QCOMPARE(f.okClicks, 0);
        // Without Alt when the focused control does not take characters.
        f.ok->setFocus();
        QTest::keyClick(f.ok, Qt::Key_O);
        QCOMPARE(f.okClicks, 1);
        // Control makes a command, not a character.
        QTest::keyClick(f.ok, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f.okClicks, 1);
        // "&&" is a plain ampersand: no accelerator.
        f.ok->SetCaption(QStringLiteral("A&&B"));
        QTest::keyClick(f.ok, Qt::Key_B);
        QTest::keyClick(f.ok, Qt::Key_A);
        QCOMPARE(f.okClicks, 1);
    }

    void enterAndExit()
    {
        Form f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        QStringList log;
        f.ok->OnEnter = [&](QObject* s) {
            log << QStringLiteral("enter ") + static_cast<TxpButton*>(s)->Caption();
        };
        f.ok->OnExit = [&](QObject* s) {
            log << QStringLiteral("exit ") + static_cast<TxpButton*>(s)->Caption();
        };
        f.edit->setFocus();
        f.ok->setFocus(Qt::TabFocusReason);
        QVERIFY(f.ok->IsFocused);
        f.cancel->setFocus(Qt::TabFocusReason);
        QVERIFY(!f.ok->IsFocused);
        QCOMPARE(log, QStringList({QStringLiteral("enter &OK"), QStringLiteral("exit &OK")}));
    }

    void modalResultAfterOnClick()
    {
        QDialog dialog;
        auto* b = new TxpButton(&dialog);
        b->SetModalResult(7);
        int resultSeenByOnClick = -1;
        b->OnClick = [&](QObject*) {
            resultSeenByOnClick = dialog.result();
        };
        dialog.open();
        b->Click();
        QCOMPARE(resultSeenByOnClick, 0);
        QCOMPARE(dialog.result(), 7);
        QVERIFY(!dialog.isVisible());
    }

    void hintOnlyWithShowHint()
    {
        QWidget w;
        auto* b = new TxpButton(&w);
        b->SetHint(QStringLiteral("Send it"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QHelpEvent ask(QEvent::ToolTip, QPoint(5, 5), b->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(b, &ask);
        QVERIFY(!QToolTip::isVisible());
        b->SetShowHint(true);
        QApplication::sendEvent(b, &ask);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("Send it"));
        QToolTip::hideText();
    }

    void accessibility()
    {
        Form f;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(f.cancel);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::Button);
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Cancel"));
        f.ok->SetCaption(QStringLiteral("A&&B"));
        QCOMPARE(QAccessible::queryAccessibleInterface(f.ok)->text(QAccessible::Name),
                 QStringLiteral("A&B"));
        QAccessibleActionInterface* action = iface->actionInterface();
        QVERIFY(action);
        QVERIFY(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
        action->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(f.cancelClicks, 1);
        QVERIFY(iface->state().focusable);
    }
};

ZENTRO_TEST_MAIN(tst_xpButton)
#include "tst_xpButton.moc"
