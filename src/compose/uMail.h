#pragma once

#include <QMainWindow>

class QLineEdit;
class TFadeIn;

// The HTML message composer.
class TfMail : public QMainWindow {
    Q_OBJECT
public:
    explicit TfMail(QWidget* parent = nullptr);
    ~TfMail() override;

    TFadeIn* Fade;
    QLineEdit* leSubject;
    QLineEdit* leTo;
    QLineEdit* leCC;
    QLineEdit* leBCC;

    void FormCreate();
};
