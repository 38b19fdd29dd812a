#pragma once

#include <QDialog>

class QFormLayout;
class QLineEdit;

// The small dialogs the editor opens for a picture or a hyperlink: an
// address to enter (and for a picture, on request, its alternative text),
// OK and Cancel.
class THtmlUrlDialog : public QDialog {
    Q_OBJECT
public:
    THtmlUrlDialog(const QString& caption, const QString& label, const QString& address,
                   QWidget* parent = nullptr);

    QString Address() const;
    // Adds the field for a picture's alternative text, below the address.
    void ShowAlternativeText(const QString& label);
    QString AlternativeText() const;

    QLineEdit* leAddress;
    QLineEdit* leAlt = nullptr;

private:
    QFormLayout* form;
};
