#pragma once

#include <QMainWindow>

class QAction;
class TFadeIn;

// The Messenger Mode window: a narrow tool window with the contact list.
class TfMessenger : public QMainWindow {
    Q_OBJECT
public:
    explicit TfMessenger(QWidget* parent = nullptr);
    ~TfMessenger() override;

    TFadeIn* Fade;

    QAction* FullMode1;
    QAction* MessengerMode1;
    QAction* AppBarMode1;
    QAction* Close1;

    void FormCreate();
    void StartFadeIn();
    void tmrShowTimer();
    void FullMode1Click();
    void AppBarMode1Click();
    void Close1Click();
};
