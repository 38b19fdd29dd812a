#include "htmlview/HtmlContentCopy.h"

#include <QPointer>

#include <utility>

THtmlContentCopy::THtmlContentCopy(TRunScript run, QObject* parent)
    : QObject(parent), m_run(std::move(run))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &THtmlContentCopy::Fetch);
}

void THtmlContentCopy::Changed()
{
    m_changed = true;
    // A fetch under way is followed by the next when it is answered.
    if (m_fetching || m_timer.isActive())
        return;
    const qint64 wait = m_lastFetch.isValid() ? IntervalMs - m_lastFetch.elapsed() : 0;
    if (wait > 0)
        m_timer.start(int(wait));
    else
        Fetch();
}

void THtmlContentCopy::Reset(const QString& html)
{
    ++m_generation;
    m_timer.stop();
    m_changed = false;
    m_fetching = false;
    m_token = 0;
    m_whole = html;
    m_head.clear();
    m_blocks.clear();
    m_tail.clear();
}

void THtmlContentCopy::Keep()
{
    Reset(Html());
}

QString THtmlContentCopy::Html() const
{
    return m_token ? m_head + m_blocks.join(QString()) + m_tail : m_whole;
}

void THtmlContentCopy::Fetch()
{
    m_changed = false;
    m_fetching = true;
    m_lastFetch.start();
    const quint64 base = m_token;
    const quint64 next = ++m_serial;
    const int generation = m_generation;
    QPointer<THtmlContentCopy> self(this);
    m_run(QStringLiteral("window.zentro ? zentro.copy(%1, %2) : null").arg(base).arg(next),
          [self, generation, base, next](const QVariant& result) {
              if (!self || generation != self->m_generation)
                  return;
              self->m_fetching = false;
              self->Apply(result.toMap(), base, next);
              if (self->m_changed) {
                  self->m_changed = false;
                  self->Changed();
              }
          });
}

void THtmlContentCopy::Apply(const QVariantMap& result, quint64 base, quint64 next)
{
    if (result.isEmpty())
        return;
    if (const QVariant whole = result.value(QStringLiteral("whole")); whole.isValid()) {
        Reset(whole.toString());
        return;
    }
    const QVariantList shell = result.value(QStringLiteral("shell")).toList();
    QStringList blocks = result.value(QStringLiteral("blocks")).toStringList();
    if (!result.contains(QStringLiteral("keep"))) {
        // Everything: the bridge had nothing to compare with.
        if (shell.size() != 2)
            return;
        m_blocks = std::move(blocks);
    } else {
        const qsizetype keep = result.value(QStringLiteral("keep")).toLongLong();
        const qsizetype tail = result.value(QStringLiteral("tail")).toLongLong();
        if (base == 0 || base != m_token || keep < 0 || tail < 0 || keep + tail > m_blocks.size()) {
            // Not what this copy holds: the next fetch asks for everything.
            m_whole = Html();
            m_token = 0;
            m_changed = true;
            return;
        }
        m_blocks = m_blocks.mid(0, keep) + blocks + m_blocks.mid(m_blocks.size() - tail);
    }
    if (shell.size() == 2) {
        m_head = shell[0].toString();
        m_tail = shell[1].toString();
    }
    m_whole.clear();
    m_token = next;
}
