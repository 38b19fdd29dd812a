#pragma once

#include <QObject>

#include <functional>

class QTimer;
class QWidget;

// One step of a fade-in: alpha + 8, limited to 255 before it is applied.
// From 0 the values are 8, 16, ..., 248, 255: 32 steps.
constexpr int FadeInStep(int alpha)
{
    return alpha + 8 > 255 ? 255 : alpha + 8;
}

// The fade-in shared by the Full Mode, Messenger and composer windows.
// Each window owns one, with its own tmrShow and its own completion step.
// Alpha blending maps onto the window opacity; with blending off the
// window is fully opaque whatever the alpha.
class TFadeIn : public QObject {
    Q_OBJECT
public:
    TFadeIn(QWidget* window, std::function<void()> completion);

    // Alpha 0, blending on, window shown and raised, tmrShow enabled.
    void StartFadeIn();
    // One tick; at 255 stops the timer, switches blending off and runs the
    // completion step.
    void tmrShowTimer();

    // The layout of a window that must stay invisible until its fade runs.
    void SetBlending(bool on, int alpha);

    int Alpha() const { return m_alpha; }
    bool Blending() const { return m_blending; }
    bool Running() const;
    QTimer* tmrShow() const { return m_tmrShow; }

signals:
    void AlphaChanged(int alpha);

private:
    void Apply();

    QWidget* m_window;
    QTimer* m_tmrShow;
    std::function<void()> m_completion;
    int m_alpha = 255;
    bool m_blending = false;
};
