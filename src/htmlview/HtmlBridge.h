#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantMap>

// The program's end of the bridge script that runs in its own world in
// every page of an HTML view. The script reports a snapshot of all
// editing-command states on every selection, input or formatting change
// and after every command; the questions of the document facade are
// answered from the latest one.
class THtmlBridge : public QObject {
    Q_OBJECT
public:
    explicit THtmlBridge(QObject* parent = nullptr);

    // Boolean for styles and alignments, text for FontName, integer 1..7
    // for FontSize, integer 0x00BBGGRR for ForeColor and BackColor; empty
    // when the selection has no single value or the command is unknown.
    QVariant CommandValue(const QString& command) const;
    // Paste only while the clipboard holds something.
    bool CommandEnabled(const QString& command) const;
    bool CommandState(const QString& command) const;
    // The address of the link at the selection, or empty.
    QString LinkAtSelection() const { return m_link; }
    // How many snapshots have arrived.
    int SnapshotCount() const { return m_count; }
    // Whether the document is being edited (its design mode is on).
    bool Editing() const { return m_editing; }

public slots:
    // Called by the page's bridge through the web channel.
    void snapshot(const QVariantMap& state);

signals:
    // A new snapshot has arrived, or the clipboard has changed.
    void Changed();
    // The document being edited has changed (the view's copy fetches what
    // changed).
    void ContentChanged();

private:
    QHash<QString, bool> m_states;
    QHash<QString, bool> m_enabled;
    QHash<QString, QVariant> m_values;
    QString m_link;
    int m_count = 0;
    bool m_editing = false;
};
