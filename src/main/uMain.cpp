#include "main/uMain.h"

#include "app/Application.h"
#include "appbar/uAppbar.h"
#include "base/AppState.h"
#include "base/Artwork.h"
#include "base/FadeIn.h"
#include "base/HintStyle.h"
#include "base/ImageList.h"
#include "base/PaneCycle.h"
#include "base/TabLeaves.h"
#include "base/WindowLook.h"
#include "commandbars/ActionMenuBar.h"
#include "commandbars/ActionToolBar.h"
#include "commandbars/Command.h"
#include "commandbars/CommandManager.h"
#include "commandbars/CustomizeDlg.h"
#include "commandbars/XPStyle.h"
#include "compose/uMail.h"
#include "contacts/ContactMenu.h"
#include "contacts/ContactTree.h"
#include "contacts/DemoContacts.h"
#include "contacts/StatusImages.h"
#include "htmlview/HtmlDocument.h"
#include "htmlview/HtmlView.h"
#include "main/BevelSplitter.h"
#include "main/CustomDrawDelegate.h"
#include "main/MainCommands.h"
#include "main/PreviewMouseHook.h"
#include "popup/ZmItem.h"
#include "popup/ZmPopupMenu.h"
#include "popup/ZmRootItem.h"
#include "popup/ZmSeparatorItem.h"

#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int FolderIndent = 16;
constexpr int FolderTextOffset = 20;
constexpr int HeaderColumnWidth = 150;
constexpr int LeftColumnWidth = 177;
constexpr int UpperPanelHeight = 193;
constexpr int CaptionPanelHeight = 26;
constexpr int LabelPanelHeight = 41;
constexpr int PanelBorder = 3;
constexpr int SplitterWidth = 3;
// 0x00BBGGRR 15660791: highlight and unused-item colour of both maps.
constexpr TColor BarHighlight = TColor(15660791);

QFrame* Panel(QWidget* parent, int border = 0)
{
    auto* panel = new QFrame(parent);
    panel->setFrameShape(QFrame::NoFrame);
    panel->setContentsMargins(border, border, border, border);
    return panel;
}

