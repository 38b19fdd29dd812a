#include "compose/uMail.h"

#include "compose/EmoticonNames.h"
#include "compose/FontNames.h"

#include "base/AppState.h"
#include "base/Artwork.h"
#include "base/FadeIn.h"
#include "base/FocusReturn.h"
#include "base/ImageList.h"
#include "base/PaneCycle.h"
#include "base/TColor.h"
#include "base/WindowLook.h"
#include "htmlview/HtmlView.h"
#include "htmlview/ResAddress.h"
#include "popup/ZmItem.h"
#include "popup/ZmPopupMenu.h"
#include "popup/ZmRootItem.h"
#include "popup/ZmSeparatorItem.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QStyleOptionToolButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

// The pictures of IconsON, in image-index order.
const char* const ToolbarArtwork[] = {
    "compose/cut",        "compose/copy",       "compose/paste",        "compose/undo",
    "compose/redo",       "compose/bold",       "compose/italic",       "compose/underline",
    "compose/color",      "compose/align-left", "compose/align-center", "compose/align-right",
    "compose/align-full", "compose/image",      "compose/link",         "compose/emoticon",
};

// A hint of two parts, "short|long", shows its first part as the tooltip.
QString ShortHint(const QString& hint)
{
    return hint.section(QLatin1Char('|'), 0, 0);
}

QLineEdit* LabelledEdit(QWidget* parent, const QString& caption, int top)
{
    auto* label = new QLabel(caption, parent);
    label->setGeometry(0, top, 57, 21);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(60, top, 720, 21);
    // Flat: one thin line, no sunken border.
    edit->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid palette(mid); }"));
    label->setBuddy(edit);
    return edit;
}

// The arrow part of a tool button with a drop-down arrow.
QRect DropDownArrow(QToolButton* button)
{
    QStyleOptionToolButton option;
    option.initFrom(button);
    option.subControls = QStyle::SC_ToolButton | QStyle::SC_ToolButtonMenu;
    option.features = QStyleOptionToolButton::MenuButtonPopup;
    return button->style()->subControlRect(QStyle::CC_ToolButton, &option,
                                           QStyle::SC_ToolButtonMenu, button);
}

QComboBox* ToolbarList(QWidget* parent, int width, const QString& name, const QString& hint)
{
    auto* list = new QComboBox(parent);
    list->setFixedSize(width, 22);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    list->setFont(font);
    list->setMaxVisibleItems(10);
    // Without this the style drops the whole list down, whatever the
    // number of visible rows.
    list->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    // Reached by Tab as well as by the pointer.
    list->setFocusPolicy(Qt::StrongFocus);
    list->setToolTip(ShortHint(hint));
    // Named, so that a screen reader does not read its value as its name.
    list->setAccessibleName(name);
    return list;
}

// How the editor's state for a command shows on its button and item.
enum TMirror { mrNone, mrChecked, mrEnabled };

// The composer's editing commands, one row each: the toolbar button and the
// context-menu item that share a handler, and the editor command whose
// state (queryCommandValue for mrChecked, queryCommandEnabled for
// mrEnabled) the button mirrors and pmMsg copies when it opens.
struct TMailCommand {
    QAction* TfMail::*Button;
    TZmItem* TfMail::*Item;
    void (TfMail::*Handler)();
    const char* Command;
    TMirror Mirror;
};

constexpr TMailCommand MailCommands[] = {
    {&TfMail::CutButton, &TfMail::miCut, &TfMail::CutButtonClick, "Cut", mrEnabled},
    {&TfMail::CopyButton, &TfMail::miCopy, &TfMail::CopyButtonClick, "Copy", mrEnabled},
    {&TfMail::PasteButton, &TfMail::miPaste, &TfMail::PasteButtonClick, "Paste", mrEnabled},
    {&TfMail::UndoButton, &TfMail::miUndo, &TfMail::UndoButtonClick, "Undo", mrEnabled},
    {&TfMail::RedoButton, &TfMail::miRedo, &TfMail::RedoButtonClick, "Redo", mrEnabled},
    {&TfMail::BoldButton, &TfMail::miBold, &TfMail::BoldButtonClick, "Bold", mrChecked},
    {&TfMail::ItalicButton, &TfMail::miItalic, &TfMail::ItalicButtonClick, "Italic", mrChecked},
    {&TfMail::UnderlineButton, &TfMail::miUnderline, &TfMail::UnderlineButtonClick, "Underline",
     mrChecked},
    {&TfMail::LeftAlign, &TfMail::miLeft, &TfMail::LeftAlignClick, "JustifyLeft", mrChecked},
    {&TfMail::CenterAlign, &TfMail::miCenter, &TfMail::CenterAlignClick, "JustifyCenter",
     mrChecked},
    {&TfMail::RightAlign, &TfMail::miRight, &TfMail::RightAlignClick, "JustifyRight", mrChecked},
    {&TfMail::FullAlign, &TfMail::miFull, &TfMail::FullAlignClick, "JustifyFull", mrChecked},
    {&TfMail::ImageButton, &TfMail::miImage, &TfMail::ImageButtonClick, "InsertImage", mrEnabled},
    {&TfMail::LinkButton, &TfMail::miLink, &TfMail::LinkButtonClick, "CreateLink", mrEnabled},
    {&TfMail::ColorButton, &TfMail::miColor, &TfMail::ColorButtonClick, nullptr, mrNone},
    {&TfMail::EmoticonsButton, &TfMail::miLastEmoticon, &TfMail::EmoticonsButtonClick, nullptr,
     mrNone},
};

} // namespace

