// The floor for the start-up, memory and idle figures: the least a Qt
// program can do to show a frameless 500 x 25 strip.

#include "app/FirstPaintReport.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {

class Strip : public QWidget {
public:
    Strip() : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    {
        resize(500, 25);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().button());
        if (!m_painted) {
            m_painted = true;
            ReportFirstPaint();
        }
    }

private:
    bool m_painted = false;
};

} // namespace

int main(int argc, char* argv[])
{
#ifdef ZENTRO_FLOOR_WITH_ENGINE
    // Linked to the engine, with what that asks for before the application
    // object, as a program that links it starts; no view is ever created.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#endif
    QApplication app(argc, argv);
    Strip s;
    s.show();
    return QApplication::exec();
}
