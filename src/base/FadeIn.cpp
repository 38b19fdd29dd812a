#include "base/FadeIn.h"

#include "base/WindowLook.h"

#include <QTimer>
#include <QWidget>

TFadeIn::TFadeIn(QWidget* window, std::function<void()> completion)
    : QObject(window), m_window(window), m_tmrShow(new QTimer(this)),
      m_completion(std::move(completion))
{
    m_tmrShow->setInterval(1);
    m_tmrShow->setTimerType(Qt::PreciseTimer);
    connect(m_tmrShow, &QTimer::timeout, this, &TFadeIn::tmrShowTimer);
}

void TFadeIn::StartFadeIn()
{
    m_alpha = 0;
    m_blending = true;
    Apply();
    m_window->show();
    m_window->raise();
    // A window the user opened takes the keyboard: the first key lands.
    m_window->activateWindow();
    m_tmrShow->start();
}

void TFadeIn::tmrShowTimer()
{
    m_alpha = FadeInStep(m_alpha);
    Apply();
    if (m_alpha == 255) {
        m_tmrShow->stop();
        m_blending = false;
        Apply();
        if (m_completion)
            m_completion();
    }
}

void TFadeIn::SetBlending(bool on, int alpha)
{
    m_blending = on;
    m_alpha = alpha;
    Apply();
}

bool TFadeIn::Running() const
{
    return m_tmrShow->isActive();
}

void TFadeIn::Apply()
{
    m_window->setWindowOpacity(m_blending ? m_alpha / 255.0 : 1.0);
    FlushWindowSystem();
    emit AlphaChanged(m_alpha);
}
