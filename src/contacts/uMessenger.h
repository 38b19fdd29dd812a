#pragma once

#include <QMainWindow>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QStatusBar;
class TContactMenu;
class TContactTree;
class TFadeIn;
class TImageList;

// The Messenger Mode window: a narrow tool window with the contact list,
// a "My Status" selector and a status bar.
class TfMessenger : public QMainWindow {
    Q_OBJECT
public:
    explicit TfMessenger(QWidget* parent = nullptr);
    ~TfMessenger() override;

    TContactTree* tvContacts;
    TImageList* ilStatus;
    TFadeIn* Fade; // owns tmrShow
    QStatusBar* StatusBar1;
    QWidget* Panel1;
    QLabel* Label1;
    QComboBox* cbStatus;
    TContactMenu* ZmPopupMenu2; // the contact list's context menu

    // MainMenu1
    QMenu* View1;
    QMenu* ViewStyle1;
    QAction* FullMode1;
    QAction* MessengerMode1;
    QAction* AppBarMode1;
    QAction* N1; // separator
    QAction* Close1;

    void FormCreate();
    void FormResize();
    void FormClose();
    void tvContactsDblClick();
    void StartFadeIn();
    void tmrShowTimer();
    void FullMode1Click();
    void AppBarMode1Click();
    void Close1Click();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void BuildMainMenu();
    void WireHandlers();
};
