#pragma once

#include "htmlview/HtmlDocument.h"

#include <QMainWindow>
#include <QMultiHash>

#include <array>

class QAction;
class QActionGroup;
class QColorDialog;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QStatusBar;
class QToolBar;
class QWidget;
class TFadeIn;
class THtmlView;
class TImageList;
class TPaneCycle;
class TZmCustomItem;
class TZmItem;
class TZmPopupMenu;
class TZmSeparatorItem;

// The HTML message composer: four header fields, a formatting toolbar, the
// editing surface and a status bar. Any number may be open; each frees
// itself when closed.
class TfMail : public QMainWindow {
    Q_OBJECT
public:
    explicit TfMail(QWidget* parent = nullptr);
    ~TfMail() override;

    // True once the editor's document has been taken into EditorDocument:
    // after both the end of the fade-in and the blank page's completion,
    // whichever comes last.
    bool EditorReady = false;
    THtmlDocument EditorDocument;
    int LastEmoticon = 0;

    TFadeIn* Fade;

    QWidget* pHeader;
    QLineEdit* leSubject;
    QLineEdit* leTo;
    QLineEdit* leCC;
    QLineEdit* leBCC;

    QToolBar* StandardToolBar;
    QAction* CutButton;
    QAction* CopyButton;
    QAction* PasteButton;
    QAction* UndoButton;
    QAction* RedoButton;
    QAction* ToolButton10; // separator
    QComboBox* FontName;
    QAction* ToolButton11; // separator
    QComboBox* FontSize;
    QAction* ToolButton2; // separator
    QAction* BoldButton;
    QAction* ItalicButton;
    QAction* UnderlineButton;
    QAction* ColorButton;
    QAction* ToolButton16; // divider
    QAction* LeftAlign;
    QAction* CenterAlign;
    QAction* RightAlign;
    QAction* FullAlign;
    QAction* ToolButton1; // separator
    QAction* ImageButton;
    QAction* LinkButton;
    QAction* ToolButton3; // separator
    QAction* EmoticonsButton;
    QActionGroup* AlignmentGroup;

    THtmlView* web;
    QStatusBar* sb;
    std::array<QLabel*, 3> sbPanels;
    // "Print Preview" paints the editor's image here, over the window.
    QLabel* imgPrintPreview;

    // F6 and Shift+F6: header, toolbar, message.
    TPaneCycle* Panes;

    TImageList* IconsON;
    TImageList* IconsOff;
    // The colour dialog; its colour is the text colour last mirrored from
    // the editor.
    QColorDialog* cd;

    // The emoticon palette: 42 pictures of 21 x 21, picture n standing for
    // emoticon resource n + 1.
    TImageList* Emoticons;
    TZmPopupMenu* pmEmoticons;

    // The editor's context menu, in three columns.
    TZmPopupMenu* pmMsg;
    TZmItem* miCut;
    TZmItem* miCopy;
    TZmItem* miPaste;
    TZmSeparatorItem* N1;
    TZmItem* miUndo;
    TZmItem* miRedo;
    TZmSeparatorItem* N3;
    TZmItem* miBold;
    TZmItem* miItalic;
    TZmItem* miUnderline;
    TZmItem* miColor;
    TZmItem* miLeft;
    TZmItem* miCenter;
    TZmItem* miRight;
    TZmItem* miFull;
    TZmSeparatorItem* N6;
    TZmItem* miImage;
    TZmItem* miLink;
    TZmSeparatorItem* N7;
    TZmItem* miLastEmoticon;
    TZmItem* miEmoticon;
    TZmItem* AddAttachment1;
    TZmItem* Send1;

    QMenuBar* MainMenu;
    QMenu* Mail1;
    QAction* PrintPreview1;
    QAction* Print1;
    QAction* N4;
    QAction* SaveAs1;
    QAction* N8;
    QAction* Close1;
    QMenu* EditMenu;
    QAction* EditUndoItem;
    QAction* N2;
    QAction* EditCutItem;
    QAction* EditCopyItem;
    QAction* EditPasteItem;
    QAction* N5;
    QAction* miEditFont;

    void FormCreate();
    void FormShow();
    void StartFadeIn();
    void tmrShowTimer();
    void FillFontNames();
    void pHeaderResize();
    void webDocumentComplete(THtmlView* Sender, const QUrl& URL);
    void webStatusTextChange(THtmlView* Sender, const QString& Text);
    // The editor's renderer died: not ready until the editor has put the
    // message back and completed its document again.
    void webRenderProcessTerminated(THtmlView* Sender);
    int webShowContextMenu(quint32 dwID, const QPoint& ppt);
    void Close1Click();
    void Print1Click();
    void PrintPreview1Click();
    void SaveAs1Click();
    void EditUndoItemClick();
    void EditCutItemClick();
    void EditCopyItemClick();
    void EditPasteItemClick();

    void CutButtonClick();
    void CopyButtonClick();
    void PasteButtonClick();
    void UndoButtonClick();
    void RedoButtonClick();
    void BoldButtonClick();
    void ItalicButtonClick();
    void UnderlineButtonClick();
    void LeftAlignClick();
    void CenterAlignClick();
    void RightAlignClick();
    void FullAlignClick();
    void ImageButtonClick();
    void LinkButtonClick();
    void ColorButtonClick();
    void FontNameChange();
    void FontSizeChange();
    // The editor's command states may have changed: mirror them onto the
    // toolbar, the font lists and the colour dialog.
    void webCommandStateChange(THtmlView* Sender, int Command, bool Enable);
    // pmMsg is about to open: it copies the toolbar's state.
    void pmMsgPopup(QObject* Sender);

    void EmoticonItemClick(QObject* Sender);
    void EmoticonsButtonClick();
    void miEmoticonClick();
    void InsertEmoticon(int n);
    void SetLastEmoticon(int n);
    // The keyboard's focus into the message being written.
    void FocusEditor();

signals:
    // EditorReady has just become true.
    void EditorBecameReady();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape closes the window, as Ctrl+W does.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Tab runs Subject, To, CC, BCC, the message, then the toolbar's
    // controls, and round again.
    bool focusNextPrevChild(bool next) override;

private:
    void BuildImageLists();
    void BuildEmoticons();
    void BuildEmoticonMenu();
    void BuildHeader();
    void BuildToolBar();
    void BuildEditor();
    void BuildLayout();
    void BuildStatusBar();
    void BuildMessageMenu();
    void BuildMainMenu();
    void WireHandlers();
    QAction* AddToolButton(const QString& caption, int image, const QString& hint);
    TZmItem* AddMenuItem(const QString& caption, int image);
    TZmSeparatorItem* AddMenuSeparator();
    void ShowImage(QAction* action, int image);
    void RefreshImage(int image);
    // Opens the palette with its right edge at a screen point.
    void PopupEmoticons(QPoint screenPoint);
    void FadeInCompleted();
    void TakeEditorDocument();
    // An editing command on the editor's document; ignored until ready.
    void RunCommand(const QString& command, bool showUI, const QVariant& value);
    // The Edit menu's commands act on the focused header field, or else on
    // the editor.
    void EditCommand(const QString& command);

    // The controls Tab visits, in order (the message stands for itself).
    QList<QWidget*> TabRing() const;

    bool m_fadeCompleted = false;
    // The message had the focus when its renderer died: it gets it back.
    bool m_refocusEditor = false;
    QMultiHash<int, QAction*> m_imageUsers;
};
