// The floor for the start-up, memory and idle figures: the least a Qt
// program can do to show a frameless 500 x 25 strip.

#include <QApplication>
#include <QPainter>
#include <QWidget>

#include <cstdio>
#include <ctime>

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
            timespec now{};
            timespec cpu{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
            std::fprintf(stderr, "zentro-first-paint %lld %lld\n",
                         static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec,
                         static_cast<long long>(cpu.tv_sec) * 1000000000LL + cpu.tv_nsec);
            std::fflush(stderr);
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
