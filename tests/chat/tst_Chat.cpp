// The chat window: its layout, "Send" doing nothing, closing hiding, the
// hidden start-up window, and no HTML engine for any of them.

#include "app/Application.h"
#include "chat/uChat.h"
#include "controls/xpButton.h"
#include "htmlview/HtmlView.h"
#include "htmlview/ResAddress.h"

#include "ProcessTree.h"
#include "ZentroTest.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QTemporaryDir>
#include <QTextEdit>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A named pipe that tells whether anybody opened it (a thread's open to
// write returns once a reader came); no reader blocks for good.
struct TWatchedPipe {
    explicit TWatchedPipe(const QString& path) : name(QFile::encodeName(path))
    {
        ::mkfifo(name.constData(), 0600);
        writer = std::thread([this] {
            ::close(::open(name.constData(), O_WRONLY));
            opened = true;
        });
    }
    ~TWatchedPipe()
    {
        const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK);
        writer.join();
        ::close(fd);
    }
    QByteArray name;
    std::atomic<bool> opened{false};
    std::thread writer;
};

} // namespace

class tst_Chat : public QObject {
    Q_OBJECT
private slots:
    void startupCreatesTheHiddenChatWindow()
    {
        CreateStartupWindows();
        QVERIFY(fAppBar);
        // Made once the bar is on the screen.
        QTRY_VERIFY_WITH_TIMEOUT(fChat, 5000);
        QVERIFY(!fChat->isVisible());
        QCOMPARE(fChat->windowTitle(), QStringLiteral("Chat"));
        QCOMPARE(fChat->pos(), QPoint(584, 336));
        QCOMPARE(fChat->size(), QSize(539, 396));
        // Its controls come when first shown; its transcript starts no engine.
        QVERIFY(!fChat->re);
        fChat->show();
        QVERIFY(fChat->re && fChat->re->isVisible() && fChat->xpButton1->isVisible());
        QVERIFY(!fChat->web->EngineStarted());
        QVERIFY(fChat->web->Document().IsNull());
        fChat->hide();
        QCoreApplication::processEvents();
        QCOMPARE(proctree::EngineProcesses(), 0);
    }

    void layoutAndResizing()
    {
        TfChat chat;
        chat.setWindowTitle(QStringLiteral("Chat with Darvel"));
        chat.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chat));
        QCOMPARE(chat.web->geometry(), QRect(0, 0, 539, 324));
        QCOMPARE(chat.Panel1->geometry(), QRect(0, 324, 539, 72));
        QCOMPARE(chat.re->geometry(), QRect(8, 8, 457, 57));
        QCOMPARE(chat.xpButton1->geometry(), QRect(468, 8, 65, 57));
        QCOMPARE(chat.xpButton1->Caption(), QStringLiteral("Send"));
        QVERIFY(chat.xpButton1->TabStop());
        QCOMPARE(chat.web->DownloadControlFlags(), 0x70u);
        QCOMPARE(chat.web->HostUIFlags(), 0x84u);
        QCOMPARE(chat.web->PrintOptions().Header, QStringLiteral("&w&bPage &p of &P"));
        QCOMPARE(chat.web->PrintOptions().Footer, QStringLiteral("&u&b&d"));
        QVERIFY(chat.re->toPlainText().isEmpty());

        // Only the transcript grows; the strip keeps its height and its
        // controls their places.
        chat.resize(800, 600);
        QTRY_COMPARE(chat.web->size(), QSize(800, 528));
        QCOMPARE(chat.Panel1->geometry(), QRect(0, 528, 800, 72));
        QCOMPARE(chat.re->geometry(), QRect(8, 8, 457, 57));
        QCOMPARE(chat.xpButton1->geometry(), QRect(468, 8, 65, 57));
    }

    void sendChangesNothingAndCloseHides()
    {
        TfChat chat;
        chat.setWindowTitle(QStringLiteral("Chat with Darvel"));
        chat.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chat));
        chat.re->setFocus();
        QTest::keyClicks(chat.re, QStringLiteral("see you tonight"));
        int clicks = 0;
        auto handler = chat.xpButton1->OnClick;
        chat.xpButton1->OnClick = [&](QObject* s) {
            ++clicks;
            handler(s);
        };
        QTest::mouseClick(chat.xpButton1, Qt::LeftButton, {}, QPoint(30, 28));
        QCOMPARE(clicks, 1);
        QCOMPARE(chat.re->toPlainText(), QStringLiteral("see you tonight"));
        QVERIFY(!chat.web->EngineStarted());
        QVERIFY(chat.web->Document().IsNull());

        // Closing hides; the window stays.
        QVERIFY(chat.close());
        QVERIFY(!chat.isVisible());
        QVERIFY(!chat.testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(chat.re->toPlainText(), QStringLiteral("see you tonight"));
    }

    void pastingAClipboardWithoutContentChangesNothing()
    {
        // What the HTML engine leaves on the clipboard when it copies an
        // empty selection: data with no format at all.
        QGuiApplication::clipboard()->setMimeData(new QMimeData);
        TfChat chat;
        chat.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chat));
        chat.re->setFocus();
        QTest::keyClicks(chat.re, QStringLiteral("kept"));
        QTest::keySequence(chat.re, QKeySequence::Paste);
        QCOMPARE(chat.re->toPlainText(), QStringLiteral("kept"));
        // Text on the clipboard still pastes.
        QGuiApplication::clipboard()->setText(QStringLiteral(" and pasted"));
        QTest::keySequence(chat.re, QKeySequence::Paste);
        QCOMPARE(chat.re->toPlainText(), QStringLiteral("kept and pasted"));
    }

    // Pasted markup names pictures and a style sheet (a named pipe each):
    // the input opens none of them, and keeps the text and the emoticon.
    void pastedMarkupOpensNothing_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::newRow("file: picture") << QStringLiteral("<img src=\"file://%1\">");
        QTest::newRow("path picture") << QStringLiteral("<img src=\"%1\">");
        QTest::newRow("style sheet") << QStringLiteral("<link rel=stylesheet href=\"%1\">");
    }

    void pastedMarkupOpensNothing()
    {
        QFETCH(QString, markup);
        QTemporaryDir dir;
        TWatchedPipe pipe(dir.filePath(QStringLiteral("pipe")));
        TfChat chat;
        chat.show();
        const QString smile = ResAddress::EmoticonAddress(3);
        auto* data = new QMimeData;
        data->setHtml(markup.arg(dir.filePath(QStringLiteral("pipe"))) +
                      QStringLiteral("hi<img src=\"%1\">").arg(smile));
        QGuiApplication::clipboard()->setMimeData(data);
        chat.re->paste();
        chat.re->grab(); // drawn, it has asked for every picture
        QVERIFY(!pipe.opened);
        QVERIFY(chat.re->toPlainText().contains(QStringLiteral("hi")));
        QVERIFY(chat.re->toHtml().contains(smile));
    }

    void noEngineEverRuns()
    {
        // After every chat window above, shown, typed into and closed.
        QCoreApplication::processEvents();
        QCOMPARE(proctree::EngineProcesses(), 0);
    }

    void destroyingAtTheEndClearsTheReference()
    {
        DestroyAllWindows();
        QVERIFY(!fChat);
        QVERIFY(!fAppBar);
    }
};

ZENTRO_TEST_MAIN(tst_Chat)
#include "tst_Chat.moc"
