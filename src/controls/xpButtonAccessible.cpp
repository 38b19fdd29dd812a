#include "controls/xpButtonAccessible.h"

#include "controls/xpButton.h"

#include <QKeySequence>

namespace {

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("TxpButton") && object && object->isWidgetType())
        return new TxpButtonAccessible(static_cast<TxpButton*>(object));
    return nullptr;
}

} // namespace

TxpButtonAccessible::TxpButtonAccessible(TxpButton* button)
    : QAccessibleWidget(button, QAccessible::Button)
{
}

void TxpButtonAccessible::Register()
{
    static const bool installed = (QAccessible::installFactory(Factory), true);
    Q_UNUSED(installed);
}

TxpButton* TxpButtonAccessible::Button() const
{
    return static_cast<TxpButton*>(widget());
}

QString TxpButtonAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && Button()->accessibleName().isEmpty())
        return Button()->AccessibleCaption();
    if (t == QAccessible::Accelerator) {
        const QKeySequence accel = QKeySequence::mnemonic(Button()->Caption());
        return accel.toString(QKeySequence::NativeText);
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State TxpButtonAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.pressed = Button()->IsDown;
    s.hotTracked = Button()->IsHot;
    s.focused = Button()->IsFocused;
    return s;
}

QStringList TxpButtonAccessible::actionNames() const
{
    return {pressAction()};
}

void TxpButtonAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction() && Button()->isEnabled())
        Button()->Click();
}

QStringList TxpButtonAccessible::keyBindingsForAction(const QString& actionName) const
{
    if (actionName != pressAction())
        return {};
    QStringList keys{QKeySequence(Qt::Key_Space).toString(QKeySequence::NativeText)};
    const QKeySequence accel = QKeySequence::mnemonic(Button()->Caption());
    if (!accel.isEmpty())
        keys << accel.toString(QKeySequence::NativeText);
    return keys;
}
