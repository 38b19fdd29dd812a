#include "ActionRing.h"

ActionRing::ActionRing(int capacity) : m_capacity(capacity > 0 ? capacity : 1) {}

void ActionRing::Add(const QString& action)
{
    if (m_items.size() < m_capacity)
        m_items.append(action);
    else
        m_items[m_next] = action;
    m_next = (m_next + 1) % m_capacity;
    ++m_total;
}

QStringList ActionRing::Lines() const
{
    if (m_items.size() < m_capacity)
        return m_items;
    return m_items.mid(m_next) + m_items.mid(0, m_next);
}
