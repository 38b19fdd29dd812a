// The toolbar layout file: what the writer writes the reader gives back,
// and whatever the reader does not fully understand it refuses as a whole.

#include "layoutfile/LayoutReader.h"
#include "layoutfile/LayoutWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

TManagerLayout Sample()
{
    TBarLayout bar;
    bar.Caption = QStringLiteral("Toolbar");
    bar.Visible = false;
    bar.CaptionOptions = TCaptionOption::coSelective;
    bar.SmallIcons = false;
    TBarItem compose =
        TBarItem::MakeCommand(QStringLiteral("acCompose"), QStringLiteral("&Compose"));
    compose.UsageCount = 7;
    compose.ShowCaption = false;
    TBarItem hidden = TBarItem::MakeCommand(QStringLiteral("acFind"), QStringLiteral("F&ind"),
                                            QStringLiteral("Ctrl+F"));
    hidden.Visible = false;
    TBarItem inner = TBarItem::MakeCommand(QStringLiteral("acPrint"), QStringLiteral("&Print"));
    inner.UsageCount = 2;
    TBarItem menu =
        TBarItem::MakeSubmenu(QStringLiteral("Ünïcode & more"),
                              {inner, TBarItem::MakeSeparator(),
                               TBarItem::MakeSubmenu(QStringLiteral("Deeper"), {compose})});
    TBarItem separator = TBarItem::MakeSeparator();
    separator.Visible = false;
    bar.Items = {compose, separator, hidden, menu};
    TBarLayout second;
    second.Caption = QStringLiteral("Second");
    TBarOptions options;
    options.RecentlyUsedFirst = true;
    options.FullMenusAfterDelay = false;
    options.ShowHints = false;
    options.ShortCutsInHints = true;
    options.MenuAnimation = 4;
    return TManagerLayout{{bar, second}, options};
}

QByteArray Valid(const QByteArray& items, const QByteArray& options = "{}")
{
    return "{\"format\": \"Zentro toolbar layout\", \"version\": 2, \"bars\": [{\"caption\": "
           "\"Toolbar\", \"items\": " +
           items + "}], \"options\": " + options + "}";
}

} // namespace

class tst_LayoutFile : public QObject {
    Q_OBJECT
private slots:
    void roundTripKeepsEverything()
    {
        const TManagerLayout layout = Sample();
        const QByteArray data = TLayoutWriter::Serialize(layout);
        QString error;
        const auto back = TLayoutReader::Parse(data, &error);
        QVERIFY2(back, qPrintable(error));
        QVERIFY(*back == layout);
        // Readable: the captions are there as text.
        QVERIFY(data.contains("\"&Compose\""));
        QVERIFY(data.contains("\"Selective\""));
    }

    void missingOptionalFieldsTakeDefaults()
    {
        const auto layout = TLayoutReader::Parse(
            Valid("[{\"kind\": \"command\", \"command\": \"acCompose\", \"caption\": \"C\"}]"));
        QVERIFY(layout);
        const TBarLayout& bar = layout->Bars.first();
        QCOMPARE(bar.CaptionOptions, TCaptionOption::coNone);
        QVERIFY(bar.SmallIcons && bar.Visible);
        QCOMPARE(bar.Items.first().UsageCount, 0);
        QVERIFY(bar.Items.first().Visible);
        QVERIFY(layout->Options == TBarOptions());
        // A file of the first version, which kept no options, still loads.
        QByteArray first = TLayoutWriter::Serialize(Sample());
        first.replace("\"version\": 2", "\"version\": 1");
        const auto old = TLayoutReader::Parse(first);
        QVERIFY(old && old->Bars == Sample().Bars && old->Options == TBarOptions());
    }

