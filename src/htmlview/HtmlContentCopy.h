#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariant>

#include <functional>

// The program's copy of the document an HTML view shows, put back should
// the engine's renderer be lost. While the document is edited the copy
// follows it: after a change, what changed is fetched from the page's
// bridge, at most once every IntervalMs, and only the top-level blocks of
// the body that changed travel, with the rest of the document when it
// changed too. A long message thus costs a few paragraphs per fetch, not
// the whole of it per keystroke.
class THtmlContentCopy : public QObject {
    Q_OBJECT
public:
    // Runs a script in the page's bridge world; result receives its value.
    using TRunScript = std::function<void(const QString& source,
                                          const std::function<void(const QVariant&)>& result)>;

    static constexpr int IntervalMs = 250;

    explicit THtmlContentCopy(TRunScript run, QObject* parent = nullptr);

    // The document being edited has changed.
    void Changed();
    // A whole document was written into the page (or none, for a page
    // loaded from an address): it is the copy, and what was being fetched
    // from the document before it is dropped.
    void Reset(const QString& html = {});
    // The page is gone: what was copied so far is kept, nothing is fetched.
    void Keep();

    QString Html() const;
    // A change that is not in the copy yet.
    bool Pending() const { return m_changed || m_fetching; }

private:
    void Fetch();
    void Apply(const QVariantMap& result, quint64 base, quint64 next);

    TRunScript m_run;
    QTimer m_timer;
    QElapsedTimer m_lastFetch;
    // The copy whole, or cut into the text before the body's blocks, the
    // blocks, and the text after them.
    QString m_whole;
    QString m_head;
    QStringList m_blocks;
    QString m_tail;
    // Names the state the bridge last sent, so that it sends only what
    // changed since; 0 while the copy is whole.
    quint64 m_token = 0;
    quint64 m_serial = 0;
    // Fetches made before the last Reset or Keep are dropped.
    int m_generation = 0;
    bool m_changed = false;
    bool m_fetching = false;
};
