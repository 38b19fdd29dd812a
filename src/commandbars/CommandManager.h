#pragma once

#include "layoutfile/BarLayout.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QKeySequence;
class QTimer;
class QWidget;
class TCommand;
class TImageList;

// Keeps the named commands of one window and the bars that show them. The
// bars are item trees (TBarLayout); bar widgets show them and rebuild
// themselves whenever the manager says a bar changed. The manager also
// runs the idle-time update of its commands and, when it has a file name,
// reads and writes its bars' layout.
class TCommandManager : public QObject {
    Q_OBJECT
public:
    // The window owns the manager; the commands' shortcuts act in it.
    explicit TCommandManager(QWidget* window);

    TCommand* AddCommand(const QString& name, const QString& category, const QString& caption,
                         int imageIndex = -1, const QList<QKeySequence>& shortCuts = {});
    TCommand* Command(const QString& name) const;
    const QList<TCommand*>& Commands() const { return m_commands; }
    // Categories in the order their first command was added.
    QStringList Categories() const;
    QList<TCommand*> CommandsOf(const QString& category) const;

    // The pictures the commands' image indices refer to; not owned.
    TImageList* Images = nullptr;

    // Bars: the designed layout is kept for "Reset".
    int AddBar(const TBarLayout& designed);
    int BarCount() const { return int(m_bars.size()); }
    const TBarLayout& Bar(int index) const { return m_bars[index].Current; }
    const TBarLayout& DesignedBar(int index) const { return m_bars[index].Designed; }
    void SetBar(int index, const TBarLayout& layout);
    void ResetBar(int index);
    void SetBarVisible(int index, bool visible);
    void SetCaptionOptions(int index, TCaptionOption option);
    void SetSmallIcons(int index, bool small);
    // The item at a path of indices (top level first), or null.
    TBarItem* Item(int bar, const QList<int>& path);
    // Item changes that need no rebuild (visibility, usage counts) go
    // through here so that the bar widgets follow.
    void SetItemVisible(int bar, const QList<int>& path, bool visible);
    void CountUsage(int bar, const QList<int>& path);
    void ResetUsageData();

    TManagerLayout Layout() const;
    // Replaces every bar and the options when the layout fits: as many
    // bars as designed, and every item names a command of this manager.
    // Otherwise nothing changes and false is returned.
    bool ApplyLayout(const TManagerLayout& layout);

    const TBarOptions& Options() const { return m_options; }
    void SetOptions(const TBarOptions& options);

    // The layout file, relative names resolved against the current
    // directory when used. Empty: the manager keeps nothing.
    QString FileName;
    // Reads the file when it exists; anything unreadable or not understood
    // leaves the designed bars. Says whether the file's layout is in use.
    bool LoadFromFile();
    // Writes the file (whole or not at all); a failure is logged and,
    // when asked, its reason given.
    bool SaveToFile(QString* error = nullptr);

    // The idle-time update: runs once the event loop has nothing else to
    // do after something may have changed a command's state.
    void RequestUpdate();
    void UpdateCommands();

signals:
    void BarChanged(int index);
    void OptionsChanged();
    void ItemChanged(int bar, const QList<int>& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TBarState {
        TBarLayout Designed;
        TBarLayout Current;
    };
    bool Fits(const QList<TBarItem>& items) const;

    QWidget* m_window;
    QList<TCommand*> m_commands;
    QList<TBarState> m_bars;
    TBarOptions m_options;
    QTimer* m_idle;
};
