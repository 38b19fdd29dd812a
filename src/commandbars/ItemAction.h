#pragma once

#include "commandbars/Command.h"
#include "layoutfile/BarLayout.h"

#include <QAction>
#include <QList>
#include <QPointer>

class TCommandManager;

// The QAction a bar shows for one of its items: the item's own caption,
// the command's picture, enabled and checked state, and a click that runs
// the command and counts the item's use.
class TItemAction : public QAction {
    Q_OBJECT
public:
    TItemAction(TCommandManager* manager, int bar, const QList<int>& path, const TBarItem& item,
                QObject* parent);

    TCommand* Command() const { return m_command; }
    const QList<int>& Path() const { return m_path; }

private:
    void Follow();
    void Run();

    TCommandManager* m_manager;
    int m_bar;
    QList<int> m_path;
    QPointer<TCommand> m_command;
};
