#include "htmlview/HtmlInputFilter.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QWidget>

namespace {

bool IsPasteKey(const QKeyEvent* key)
{
    // Ctrl+Shift+V pastes as plain text in the engine: it is a paste too.
    return key->matches(QKeySequence::Paste) ||
           (key->key() == Qt::Key_V &&
            key->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier));
}

} // namespace

THtmlInputFilter::THtmlInputFilter(QWidget* engine, TEvents events)
    : QObject(engine), m_engine(engine), m_events(std::move(events))
{
    Watch(engine);
}

THtmlInputFilter::~THtmlInputFilter() = default;

void THtmlInputFilter::Watch(QObject* object)
{
    object->installEventFilter(this);
    const auto children = object->children();
    for (QObject* child : children)
        if (child->isWidgetType())
            Watch(child);
}

bool THtmlInputFilter::FromOutside(const QObject* source) const
{
    for (const QObject* o = source; o; o = o->parent())
        if (o == m_engine)
            return false;
    return true;
}

QPoint THtmlInputFilter::At(QObject* widget, QPointF position) const
{
    // Through the screen: the engine's surface need not be its child.
    return m_engine->mapFromGlobal(static_cast<QWidget*>(widget)->mapToGlobal(position.toPoint()));
}

void THtmlInputFilter::TypeHeldKeys()
{
    QWidget* target = m_engine->focusProxy() ? m_engine->focusProxy() : m_engine;
    auto held = std::move(m_held);
    m_held.clear();
    m_typing = true;
    for (const auto& key : held) {
        QKeyEvent press(QEvent::KeyPress, key->key(), key->modifiers(), key->text(),
                        key->isAutoRepeat(), ushort(key->count()));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key->key(), key->modifiers(), key->text(),
                          key->isAutoRepeat(), ushort(key->count()));
        QApplication::sendEvent(target, &release);
    }
    m_typing = false;
}

bool THtmlInputFilter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ChildAdded: {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType())
            Watch(child);
        break;
    }
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        if (m_typing)
            break;
        auto* key = static_cast<QKeyEvent*>(event);
        if (m_events.HoldKeys && m_events.HoldKeys() && event->type() != QEvent::ShortcutOverride) {
            if (event->type() == QEvent::KeyPress)
                m_held.push_back(std::make_unique<QKeyEvent>(
                    QEvent::KeyPress, key->key(), key->modifiers(), key->text(),
                    key->isAutoRepeat(), ushort(key->count())));
            return true;
        }
        if (IsPasteKey(key) && m_events.Editing && m_events.Editing()) {
            // Taken here, the engine never sees it, nor does a shortcut of
            // the window.
            event->accept();
            if (event->type() == QEvent::KeyPress)
                m_events.Paste(QApplication::clipboard()->mimeData(), {});
            return true;
        }
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        // The middle button pastes the selection elsewhere on X11.
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::MiddleButton || !m_events.Editing || !m_events.Editing())
            break;
        if (event->type() == QEvent::MouseButtonRelease &&
            QApplication::clipboard()->supportsSelection())
            m_events.Paste(QApplication::clipboard()->mimeData(QClipboard::Selection),
                           At(watched, mouse->position()));
        return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!FromOutside(drop->source()) || !m_events.Editing || !m_events.Editing())
            break;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (event->type() == QEvent::Drop)
            m_events.Paste(drop->mimeData(), At(watched, drop->position()));
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
