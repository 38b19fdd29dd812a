#include "app/Application.h"
#include "appbar/uAppbar.h"
#include "base/AppState.h"
#include "base/FadeIn.h"
#include "base/HintStyle.h"
#include "compose/uMail.h"
#include "contacts/uMessenger.h"
#include "main/uMain.h"

#include "WindowProbe.h"
#include "ZentroTest.h"

#include <QAction>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>

class tst_ViewModes : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        CreateStartupWindows();
        QVERIFY(fAppBar);
        QCOMPARE(CurrentViewMode(), TViewMode::vmAppBar);
    }

    void cleanup()
    {
        // Owned windows (a combo box's list) go with their owners.
        DeleteOwnerlessWindows();
        QVERIFY(!fAppBar && !fMain && !fMessenger);
    }

    void hintDelayDropsOnceAModeWindowExists()
    {
        SetApplicationHintDelay(DefaultHintDelay);
        QCOMPARE(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 500);
        fAppBar->sbMessenger->click();
        QCOMPARE(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 1);
        fMessenger->close();
        QTRY_VERIFY(!fMessenger);
        // Never set back.
        QCOMPARE(ApplicationHintDelay(), 1);
    }

    void fullModeButtonTwiceKeepsOneWindowAndDoesNotFadeAgain()
    {
        fAppBar->sbFull->click();
        QVERIFY(fMain);
        QCOMPARE(CurrentViewMode(), TViewMode::vmFull);
        QPointer<TfMain> first = fMain;
        QVERIFY(first->isVisible());
        QTRY_VERIFY(!first->Fade->Running());
        first->hide();

        fAppBar->sbFull->click();
        QCOMPARE(fMain, first.data());
        QVERIFY(first->isVisible());
        QVERIFY(!first->Fade->Running());
        QCOMPARE(first->Fade->Alpha(), 255);
        QCOMPARE(first->windowOpacity(), 1.0);
        int mainWindows = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            mainWindows += qobject_cast<TfMain*>(w) != nullptr;
        QCOMPARE(mainWindows, 1);
    }

    void switchingDestroysTheOtherWindow()
    {
        fAppBar->sbFull->click();
        QPointer<TfMain> main = fMain;
        fAppBar->sbMessenger->click();
        QVERIFY(fMessenger);
        QTRY_VERIFY(main.isNull());
        QVERIFY(!fMain);
        QCOMPARE(CurrentViewMode(), TViewMode::vmMessenger);

        // The Messenger window's "Full Mode" clicks the app-bar's button.
        QPointer<TfMessenger> messenger = fMessenger;
        fMessenger->FullMode1->trigger();
        QVERIFY(fMain);
        QTRY_VERIFY(messenger.isNull());
        QVERIFY(!fMessenger);
        QVERIFY(fMain->Fade->Running() || fMain->Fade->Alpha() == 255);

        // And the Full Mode window's "Messenger Mode" clicks the other one.
        QPointer<TfMain> second = fMain;
        fMain->Action33->trigger();
        QVERIFY(fMessenger);
        QTRY_VERIFY(second.isNull());
    }

    void ownModeEntriesDoNothing()
    {
        fAppBar->sbFull->click();
        QPointer<TfMain> main = fMain;
        main->Action32->trigger();
        QVERIFY(main->Action32->isChecked());
        QCoreApplication::processEvents();
        QCOMPARE(fMain, main.data());

        fAppBar->sbMessenger->click();
        QPointer<TfMessenger> messenger = fMessenger;
        messenger->MessengerMode1->trigger();
        QVERIFY(messenger->MessengerMode1->isChecked());
        QCoreApplication::processEvents();
        QCOMPARE(fMessenger, messenger.data());
    }

    void fullModeExitLeavesTheProgramInAppBarMode()
    {
        fAppBar->sbFull->click();
        QPointer<TfMain> main = fMain;
        main->Action23->trigger();
        QTRY_VERIFY(main.isNull());
        QVERIFY(!fMain);
        QVERIFY(fAppBar && fAppBar->isVisible());
        QCOMPARE(CurrentViewMode(), TViewMode::vmAppBar);

        fAppBar->sbMessenger->click();
        QPointer<TfMessenger> messenger = fMessenger;
        messenger->AppBarMode1->trigger();
        QTRY_VERIFY(messenger.isNull());
        QCOMPARE(CurrentViewMode(), TViewMode::vmAppBar);
    }

    void composerSurvivesAModeSwitch()
    {
        fAppBar->sbFull->click();
        fAppBar->ContactN1Click(fAppBar->Contact21);
        QCOMPARE(TopLevels<TfMail>().size(), 1);
        TfMail* composer = TopLevels<TfMail>().first();
        QCOMPARE(composer->leTo->text(), QStringLiteral("Contact 2"));
        QVERIFY(composer->leSubject->text().isEmpty());
        QVERIFY(composer->leCC->text().isEmpty());
        QVERIFY(composer->leBCC->text().isEmpty());

        QPointer<TfMail> guard = composer;
        fAppBar->sbMessenger->click();
        QTRY_VERIFY(!fMain);
        QVERIFY(guard);
        QVERIFY(guard->isVisible());
    }

    void contactEntriesWithoutHandlerDoNothing()
    {
        const int before = QApplication::topLevelWidgets().size();
        fAppBar->N2->trigger();
        fAppBar->Contact12->trigger();
        fAppBar->OfflineContactN1->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::topLevelWidgets().size(), before);
        QVERIFY(TopLevels<TfMail>().isEmpty());
    }

    void destroyingEverythingAtTheEnd()
    {
        fAppBar->sbFull->click();
        OpenComposerForTest();
        QPointer<TfMain> main = fMain;
        QVERIFY(!ApplicationTerminating());
        DestroyAllWindows();
        QVERIFY(ApplicationTerminating());
        QVERIFY(main.isNull());
        QVERIFY(!fMain && !fAppBar && !fMessenger);
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

private:
    void OpenComposerForTest() { fAppBar->ContactN1Click(fAppBar->Contact11); }
};

ZENTRO_TEST_MAIN(tst_ViewModes)
#include "tst_ViewModes.moc"
