#pragma once

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>

// One named command of a command manager: a QAction with a category, a
// picture index into the manager's picture list, and the two handlers the
// bars rely on. Without an execute handler and without an update handler
// that took care of it, the idle-time update shows the command disabled.
class TCommand : public QAction {
    Q_OBJECT
public:
    TCommand(const QString& name, const QString& category, const QString& caption, int imageIndex,
             QObject* parent);

    QString Name() const { return objectName(); }
    QString Category() const { return m_category; }
    // The caption without its accelerator marker, as lists show it.
    QString PlainCaption() const;
    int ImageIndex() const { return m_imageIndex; }

    // The first sequence is the one menus show; the others are secondary.
    void SetShortCuts(const QList<QKeySequence>& shortCuts);

    std::function<void(TCommand* Sender)> OnExecute;
    std::function<void(TCommand* Sender)> OnUpdate;

    // Runs the execute handler if there is one; says whether it ran.
    bool Execute();
    // The idle-time update of this command: the update handler if it is
    // assigned, else disabled when there is nothing to execute.
    void Update();

    static QString StripAccelerator(const QString& caption);

private:
    QString m_category;
    int m_imageIndex;
};