TfMail::TfMail(QWidget* parent) : QMainWindow(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Compose"));
    setWindowIcon(Artwork::Icon(QStringLiteral("compose/window")));
    // The composer keeps the application's face, at the windows' size.
    SetWindowLook(this, font().family());
    resize(811, 600);
    // Centred on the monitor of the window it was opened from.
    if (const QScreen* s = OpenersScreen(QApplication::activeWindow()))
        move(s->geometry().center() - rect().center());
    Fade = new TFadeIn(this, [this] { FadeInCompleted(); });

    BuildImageLists();
    BuildEmoticons();
    BuildHeader();
    BuildToolBar();
    BuildEditor();
    BuildLayout();
    BuildStatusBar();
    BuildMessageMenu();
    BuildMainMenu();
    WireHandlers();

    FormCreate();
}

TfMail::~TfMail() = default;

void TfMail::BuildImageLists()
{
    IconsON = new TImageList(24, 24, this);
    for (const char* name : ToolbarArtwork)
        IconsON->AddArtwork(QString::fromLatin1(name));
    // The disabled pictures: greyed versions, at twice the size for crisp
    // drawing on any screen.
    IconsOff = new TImageList(24, 24, this);
    for (int i = 0; i < IconsON->Count(); ++i)
        IconsOff->AddImage(IconsON->DisabledImage(i, 2.0));
}

void TfMail::BuildEmoticons()
{
    Emoticons = new TImageList(21, 21, this);
    for (int n = 1; n <= ResAddress::EmoticonCount; ++n)
        Emoticons->AddImage(QImage(QStringLiteral(":/emoticons/palette/%1.png").arg(n)));
    // Its right edge at the point it opens at.
    pmEmoticons = new TZmPopupMenu(this);
    pmEmoticons->SetImages(Emoticons);
    pmEmoticons->SetAlignment(paRight);

    cd = new QColorDialog(this);
    // The same full dialog on every desktop; solid colours only.
    cd->setOptions(QColorDialog::DontUseNativeDialog);
    cd->setCurrentColor(clr::Black.ToQColor());
}

void TfMail::BuildLayout()
{
    // Header, toolbar and editor from top to bottom; the editor takes
    // whatever room the window gains.
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(pHeader);
    column->addWidget(StandardToolBar);
    column->addWidget(web, 1);
    setCentralWidget(central);
}

void TfMail::BuildHeader()
{
    pHeader = new QWidget(this);
    pHeader->setFixedHeight(109);
    pHeader->setAutoFillBackground(true);
    QPalette white = pHeader->palette();
    white.setColor(QPalette::Window, Qt::white);
    pHeader->setPalette(white);
    leSubject = LabelledEdit(pHeader, QStringLiteral("Subject"), 8);
    leTo = LabelledEdit(pHeader, QStringLiteral("To"), 32);
    leCC = LabelledEdit(pHeader, QStringLiteral("CC"), 56);
    leBCC = LabelledEdit(pHeader, QStringLiteral("BCC"), 80);
    setTabOrder(leSubject, leTo);
    setTabOrder(leTo, leCC);
    setTabOrder(leCC, leBCC);
}

QAction* TfMail::AddToolButton(const QString& caption, int image, const QString& hint)
{
    QAction* a = StandardToolBar->addAction(caption);
    if (!hint.isEmpty())
        a->setToolTip(hint);
    ShowImage(a, image);
    StandardToolBar->widgetForAction(a)->setFixedSize(31, 30);
    return a;
}

