#include "htmlview/UrlDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

THtmlUrlDialog::THtmlUrlDialog(const QString& caption, const QString& label, const QString& address,
                               QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(caption);
    form = new QFormLayout(this);
    leAddress = new QLineEdit(address, this);
    leAddress->setMinimumWidth(320);
    leAddress->selectAll();
    form->addRow(label, leAddress);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Nothing to insert without an address.
    auto update = [this, buttons] {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(!Address().isEmpty());
    };
    connect(leAddress, &QLineEdit::textChanged, this, update);
    update();
}

QString THtmlUrlDialog::Address() const
{
    return leAddress->text().trimmed();
}

void THtmlUrlDialog::ShowAlternativeText(const QString& label)
{
    if (leAlt)
        return;
    leAlt = new QLineEdit(this);
    form->insertRow(1, label, leAlt);
    // Tab goes from the address to the text before the buttons.
    setTabOrder(leAddress, leAlt);
}

QString THtmlUrlDialog::AlternativeText() const
{
    return leAlt ? leAlt->text() : QString();
}
