#pragma once

#include <QDialog>
#include <QList>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;
class TActionToolBar;
class TCommandManager;

// The toolbar customization dialog: modeless and on top. While it is
// shown its bars are in customizing mode: commands, categories and
// separators are dragged onto them from here, and their items are dragged
// within them or off them.
class TCustomizeDlg : public QDialog {
    Q_OBJECT
public:
    TCustomizeDlg(TCommandManager* manager, const QList<TActionToolBar*>& bars, QWidget* parent);

    static QStringList MenuAnimations();
    // Sets the application's menu effects for an entry of MenuAnimations.
    static void ApplyMenuAnimation(int index);

    QTabWidget* tabs;
    // Toolbars page.
    QListWidget* lbToolbars;
    QPushButton* btnReset;
    QComboBox* cbCaptionOptions;
    QCheckBox* cbApplyToAll;
    // Actions page.
    QListWidget* lbCategories;
    QListWidget* lbActions;
    QLabel* lDescription;
    // The keyboard's way to what dragging does: the items of the bar
    // chosen on the Toolbars page, and buttons that change them.
    QListWidget* lbItems;
    QPushButton* btnAdd;
    QPushButton* btnRemove;
    QPushButton* btnMoveUp;
    QPushButton* btnMoveDown;
    // Options page.
    QCheckBox* cbRecentlyUsedFirst;
    QCheckBox* cbFullMenusAfterDelay;
    QPushButton* btnResetUsage;
    QCheckBox* cbLargeIcons;
    QCheckBox* cbShowTips;
    QCheckBox* cbShortCutsInTips;
    QComboBox* cbMenuAnimations;
    // Always there.
    QLabel* lSeparator;
    QPushButton* btnClose;

    // The Toolbars page's bar, or -1.
    int SelectedBar() const;
    // Asks before "Reset" puts a bar back as designed; replaceable in tests.
    std::function<bool(const QString& barCaption)> ConfirmReset;

signals:
    // The dialog has closed.
    void Closed();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* BuildToolbarsPage();
    QWidget* BuildActionsPage();
    QWidget* BuildOptionsPage();
    void FillToolbars();
    void FillActions();
    void ShowBarOptions();
    void CaptionOptionChosen(int index);
    void ResetClick();
    void ActionSelected();
    void FillItems();
    // The bar the item buttons change, or null.
    TActionToolBar* EditedBar() const;
    void AddClick();
    void RemoveClick();
    void MoveClick(int by);
    void ApplyOptions();
    void SetCustomizing(bool on);

    TCommandManager* m_manager;
    QList<TActionToolBar*> m_bars;
    bool m_filling = false;
};