QVBoxLayout* Column(QWidget* w)
{
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

QString Resource(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

TfMain::TfMain(QWidget* parent) : QMainWindow(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Zentro"));
    setMinimumSize(480, 360);
    resize(800, 600);
    if (const QScreen* s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());
    SetWindowLook(this);
    Fade = new TFadeIn(this, [this] { FadeInCompleted(); });
    // Invisible from creation until the fade runs.
    Fade->SetBlending(true, 0);

    BuildImageLists();
    BuildCommandBars();
    BuildTopBand();
    BuildLeftColumn();
    BuildRightColumn();
    BuildSampleContent();
    BindHandlers();
    FormCreate();
}

TfMain::~TfMain()
{
    // The customization dialog goes first, while this window is whole: left
    // to QWidget's destructor it would go after this one has run, and its
    // close handler lays out this window's top band.
    if (cd) {
        disconnect(cd, nullptr, this, nullptr);
        delete std::exchange(cd, nullptr);
    }
    // FormDestroy. A run that ends in Full Mode keeps its toolbar layout.
    if (ApplicationTerminating())
        amToolBar->SaveToFile();
    if (fMain == this)
        fMain = nullptr;
}

void TfMain::BuildImageLists()
{
    const QStringList pictures = {QStringLiteral("main/compose"),     QStringLiteral("main/reply"),
                                  QStringLiteral("main/forward"),     QStringLiteral("main/check"),
                                  QStringLiteral("main/addressbook"), QStringLiteral("main/find"),
                                  QStringLiteral("main/print"),       QStringLiteral("main/close")};
    ilStatus = NewStatusImageList(this);
    ilToolBar = new TImageList(16, 16, this);
    ilMenuBar = new TImageList(16, 16, this);
    for (const QString& p : pictures) {
        ilToolBar->AddArtwork(p);
        ilMenuBar->AddArtwork(p);
    }
}

void TfMain::BuildCommandBars()
{
    MenuColorMap.HighlightColor = BarHighlight;
    MenuColorMap.UnusedColor = BarHighlight;
    MenuColorMap.BtnSelectedColor = clr::BtnFace;
    ToolbarColorMap = MenuColorMap;
    ToolbarColorMap.Color = clr::Cream;
    m_menuStyle = new TXPStyle(MenuColorMap);
    m_menuStyle->setParent(this);
    m_toolbarStyle = new TXPStyle(ToolbarColorMap);
    m_toolbarStyle->setParent(this);

    amMenuBar = new TCommandManager(this);
    amMenuBar->Images = ilMenuBar;
    amMenuBar->AddBar(BuildMenuBarCommands(amMenuBar));
    amToolBar = new TCommandManager(this);
    amToolBar->Images = ilToolBar;
    amToolBar->AddBar(BuildToolBarCommands(amToolBar));
    amToolBar->FileName = QStringLiteral("zentro.am");
    // The stored layout replaces the designed toolbar when it is usable.
    amToolBar->LoadFromFile();

    acEmailMessage = amMenuBar->Command(QStringLiteral("acEmailMessage"));
    Action3 = amMenuBar->Command(QStringLiteral("Action3"));
    Action23 = amMenuBar->Command(QStringLiteral("Action23"));
    Action32 = amMenuBar->Command(QStringLiteral("Action32"));
    Action33 = amMenuBar->Command(QStringLiteral("Action33"));
    Action34 = amMenuBar->Command(QStringLiteral("Action34"));
    acCompose = amToolBar->Command(QStringLiteral("acCompose"));
    Action4 = amToolBar->Command(QStringLiteral("Action4"));
    Action8 = amToolBar->Command(QStringLiteral("Action8"));
    Action6 = amToolBar->Command(QStringLiteral("Action6"));
    acPrint = amToolBar->Command(QStringLiteral("acPrint"));
    Action32->setCheckable(true);
    Action32->setChecked(true);
    Action3->setEnabled(false);

    ZmPopupMenu1 = new TZmPopupMenu(this);
    miShowCaptions = new TZmItem(this);
    miShowCaptions->SetCaption(QStringLiteral("Show Captions"));
    miLargeIcons = new TZmItem(this);
    miLargeIcons->SetCaption(QStringLiteral("Large Icons"));
    ZmSeparatorItem1 = new TZmSeparatorItem(this);
    ZmItem1 = new TZmItem(this);
    ZmItem1->SetCaption(QStringLiteral("Customize"));
    for (TZmCustomItem* item :
         {static_cast<TZmCustomItem*>(miShowCaptions), static_cast<TZmCustomItem*>(miLargeIcons),
          static_cast<TZmCustomItem*>(ZmSeparatorItem1), static_cast<TZmCustomItem*>(ZmItem1)})
        ZmPopupMenu1->Items()->Add(item);

    pmMsg = new QMenu(this);
    pmMsg->setWindowTitle(QStringLiteral("Message"));
    Reply1 = pmMsg->addAction(QStringLiteral("Reply"));
    Forward1 = pmMsg->addAction(QStringLiteral("Forward"));
    pmMsg->addSeparator();
    ViewMessageSource1 = pmMsg->addAction(QStringLiteral("View Message Source"));
}

void TfMain::BuildTopBand()
{
    pTop = Panel(this);
    SetBackground(pTop, clr::Cream);
    Panel11 = Panel(pTop);
    SetBackground(Panel11, clr::Cream);
    atbMenuBar = new TActionMenuBar(amMenuBar, 0, m_menuStyle, Panel11);
    atbMenuBar->setFont(PixelFont(QStringLiteral("Tahoma"), 11));
    atbToolBar = new TActionToolBar(amToolBar, 0, m_toolbarStyle, Panel11);
    atbToolBar->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11));
    SetBackground(atbToolBar, clr::Cream);
    QVBoxLayout* bars = Column(Panel11);
    bars->addWidget(atbMenuBar);
    bars->addWidget(atbToolBar);
    bars->addStretch();
    pAd = Panel(pTop);
    SetBackground(pAd, clr::Cream);
    imgAd = new QLabel(pAd);
    imgAd->setScaledContents(true);
    auto* band = new QHBoxLayout(pTop);
    band->setContentsMargins(0, 0, 0, 0);
    band->setSpacing(0);
    band->addWidget(Panel11, 1);
    band->addWidget(pAd);
}

