#include "contacts/Presence.h"

#include <QTest>

class tst_Presence : public QObject {
    Q_OBJECT
private slots:
    void join()
    {
        QCOMPARE(JoinPresence(3, 3, 3, 3), quint8(255));
        QCOMPARE(JoinPresence(0, 0, 0, 0), quint8(0));
        QCOMPARE(JoinPresence(1, 1, 2, 0), quint8(88));
        QCOMPARE(JoinPresence(2, 2, 2, 2), quint8(170));
        QCOMPARE(JoinPresence(1, 1, 1, 0), quint8(84));
        QCOMPARE(JoinPresence(1, 1, 2, 3), quint8(91));
        // 8-bit arithmetic: out-of-range input wraps instead of spilling.
        QCOMPARE(JoinPresence(4, 0, 0, 0), quint8(0));
        QCOMPARE(JoinPresence(0, 0, 0, 255), quint8(255));
    }

    void split_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QList<int>>("fields");
        QTest::newRow("88") << 88 << QList<int>{1, 1, 2, 0};
        QTest::newRow("91") << 91 << QList<int>{1, 1, 2, 3};
        QTest::newRow("170") << 170 << QList<int>{2, 2, 2, 2};
        QTest::newRow("255") << 255 << QList<int>{3, 3, 3, 3};
        QTest::newRow("0") << 0 << QList<int>{0, 0, 0, 0};
    }

    void split()
    {
        QFETCH(int, value);
        QFETCH(QList<int>, fields);
        quint8 z = 9, y = 9, m = 9, i = 9;
        SplitPresence(quint8(value), z, y, m, i);
        QCOMPARE((QList<int>{z, y, m, i}), fields);
        QCOMPARE(JoinPresence(z, y, m, i), quint8(value));
    }
};

QTEST_APPLESS_MAIN(tst_Presence)
#include "tst_Presence.moc"