void TfMail::BuildToolBar()
{
    StandardToolBar = new QToolBar(this);
    StandardToolBar->setFixedHeight(40);
    StandardToolBar->setIconSize(QSize(24, 24));
    StandardToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    StandardToolBar->setMovable(false);
    StandardToolBar->setFloatable(false);
    StandardToolBar->setContentsMargins(4, 2, 2, 2);

    CutButton = AddToolButton(QStringLiteral("Cu&t"), 0, QStringLiteral("Delete selected item"));
    CopyButton = AddToolButton(QStringLiteral("&Copy"), 1,
                               QStringLiteral("Copy selected item to clipboard"));
    PasteButton =
        AddToolButton(QStringLiteral("&Paste"), 2, QStringLiteral("Paste contents of clipboard"));
    UndoButton = AddToolButton(QStringLiteral("&Undo"), 3, QStringLiteral("Undo the last action"));
    RedoButton = AddToolButton(QStringLiteral("&Redo"), 4, QString());
    ToolButton10 = StandardToolBar->addSeparator();
    FontName = ToolbarList(StandardToolBar, 110, QStringLiteral("Font name"),
                           QStringLiteral("Font Name|Select font name"));
    StandardToolBar->addWidget(FontName);
    ToolButton11 = StandardToolBar->addSeparator();
    FontSize = ToolbarList(StandardToolBar, 40, QStringLiteral("Font size"),
                           QStringLiteral("Font Size|Select font size"));
    FontSize->addItems({QStringLiteral("8"), QStringLiteral("10"), QStringLiteral("12"),
                        QStringLiteral("14"), QStringLiteral("18"), QStringLiteral("24"),
                        QStringLiteral("36")});
    FontSize->setCurrentIndex(-1);
    StandardToolBar->addWidget(FontSize);
    ToolButton2 = StandardToolBar->addSeparator();
    BoldButton = AddToolButton(QStringLiteral("Bold"), 5, QStringLiteral("Bold"));
    ItalicButton = AddToolButton(QStringLiteral("Italic"), 6, QStringLiteral("Italic"));
    UnderlineButton = AddToolButton(QStringLiteral("Underline"), 7, QStringLiteral("Underline"));
    ColorButton = AddToolButton(QStringLiteral("ColorButton"), 8, QStringLiteral("Font Color"));
    ToolButton16 = StandardToolBar->addSeparator();
    LeftAlign = AddToolButton(QStringLiteral("Align Left"), 9, QStringLiteral("Align Left"));
    CenterAlign = AddToolButton(QStringLiteral("Align Center"), 10, QStringLiteral("Align Center"));
    RightAlign = AddToolButton(QStringLiteral("Align Right"), 11, QStringLiteral("Align Right"));
    FullAlign = AddToolButton(QStringLiteral("Align Full"), 12, QStringLiteral("Align Full"));
    ToolButton1 = StandardToolBar->addSeparator();
    ImageButton = AddToolButton(QStringLiteral("Insert Image"), 13, QStringLiteral("Insert Image"));
    LinkButton = AddToolButton(QStringLiteral("Insert Hyperlink"), 14, QStringLiteral("Hyperlink"));
    ToolButton3 = StandardToolBar->addSeparator();
    EmoticonsButton =
        AddToolButton(QStringLiteral("EmoticonsButton"), 15, QStringLiteral("Insert an Emoticon"));

    for (QAction* toggle :
         {BoldButton, ItalicButton, UnderlineButton, LeftAlign, CenterAlign, RightAlign, FullAlign})
        toggle->setCheckable(true);
    // One of the three stays down; Align Full toggles on its own.
    AlignmentGroup = new QActionGroup(this);
    for (QAction* a : {LeftAlign, CenterAlign, RightAlign})
        AlignmentGroup->addAction(a);

    // The button's face inserts the last emoticon; its arrow drops the
    // palette down (see eventFilter).
    QWidget* emoticons = StandardToolBar->widgetForAction(EmoticonsButton);
    qobject_cast<QToolButton*>(emoticons)->setPopupMode(QToolButton::MenuButtonPopup);
    emoticons->setFixedSize(31 + 12, 30);

    // Captions that are code names read as such: say what they do.
    StandardToolBar->widgetForAction(ColorButton)->setAccessibleName(QStringLiteral("Text colour"));
    emoticons->setAccessibleName(QStringLiteral("Insert emoticon"));
    // Every button is reached by Tab (after the message, see TabRing).
    const auto actions = StandardToolBar->actions();
    for (QAction* a : actions)
        if (QWidget* w = StandardToolBar->widgetForAction(a); w && !a->isSeparator())
            w->setFocusPolicy(w == FontName || w == FontSize ? Qt::StrongFocus : Qt::TabFocus);
}

void TfMail::BuildEditor()
{
    web = new THtmlView(this);
    web->setAccessibleName(QStringLiteral("Message"));
    // The composer's page header and footer are the design's placeholders.
    web->SetUp(NO3DBORDER | FLAT_SCROLLBAR, QStringLiteral("caca"), QStringLiteral("caca"), true);
    // The editor loads when the window shows: its engine is there before
    // the window is first made, so that the window is made for the
    // engine's surface from the start.
    web->PrepareEngine();

    imgPrintPreview = new QLabel(this);
    imgPrintPreview->hide();
    imgPrintPreview->installEventFilter(this);
}

