#include "report_fixtures.h"
#include "reports/template_parser.h"

#include <QtTest>

using namespace reports;

class TstTemplateParser : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sampleInvoiceReadsCleanly();
    void pageSetUp();
    void bandsAndNesting();
    void diagnosticsCarryLines_data();
    void diagnosticsCarryLines();
    void textTemplates();
    void tableScalesToPage();
};

void TstTemplateParser::sampleInvoiceReadsCleanly()
{
    const ReportTemplate t = parseTemplate(reportfixtures::readFixture("ornek_fatura.fr3"), "ornek_fatura");
    for (const Diagnostic& d : t.diagnostics)
        qWarning("%s", qPrintable(d.toString()));
    QVERIFY(t.diagnostics.isEmpty());
    QCOMPARE(t.title, QString("Satış Faturası"));
    QVERIFY(t.title_ && t.summary && t.pageFooter);
    QCOMPARE(int(t.body.size()), 1);
    const DataBand& d = *t.body[0].data;
    QCOMPARE(d.dataset, QString("fdetay"));
    QCOMPARE(int(d.groups.size()), 1);
    QVERIFY(d.header && d.header->repeat);
    QVERIFY(d.footer);
    QCOMPARE(int(d.row.objects.size()), 8);  // seven cells and the row line
    QCOMPARE(t.margins, QMarginsF(15, 12, 15, 12));
}

void TstTemplateParser::pageSetUp()
{
    auto t = parseTemplate("page A5 landscape margins 5 6 7 8\n");
    QVERIFY(t.diagnostics.isEmpty());
    QCOMPARE(t.pageSizeMm(), QSizeF(210, 148));
    QCOMPARE(t.margins, QMarginsF(5, 6, 7, 8));
    t = parseTemplate("page 80x200 margins 3\n");
    QVERIFY(t.diagnostics.isEmpty());
    QCOMPARE(t.pageSizeMm().toSize(), QSize(80, 200));
    QCOMPARE(t.margins, QMarginsF(3, 3, 3, 3));
}

void TstTemplateParser::bandsAndNesting()
{
    const QString text =
        "data ana height 6\n"
        "  text 0 0 50 6 \"[ana.KODU]\"\n"
        "  header height 5 repeat\n"
        "    text 0 0 50 5 \"Kod\" bold\n"
        "  group [ana.GRUP]\n"
        "    header height 5\n"
        "      text 0 0 50 5 \"[GRUP]\"\n"
        "    group [ana.ALT]\n"
        "      footer height 5\n"
        "        field 0 0 50 5 [sum(Tutar)] \"#,##0.00\"\n"
        "  detail satir link receno=KODU height 4\n"
        "    field 5 0 40 4 StokAdi\n";
    const ReportTemplate t = parseTemplate(text);
    for (const Diagnostic& d : t.diagnostics)
        qWarning("%s", qPrintable(d.toString()));
    QVERIFY(t.diagnostics.isEmpty());
    const DataBand& d = *t.body[0].data;
    QCOMPARE(d.row.height, 6.0);
    QCOMPARE(int(d.groups.size()), 2);
    QVERIFY(d.groups[0].header && !d.groups[0].footer);
    QVERIFY(!d.groups[1].header && d.groups[1].footer);
    QCOMPARE(int(d.details.size()), 1);
    QCOMPARE(d.details[0].dataset, QString("satir"));
    QCOMPARE(d.details[0].linkDetail, QString("receno"));
    QCOMPARE(d.details[0].linkMaster, QString("KODU"));
    QCOMPARE(d.groups[1].footer->objects[0].format, QString("#,##0.00"));
}

void TstTemplateParser::diagnosticsCarryLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown statement") << "report \"x\"\nsayfa A4\n" << 2 << "bilinmeyen komut 'sayfa'";
    QTest::newRow("bad expression") << "title height 5\n  text 0 0 10 5 [1 +]\n" << 2 << "ifade: ifade eksik";
    QTest::newRow("missing numbers") << "title\n  text 0 0 \"x\"\n"
                                     << 2 << "'text': 4 sayı bekleniyor (x y genişlik yükseklik, mm)";
    QTest::newRow("unclosed quote") << "\n\ntitle\n  text 0 0 5 5 \"abc\n" << 4 << "kapanmamış tırnak (\")";
    QTest::newRow("bad barcode") << "title\n  barcode 0 0 5 5 qr [x]\n"
                                 << 2 << "barcode: code39, code128 ya da ean13 bekleniyor";
    QTest::newRow("bad color") << "title\n  text 0 0 5 5 \"a\" color mor\n" << 2 << "bilinmeyen renk 'mor'";
}

void TstTemplateParser::diagnosticsCarryLines()
{
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(QString, message);
    const ReportTemplate t = parseTemplate(text);
    QVERIFY(!t.diagnostics.isEmpty());
    QCOMPARE(t.diagnostics.first().line, line);
    QCOMPARE(t.diagnostics.first().message, message);
}

void TstTemplateParser::textTemplates()
{
    QList<Diagnostic> diags;
    const TextTemplate t = parseTextTemplate("Sayfa [Page] / [Pages] \\[sabit\\]", 1, &diags);
    QVERIFY(diags.isEmpty());
    QCOMPARE(t.parts.size(), 5);
    QCOMPARE(t.parts[0].literal, QString("Sayfa "));
    QVERIFY(t.parts[1].expression && t.parts[1].expression->mentions("page"));
    QCOMPARE(t.parts[4].literal, QString(" [sabit]"));
    const TextTemplate nested = parseTextTemplate("[iif(a = ']', 'x', 'y')]", 1, &diags);
    QVERIFY(diags.isEmpty());
    QVERIFY(nested.singleExpression());
}

void TstTemplateParser::tableScalesToPage()
{
    const QString text =
        "page A4 portrait margins 10\n"
        "table t\n"
        "  column \"A\" a 100\n"
        "  column \"B\" b 100\n"
        "  column \"C\" c *\n";
    const ReportTemplate t = parseTemplate(text);
    QVERIFY(t.diagnostics.isEmpty());
    const DataBand& d = *t.body[0].data;
    double right = 0;
    for (const ReportObject& o : d.row.objects)
        if (o.kind == ReportObject::Kind::Text)
            right = qMax(right, o.rect.right());
    QVERIFY(qAbs(right - 190.0) < 0.01);
    QVERIFY(!d.footer);  // no aggregates, no total row
}

QTEST_GUILESS_MAIN(TstTemplateParser)
#include "tst_template_parser.moc"
