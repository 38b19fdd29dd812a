// The composer's face list: names the editor can use, each once, in the
// order a user reads them.

#include "compose/FontNames.h"

#include <QTest>

class tst_FontNames : public QObject {
    Q_OBJECT

private slots:
    void foundrySuffixesGoAndDuplicatesMerge()
    {
        const QStringList names = EditorFontNames(
            {QStringLiteral("C059 [UKWN]"), QStringLiteral("C059 [urw]"),
             QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus [x] Mono [URW]")});
        QCOMPARE(names, QStringList({QStringLiteral("C059"), QStringLiteral("Liberation Sans"),
                                     QStringLiteral("Nimbus [x] Mono")}));
    }

    void sortedByLetterThenCase()
    {
        const QStringList names = EditorFontNames(
            {QStringLiteral("tahoma"), QStringLiteral("Arial"), QStringLiteral("Tahoma"),
             QStringLiteral("Verdana"), QStringLiteral("arial")});
        QCOMPARE(names, QStringList({QStringLiteral("Arial"), QStringLiteral("arial"),
                                     QStringLiteral("Tahoma"), QStringLiteral("tahoma"),
                                     QStringLiteral("Verdana")}));
    }

    void bracketsAloneAreNoName()
    {
        QCOMPARE(EditorFontNames({QStringLiteral("[UKWN]"), QStringLiteral(" ")}), QStringList());
    }
};

QTEST_APPLESS_MAIN(tst_FontNames)
#include "tst_FontNames.moc"