void TfMail::BuildStatusBar()
{
    sb = new QStatusBar(this);
    sb->setFixedHeight(19);
    sb->setSizeGripEnabled(false);
    for (size_t i = 0; i < sbPanels.size(); ++i) {
        sbPanels[i] = new QLabel(sb);
        sbPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    sbPanels[0]->setFixedWidth(120);
    sbPanels[1]->setFixedWidth(60);
    sbPanels[1]->setAlignment(Qt::AlignCenter);
    sbPanels[2]->setMinimumWidth(50);
    // It shows the address of the link under the pointer, which the page
    // writes: never as markup.
    sbPanels[2]->setTextFormat(Qt::PlainText);
    sb->addWidget(sbPanels[0]);
    sb->addWidget(sbPanels[1]);
    // The last panel takes the rest of the bar, as long links need it.
    sb->addWidget(sbPanels[2], 1);
    setStatusBar(sb);
}

TZmItem* TfMail::AddMenuItem(const QString& caption, int image)
{
    auto* item = new TZmItem(this);
    item->SetCaption(caption);
    item->SetImageIndex(image);
    pmMsg->Items()->Add(item);
    return item;
}

TZmSeparatorItem* TfMail::AddMenuSeparator()
{
    auto* separator = new TZmSeparatorItem(this);
    pmMsg->Items()->Add(separator);
    return separator;
}

void TfMail::BuildMessageMenu()
{
    pmMsg = new TZmPopupMenu(this);
    pmMsg->SetImages(IconsON);
    miCut = AddMenuItem(QStringLiteral("Cut"), 0);
    miCopy = AddMenuItem(QStringLiteral("Copy"), 1);
    miPaste = AddMenuItem(QStringLiteral("Paste"), 2);
    N1 = AddMenuSeparator();
    miUndo = AddMenuItem(QStringLiteral("Undo"), 3);
    miRedo = AddMenuItem(QStringLiteral("Redo"), 4);
    N3 = AddMenuSeparator();
    miBold = AddMenuItem(QStringLiteral("Bold"), 5);
    miItalic = AddMenuItem(QStringLiteral("Italic"), 6);
    miUnderline = AddMenuItem(QStringLiteral("Underline"), 7);
    miColor = AddMenuItem(QStringLiteral("Font Color"), 8);
    miLeft = AddMenuItem(QStringLiteral("Align Left"), 9);
    miCenter = AddMenuItem(QStringLiteral("Align Center"), 10);
    miRight = AddMenuItem(QStringLiteral("Align Right"), 11);
    miFull = AddMenuItem(QStringLiteral("Align Full"), 12);
    N6 = AddMenuSeparator();
    miImage = AddMenuItem(QStringLiteral("Insert Image..."), 13);
    miLink = AddMenuItem(QStringLiteral("Edit Hyperlink"), 14);
    N7 = AddMenuSeparator();
    miLastEmoticon = AddMenuItem(QStringLiteral("Insert last Emoticon"), 15);
    miEmoticon = AddMenuItem(QStringLiteral("Insert Emoticon ..."), 15);
    AddAttachment1 = AddMenuItem(QStringLiteral("Add Attachment"), -1);
    Send1 = AddMenuItem(QStringLiteral("Send"), -1);

    // Formatting, then alignment and insertion, then the message itself.
    miLeft->SetBreak(zmbBarBreak);
    AddAttachment1->SetBreak(zmbBarBreak);
    // Radio items: checking one unchecks the others.
    for (TZmItem* item : {miLeft, miCenter, miRight, miFull}) {
        item->SetRadioItem(true);
        item->SetGroupIndex(1);
    }
}

void TfMail::BuildMainMenu()
{
    MainMenu = menuBar();
    Mail1 = MainMenu->addMenu(QStringLiteral("Mail"));
    PrintPreview1 = Mail1->addAction(QStringLiteral("Print Preview"));
    Print1 = Mail1->addAction(QStringLiteral("Print ..."));
    N4 = Mail1->addSeparator();
    SaveAs1 = Mail1->addAction(QStringLiteral("Save As ..."));
    N8 = Mail1->addSeparator();
    Close1 = Mail1->addAction(QStringLiteral("Close"));
    // Escape closes too (keyPressEvent), once no menu or list has taken it.
    Close1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));

    EditMenu = MainMenu->addMenu(QStringLiteral("&Edit"));
    EditUndoItem = EditMenu->addAction(QStringLiteral("&Undo"));
    N2 = EditMenu->addSeparator();
    EditCutItem = EditMenu->addAction(QStringLiteral("Cu&t"));
    EditCopyItem = EditMenu->addAction(QStringLiteral("&Copy"));
    EditPasteItem = EditMenu->addAction(QStringLiteral("&Paste"));
    N5 = EditMenu->addSeparator();
    miEditFont = EditMenu->addAction(QStringLiteral("&Font..."));
    const std::pair<QAction*, QKeySequence::StandardKey> keys[] = {
        {EditUndoItem, QKeySequence::Undo},
        {EditCutItem, QKeySequence::Cut},
        {EditCopyItem, QKeySequence::Copy},
        {EditPasteItem, QKeySequence::Paste}};
    for (const auto& [item, key] : keys)
        item->setShortcut(key);
    EditUndoItem->setToolTip(QStringLiteral("Undo the last action"));
    EditCutItem->setToolTip(QStringLiteral("Delete selected item"));
    EditCopyItem->setToolTip(QStringLiteral("Copy selected item to clipboard"));
    EditPasteItem->setToolTip(QStringLiteral("Paste contents of clipboard"));
}

