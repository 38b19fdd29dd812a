#include "popup/ZmPopupMenu.h"

#include "popup/ZmRootItem.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QSet>
#include <QWidget>
#include <QWindow>

namespace {

enum TSearch { srNotFound, srHandled, srStopped };

bool Matches(const TZmCustomItem* item, QKeyCombination key)
{
    const QKeySequence& shortcut = item->ShortCut();
    return shortcut.count() == 1 && shortcut[0] == key;
}

TSearch FindShortCut(TZmCustomItem* parent, QKeyCombination key,
                     QSet<const TZmCustomItem*>& searched)
{
    // A linked submenu may lead back to an item already searched.
    if (searched.contains(parent))
        return srNotFound;
    searched.insert(parent);
    QPointer<TZmCustomItem> guard(parent);
    for (int i = 0; guard && i < parent->Count(); ++i) {
        QPointer<TZmCustomItem> item = parent->Items(i);
        if (Matches(item, key)) {
            if (!item->Enabled())
                return srStopped;
            item->Click();
            return srHandled;
        }
        const bool hasChildren = item->Count() > 0 || item->LinkSubitems();
        if (!hasChildren || !item->Enabled())
            continue;
        // Handlers may update the children before they are searched.
        if (item->ItemStyle() & zisSubmenu)
            item->DoPopup(item, false);
        if (!item)
            continue;
        const TSearch found = FindShortCut(item->ShownItem(), key, searched);
        if (found != srNotFound)
            return found;
    }
    return srNotFound;
}

} // namespace

TZmPopupMenu::TZmPopupMenu(QObject* owner) : QObject(owner), m_items(new TZmRootItem(this))
{
    m_items->OnClick = [this](QObject*) {
        if (OnPopup)
            OnPopup(this);
    };
    if (owner && owner->isWidgetType() && QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

TZmPopupMenu::~TZmPopupMenu() = default;

TImageList* TZmPopupMenu::Images() const
{
    return m_items->Images();
}

void TZmPopupMenu::SetImages(TImageList* value)
{
    m_items->SetImages(value);
}

TZmCustomItem* TZmPopupMenu::LinkSubitems() const
{
    return m_items->LinkSubitems();
}

void TZmPopupMenu::SetLinkSubitems(TZmCustomItem* value)
{
    m_items->SetLinkSubitems(value);
}

TZmItemOptions TZmPopupMenu::Options() const
{
    return m_items->Options();
}

void TZmPopupMenu::SetOptions(TZmItemOptions value)
{
    m_items->SetOptions(value);
}

void TZmPopupMenu::Popup(QPoint screenPoint)
{
    m_popupPoint = screenPoint;
    m_items->Popup(screenPoint, m_trackButton == tbRightButton, m_alignment,
                   qobject_cast<QWidget*>(parent()));
}

bool TZmPopupMenu::eventFilter(QObject* watched, QEvent* event)
{
    // A key press reaches the owner's native window before the focused
    // control: the items' shortcuts come before the control's own keys.
    // The receiver is only compared, never asked: key events also reach
    // objects being destroyed (an HTML engine's window, as its view goes).
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* owner = qobject_cast<QWidget*>(parent());
    if (!owner || !owner->window()->windowHandle() ||
        static_cast<QObject*>(owner->window()->windowHandle()) != watched)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    return IsShortCut(QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
}

bool TZmPopupMenu::IsShortCut(QKeyCombination key)
{
    if (key.key() == Qt::Key_unknown || key.key() == 0)
        return false;
    QSet<const TZmCustomItem*> searched;
    return FindShortCut(m_items->ShownItem(), key, searched) == srHandled;
}
