#include "base/FadeIn.h"

#include "ZentroTest.h"

#include <QSignalSpy>
#include <QTimer>
#include <QWidget>

class tst_FadeIn : public QObject {
    Q_OBJECT
private slots:
    void stepIsLimitedBeforeItIsApplied()
    {
        QList<int> values;
        for (int a = 0; a != 255;) {
            a = FadeInStep(a);
            values << a;
        }
        QCOMPARE(values.size(), 32);
        QCOMPARE(values.first(), 8);
        QCOMPARE(values.at(30), 248);
        QCOMPARE(values.last(), 255);
        QCOMPARE(FadeInStep(250), 255);
        QCOMPARE(FadeInStep(255), 255);
    }

    void fadeRunsThirtyTwoTicksThenCompletes()
    {
        QWidget window;
        int completions = 0;
        bool blendingAtCompletion = true;
        TFadeIn fade(&window, [&] {
            ++completions;
            blendingAtCompletion = fade.Blending();
        });
        QCOMPARE(fade.tmrShow()->interval(), 1);
        QVERIFY(!fade.Running());
        QSignalSpy steps(&fade, &TFadeIn::AlphaChanged);

        fade.StartFadeIn();
        QVERIFY(window.isVisible());
        QVERIFY(fade.Blending());
        QCOMPARE(fade.Alpha(), 0);
        QVERIFY(fade.Running());
        QCOMPARE(window.windowOpacity(), 0.0);

        QTRY_COMPARE(completions, 1);
        QCOMPARE(fade.Alpha(), 255);
        QVERIFY(!fade.Blending());
        QVERIFY(!blendingAtCompletion);
        QVERIFY(!fade.Running());
        QCOMPARE(window.windowOpacity(), 1.0);
        // One signal for the start, one per tick, one when blending goes off.
        QCOMPARE(steps.size(), 1 + 32 + 1);
        QCOMPARE(steps.at(32).at(0).toInt(), 255);
        QCOMPARE(steps.at(31).at(0).toInt(), 248);
    }

    void closingWhileFadingStopsTheTimer()
    {
        auto* window = new QWidget;
        window->setAttribute(Qt::WA_DeleteOnClose);
        int completions = 0;
        auto* fade = new TFadeIn(window, [&] { ++completions; });
        QPointer<QTimer> timer = fade->tmrShow();
        fade->StartFadeIn();
        QPointer<QWidget> guard = window;
        window->close();
        QTRY_VERIFY(guard.isNull());
        QVERIFY(timer.isNull());
        QCOMPARE(completions, 0);
    }
};

ZENTRO_TEST_MAIN(tst_FadeIn)
#include "tst_FadeIn.moc"
