#include "commandbars/CommandManager.h"

#include "commandbars/Command.h"
#include "layoutfile/LayoutReader.h"
#include "layoutfile/LayoutWriter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <limits>

TCommandManager::TCommandManager(QWidget* window)
    : QObject(window), m_window(window), m_idle(new QTimer(this))
{
    m_idle->setSingleShot(true);
    m_idle->setInterval(0);
    connect(m_idle, &QTimer::timeout, this, &TCommandManager::UpdateCommands);
    // Whatever the user does may change what the update handlers answer.
    QCoreApplication::instance()->installEventFilter(this);
    RequestUpdate();
}

TCommand* TCommandManager::AddCommand(const QString& name, const QString& category,
                                      const QString& caption, int imageIndex,
                                      const QList<QKeySequence>& shortCuts)
{
    auto* command = new TCommand(name, category, caption, imageIndex, this);
    if (!shortCuts.isEmpty()) {
        command->SetShortCuts(shortCuts);
        m_window->addAction(command);
    }
    connect(command, &QAction::triggered, this, &TCommandManager::RequestUpdate);
    m_commands.append(command);
    RequestUpdate();
    return command;
}

TCommand* TCommandManager::Command(const QString& name) const
{
    for (TCommand* c : m_commands)
        if (c->Name() == name)
            return c;
    return nullptr;
}

QStringList TCommandManager::Categories() const
{
    QStringList out;
    for (const TCommand* c : m_commands)
        if (!out.contains(c->Category()))
            out.append(c->Category());
    return out;
}

QList<TCommand*> TCommandManager::CommandsOf(const QString& category) const
{
    QList<TCommand*> out;
    for (TCommand* c : m_commands)
        if (c->Category() == category)
            out.append(c);
    return out;
}

int TCommandManager::AddBar(const TBarLayout& designed)
{
    m_bars.append(TBarState{designed, designed});
    return int(m_bars.size()) - 1;
}

void TCommandManager::SetBar(int index, const TBarLayout& layout)
{
    if (m_bars[index].Current == layout)
        return;
    m_bars[index].Current = layout;
    emit BarChanged(index);
}

void TCommandManager::ResetBar(int index)
{
    SetBar(index, m_bars[index].Designed);
}

void TCommandManager::SetBarVisible(int index, bool visible)
{
    TBarLayout bar = Bar(index);
    bar.Visible = visible;
    SetBar(index, bar);
}

void TCommandManager::SetCaptionOptions(int index, TCaptionOption option)
{
    TBarLayout bar = Bar(index);
    bar.CaptionOptions = option;
    SetBar(index, bar);
}

void TCommandManager::SetSmallIcons(int index, bool small)
{
    TBarLayout bar = Bar(index);
    bar.SmallIcons = small;
    SetBar(index, bar);
}

TBarItem* TCommandManager::Item(int bar, const QList<int>& path)
{
    if (bar < 0 || bar >= BarCount() || path.isEmpty())
        return nullptr;
    QList<TBarItem>* items = &m_bars[bar].Current.Items;
    TBarItem* item = nullptr;
    for (int i : path) {
        if (i < 0 || i >= items->size())
            return nullptr;
        item = &(*items)[i];
        items = &item->Items;
    }
    return item;
}

void TCommandManager::SetItemVisible(int bar, const QList<int>& path, bool visible)
{
    TBarItem* item = Item(bar, path);
    if (!item || item->Visible == visible)
        return;
    item->Visible = visible;
    emit ItemChanged(bar, path);
}

void TCommandManager::CountUsage(int bar, const QList<int>& path)
{
    if (TBarItem* item = Item(bar, path)) {
        if (item->UsageCount < std::numeric_limits<int>::max())
            ++item->UsageCount;
        emit ItemChanged(bar, path);
    }
}

void TCommandManager::ResetUsageData()
{
    for (int b = 0; b < BarCount(); ++b) {
        TBarLayout bar = Bar(b);
        std::function<void(QList<TBarItem>&)> reset = [&reset](QList<TBarItem>& items) {
            for (TBarItem& item : items) {
                item.UsageCount = 0;
                reset(item.Items);
            }
        };
        reset(bar.Items);
        SetBar(b, bar);
    }
}

void TCommandManager::SetOptions(const TBarOptions& options)
{
    if (m_options == options)
        return;
    m_options = options;
    emit OptionsChanged();
}

TManagerLayout TCommandManager::Layout() const
{
    TManagerLayout layout;
    for (const TBarState& bar : m_bars)
        layout.Bars.append(bar.Current);
    layout.Options = m_options;
    return layout;
}

bool TCommandManager::Fits(const QList<TBarItem>& items) const
{
    for (const TBarItem& item : items) {
        if (item.Kind == TBarItem::ikCommand && !Command(item.Command))
            return false;
        if (!Fits(item.Items))
            return false;
    }
    return true;
}

bool TCommandManager::ApplyLayout(const TManagerLayout& layout)
{
    if (layout.Bars.size() != m_bars.size())
        return false;
    for (const TBarLayout& bar : layout.Bars)
        if (!Fits(bar.Items))
            return false;
    for (int i = 0; i < BarCount(); ++i)
        SetBar(i, layout.Bars[i]);
    SetOptions(layout.Options);
    return true;
}

bool TCommandManager::LoadFromFile()
{
    if (FileName.isEmpty() || !QFile::exists(FileName))
        return false;
    QString error;
    const std::optional<TManagerLayout> layout = TLayoutReader::ReadFile(FileName, &error);
    if (!layout && error.isEmpty())
        error = QStringLiteral("it cannot be read");
    else if (layout && !ApplyLayout(*layout))
        error = QStringLiteral("its bars do not match this program's commands");
    if (!error.isEmpty()) {
        // The file is left as it is; the user learns why the toolbar is
        // the designed one.
        qWarning("%s not used, the designed toolbar is: %s", qPrintable(FileName),
                 qPrintable(error));
        return false;
    }
    return true;
}

bool TCommandManager::SaveToFile(QString* error)
{
    if (FileName.isEmpty())
        return false;
    QString reason;
    if (TLayoutWriter::WriteFile(FileName, Layout(), &reason))
        return true;
    qWarning("%s not saved, the old file is kept: %s", qPrintable(FileName), qPrintable(reason));
    if (error)
        *error = reason;
    return false;
}

void TCommandManager::RequestUpdate()
{
    if (!m_idle->isActive())
        m_idle->start();
}

void TCommandManager::UpdateCommands()
{
    for (TCommand* c : std::as_const(m_commands))
        c->Update();
}

bool TCommandManager::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
    case QEvent::KeyRelease:
    case QEvent::WindowActivate:
        RequestUpdate();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