    void refusesWhatItDoesNotUnderstand_data()
    {
        QTest::addColumn<QByteArray>("data");
        const QByteArray good = TLayoutWriter::Serialize(Sample());
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("garbage") << QByteArray("\x00\x01zentro\xff", 9);
        QTest::newRow("truncated") << good.left(good.size() / 2);
        QTest::newRow("not an object") << QByteArray("[1, 2, 3]");
        QTest::newRow("other format")
            << QByteArray(good).replace("Zentro toolbar layout", "Something else");
        QTest::newRow("newer version")
            << QByteArray(good).replace("\"version\": 2", "\"version\": 3");
        QTest::newRow("version 0") << QByteArray(good).replace("\"version\": 2", "\"version\": 0");
        QTest::newRow("version as text")
            << QByteArray(good).replace("\"version\": 2", "\"version\": \"2\"");
        QTest::newRow("bars not a list")
            << QByteArray("{\"format\": \"Zentro toolbar layout\", \"version\": 1, \"bars\": {}}");
        QTest::newRow("options not an object") << Valid("[]", "[]");
        QTest::newRow("option a number") << Valid("[]", "{\"showHints\": 1}");
        QTest::newRow("unknown menu animation") << Valid("[]", "{\"menuAnimation\": 5}");
        QTest::newRow("caption a number")
            << QByteArray("{\"format\": \"Zentro toolbar layout\", \"version\": 1, \"bars\": "
                          "[{\"caption\": 3}]}");
        QTest::newRow("visible a string")
            << QByteArray(good).replace("\"visible\": false", "\"visible\": \"no\"");
        QTest::newRow("unknown caption option")
            << QByteArray(good).replace("\"Selective\"", "\"Some\"");
        QTest::newRow("negative usage")
            << Valid("[{\"kind\": \"command\", \"command\": \"a\", \"caption\": \"C\", "
                     "\"usageCount\": -1}]");
        QTest::newRow("fractional usage")
            << Valid("[{\"kind\": \"command\", \"command\": \"a\", \"caption\": \"C\", "
                     "\"usageCount\": 1.5}]");
        QTest::newRow("huge usage")
            << Valid("[{\"kind\": \"command\", \"command\": \"a\", \"caption\": \"C\", "
                     "\"usageCount\": 1e12}]");
        QTest::newRow("unknown kind") << Valid("[{\"kind\": \"button\", \"caption\": \"C\"}]");
        QTest::newRow("command without name")
            << Valid("[{\"kind\": \"command\", \"command\": \"\", \"caption\": \"C\"}]");
        QTest::newRow("item not an object") << Valid("[\"acCompose\"]");
        QByteArray deep = "{\"kind\": \"command\", \"command\": \"a\", \"caption\": \"C\"}";
        for (int i = 0; i < TLayoutReader::MaxDepth + 1; ++i)
            deep = "{\"kind\": \"submenu\", \"caption\": \"S\", \"items\": [" + deep + "]}";
        QTest::newRow("nested too deeply") << Valid("[" + deep + "]");
        QTest::newRow("too large") << QByteArray(TLayoutReader::MaxFileSize + 1, ' ');
    }

    void refusesWhatItDoesNotUnderstand()
    {
        QFETCH(QByteArray, data);
        QString error;
        QVERIFY(!TLayoutReader::Parse(data, &error));
        QVERIFY(!error.isEmpty());
    }

    void filesAreWrittenWholeOrNotAtAll()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("zentro.am"));
        QVERIFY(TLayoutWriter::WriteFile(name, Sample()));
        const auto read = TLayoutReader::ReadFile(name);
        QVERIFY(read && *read == Sample());
        // Nothing but the file is left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("zentro.am")});

        // A target that cannot be replaced keeps what it had.
        const QString blocked = dir.filePath(QStringLiteral("blocked"));
        QVERIFY(QDir().mkpath(blocked + QStringLiteral("/zentro.am")));
        QString error;
        QVERIFY(
            !TLayoutWriter::WriteFile(blocked + QStringLiteral("/zentro.am"), Sample(), &error));
        QVERIFY(QFileInfo(blocked + QStringLiteral("/zentro.am")).isDir());
        QVERIFY(
            !TLayoutWriter::WriteFile(dir.filePath(QStringLiteral("missing/zentro.am")), Sample()));
    }

    void unreadableFilesGiveNothing()
    {
        QTemporaryDir dir;
        QVERIFY(!TLayoutReader::ReadFile(dir.filePath(QStringLiteral("absent.am"))));
        // A directory in the file's place cannot be read as a file.
        QVERIFY(!TLayoutReader::ReadFile(dir.path()));
        QFile big(dir.filePath(QStringLiteral("big.am")));
        QVERIFY(big.open(QIODevice::WriteOnly));
        big.write(QByteArray(TLayoutReader::MaxFileSize + 10, ' '));
        big.close();
        QString error;
        QVERIFY(!TLayoutReader::ReadFile(big.fileName(), &error));
        QVERIFY(error.contains(QStringLiteral("large")));
        // A pipe would block a reader that opened it.
        const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("pipe.am")));
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        QVERIFY(!TLayoutReader::ReadFile(QFile::decodeName(fifo)));
    }
};

QTEST_APPLESS_MAIN(tst_LayoutFile)
#include "tst_LayoutFile.moc"
