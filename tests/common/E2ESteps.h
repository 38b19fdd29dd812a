#pragma once

// Steps of the end-to-end tests that more than one of them takes: the bar
// rolled down under the pointer and its menu, the Messenger window's
// contact rows, typing and reading a field, the Customize dialog.

#include "X11Driver.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QTest>

#include <functional>
#include <optional>

namespace x11 {

const QRgb TreeCream = qRgb(255, 251, 240);

// Rolls the bar down from its middle, then moves along it to x (relative
// to the bar), so that the pointer never leaves it.
inline bool OnBar(const QString& bar, int x, int y = 12)
{
    const int barX = WindowGeometry(bar)->x();
    MouseMove(barX + 250, 0);
    if (!QTest::qWaitFor([&] { return WindowGeometry(bar)->y() == 0; }, 5000))
        return false;
    MouseMove(barX + 250, 12);
    MouseMove(barX + x, y);
    return true;
}

// Opens a menu with the click given and waits (bounded) until a new
// window of the program is on screen: the menu's window id, or an empty
// string. Keys typed after it reach the open menu.
inline QString OpenMenu(const std::function<void()>& click, int timeoutMs = 5000)
{
    const QStringList before = VisibleWindows();
    click();
    QString menu;
    (void)QTest::qWaitFor(
        [&] {
            const QStringList added = NewWindows(before);
            if (!added.isEmpty())
                menu = added.first();
            return !menu.isEmpty();
        },
        timeoutMs);
    return menu;
}

// The bar's own menu, opened with a right-click on its middle.
inline bool OpenBarMenu(const QString& bar)
{
    return OnBar(bar, 250) && !OpenMenu([] { Click(3); }).isEmpty();
}

// The rows of the Messenger window's contact tree on screen.
struct TTreeRows {
    QRect window;
    int top = 0;    // first pixel row of the tree
    int height = 0; // of one row
    QPoint Row(int index, int x = 150) const
    {
        return {window.x() + x, top + index * height + height / 2};
    }
};

inline std::optional<TTreeRows> MessengerRows(const QString& id);

// Opens the Messenger window from the bar's right button, finds its rows
// (the tree's cream starts below the menu bar; clicking the first row
// shows one row's height as the highlight) and expands "Friends": rows
// are then Enemies, Friends, Darvel, kop318, user1, user2.
inline std::optional<TTreeRows> OpenMessenger(const QString& bar)
{
    if (!OnBar(bar, 488, 10))
        return std::nullopt;
    Click(1);
    const QString id = WaitForWindow(QStringLiteral("^Zentro Messenger$"));
    if (id.isEmpty())
        return std::nullopt;
    return MessengerRows(id);
}

// The rows of an open Messenger window, "Friends" expanded (above).
inline std::optional<TTreeRows> MessengerRows(const QString& id)
{
    TTreeRows rows;
    rows.window = *WindowGeometry(id);
    const int x = rows.window.x() + 150;
    // The fade-in ends in 32 ms; the tree is cream once it has painted.
    const bool painted = QTest::qWaitFor(
        [&] {
            const QImage screen = Screen();
            for (int y = rows.window.y(); y < rows.window.y() + 60; ++y)
                if (screen.pixel(x, y) == TreeCream) {
                    rows.top = y;
                    return true;
                }
            return false;
        },
        10000);
    if (!painted)
        return std::nullopt;
    MouseMove(x, rows.top + 3);
    Click(1);
    const bool highlighted = QTest::qWaitFor(
        [&] {
            const QImage screen = Screen();
            int y = rows.top;
            while (y < rows.top + 60 && screen.pixel(x, y) != TreeCream)
                ++y;
            rows.height = y - rows.top;
            return rows.height > 8;
        },
        10000);
    if (!highlighted)
        return std::nullopt;
    // The expand button of "Friends" sits in the indentation; the rows
    // below it fill with its contacts.
    const QRect below(rows.window.x(), rows.top + 2 * rows.height, rows.window.width(),
                      4 * rows.height);
    const QImage collapsed = Screen().copy(below);
    const QPoint friends = rows.Row(1, 7);
    MouseMove(friends.x(), friends.y());
    Click(1);
    if (!QTest::qWaitFor([&] { return Screen().copy(below) != collapsed; }, 10000))
        return std::nullopt;
    return rows;
}

inline void DoubleClick(const QPoint& p)
{
    MouseMove(p.x(), p.y());
    Xdo({QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"),
         QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")});
}

// Types into whatever has the keyboard focus.
inline void Type(const QString& text)
{
    Xdo({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), text});
}

// The text of the field under a point, through the clipboard (the test
// needs a GUI application for that).
inline QString FieldText(QPoint at)
{
    QGuiApplication::clipboard()->clear();
    MouseMove(at.x(), at.y());
    Click(1);
    Keys({QStringLiteral("ctrl+a"), QStringLiteral("ctrl+c")});
    QString text;
    const bool copied = QTest::qWaitFor(
        [&] {
            text = QGuiApplication::clipboard()->text();
            return !text.isEmpty();
        },
        5000);
    return copied ? text : QString();
}

// The bar's menu, "Send e-mail to", "Contact 2": the composer's window id.
inline QString ComposeFromBar(const QString& bar)
{
    if (!OpenBarMenu(bar))
        return {};
    Keys({QStringLiteral("Down"), QStringLiteral("Down"), QStringLiteral("Down"),
          QStringLiteral("Right"), QStringLiteral("Down"), QStringLiteral("Return")});
    return WaitForWindow(QStringLiteral("^Compose$"));
}

// The composer's header fields below its menu bar, one a row.
enum TComposerField { cfSubject, cfTo, cfCC, cfBCC };
inline QPoint ComposerField(const QRect& composer, TComposerField field)
{
    return composer.topLeft() + QPoint(300, 39 + 23 * field);
}

// "Customize..." from the menu of the Full Mode window's toolbar: the
// dialog's window id.
inline QString OpenCustomize(const QRect& fullMode)
{
    MouseMove(fullMode.right() - 300, fullMode.y() + 29);
    if (OpenMenu([] { RightClick(); }).isEmpty())
        return {};
    Keys({QStringLiteral("Up"), QStringLiteral("Return")});
    return WaitForWindow(QStringLiteral("^Customize$"));
}

// "Exit", the last item of the bar's menu: the program ends with status 0.
inline bool ExitFromBar(Program& zentro, const QString& bar)
{
    if (!OpenBarMenu(bar))
        return false;
    Keys({QStringLiteral("Up"), QStringLiteral("Return")});
    return zentro.WaitForExit() && zentro.Process().exitCode() == 0;
}

} // namespace x11
