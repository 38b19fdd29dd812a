#include "contacts/Collation.h"
#include "contacts/Presence.h"

#include <QLocale>
#include <QTest>

#include <algorithm>
#include <clocale>

class tst_ContactModel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The order must not come from the process locale.
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(QLocale::c());
    }

    void letterFirstThenCase_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("alice < Bob") << QStringLiteral("alice") << QStringLiteral("Bob");
        QTest::newRow("Bob < carol") << QStringLiteral("Bob") << QStringLiteral("carol");
        QTest::newRow("Darvel < kop318") << QStringLiteral("Darvel") << QStringLiteral("kop318");
        QTest::newRow("kop318 < user1") << QStringLiteral("kop318") << QStringLiteral("user1");
        QTest::newRow("user1 < user2") << QStringLiteral("user1") << QStringLiteral("user2");
        QTest::newRow("Enemies < Friends")
            << QStringLiteral("Enemies") << QStringLiteral("Friends");
        QTest::newRow("prefix first") << QStringLiteral("Bob") << QStringLiteral("bobby");
        QTest::newRow("space before letters")
            << QStringLiteral("Guffy Duck") << QStringLiteral("Guffyduck");
        QTest::newRow("case only on ties") << QStringLiteral("abc") << QStringLiteral("ABC");
        QTest::newRow("case after letters") << QStringLiteral("ABC") << QStringLiteral("abd");
        QTest::newRow("accent with its letter")
            << QStringLiteral("\u00e9mile") << QStringLiteral("emma");
        QTest::newRow("accent after plain")
            << QStringLiteral("emile") << QStringLiteral("\u00e9mile");
        QTest::newRow("accent before case")
            << QStringLiteral("\u00e9mile") << QStringLiteral("\u00c9mile");
    }
    void letterFirstThenCase()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QVERIFY(CompareText(before, after) < 0);
        QVERIFY(CompareText(after, before) > 0);
        QVERIFY(CollationKey(before) < CollationKey(after));
    }

    void equalTextsCompareEqual()
    {
        QCOMPARE(CompareText(QStringLiteral("Darvel"), QStringLiteral("Darvel")), 0);
        QCOMPARE(CompareText(QString(), QString()), 0);
        QVERIFY(CompareText(QString(), QStringLiteral("a")) < 0);
    }

    void sortsMixedCaseNames()
    {
        QStringList names = {QStringLiteral("carol"), QStringLiteral("Bob"), QStringLiteral("Dave"),
                             QStringLiteral("alice")};
        std::sort(names.begin(), names.end(),
                  [](const QString& a, const QString& b) { return CompareText(a, b) < 0; });
        QCOMPARE(names, QStringList({QStringLiteral("alice"), QStringLiteral("Bob"),
                                     QStringLiteral("carol"), QStringLiteral("Dave")}));
    }

    void presenceOfEachNetwork()
    {
        const quint8 darvel = 88; // 1, 1, 2, 0
        QCOMPARE(PresenceOn(darvel, nwZentro), prOnline);
        QCOMPARE(PresenceOn(darvel, nwYahoo), prOnline);
        QCOMPARE(PresenceOn(darvel, nwMSN), prBusy);
        QCOMPARE(PresenceOn(darvel, nwICQ), prOffline);
        QCOMPARE(PresenceOn(91, nwICQ), prNone);
    }

    void presenceInWords()
    {
        QCOMPARE(DescribePresence(88),
                 QStringLiteral("Zentro: online, Yahoo: online, MSN: busy, ICQ: offline"));
        QCOMPARE(DescribePresence(91), QStringLiteral("Zentro: online, Yahoo: online, MSN: busy"));
        QCOMPARE(DescribePresence(0),
                 QStringLiteral("Zentro: offline, Yahoo: offline, MSN: offline, ICQ: offline"));
        QCOMPARE(DescribePresence(255), QString());
    }
};

QTEST_APPLESS_MAIN(tst_ContactModel)
#include "tst_ContactModel.moc"
