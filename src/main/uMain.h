#pragma once

#include "commandbars/ColorMap.h"
#include "commandbars/Command.h"

#include <QMainWindow>

class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QStatusBar;
class QStyleOptionViewItem;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TActionMenuBar;
class TActionToolBar;
class TBevelSplitter;
class TCommandManager;
class TContactMenu;
class TContactTree;
class TCustomizeDlg;
class TFadeIn;
class THtmlView;
class TImageList;
class TPaneCycle;
class TPreviewMouseHook;
class TXPStyle;
class TZmItem;
class TZmPopupMenu;
class TZmSeparatorItem;

// The Full Mode window: the three-pane mail window with its menu bar and
// toolbar, the folder and contact trees, the message header list and the
// message preview.
class TfMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfMain(QWidget* parent = nullptr);
    ~TfMain() override;

    // Non-visual parts.
    TFadeIn* Fade;
    TCommandManager* amMenuBar;
    TCommandManager* amToolBar;
    TImageList* ilMenuBar;
    TImageList* ilToolBar;
    TImageList* ilStatus; // the status pictures of both trees
    TColorMap MenuColorMap;
    TColorMap ToolbarColorMap;
    TCustomizeDlg* cd = nullptr; // created on first use
    TZmPopupMenu* ZmPopupMenu1;  // the toolbar's context menu
    TZmItem* miShowCaptions;
    TZmItem* miLargeIcons;
    TZmSeparatorItem* ZmSeparatorItem1;
    TZmItem* ZmItem1;           // "Customize"
    TContactMenu* ZmPopupMenu2; // the contact list's context menu
    QMenu* pmMsg;
    QAction* Reply1;   // pmMsg, "Reply"
    QAction* Forward1; // pmMsg, "Forward"
    QAction* ViewMessageSource1;
    TPreviewMouseHook* MouseHook;
    // F6 and Shift+F6: folders, contacts, messages, preview.
    TPaneCycle* Panes;

    // Commands the window binds (the others have no behaviour).
    TCommand* acEmailMessage; // menu File, New, "E-mail Message"
    TCommand* acCompose;      // toolbar "Compose"
    TCommand* Action4;        // toolbar "Reply"
    TCommand* Action8;        // toolbar "Forward"
    TCommand* Action6;        // toolbar "Check"
    TCommand* acPrint;        // toolbar "Print"
    TCommand* Action3;        // menu View, "Customize Toolbar"
    TCommand* Action23;       // menu File, "Exit"
    TCommand* Action32;       // menu View Style, "Full Mode"
    TCommand* Action33;       // menu View Style, "Messenger Mode"
    TCommand* Action34;       // menu View Style, "AppBar Mode"

    // Controls.
    QFrame* pTop;
    QFrame* Panel11;
    TActionMenuBar* atbMenuBar;
    TActionToolBar* atbToolBar;
    QFrame* pAd;
    QLabel* imgAd;
    QFrame* Panel2;
    TBevelSplitter* Splitter2;
    QFrame* Panel4;
    QLabel* Panel9;
    QTreeWidget* tvFolders;
    QFrame* Panel5;
    QLabel* Panel10;
    TContactTree* tvContacts;
    TBevelSplitter* Splitter1;
    QFrame* Panel3;
    TBevelSplitter* Splitter3;
    QFrame* Panel7;
    QTableWidget* lvHeaders;
    QFrame* Panel6;
    QFrame* Panel8;
    QLabel* Label1; // "From:"
    QLabel* Label2; // "To:"
    QLabel* Label3; // "Subject:"
    THtmlView* web;
    QStatusBar* StatusBar1;
    QPlainTextEdit* Memo1; // the first sample message
    QPlainTextEdit* Memo2; // the second sample message
    QPlainTextEdit* Memo3; // the placeholder page

    // Handlers.
    void FormCreate();
    void FormResize();
    void Panel4Resize();
    void Panel5Resize();
    void tvFoldersCustomDrawItem(QPainter& canvas, const QTreeWidgetItem* node,
                                 const QStyleOptionViewItem& state);
    void lvHeadersSelectItem();
    void acComposeExecute();
    void Action4Execute();
    void Action8Execute();
    void Action6Execute();
    void EnableButton(TCommand* sender);
    void Action3Execute();
    void Action3Update(TCommand* sender);
    void Action23Execute();
    void Action32Execute();
    void Action33Execute();
    void Action34Execute();
    void ZmPopupMenu1Popup(QObject* Sender);
    void miShowCaptionsClick();
    void miLargeIconsClick();
    void ZmItem1Click();
    void cdClose();
    void amToolBarOptionsChange();

    void StartFadeIn();
    void tmrShowTimer();
    void ShowPreviewHtml(const QString& html);
    void LayoutTopBand();
    void PopupMessageMenu(const QPoint& screenPoint);

    // The advertisement's height for a window width and a band height:
    // a sixth of half the width, no taller than the band, within 45..90.
    static int AdHeight(int windowWidth, int bandHeight);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildImageLists();
    void BuildCommandBars();
    void BuildTopBand();
    void BuildLeftColumn();
    void BuildRightColumn();
    void BuildSampleContent();
    void BindHandlers();
    void FadeInCompleted();

    void webDocumentComplete();

    // A page asked for before the preview had a document (the engine
    // starts after the fade has begun): shown as soon as it has one.
    QString m_pendingPreview;
    TXPStyle* m_menuStyle;
    TXPStyle* m_toolbarStyle;
};
