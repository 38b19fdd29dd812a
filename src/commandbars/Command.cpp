#include "commandbars/Command.h"

#include "popup/ZmCaption.h"

TCommand::TCommand(const QString& name, const QString& category, const QString& caption,
                   int imageIndex, QObject* parent)
    : QAction(caption, parent), m_category(category), m_imageIndex(imageIndex)
{
    setObjectName(name);
    connect(this, &QAction::triggered, this, &TCommand::Execute);
}

QString TCommand::PlainCaption() const
{
    return StripAccelerator(text());
}

void TCommand::SetShortCuts(const QList<QKeySequence>& shortCuts)
{
    setShortcuts(shortCuts);
}

bool TCommand::Execute()
{
    if (!OnExecute)
        return false;
    OnExecute(this);
    return true;
}

void TCommand::Update()
{
    if (OnUpdate)
        OnUpdate(this);
    else if (!OnExecute)
        setEnabled(false);
}

// The caption as a hint or a search text shows it: ampersands resolved,
// the blanks some menu captions carry at their ends dropped.
QString TCommand::StripAccelerator(const QString& caption)
{
    return ZmCaption::StripAccelerator(caption).trimmed();
}
