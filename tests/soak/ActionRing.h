#pragma once

// The last actions of the soak, oldest first, for the report of a failure.

#include <QString>
#include <QStringList>

class ActionRing {
public:
    explicit ActionRing(int capacity);
    void Add(const QString& action);
    QStringList Lines() const;
    int Total() const { return m_total; }

private:
    QStringList m_items;
    int m_capacity;
    int m_next = 0;
    int m_total = 0;
};