void TfMail::WireHandlers()
{
    pHeader->installEventFilter(this);
    web->OnDocumentComplete = [this](THtmlView* s, const QUrl& u) {
        webDocumentComplete(s, u);
    };
    web->OnStatusTextChange = [this](THtmlView* s, const QString& t) {
        webStatusTextChange(s, t);
    };
    web->OnRenderProcessTerminated = [this](THtmlView* s) {
        webRenderProcessTerminated(s);
    };
    web->OnShowContextMenu = [this](quint32 id, const QPoint& p) {
        return webShowContextMenu(id, p);
    };
    web->OnCommandStateChange = [this](THtmlView* s, int command, bool enable) {
        webCommandStateChange(s, command, enable);
    };
    connect(IconsON, &TImageList::Changed, this, &TfMail::RefreshImage);
    pmMsg->OnPopup = [this](QObject* sender) {
        pmMsgPopup(sender);
    };
    StandardToolBar->widgetForAction(EmoticonsButton)->installEventFilter(this);
    // For the keys the engine's widget gets (see eventFilter).
    qApp->installEventFilter(this);

    connect(PrintPreview1, &QAction::triggered, this, &TfMail::PrintPreview1Click);
    connect(Print1, &QAction::triggered, this, &TfMail::Print1Click);
    connect(SaveAs1, &QAction::triggered, this, &TfMail::SaveAs1Click);
    connect(Close1, &QAction::triggered, this, &TfMail::Close1Click);
    connect(EditUndoItem, &QAction::triggered, this, &TfMail::EditUndoItemClick);
    connect(EditCutItem, &QAction::triggered, this, &TfMail::EditCutItemClick);
    connect(EditCopyItem, &QAction::triggered, this, &TfMail::EditCopyItemClick);
    connect(EditPasteItem, &QAction::triggered, this, &TfMail::EditPasteItemClick);

    // A toolbar button and its context-menu item share one handler.
    for (const TMailCommand& c : MailCommands) {
        connect(this->*c.Button, &QAction::triggered, this, c.Handler);
        (this->*c.Item)->OnClick = [this, handler = c.Handler](QObject*) {
            (this->*handler)();
        };
    }
    miEmoticon->OnClick = [this](QObject*) {
        miEmoticonClick();
    };
    // Only the user's own choice runs a command, never a selection made by
    // the program.
    connect(FontName, &QComboBox::activated, this, &TfMail::FontNameChange);
    connect(FontSize, &QComboBox::activated, this, &TfMail::FontSizeChange);
}

void TfMail::ShowImage(QAction* action, int image)
{
    QIcon icon;
    for (const qreal dpr : {1.0, 2.0}) {
        icon.addPixmap(IconsON->Pixmap(image, dpr), QIcon::Normal);
        icon.addPixmap(IconsOff->Pixmap(image, dpr), QIcon::Disabled);
    }
    action->setIcon(icon);
    if (!m_imageUsers.contains(image, action))
        m_imageUsers.insert(image, action);
}

void TfMail::RefreshImage(int image)
{
    const auto users = m_imageUsers.values(image);
    for (QAction* a : users)
        ShowImage(a, image);
}

void TfMail::FormCreate()
{
    BuildEmoticonMenu();
    SetLastEmoticon(0);
    SetApplicationTitle(QStringLiteral("Zentro Compose"));
    EditorReady = false;
    FillFontNames();
    SetDoubleBufferedDeep(this);
    Panes = new TPaneCycle(this, {pHeader, StandardToolBar, web});
    new TFocusReturn(this);
    // A new message starts with its subject.
    leSubject->setFocus();
    StartFadeIn();
}

