#pragma once

#include <QAccessibleWidget>

class TxpButton;

// What assistive tools see of a TxpButton: a push button named by its
// caption, pressed, hot and focused as the button is, and pressable.
class TxpButtonAccessible : public QAccessibleWidget {
public:
    explicit TxpButtonAccessible(TxpButton* button);

    // Installs the factory once; every TxpButton is then described by this.
    static void Register();

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    TxpButton* Button() const;
};
