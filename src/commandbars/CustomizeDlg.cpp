#include "commandbars/CustomizeDlg.h"

#include "base/FocusReturn.h"
#include "base/ImageList.h"
#include "commandbars/ActionToolBar.h"
#include "commandbars/Command.h"
#include "commandbars/CommandManager.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDrag>
#include <QDragEnterEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int NameRole = Qt::UserRole;

// A list whose entries are dragged out as one kind of data, and which
// takes back toolbar items dropped on it (they leave their bar).
class TDragList : public QListWidget {
public:
    TDragList(QString mime, QWidget* parent) : QListWidget(parent), m_mime(std::move(mime))
    {
        setDragEnabled(true);
        setAcceptDrops(true);
        setDragDropMode(QAbstractItemView::DragDrop);
        setDefaultDropAction(Qt::CopyAction);
        setSelectionMode(QAbstractItemView::SingleSelection);
    }

protected:
    QStringList mimeTypes() const override { return {m_mime, TActionToolBar::ItemMime()}; }
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override
    {
        if (items.isEmpty())
            return nullptr;
        auto* data = new QMimeData;
        data->setData(m_mime, items.first()->data(NameRole).toString().toUtf8());
        return data;
    }
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    void startDrag(Qt::DropActions) override { QListWidget::startDrag(Qt::CopyAction); }
    void dragEnterEvent(QDragEnterEvent* event) override { Take(event); }
    void dragMoveEvent(QDragMoveEvent* event) override { Take(event); }
    void dropEvent(QDropEvent* event) override
    {
        // The bar that started the drag removes its item on a move.
        if (Take(event))
            event->setDropAction(Qt::MoveAction);
    }

private:
    bool Take(QDropEvent* event)
    {
        if (!event->mimeData()->hasFormat(TActionToolBar::ItemMime())) {
            event->ignore();
            return false;
        }
        event->setDropAction(Qt::MoveAction);
        event->accept();
        return true;
    }
    QString m_mime;
};

// "Drag to create Separators": dragged out as a separator.
class TSeparatorSource : public QLabel {
public:
    explicit TSeparatorSource(QWidget* parent)
        : QLabel(QStringLiteral("Drag to create Separators"), parent)
    {
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        setAlignment(Qt::AlignCenter);
        setMinimumHeight(24);
        setCursor(Qt::OpenHandCursor);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override { m_press = event->position().toPoint(); }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (!(event->buttons() & Qt::LeftButton) ||
            (event->position().toPoint() - m_press).manhattanLength() <
                QApplication::startDragDistance())
            return;
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setData(TActionToolBar::SeparatorMime(), QByteArray("-"));
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
    }

private:
    QPoint m_press;
};

// A label whose accelerator moves the focus to its control, and whose text
// names it to a screen reader (lists do not look for their label).
QLabel* Buddy(const QString& text, QWidget* control)
{
    auto* label = new QLabel(text, control->parentWidget());
    label->setBuddy(control);
    control->setAccessibleName(TCommand::StripAccelerator(text).remove(QLatin1Char(':')));
    return label;
}

} // namespace

QStringList TCustomizeDlg::MenuAnimations()
{
    return {QStringLiteral("(None)"), QStringLiteral("Default"), QStringLiteral("UnFold"),
            QStringLiteral("Slide"), QStringLiteral("Fade")};
}

void TCustomizeDlg::ApplyMenuAnimation(int index)
{
    // Unfolding and sliding are one effect here; "Default" is the
    // platform's own choice.
    switch (index) {
    case 0:
        QApplication::setEffectEnabled(Qt::UI_AnimateMenu, false);
        QApplication::setEffectEnabled(Qt::UI_FadeMenu, false);
        break;
    case 2:
    case 3:
        QApplication::setEffectEnabled(Qt::UI_AnimateMenu, true);
        QApplication::setEffectEnabled(Qt::UI_FadeMenu, false);
        break;
    case 4:
        QApplication::setEffectEnabled(Qt::UI_AnimateMenu, true);
        QApplication::setEffectEnabled(Qt::UI_FadeMenu, true);
        break;
    default:
        break;
    }
}

