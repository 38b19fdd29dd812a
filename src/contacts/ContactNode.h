#pragma once

#include <QString>
#include <QTreeWidgetItem>

// One node of the contact tree: a group (level 0) or a contact under a
// group (level 1).
class TContactNode : public QTreeWidgetItem {
public:
    static constexpr int NodeType = QTreeWidgetItem::UserType + 1;

    explicit TContactNode(const QString& text);

    QString Text() const { return text(0); }
    int Level() const;
    bool IsGroup() const { return Level() == 0; }
    bool IsContact() const { return Level() == 1; }
    TContactNode* Group() const;
    TContactNode* Child(int index) const;
    bool Selected() const { return isSelected(); }
    bool Expanded() const { return isExpanded(); }

    // A contact's presence byte (two bits per network, Zentro highest).
    // Groups have none; their value is never read.
    int ImageIndex = 0;
    // The drag mark: on a group, the current drop target; on a contact,
    // about to be moved by a drop. Cleared when a drag ends.
    bool Focused = false;
    // When the node last joined the selection (larger is more recent).
    quint64 SelectedAt = 0;

    // Nodes sort by their text in the contact list's collation.
    bool operator<(const QTreeWidgetItem& other) const override;
    QVariant data(int column, int role) const override;
    void setData(int column, int role, const QVariant& value) override;

private:
    QString m_sortKey;
};