void TfMain::BuildLeftColumn()
{
    Splitter1 = new TBevelSplitter(Qt::Horizontal, clr::Orange, SplitterWidth, this);
    Panel2 = Panel(Splitter1);
    Splitter2 = new TBevelSplitter(Qt::Vertical, clr::Orange, SplitterWidth, Panel2);
    Column(Panel2)->addWidget(Splitter2);

    const QFont caption = PixelFont(QStringLiteral("Arial"), 21, true, true);
    Panel4 = Panel(Splitter2, PanelBorder);
    Panel9 = new QLabel(QStringLiteral(" Folders"), Panel4);
    Panel9->setFont(caption);
    Panel9->setFixedHeight(CaptionPanelHeight);
    tvFolders = new QTreeWidget(Panel4);
    // Named for a screen reader, which reads the hidden header too.
    tvFolders->setHeaderLabel(QStringLiteral("Folders"));
    tvFolders->setAccessibleName(QStringLiteral("Folders"));
    tvFolders->setHeaderHidden(true);
    tvFolders->setRootIsDecorated(false);
    // The items draw their own indent (FolderIndent per level).
    tvFolders->setIndentation(0);
    tvFolders->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvFolders->setSelectionBehavior(QAbstractItemView::SelectRows);
    tvFolders->setFont(PixelFont(QStringLiteral("Arial"), 11, true));
    tvFolders->setItemDelegate(new TCustomDrawDelegate(
        [this](QPainter& canvas, const QModelIndex& index, const QStyleOptionViewItem& state) {
            tvFoldersCustomDrawItem(canvas, tvFolders->itemFromIndex(index), state);
        },
        tvFolders));
    QPalette p = tvFolders->palette();
    p.setColor(QPalette::Base, clr::Cream.ToQColor(p));
    tvFolders->setPalette(p);
    QVBoxLayout* folders = Column(Panel4);
    folders->addWidget(Panel9);
    folders->addWidget(tvFolders);

    Panel5 = Panel(Splitter2, PanelBorder);
    Panel10 = new QLabel(QStringLiteral(" Contacts"), Panel5);
    Panel10->setFont(caption);
    Panel10->setFixedHeight(CaptionPanelHeight);
    tvContacts = new TContactTree(ilStatus, Panel5);
    ZmPopupMenu2 = new TContactMenu(tvContacts, this);
    QVBoxLayout* contacts = Column(Panel5);
    contacts->addWidget(Panel10);
    contacts->addWidget(tvContacts);

    Splitter2->addWidget(Panel4);
    Splitter2->addWidget(Panel5);
    Splitter2->setStretchFactor(0, 0);
    Splitter2->setStretchFactor(1, 1);
    Splitter2->setSizes({UpperPanelHeight, 10000});

    auto* root = new QTreeWidgetItem(tvFolders, {QStringLiteral("Zentro")});
    auto* inbox = new QTreeWidgetItem(root, {QStringLiteral("Inbox")});
    new QTreeWidgetItem(inbox, {QStringLiteral("De la Ilvana Moret")});
    new QTreeWidgetItem(inbox, {QStringLiteral("De la Teodric Valsen")});
    for (const QString& folder : {QStringLiteral("Outbox"), QStringLiteral("Sent "),
                                  QStringLiteral("Deleted"), QStringLiteral("Drafts")})
        new QTreeWidgetItem(root, {folder});
    tvFolders->collapseAll();
}