TCustomizeDlg::TCustomizeDlg(TCommandManager* manager, const QList<TActionToolBar*>& bars,
                             QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_manager(manager), m_bars(bars)
{
    setWindowTitle(QStringLiteral("Customize"));
    setModal(false);
    new TFocusReturn(this);
    ConfirmReset = [this](const QString& caption) {
        return QMessageBox::question(
                   this, QStringLiteral("Confirmation"),
                   QStringLiteral("Reset the \"%1\" toolbar to its original items?").arg(caption),
                   QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };

    tabs = new QTabWidget(this);
    tabs->addTab(BuildToolbarsPage(), QStringLiteral("Toolbars"));
    tabs->addTab(BuildActionsPage(), QStringLiteral("Actions"));
    tabs->addTab(BuildOptionsPage(), QStringLiteral("Options"));
    lSeparator = new TSeparatorSource(this);
    btnClose = new QPushButton(QStringLiteral("Close"), this);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lSeparator, 1);
    bottom->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(bottom);
    resize(380, 400);

    connect(btnClose, &QPushButton::clicked, this, &QDialog::close);
    connect(manager, &TCommandManager::BarChanged, this, [this] { FillToolbars(); });
    FillToolbars();
    FillActions();
    ShowBarOptions();
}

QWidget* TCustomizeDlg::BuildToolbarsPage()
{
    auto* page = new QWidget;
    lbToolbars = new QListWidget(page);
    btnReset = new QPushButton(QStringLiteral("&Reset..."), page);
    cbCaptionOptions = new QComboBox(page);
    for (TCaptionOption o :
         {TCaptionOption::coNone, TCaptionOption::coSelective, TCaptionOption::coAll})
        cbCaptionOptions->addItem(CaptionOptionName(o));
    cbApplyToAll = new QCheckBox(QStringLiteral("Apply caption options &to all toolbars"), page);
    auto* captions = new QGroupBox(QStringLiteral("Toolbar Options"), page);
    auto* form = new QVBoxLayout(captions);
    form->addWidget(Buddy(QStringLiteral("Caption &Options:"), cbCaptionOptions));
    form->addWidget(cbCaptionOptions);
    form->addWidget(cbApplyToAll);
    auto* right = new QVBoxLayout;
    right->addWidget(btnReset);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(lbToolbars, 1);
    top->addLayout(right);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Buddy(QStringLiteral("Toolb&ars:"), lbToolbars));
    layout->addLayout(top, 1);
    layout->addWidget(captions);

    connect(lbToolbars, &QListWidget::currentRowChanged, this, [this] {
        ShowBarOptions();
        FillItems();
    });
    connect(lbToolbars, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!m_filling)
            m_manager->SetBarVisible(lbToolbars->row(item), item->checkState() == Qt::Checked);
    });
    connect(btnReset, &QPushButton::clicked, this, &TCustomizeDlg::ResetClick);
    connect(cbCaptionOptions, &QComboBox::activated, this, &TCustomizeDlg::CaptionOptionChosen);
    return page;
}

