#include "commandbars/ItemAction.h"

#include "base/ImageList.h"
#include "commandbars/Command.h"
#include "commandbars/CommandManager.h"

TItemAction::TItemAction(TCommandManager* manager, int bar, const QList<int>& path,
                         const TBarItem& item, QObject* parent)
    : QAction(item.Caption, parent), m_manager(manager), m_bar(bar), m_path(path),
      m_command(manager->Command(item.Command))
{
    setVisible(item.Visible);
    if (!item.ShortCut.isEmpty())
        setShortcut(QKeySequence(item.ShortCut, QKeySequence::PortableText));
    if (m_command) {
        if (item.ShortCut.isEmpty())
            setShortcuts(m_command->shortcuts());
        // Menus show the key; the command acts on it in the window.
        setShortcutContext(Qt::WidgetShortcut);
        setCheckable(m_command->isCheckable());
        setStatusTip(m_command->PlainCaption());
        if (manager->Images && m_command->ImageIndex() >= 0)
            setIcon(manager->Images->Icon(m_command->ImageIndex()));
        connect(m_command, &QAction::changed, this, &TItemAction::Follow);
        Follow();
    } else {
        setEnabled(false);
    }
    connect(this, &QAction::triggered, this, &TItemAction::Run);
}

void TItemAction::Follow()
{
    setEnabled(m_command->isEnabled());
    if (isCheckable())
        setChecked(m_command->isChecked());
}

void TItemAction::Run()
{
    if (!m_command)
        return;
    // A checkable item toggled itself; the command decides its own mark.
    if (isCheckable())
        setChecked(m_command->isChecked());
    m_manager->CountUsage(m_bar, m_path);
    m_command->trigger();
}
