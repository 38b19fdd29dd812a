#pragma once

#include <QDialog>

class QLineEdit;

// The small dialogs the editor opens for a picture or a hyperlink: one
// address to enter, OK and Cancel.
class THtmlUrlDialog : public QDialog {
    Q_OBJECT
public:
    THtmlUrlDialog(const QString& caption, const QString& label, const QString& address,
                   QWidget* parent = nullptr);

    QString Address() const;
    QLineEdit* leAddress;
};