QWidget* TCustomizeDlg::BuildActionsPage()
{
    auto* page = new QWidget;
    lbCategories = new TDragList(TActionToolBar::CategoryMime(), page);
    lbActions = new TDragList(TActionToolBar::CommandMime(), page);
    lbActions->setIconSize(QSize(16, 16));
    lDescription = new QLabel(page);
    lDescription->setWordWrap(true);
    auto* description = new QGroupBox(QStringLiteral("Description"), page);
    (new QVBoxLayout(description))->addWidget(lDescription);
    auto* lists = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(Buddy(QStringLiteral("Cate&gories:"), lbCategories));
    left->addWidget(lbCategories);
    auto* right = new QVBoxLayout;
    right->addWidget(Buddy(QStringLiteral("Action&s:"), lbActions));
    right->addWidget(lbActions);
    lists->addLayout(left, 2);
    lists->addLayout(right, 3);
    lbItems = new QListWidget(page);
    lbItems->setIconSize(QSize(16, 16));
    btnAdd = new QPushButton(QStringLiteral("A&dd"), page);
    btnRemove = new QPushButton(QStringLiteral("Re&move"), page);
    btnMoveUp = new QPushButton(QStringLiteral("Move &Up"), page);
    btnMoveDown = new QPushButton(QStringLiteral("Move Do&wn"), page);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {btnAdd, btnRemove, btnMoveUp, btnMoveDown})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* items = new QHBoxLayout;
    items->addWidget(lbItems, 1);
    items->addLayout(buttons);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(
        QStringLiteral("Drag a command onto a toolbar to add it; drag an item off the toolbar "
                       "to remove it."),
        page));
    layout->addLayout(lists, 1);
    layout->addWidget(Buddy(QStringLiteral("On the t&oolbar:"), lbItems));
    layout->addLayout(items, 1);
    layout->addWidget(description);

    connect(lbCategories, &QListWidget::currentRowChanged, this, &TCustomizeDlg::FillActions);
    connect(lbActions, &QListWidget::currentRowChanged, this, &TCustomizeDlg::ActionSelected);
    connect(btnAdd, &QPushButton::clicked, this, &TCustomizeDlg::AddClick);
    connect(btnRemove, &QPushButton::clicked, this, &TCustomizeDlg::RemoveClick);
    connect(btnMoveUp, &QPushButton::clicked, this, [this] { MoveClick(-1); });
    connect(btnMoveDown, &QPushButton::clicked, this, [this] { MoveClick(1); });
    connect(lbItems, &QListWidget::currentRowChanged, this, [this] {
        const int row = lbItems->currentRow();
        btnRemove->setEnabled(row >= 0);
        btnMoveUp->setEnabled(row > 0);
        btnMoveDown->setEnabled(row >= 0 && row + 1 < lbItems->count());
    });
    return page;
}

QWidget* TCustomizeDlg::BuildOptionsPage()
{
    auto* page = new QWidget;
    cbRecentlyUsedFirst =
        new QCheckBox(QStringLiteral("Menus show recently used &commands first"), page);
    cbFullMenusAfterDelay =
        new QCheckBox(QStringLiteral("Show f&ull menus after a short delay"), page);
    btnResetUsage = new QPushButton(QStringLiteral("&Reset Usage Data"), page);
    cbLargeIcons = new QCheckBox(QStringLiteral("&Large icons"), page);
    cbShowTips = new QCheckBox(QStringLiteral("Show t&ips on toolbars"), page);
    cbShortCutsInTips = new QCheckBox(QStringLiteral("Show &shortcut keys in tips"), page);
    cbMenuAnimations = new QComboBox(page);
    cbMenuAnimations->addItems(MenuAnimations());

    auto* personal = new QGroupBox(QStringLiteral("Personalized Menus and Toolbars"), page);
    auto* p = new QVBoxLayout(personal);
    p->addWidget(cbRecentlyUsedFirst);
    p->addWidget(cbFullMenusAfterDelay);
    p->addWidget(btnResetUsage, 0, Qt::AlignLeft);
    auto* other = new QGroupBox(QStringLiteral("Other"), page);
    auto* o = new QVBoxLayout(other);
    o->addWidget(cbLargeIcons);
    o->addWidget(cbShowTips);
    o->addWidget(cbShortCutsInTips);
    auto* animations = new QHBoxLayout;
    animations->addWidget(Buddy(QStringLiteral("&Menu animations:"), cbMenuAnimations));
    animations->addWidget(cbMenuAnimations, 1);
    o->addLayout(animations);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(personal);
    layout->addWidget(other);
    layout->addStretch();

    for (QCheckBox* box :
         {cbRecentlyUsedFirst, cbFullMenusAfterDelay, cbLargeIcons, cbShowTips, cbShortCutsInTips})
        connect(box, &QCheckBox::clicked, this, &TCustomizeDlg::ApplyOptions);
    connect(cbMenuAnimations, &QComboBox::activated, this, &TCustomizeDlg::ApplyOptions);
    connect(btnResetUsage, &QPushButton::clicked, m_manager, &TCommandManager::ResetUsageData);
    return page;
}