void TfMain::BuildRightColumn()
{
    Panel3 = Panel(Splitter1);
    Splitter3 = new TBevelSplitter(Qt::Vertical, clr::Orange, SplitterWidth, Panel3);
    Column(Panel3)->addWidget(Splitter3);

    Panel7 = Panel(Splitter3, PanelBorder);
    lvHeaders = new QTableWidget(2, 3, Panel7);
    lvHeaders->setHorizontalHeaderLabels(
        {QStringLiteral("From"), QStringLiteral("Subject"), QStringLiteral("Date/Time")});
    lvHeaders->setAccessibleName(QStringLiteral("Messages"));
    lvHeaders->setShowGrid(true);
    lvHeaders->setFrameShape(QFrame::NoFrame);
    lvHeaders->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvHeaders->setSelectionMode(QAbstractItemView::SingleSelection);
    lvHeaders->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvHeaders->setWordWrap(false);
    // Tab goes on to the preview; Ctrl+Tab moves from cell to cell.
    LetTabLeave(lvHeaders);
    lvHeaders->verticalHeader()->hide();
    lvHeaders->verticalHeader()->setDefaultSectionSize(lvHeaders->fontMetrics().height() + 4);
    lvHeaders->horizontalHeader()->setHighlightSections(false);
    lvHeaders->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 0; c < 3; ++c)
        lvHeaders->setColumnWidth(c, HeaderColumnWidth);
    // The selection stays visible while the list is not focused.
    QPalette lp = lvHeaders->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        lp.setColor(QPalette::Inactive, role, lp.color(QPalette::Active, role));
    lvHeaders->setPalette(lp);
    const QStringList rows[] = {{QStringLiteral("ilvana.moret@mail.example.invalid"),
                                 QStringLiteral("Test"), QStringLiteral("01 apr. 2003, 23:48")},
                                {QStringLiteral("Bleach!"), QStringLiteral("Just testing"),
                                 QStringLiteral("02 apr. 2003, 00:24")}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            lvHeaders->setItem(r, c, new QTableWidgetItem(rows[r][c]));
    // A screen reader names each row by its hidden header: the message.
    for (int r = 0; r < 2; ++r)
        lvHeaders->setVerticalHeaderItem(
            r, new QTableWidgetItem(
                   QStringLiteral("From %1, %2, %3").arg(rows[r][0], rows[r][1], rows[r][2])));
    Column(Panel7)->addWidget(lvHeaders);

    Panel6 = Panel(Splitter3, PanelBorder);
    Panel8 = Panel(Panel6);
    Panel8->setFixedHeight(LabelPanelHeight);
    Label1 = new QLabel(QStringLiteral("From:"), Panel8);
    Label1->move(4, 4);
    Label2 = new QLabel(QStringLiteral("To:"), Panel8);
    Label2->move(272, 4);
    Label3 = new QLabel(QStringLiteral("Subject:"), Panel8);
    Label3->move(4, 20);
    web = new THtmlView(Panel6);
    web->setAccessibleName(QStringLiteral("Message preview"));
    web->SetUp({}, QStringLiteral("&w&bPage &p of &P"), QStringLiteral("&u&b&d"), false);
    // The engine is there before the window is first made, so that the
    // window is made for the engine's surface from the start.
    web->PrepareEngine();
    QVBoxLayout* preview = Column(Panel6);
    preview->addWidget(Panel8);
    preview->addWidget(web, 1);

    Splitter3->addWidget(Panel7);
    Splitter3->addWidget(Panel6);
    Splitter3->setStretchFactor(0, 0);
    Splitter3->setStretchFactor(1, 1);
    Splitter3->setSizes({UpperPanelHeight, 10000});

    Splitter1->addWidget(Panel2);
    Splitter1->addWidget(Panel3);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({LeftColumnWidth, 10000});

    auto* central = new QWidget(this);
    QVBoxLayout* layout = Column(central);
    layout->addWidget(pTop);
    layout->addWidget(Splitter1, 1);
    setCentralWidget(central);
    StatusBar1 = statusBar();
}

