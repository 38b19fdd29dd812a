#pragma once

#include <QList>
#include <QString>

// What a command manager keeps of its bars between runs: the bars, the
// tree of items on each, and the bar options. Plain data, no widgets, so
// that the layout file's reader and writer stand on their own.

// Which items of a bar show their caption beside the picture.
enum class TCaptionOption { coNone, coSelective, coAll };

// One item of a bar: a command, a separator or a submenu of items.
struct TBarItem {
    enum TKind { ikCommand, ikSeparator, ikSubmenu };

    TKind Kind = ikCommand;
    QString Command;  // the command's name, for ikCommand
    QString Caption;  // the item's own caption, "&" before the accelerator
    QString ShortCut; // portable key text ("Ctrl+N"), empty for none
    bool Visible = true;
    bool ShowCaption = true; // shown under coSelective
    int UsageCount = 0;
    QList<TBarItem> Items; // the submenu's items

    static TBarItem MakeCommand(const QString& command, const QString& caption,
                                const QString& shortCut = QString());
    static TBarItem MakeSeparator();
    static TBarItem MakeSubmenu(const QString& caption, const QList<TBarItem>& items);

    bool operator==(const TBarItem& other) const;
};

struct TBarLayout {
    QString Caption;
    bool Visible = true;
    TCaptionOption CaptionOptions = TCaptionOption::coNone;
    bool SmallIcons = true;
    QList<TBarItem> Items;

    bool operator==(const TBarLayout&) const = default;
};

// How the bars of a manager behave beyond their layout (the options page
// of the customization dialog).
struct TBarOptions {
    bool RecentlyUsedFirst = false;  // menus open with the used items only
    bool FullMenusAfterDelay = true; // and show the others after a pause
    bool ShowHints = true;           // tips on toolbar buttons
    bool ShortCutsInHints = false;   // with the command's key
    int MenuAnimation = 1;           // (None), Default, UnFold, Slide, Fade

    static constexpr int MenuAnimationCount = 5;

    bool operator==(const TBarOptions&) const = default;
};

// The persisted state of one command manager.
struct TManagerLayout {
    QList<TBarLayout> Bars;
    TBarOptions Options;

    bool operator==(const TManagerLayout&) const = default;
};

// The caption option as the layout file and the dialog name it.
QString CaptionOptionName(TCaptionOption option);
bool CaptionOptionFromName(const QString& name, TCaptionOption* option);