void TfMail::FillFontNames()
{
    FontName->addItems(InstalledEditorFontNames());
    FontName->setCurrentIndex(-1);
}

void TfMail::StartFadeIn()
{
    Fade->StartFadeIn();
}

void TfMail::tmrShowTimer()
{
    Fade->tmrShowTimer();
}

void TfMail::FadeInCompleted()
{
    m_fadeCompleted = true;
    TakeEditorDocument();
}

void TfMail::TakeEditorDocument()
{
    // Ready once the fade has ended and the blank page has produced its
    // document, whichever happens last.
    if (EditorReady || !m_fadeCompleted)
        return;
    const THtmlDocument document = web->Document();
    if (document.IsNull())
        return;
    EditorDocument = document;
    EditorReady = true;
    // The notifications of the fade were not looked at: mirror the editor
    // as it stands now.
    webCommandStateChange(web, 0, false);
    emit EditorBecameReady();
}

void TfMail::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Restoring a minimised window is not showing it anew: the message
    // being written must survive.
    if (!event->spontaneous())
        FormShow();
}

void TfMail::FormShow()
{
    EditorReady = false;
    web->Navigate(QStringLiteral("about:blank"));
}

void TfMail::closeEvent(QCloseEvent* event)
{
    // FormCloseQuery asks nothing; FormClose frees the window
    // (WA_DeleteOnClose) and its content with it.
    event->accept();
}

void TfMail::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        Close1Click();
    else
        QMainWindow::keyPressEvent(event);
}

