// The conversions between the engine's reported values and the windows'
// types, and the checks of the program's "res" addresses.

#include "htmlengine/HtmlRequestPolicy.h"
#include "htmlview/HtmlValues.h"
#include "htmlview/HtmlViewOptions.h"
#include "htmlview/ResAddress.h"

#include <QTest>

class tst_HtmlValues : public QObject {
    Q_OBJECT
private slots:
    void fontNameIsTheFirstFamilyUnquoted_data()
    {
        QTest::addColumn<QString>("reported");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("quoted") << QStringLiteral("\"DejaVu Serif\"")
                                << QVariant(QStringLiteral("DejaVu Serif"));
        QTest::newRow("list") << QStringLiteral("Arial, Helvetica, sans-serif")
                              << QVariant(QStringLiteral("Arial"));
        QTest::newRow("comma in quotes")
            << QStringLiteral("'Odd, Name', serif") << QVariant(QStringLiteral("Odd, Name"));
        QTest::newRow("empty") << QString() << QVariant();
        QTest::newRow("blank quotes") << QStringLiteral("\"\"") << QVariant();
    }
    void fontNameIsTheFirstFamilyUnquoted()
    {
        QFETCH(QString, reported);
        QFETCH(QVariant, expected);
        QCOMPARE(HtmlValues::FontName(reported), expected);
    }

    void fontSizeIsAnInteger()
    {
        QCOMPARE(HtmlValues::FontSize(QStringLiteral("3")), QVariant(3));
        QCOMPARE(HtmlValues::FontSize(QStringLiteral("7")).typeId(), int(QMetaType::Int));
        QVERIFY(!HtmlValues::FontSize(QString()).isValid());
        QVERIFY(!HtmlValues::FontSize(QStringLiteral("12px")).isValid());
    }

    void colourIsBgrOrdered_data()
    {
        QTest::addColumn<QString>("reported");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("rgb") << QStringLiteral("rgb(255, 0, 0)") << QVariant(0x0000FF);
        QTest::newRow("rgb blue") << QStringLiteral("rgb(0, 0, 255)") << QVariant(0xFF0000);
        QTest::newRow("mixed") << QStringLiteral("rgb(1, 2, 3)") << QVariant(0x030201);
        QTest::newRow("rgba opaque") << QStringLiteral("rgba(16, 32, 48, 1)") << QVariant(0x302010);
        QTest::newRow("transparent") << QStringLiteral("rgba(0, 0, 0, 0)") << QVariant();
        QTest::newRow("hex") << QStringLiteral("#102030") << QVariant(0x302010);
        QTest::newRow("name") << QStringLiteral("red") << QVariant();
        QTest::newRow("empty") << QString() << QVariant();
    }
    void colourIsBgrOrdered()
    {
        QFETCH(QString, reported);
        QFETCH(QVariant, expected);
        QCOMPARE(HtmlValues::Color(reported), expected);
    }

    void colourTextRoundTrips()
    {
        QCOMPARE(HtmlValues::ColorText(0x0000FF), QStringLiteral("#ff0000"));
        QCOMPARE(HtmlValues::ColorText(0x302010), QStringLiteral("#102030"));
        QCOMPARE(HtmlValues::Color(HtmlValues::ColorText(0x00ABCDEF)), QVariant(0x00ABCDEF));
        // Only the colour bytes count.
        QCOMPARE(HtmlValues::ColorText(0xFF000000), QStringLiteral("#000000"));
    }

    void flagSetsAreTheOrOfTheirMembers()
    {
        QCOMPARE(quint32(DefaultDownloadOptions.toInt()), 0x70u);
        QCOMPARE(quint32(TUserInterfaceOptions(NO3DBORDER | FLAT_SCROLLBAR).toInt()), 0x84u);
        QCOMPARE(quint32(TDownloadControlOptions(DLCTL_OFFLINE | DLCTL_DLIMAGES).toInt()),
                 0x80000010u);
    }

    void userAgentTokenGoesAfterThePlatform()
    {
        const QByteArray base = "Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36";
        QCOMPARE(THtmlRequestPolicy::WithToken(base, QString()), base);
        QCOMPARE(THtmlRequestPolicy::WithToken(base, QStringLiteral("  ")), base);
        QCOMPARE(THtmlRequestPolicy::WithToken(base, QStringLiteral("Zentro/1")),
                 QByteArray("Mozilla/5.0 (X11; Linux x86_64; Zentro/1) AppleWebKit/537.36"));
        QCOMPARE(THtmlRequestPolicy::WithToken("Plain", QStringLiteral("T")),
                 QByteArray("Plain (T)"));
    }

    void resAddressesReachOnlyTheEmoticons()
    {
        const QString module = ResAddress::ModuleName();
        QCOMPARE(module, QStringLiteral("tst_HtmlValues"));
        QCOMPARE(ResAddress::EmoticonUrl(1).toString(),
                 QStringLiteral("res://%1/RT_EMOTICON/1").arg(module.toLower()));
        auto resource = [&](const QString& address) {
            return ResAddress::ResourceFor(QUrl(address.arg(module)));
        };
        QCOMPARE(resource(QStringLiteral("res://%1/RT_EMOTICON/1")),
                 QStringLiteral(":/emoticons/1.gif"));
        QCOMPARE(resource(QStringLiteral("res://%1/rt_emoticon/42")),
                 QStringLiteral(":/emoticons/42.gif"));
        QVERIFY(resource(QStringLiteral("res://%1/RT_EMOTICON/0")).isEmpty());
        QVERIFY(resource(QStringLiteral("res://%1/RT_EMOTICON/43")).isEmpty());
        QVERIFY(resource(QStringLiteral("res://%1/RT_EMOTICON/01")).isEmpty());
        QVERIFY(resource(QStringLiteral("res://%1/RT_EMOTICON/../../etc/passwd")).isEmpty());
        QVERIFY(resource(QStringLiteral("res://%1/RT_BITMAP/1")).isEmpty());
        QVERIFY(resource(QStringLiteral("res://%1/RT_EMOTICON/1?x=1")).isEmpty());
        QVERIFY(ResAddress::ResourceFor(QUrl(QStringLiteral("res://other.exe/RT_EMOTICON/1")))
                    .isEmpty());
        QVERIFY(ResAddress::ResourceFor(QUrl(QStringLiteral("file:///RT_EMOTICON/1"))).isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_HtmlValues)
#include "tst_HtmlValues.moc"