void TfMain::BuildSampleContent()
{
    Memo1 = new QPlainTextEdit(Resource(QStringLiteral(":/html/message1.html")), this);
    Memo2 = new QPlainTextEdit(Resource(QStringLiteral(":/html/message2.html")), this);
    Memo3 = new QPlainTextEdit(Resource(QStringLiteral(":/html/placeholder.html")), this);
    for (QPlainTextEdit* memo : {Memo1, Memo2, Memo3})
        memo->hide();
}

void TfMain::BindHandlers()
{
    acEmailMessage->OnExecute = [this](TCommand*) {
        acComposeExecute();
    };
    acCompose->OnExecute = [this](TCommand*) {
        acComposeExecute();
    };
    Action4->OnExecute = [this](TCommand*) {
        Action4Execute();
    };
    Action8->OnExecute = [this](TCommand*) {
        Action8Execute();
    };
    Action6->OnExecute = [this](TCommand*) {
        Action6Execute();
    };
    for (TCommand* c : {acCompose, Action6, acPrint})
        c->OnUpdate = [this](TCommand* sender) {
            EnableButton(sender);
        };
    Action3->OnExecute = [this](TCommand*) {
        Action3Execute();
    };
    Action3->OnUpdate = [this](TCommand* sender) {
        Action3Update(sender);
    };
    Action23->OnExecute = [this](TCommand*) {
        Action23Execute();
    };
    Action32->OnExecute = [this](TCommand*) {
        Action32Execute();
    };
    Action33->OnExecute = [this](TCommand*) {
        Action33Execute();
    };
    Action34->OnExecute = [this](TCommand*) {
        Action34Execute();
    };

    connect(amToolBar, &TCommandManager::OptionsChanged, this, &TfMain::amToolBarOptionsChange);
    // The options read with the layout.
    amToolBarOptionsChange();
    connect(lvHeaders, &QTableWidget::itemSelectionChanged, this, &TfMain::lvHeadersSelectItem);
    web->OnDocumentComplete = [this](THtmlView*, const QUrl&) {
        webDocumentComplete();
    };

    ZmPopupMenu1->OnPopup = [this](QObject* sender) {
        ZmPopupMenu1Popup(sender);
    };
    miShowCaptions->OnClick = [this](QObject*) {
        miShowCaptionsClick();
    };
    miLargeIcons->OnClick = [this](QObject*) {
        miLargeIconsClick();
    };
    ZmItem1->OnClick = [this](QObject*) {
        ZmItem1Click();
    };
    // The contact menu opens with the toolbar menu's handler, which leaves
    // the contact menu as it is.
    ZmPopupMenu2->OnPopup = [this](QObject* sender) {
        ZmPopupMenu1Popup(sender);
    };
    // A double-click sends e-mail to the selected contacts.
    connect(tvContacts, &TContactTree::DblClick, tvContacts, &TContactTree::ZmItem8Click);
    atbToolBar->OnContextPopup = [this](const QPoint& screenPoint) {
        ZmPopupMenu1->Popup(screenPoint);
    };
    Panel4->installEventFilter(this);
    Panel5->installEventFilter(this);
    tvFolders->viewport()->installEventFilter(this);
}

void TfMain::FormCreate()
{
    // The application-window style: Qt gives every normal top-level window
    // its own taskbar entry.
    SetApplicationHintDelay(1);
    BuildDemoContacts(tvContacts);
    MouseHook = new TPreviewMouseHook([this](const QPoint& at) { PopupMessageMenu(at); }, this);
    Panes = new TPaneCycle(this, {tvFolders, tvContacts, lvHeaders, web});
    SetDoubleBufferedDeep(this);
    LayoutTopBand();
    StartFadeIn();
    web->Navigate(QStringLiteral("about:blank"));
}

void TfMain::StartFadeIn()
{
    Fade->StartFadeIn();
}

void TfMain::tmrShowTimer()
{
    Fade->tmrShowTimer();
}

void TfMain::FadeInCompleted()
{
    ShowPreviewHtml(Memo3->toPlainText());
}

int TfMain::AdHeight(int windowWidth, int bandHeight)
{
    return qBound(45, qMin((windowWidth / 2) / 6, bandHeight), 90);
}