int TCustomizeDlg::SelectedBar() const
{
    return lbToolbars->currentRow();
}

void TCustomizeDlg::FillToolbars()
{
    m_filling = true;
    const int row = qMax(0, lbToolbars->currentRow());
    lbToolbars->clear();
    for (int i = 0; i < m_manager->BarCount(); ++i) {
        auto* item = new QListWidgetItem(m_manager->Bar(i).Caption, lbToolbars);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(m_manager->Bar(i).Visible ? Qt::Checked : Qt::Unchecked);
    }
    lbToolbars->setCurrentRow(qMin(row, lbToolbars->count() - 1));
    m_filling = false;
    ShowBarOptions();
    FillItems();

    // The options that live in the bars.
    const TBarOptions& options = m_manager->Options();
    cbRecentlyUsedFirst->setChecked(options.RecentlyUsedFirst);
    cbFullMenusAfterDelay->setChecked(options.FullMenusAfterDelay);
    cbFullMenusAfterDelay->setEnabled(options.RecentlyUsedFirst);
    cbShowTips->setChecked(options.ShowHints);
    cbShortCutsInTips->setChecked(options.ShortCutsInHints);
    cbShortCutsInTips->setEnabled(options.ShowHints);
    cbMenuAnimations->setCurrentIndex(options.MenuAnimation);
    cbLargeIcons->setChecked(m_manager->BarCount() > 0 && !m_manager->Bar(0).SmallIcons);
}

void TCustomizeDlg::FillActions()
{
    if (lbCategories->count() == 0) {
        for (const QString& category : m_manager->Categories()) {
            auto* item = new QListWidgetItem(
                category.isEmpty() ? QStringLiteral("(No Category)") : category, lbCategories);
            item->setData(NameRole, category);
        }
        lbCategories->setCurrentRow(0);
    }
    lbActions->clear();
    const QListWidgetItem* category = lbCategories->currentItem();
    if (!category)
        return;
    for (const TCommand* c : m_manager->CommandsOf(category->data(NameRole).toString())) {
        auto* item = new QListWidgetItem(c->PlainCaption(), lbActions);
        item->setData(NameRole, c->Name());
        if (m_manager->Images && c->ImageIndex() >= 0)
            item->setIcon(m_manager->Images->Icon(c->ImageIndex()));
    }
    ActionSelected();
}

void TCustomizeDlg::ActionSelected()
{
    const QListWidgetItem* item = lbActions->currentItem();
    const TCommand* c = item ? m_manager->Command(item->data(NameRole).toString()) : nullptr;
    if (!c) {
        lDescription->clear();
        return;
    }
    QString text = c->PlainCaption();
    if (!c->shortcut().isEmpty())
        text += QStringLiteral(" (%1)").arg(c->shortcut().toString(QKeySequence::NativeText));
    lDescription->setText(text);
}

TActionToolBar* TCustomizeDlg::EditedBar() const
{
    for (TActionToolBar* bar : m_bars)
        if (bar->BarIndex() == SelectedBar())
            return bar;
    return m_bars.isEmpty() ? nullptr : m_bars.first();
}