bool TfMail::eventFilter(QObject* watched, QEvent* event)
{
    // The engine keeps Tab within its page: from the message, Tab and
    // Shift+Tab go on round the window's ring instead; it takes Escape too.
    // The message's own menu from the keyboard, at its caret.
    // Keyboard events are for the message when it has the focus. The
    // receiver is compared with the focus first, never asked itself: key
    // events also reach the engine's window while it is being destroyed.
    QWidget* focus = QApplication::focusWidget();
    const bool toMessage =
        (event->type() == QEvent::ContextMenu || event->type() == QEvent::KeyPress) && focus &&
        watched == focus && THtmlView::FromEventTarget(focus) == web;
    if (toMessage && event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
        webShowContextMenu(0, static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    if (toMessage && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            Close1Click();
            return true;
        }
        if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            focusNextPrevChild(key->key() == Qt::Key_Tab &&
                               !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    if (watched == StandardToolBar->widgetForAction(EmoticonsButton)) {
        auto* button = static_cast<QToolButton*>(watched);
        if (event->type() == QEvent::ContextMenu) {
            PopupEmoticons(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress) {
            auto* press = static_cast<QMouseEvent*>(event);
            if (press->button() == Qt::LeftButton &&
                DropDownArrow(button).contains(press->position().toPoint())) {
                // A drop-down menu: below the button, right edges aligned.
                PopupEmoticons(button->mapToGlobal(QPoint(button->width(), button->height())));
                return true;
            }
        }
    } else if (watched == pHeader && event->type() == QEvent::Resize)
        pHeaderResize();
    else if (watched == imgPrintPreview && event->type() == QEvent::MouseButtonPress)
        imgPrintPreview->hide();
    return QMainWindow::eventFilter(watched, event);
}

void TfMail::pHeaderResize()
{
    for (QLineEdit* edit : {leSubject, leTo, leCC, leBCC})
        edit->resize(pHeader->width() - 72, edit->height());
}

void TfMail::webDocumentComplete(THtmlView*, const QUrl&)
{
    web->Document().Set(QStringLiteral("DesignMode"), QStringLiteral("On"));
    TakeEditorDocument();
    if (std::exchange(m_refocusEditor, false) && isActiveWindow())
        FocusEditor();
}

void TfMail::webStatusTextChange(THtmlView*, const QString& Text)
{
    sbPanels[2]->setText(Text);
}

void TfMail::webRenderProcessTerminated(THtmlView*)
{
    EditorReady = false;
    const QWidget* focus = QApplication::focusWidget();
    m_refocusEditor |= focus && web->isAncestorOf(focus);
}

void TfMail::FocusEditor()
{
    web->FocusDocument(Qt::TabFocusReason);
}

QList<QWidget*> TfMail::TabRing() const
{
    QList<QWidget*> ring = {leSubject, leTo, leCC, leBCC, web};
    const auto actions = StandardToolBar->actions();
    for (QAction* a : actions)
        if (QWidget* w = StandardToolBar->widgetForAction(a); w && !a->isSeparator())
            ring.append(w);
    return ring;
}

bool TfMail::focusNextPrevChild(bool next)
{
    const QList<QWidget*> ring = TabRing();
    const QWidget* focus = QApplication::focusWidget();
    qsizetype at = -1;
    for (qsizetype i = 0; focus && i < ring.size() && at < 0; ++i)
        if (ring[i] == focus || ring[i]->isAncestorOf(focus))
            at = i;
    if (at < 0)
        return QMainWindow::focusNextPrevChild(next);
    const qsizetype n = ring.size();
    for (qsizetype step = 1; step < n; ++step) {
        QWidget* w = ring[((at + (next ? step : -step)) % n + n) % n];
        if (!w->isVisible() || !w->isEnabled())
            continue;
        if (w == web)
            FocusEditor();
        else
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return false;
}

int TfMail::webShowContextMenu(quint32, const QPoint& ppt)
{
    pmMsg->Popup(ppt);
    return S_OK;
}

void TfMail::Close1Click()
{
    close();
}

void TfMail::Print1Click() {}

void TfMail::PrintPreview1Click()
{
    // The editor's current image, painted over the window at (0, 300); a
    // click on it takes it away.
    QPixmap image(web->size() * devicePixelRatioF());
    image.setDevicePixelRatio(devicePixelRatioF());
    image.fill(Qt::transparent);
    QPainter canvas(&image);
    web->PaintTo(canvas, 0, 0);
    canvas.end();
    imgPrintPreview->setPixmap(image);
    imgPrintPreview->setGeometry(0, 300, web->width(), web->height());
    imgPrintPreview->show();
    imgPrintPreview->raise();
}

void TfMail::SaveAs1Click()
{
    web->ShowSaveAsDialog();
}

void TfMail::EditCommand(const QString& command)
{
    if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        edit && edit->window() == this) {
        if (command == QLatin1String("Undo"))
            edit->undo();
        else if (command == QLatin1String("Cut"))
            edit->cut();
        else if (command == QLatin1String("Copy"))
            edit->copy();
        else if (command == QLatin1String("Paste"))
            edit->paste();
        return;
    }
    RunCommand(command, false, false);
}

void TfMail::EditUndoItemClick()
{
    EditCommand(QStringLiteral("Undo"));
}

void TfMail::EditCutItemClick()
{
    EditCommand(QStringLiteral("Cut"));
}

void TfMail::EditCopyItemClick()
{
    EditCommand(QStringLiteral("Copy"));
}

void TfMail::EditPasteItemClick()
{
    EditCommand(QStringLiteral("Paste"));
}

void TfMail::RunCommand(const QString& command, bool showUI, const QVariant& value)
{
    if (!EditorReady)
        return;
    EditorDocument.Call(QStringLiteral("execCommand"), {command, showUI, value});
}

void TfMail::CutButtonClick()
{
    RunCommand(QStringLiteral("Cut"), false, false);
}

void TfMail::CopyButtonClick()
{
    RunCommand(QStringLiteral("Copy"), false, false);
}

void TfMail::PasteButtonClick()
{
    RunCommand(QStringLiteral("Paste"), false, false);
}

void TfMail::UndoButtonClick()
{
    RunCommand(QStringLiteral("Undo"), false, false);
}

void TfMail::RedoButtonClick()
{
    RunCommand(QStringLiteral("Redo"), false, false);
}

void TfMail::BoldButtonClick()
{
    RunCommand(QStringLiteral("Bold"), false, false);
}

void TfMail::ItalicButtonClick()
{
    RunCommand(QStringLiteral("Italic"), false, false);
}

void TfMail::UnderlineButtonClick()
{
    RunCommand(QStringLiteral("Underline"), false, false);
}

void TfMail::LeftAlignClick()
{
    RunCommand(QStringLiteral("JustifyLeft"), false, false);
}

void TfMail::CenterAlignClick()
{
    RunCommand(QStringLiteral("JustifyCenter"), false, false);
}

void TfMail::RightAlignClick()
{
    RunCommand(QStringLiteral("JustifyRight"), false, false);
}

void TfMail::FullAlignClick()
{
    RunCommand(QStringLiteral("JustifyFull"), false, false);
}

void TfMail::ImageButtonClick()
{
    RunCommand(QStringLiteral("InsertImage"), true, false);
}

void TfMail::LinkButtonClick()
{
    RunCommand(QStringLiteral("CreateLink"), true, false);
}

void TfMail::FontNameChange()
{
    RunCommand(QStringLiteral("FontName"), false, FontName->currentText());
}

void TfMail::FontSizeChange()
{
    RunCommand(QStringLiteral("FontSize"), false, FontSize->currentIndex() + 1);
}

void TfMail::ColorButtonClick()
{
    if (!EditorReady)
        return;
    const QColor current = cd->currentColor();
    QPointer<TfMail> self(this);
    const bool accepted = cd->exec() == QDialog::Accepted;
    if (!self)
        return;
    if (!accepted) {
        cd->setCurrentColor(current);
        return;
    }
    // Sent as chosen, even when it is the colour already there.
    RunCommand(QStringLiteral("ForeColor"), false,
               int(TColor::FromQColor(cd->currentColor()).Value()));
}

void TfMail::webCommandStateChange(THtmlView*, int, bool)
{
    // Should the document be gone, this notification changes nothing and
    // the next one tries again. A live document answers every question
    // below; a value is empty when the selection has no single one.
    if (!EditorReady || !EditorDocument.IsAlive())
        return;
    const QString value = QStringLiteral("queryCommandValue");
    const QString enabled = QStringLiteral("queryCommandEnabled");
    // The toggles first, then the buttons that may be greyed.
    for (const TMirror mirror : {mrChecked, mrEnabled})
        for (const TMailCommand& c : MailCommands) {
            if (c.Mirror != mirror)
                continue;
            const QVariantList command{QString::fromLatin1(c.Command)};
            if (mirror == mrChecked)
                (this->*c.Button)->setChecked(EditorDocument.Call(value, command).toBool());
            else
                (this->*c.Button)->setEnabled(EditorDocument.Call(enabled, command).toBool());
        }
    auto ask = [this, &value](const QString& command) {
        return EditorDocument.Call(value, {command});
    };

    bool ok = false;
    const QVariant colour = ask(QStringLiteral("ForeColor"));
    const int bgr = colour.isNull() ? 0 : colour.toInt(&ok);
    cd->setCurrentColor((ok ? TColor(quint32(bgr)) : clr::Black).ToQColor());

    const QVariant name = ask(QStringLiteral("FontName"));
    if (name.isNull()) {
        FontName->setCurrentIndex(-1);
    } else if (const QString face = name.toString().toLower();
               face != FontName->currentText().toLower()) {
        int match = -1;
        for (int i = 0; i < FontName->count() && match < 0; ++i)
            if (FontName->itemText(i).toLower() == face)
                match = i;
        FontName->setCurrentIndex(match);
    }

    ok = false;
    const QVariant size = ask(QStringLiteral("FontSize"));
    const int n = size.isNull() ? 0 : size.toInt(&ok);
    if (!ok)
        FontSize->setCurrentIndex(0);
    else
        FontSize->setCurrentIndex(n >= 1 && n <= FontSize->count() ? n - 1 : -1);
}

void TfMail::pmMsgPopup(QObject*)
{
    for (const TMailCommand& c : MailCommands) {
        if (c.Mirror == mrEnabled)
            (this->*c.Item)->SetEnabled((this->*c.Button)->isEnabled());
        else if (c.Mirror == mrChecked)
            (this->*c.Item)->SetChecked((this->*c.Button)->isChecked());
    }
}

void TfMail::BuildEmoticonMenu()
{
    // Five columns of ten, down each column in picture order.
    for (int i = 0; i < Emoticons->Count(); ++i) {
        auto* item = new TZmItem(pmEmoticons);
        item->SetImageIndex(i);
        // A picture without a caption: its hint names it.
        item->SetHint(EmoticonName(i + 1));
        if (i > 0 && i % 10 == 0)
            item->SetBreak(zmbBarBreak);
        pmEmoticons->Items()->Add(item);
        item->OnClick = [this](QObject* sender) {
            EmoticonItemClick(sender);
        };
    }
}

void TfMail::EmoticonItemClick(QObject* Sender)
{
    auto* item = qobject_cast<TZmCustomItem*>(Sender);
    if (!item)
        return;
    const int n = item->ImageIndex();
    InsertEmoticon(n);
    SetLastEmoticon(n);
}

void TfMail::EmoticonsButtonClick()
{
    InsertEmoticon(LastEmoticon);
}

void TfMail::miEmoticonClick()
{
    PopupEmoticons(QCursor::pos());
}

void TfMail::PopupEmoticons(QPoint screenPoint)
{
    pmEmoticons->Popup(screenPoint);
}

void TfMail::InsertEmoticon(int n)
{
    // The picture with its name as alternative text, for whoever cannot
    // see it.
    if (EditorReady)
        web->InsertImage(ResAddress::EmoticonAddress(n + 1), EmoticonName(n + 1));
}

void TfMail::SetLastEmoticon(int n)
{
    // Drawn at twice the size, so that the button stays sharp on screens of
    // a higher pixel ratio; the list reduces it where it is drawn at 1x.
    QImage picture(48, 48, QImage::Format_ARGB32);
    picture.setDevicePixelRatio(2);
    picture.fill(Qt::white);
    QPainter canvas(&picture);
    Emoticons->Draw(canvas, 2, 2, n);
    canvas.end();
    IconsON->ReplaceImage(15, picture, QColor(Qt::white));
    LastEmoticon = n;
}
