// What pasted and dropped HTML becomes before an editor sees it (nesting
// and size: tst_HostilePaste).

#include "htmlview/HtmlFilter.h"
#include "htmlview/ResAddress.h"

#include <QTest>

class tst_HtmlFilter : public QObject {
    Q_OBJECT
private slots:
    void filter_data()
    {
        QTest::addColumn<int>("kind"); // 0 plain input, 1 editor, 2 editor with web pictures
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("expected");
        const QString smile = ResAddress::EmoticonAddress(2);
        QTest::newRow("formatting")
            << 1 << "<P align=center><b>B</b> <FONT color=red>x</FONT>"
            << "<p align=\"center\"><b>B</b> <font color=\"red\">x</font></p>";
        QTest::newRow("style sheets")
            << 1 << "<style>p{}</style><link rel=stylesheet href=\"http://127.0.0.1:9/a.css\">t"
            << "t";
        QTest::newRow("dropped whole") << 1
                                       << "<script>a<b>c</script><iframe>f</iframe><object>o"
                                          "</object><meta content=0><base href=file:///><svg><svg>"
                                          "s</svg></svg>ok<!-- <b>c</b> -->"
                                       << "ok";
        QTest::newRow("attributes") << 1
                                    << "<p onclick=x id=i style=\"color: red; background: "
                                       "url(file:///etc/passwd)\">t</p>"
                                    << "<p style=\"color: red\">t</p>";
        QTest::newRow("links")
            << 1
            << "<a href=\"&#106avascript:x\">a</a><a href=\" https://e/?a&amp;b\">"
               "c</a><a href=mailto:x@e>d</a>"
            << "<a>a</a><a href=\"https://e/?a&amp;b\">c</a><a "
               "href=\"mailto:x@e\">d</a>";
        const QString pictures =
            QStringLiteral("<img src=\"%1\"><img src=/dev/urandom><img "
                           "src=\":/emoticons/2.gif\"><img src=\"http://e/a\">")
                .arg(smile);
        QTest::newRow("pictures")
            << 2 << pictures
            << QStringLiteral("<img src=\"%1\"><img src=\"http://e/a\">").arg(smile);
        QTest::newRow("no web pictures")
            << 1 << pictures << QStringLiteral("<img src=\"%1\">").arg(smile);
        QTest::newRow("balanced") << 1 << "<ul><li><i>a</ul></b><p>b < c"
                                  << "<ul><li><i>a</i></li></ul><p>b &lt; c</p>";
        QTest::newRow("plain input")
            << 0 << "<style>x</style><p>one <b>two</b></p><div>3" + pictures
            << QStringLiteral("one two<br>3<img src=\"%1\">").arg(smile);
    }

    void filter()
    {
        QFETCH(int, kind);
        QFETCH(QString, html);
        QFETCH(QString, expected);
        QCOMPARE(kind ? HtmlFilter::ForEditor(html, kind == 2) : HtmlFilter::ForPlainInput(html),
                 expected);
    }
};

QTEST_GUILESS_MAIN(tst_HtmlFilter)
#include "tst_HtmlFilter.moc"
