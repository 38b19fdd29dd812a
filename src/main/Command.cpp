#include "main/Command.h"

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

QString TCommand::StripAccelerator(const QString& caption)
{
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            // "&&" stands for one ampersand.
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&'))
                out += caption[++i];
            continue;
        }
        out += caption[i];
    }
    return out.trimmed();
}