void TfMain::LayoutTopBand()
{
    // Each bar takes the height its content needs now.
    int band = 0;
    for (QWidget* bar : {static_cast<QWidget*>(atbMenuBar), static_cast<QWidget*>(atbToolBar)}) {
        const int h = bar->isHidden() ? 0 : qMax(1, bar->sizeHint().height());
        bar->setFixedHeight(h);
        band += h;
    }
    pTop->setFixedHeight(band);
    const int h = AdHeight(width(), band);
    pAd->setFixedWidth(6 * h);
    imgAd->setGeometry(0, 0, 6 * h, h);
    imgAd->setPixmap(Artwork::Pixmap(QStringLiteral("main/advertisement"), QSize(6 * h, h),
                                     devicePixelRatioF()));
}

void TfMain::FormResize()
{
    LayoutTopBand();
}

void TfMain::Panel4Resize()
{
    // The contact tree's icons sit at its right edge: repaint it all.
    tvContacts->Repaint();
}

void TfMain::Panel5Resize()
{
    tvFolders->viewport()->update();
}

void TfMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

bool TfMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == Panel4)
            Panel4Resize();
        else if (watched == Panel5)
            Panel5Resize();
    } else if (watched == tvFolders->viewport() && event->type() == QEvent::MouseButtonPress) {
        // A click on a folder's arrow opens or closes it.
        const auto* e = static_cast<QMouseEvent*>(event);
        if (QTreeWidgetItem* item = tvFolders->itemAt(e->position().toPoint())) {
            int level = 0;
            for (const QTreeWidgetItem* p = item->parent(); p; p = p->parent())
                ++level;
            const int x = e->position().toPoint().x() - level * FolderIndent;
            if (item->childCount() > 0 && x >= 0 && x < FolderTextOffset)
                item->setExpanded(!item->isExpanded());
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfMain::tvFoldersCustomDrawItem(QPainter& canvas, const QTreeWidgetItem* node,
                                     const QStyleOptionViewItem& state)
{
    if (!node)
        return;
    const QRect R(0, state.rect.top(), tvFolders->viewport()->width(), state.rect.height());
    const QPalette& palette = tvFolders->palette();
    const bool selected = state.state & QStyle::State_Selected;
    canvas.fillRect(R, palette.base());

    QFont font = tvFolders->font();
    font.setBold(true);
    canvas.setFont(font);
    QColor text = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    if (node == tvFolders->currentItem())
        text = clr::Blue.ToQColor(palette);

    int level = 0;
    for (const QTreeWidgetItem* p = node->parent(); p; p = p->parent())
        ++level;
    const int x = R.left() + level * FolderIndent;
    ilStatus->Draw(canvas, x, R.top(),
                   !node->isExpanded() && node->childCount() > 0 ? imgGroupCollapsed
                                                                 : imgGroupExpanded);

    // The text is written on the canvas's brush: the highlight when selected.
    const QRect textRect(x + FolderTextOffset, R.top(),
                         canvas.fontMetrics().horizontalAdvance(node->text(0)), R.height());
    if (selected)
        canvas.fillRect(textRect, palette.highlight());
    canvas.setPen(text);
    canvas.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, node->text(0));
}

void TfMain::lvHeadersSelectItem()
{
    const QList<QTableWidgetItem*> selected = lvHeaders->selectedItems();
    const int message = TopLevelMenuOf(amMenuBar->Bar(0), QLatin1String(MessageMenuCommand));
    if (message >= 0) {
        atbMenuBar->TopLevelAction(message)->setVisible(!selected.isEmpty());
        amMenuBar->SetItemVisible(0, {message}, !selected.isEmpty());
    }
    if (selected.isEmpty()) {
        ShowPreviewHtml(Memo3->toPlainText());
        return;
    }
    const int row = selected.first()->row();
    if (row == 0)
        ShowPreviewHtml(Memo1->toPlainText());
    else if (row == 1)
        ShowPreviewHtml(Memo2->toPlainText());
}

void TfMain::ShowPreviewHtml(const QString& html)
{
    // Without a document yet, stopping would cancel the first page too.
    const THtmlDocument document = web->Document();
    if (!document) {
        m_pendingPreview = html;
        return;
    }
    web->Stop();
    // Replaced in place: no navigation.
    const THtmlDocument page =
        document.Get(QStringLiteral("script")).Get(QStringLiteral("document"));
    page.Call(QStringLiteral("Open"), {QStringLiteral("text/html")});
    page.Call(QStringLiteral("Clear"));
    page.Call(QStringLiteral("Write"), {html});
    page.Call(QStringLiteral("Close"));
    // Last: the page may have been passed in from here.
    m_pendingPreview.clear();
}

void TfMain::webDocumentComplete()
{
    if (!m_pendingPreview.isEmpty())
        ShowPreviewHtml(std::exchange(m_pendingPreview, QString()));
}

void TfMain::acComposeExecute()
{
    auto* composer = new TfMail();
    composer->show();
}

void TfMain::Action4Execute() {}

void TfMain::Action8Execute() {}

void TfMain::Action6Execute()
{
    // Before the preview's first page there is nothing to make editable,
    // and stopping would cancel that page.
    const THtmlDocument document = web->Document();
    if (!document)
        return;
    web->Stop();
    const THtmlDocument page =
        document.Get(QStringLiteral("script")).Get(QStringLiteral("document"));
    page.Set(QStringLiteral("designmode"), QStringLiteral("On"));
    page.Set(QStringLiteral("bgColor"), QStringLiteral("#000000"));
}

void TfMain::EnableButton(TCommand* sender)
{
    sender->setEnabled(true);
}

void TfMain::Action3Execute()
{
    if (!cd) {
        cd = new TCustomizeDlg(amToolBar, {atbToolBar}, this);
        connect(cd, &TCustomizeDlg::Closed, this, &TfMain::cdClose);
    }
    ShowInFront(cd);
}

void TfMain::ZmPopupMenu1Popup(QObject* Sender)
{
    Q_UNUSED(Sender);
    const TBarLayout& bar = amToolBar->Bar(atbToolBar->BarIndex());
    miShowCaptions->SetChecked(bar.CaptionOptions != TCaptionOption::coNone);
    miLargeIcons->SetChecked(!bar.SmallIcons);
}

void TfMain::miShowCaptionsClick()
{
    // As the menu found it when it opened; the item keeps its own mark.
    amToolBar->SetCaptionOptions(atbToolBar->BarIndex(), miShowCaptions->Checked()
                                                             ? TCaptionOption::coNone
                                                             : TCaptionOption::coAll);
    LayoutTopBand();
}

void TfMain::miLargeIconsClick()
{
    const int bar = atbToolBar->BarIndex();
    amToolBar->SetSmallIcons(bar, !amToolBar->Bar(bar).SmallIcons);
    LayoutTopBand();
}

void TfMain::ZmItem1Click()
{
    Action3Execute();
}

void TfMain::Action3Update(TCommand* sender)
{
    sender->setEnabled(true);
}

void TfMain::cdClose()
{
    LayoutTopBand();
}

void TfMain::amToolBarOptionsChange()
{
    // The dialog sets the toolbar manager's options; the menus read the
    // menu bar's.
    amMenuBar->SetOptions(amToolBar->Options());
    TCustomizeDlg::ApplyMenuAnimation(amToolBar->Options().MenuAnimation);
}

void TfMain::PopupMessageMenu(const QPoint& screenPoint)
{
    pmMsg->popup(screenPoint);
}

void TfMain::closeEvent(QCloseEvent* event)
{
    // FormCloseQuery allows every close; FormClose frees (WA_DeleteOnClose).
    event->accept();
}

void TfMain::Action23Execute()
{
    close();
}

void TfMain::Action32Execute()
{
    // Already in Full Mode; the check mark is fixed.
    Action32->setChecked(true);
}

void TfMain::Action33Execute()
{
    if (fAppBar)
        fAppBar->sbMessenger->click();
}

void TfMain::Action34Execute()
{
    close();
}