void TCustomizeDlg::FillItems()
{
    const TActionToolBar* bar = EditedBar();
    const int row = lbItems->currentRow();
    lbItems->clear();
    if (bar) {
        for (const TBarItem& item : m_manager->Bar(bar->BarIndex()).Items) {
            const TCommand* c = m_manager->Command(item.Command);
            auto* entry = new QListWidgetItem(item.Kind == TBarItem::ikSeparator
                                                  ? QStringLiteral("(Separator)")
                                                  : TCommand::StripAccelerator(item.Caption),
                                              lbItems);
            if (c && m_manager->Images && c->ImageIndex() >= 0)
                entry->setIcon(m_manager->Images->Icon(c->ImageIndex()));
        }
    }
    lbItems->setCurrentRow(qMin(row, lbItems->count() - 1));
    btnAdd->setEnabled(bar != nullptr);
    emit lbItems->currentRowChanged(lbItems->currentRow());
}

void TCustomizeDlg::AddClick()
{
    TActionToolBar* bar = EditedBar();
    const QListWidgetItem* action = lbActions->currentItem();
    if (!bar || !action)
        return;
    // After the chosen item, or at the end.
    const int row = lbItems->currentRow();
    const int at = row >= 0 ? row + 1 : lbItems->count();
    bar->InsertCommand(at, action->data(NameRole).toString());
    lbItems->setCurrentRow(at);
}

void TCustomizeDlg::RemoveClick()
{
    if (TActionToolBar* bar = EditedBar(); bar && lbItems->currentRow() >= 0)
        bar->RemoveItem(lbItems->currentRow());
}

void TCustomizeDlg::MoveClick(int by)
{
    TActionToolBar* bar = EditedBar();
    const int row = lbItems->currentRow();
    const int to = row + by;
    if (!bar || row < 0 || to < 0 || to >= lbItems->count())
        return;
    // MoveItem's insertion point counts the moved item itself.
    bar->MoveItem(row, by > 0 ? to + 1 : to);
    lbItems->setCurrentRow(to);
}

void TCustomizeDlg::ShowBarOptions()
{
    const int bar = SelectedBar();
    cbCaptionOptions->setEnabled(bar >= 0);
    btnReset->setEnabled(bar >= 0);
    if (bar >= 0)
        cbCaptionOptions->setCurrentIndex(int(m_manager->Bar(bar).CaptionOptions));
}

void TCustomizeDlg::CaptionOptionChosen(int index)
{
    const auto option = TCaptionOption(index);
    if (cbApplyToAll->isChecked()) {
        for (int i = 0; i < m_manager->BarCount(); ++i)
            m_manager->SetCaptionOptions(i, option);
    } else if (SelectedBar() >= 0) {
        m_manager->SetCaptionOptions(SelectedBar(), option);
    }
}

void TCustomizeDlg::ResetClick()
{
    const int bar = SelectedBar();
    if (bar < 0)
        return;
    if (!ConfirmReset || ConfirmReset(m_manager->Bar(bar).Caption))
        m_manager->ResetBar(bar);
}

void TCustomizeDlg::ApplyOptions()
{
    TBarOptions options = m_manager->Options();
    options.RecentlyUsedFirst = cbRecentlyUsedFirst->isChecked();
    options.FullMenusAfterDelay = cbFullMenusAfterDelay->isChecked();
    options.ShowHints = cbShowTips->isChecked();
    options.ShortCutsInHints = cbShortCutsInTips->isChecked();
    options.MenuAnimation = cbMenuAnimations->currentIndex();
    m_manager->SetOptions(options);
    for (int i = 0; i < m_manager->BarCount(); ++i)
        m_manager->SetSmallIcons(i, !cbLargeIcons->isChecked());
    FillToolbars();
}

void TCustomizeDlg::SetCustomizing(bool on)
{
    for (TActionToolBar* bar : std::as_const(m_bars))
        bar->SetCustomizing(on);
}

void TCustomizeDlg::showEvent(QShowEvent* event)
{
    FillToolbars();
    SetCustomizing(true);
    QDialog::showEvent(event);
}

void TCustomizeDlg::hideEvent(QHideEvent* event)
{
    SetCustomizing(false);
    QDialog::hideEvent(event);
    emit Closed();
}
