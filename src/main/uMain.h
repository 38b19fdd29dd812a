#pragma once

#include <QMainWindow>

class QAction;
class QMenu;
class TFadeIn;

// The Full Mode window: the three-pane mail window.
class TfMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfMain(QWidget* parent = nullptr);
    ~TfMain() override;

    TFadeIn* Fade;

    QAction* Action23; // File, "Exit"
    QAction* Action32; // View Style, "Full Mode"
    QAction* Action33; // View Style, "Messenger Mode"
    QAction* Action34; // View Style, "AppBar Mode"

    void FormCreate();
    void StartFadeIn();
    void tmrShowTimer();
    void Action23Execute();
    void Action32Execute();
    void Action33Execute();
    void Action34Execute();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FadeInCompleted();
};
