#include "base/TColor.h"

#include <QTest>

class tst_TColor : public QObject {
    Q_OBJECT
private slots:
    void colourValues()
    {
        QCOMPARE(clr::Cream.Value(), 0xF0FBFFu);
        QCOMPARE(clr::Orange.Value(), 33023u);
        QCOMPARE(clr::Blue.Value(), 0xFF0000u);
        QCOMPARE(clr::Silver.Value(), 0xC0C0C0u);
        QVERIFY(!clr::Cream.IsSystem());
        QVERIFY(clr::BtnFace.IsSystem());
        QCOMPARE(clr::Cream.ToQColor(QPalette()), QColor(255, 251, 240));
        QPalette p;
        p.setColor(QPalette::Active, QPalette::Highlight, QColor(1, 2, 3));
        QCOMPARE(clr::Highlight.ToRgb(p), TColor::Rgb(1, 2, 3));
        QCOMPARE(TColor::FromQColor(QColor(10, 20, 30)).Value(), 0x1E140Au);
    }
};

QTEST_APPLESS_MAIN(tst_TColor)
#include "tst_TColor.moc"
