#include "reports/expression.h"

#include <QtTest>

using namespace reports::expr;

namespace {

// Names resolve to fixed values; no datasets.
class FixedContext : public Context {
public:
    QVariant column(int, int) const override { return {}; }
    QVariant variable(int) const override { return {}; }
    QVariant aggregate(const Node&) override { return {}; }
    int datasetCount(int, Scope) override { return 0; }
};

void bindLiterals(const Node& n, const QVariantMap& values)
{
    for (const auto& a : n.args)
        bindLiterals(*a, values);
    if (n.kind == Node::Kind::Name) {
        n.bound = Node::Bound::Parameter;
        n.parameter = values.value(n.parts.join(u'.'));
    }
}

QVariant eval(const QString& text, const QVariantMap& values = {})
{
    auto e = Expression::parse(text);
    if (!e->ok())
        return QStringLiteral("ERROR: ") + e->error();
    bindLiterals(*e->root(), values);
    FixedContext ctx;
    return evaluate(*e, ctx);
}

}  // namespace

class TstExpression : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void values_data();
    void values();
    void errors_data();
    void errors();
    void aggregatesAndScopes();
};

void TstExpression::values_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("expected");  // shown with toText
    QTest::newRow("arithmetic") << "1 + 2 * 3"
                                << "7";
    QTest::newRow("parentheses") << "(1 + 2) * 3"
                                 << "9";
    QTest::newRow("division") << "10 / 4"
                              << "2,5";
    QTest::newRow("division by zero") << "10 / 0"
                                      << "0";
    QTest::newRow("unary") << "-3 + 5"
                           << "2";
    QTest::newRow("join") << "'Sayfa ' + 3 + ' / ' + 12"
                          << "Sayfa 3 / 12";
    QTest::newRow("join amp") << "1 & 2"
                              << "12";
    QTest::newRow("iif") << "iif(fatura.Tutar > 100, 'büyük', 'küçük')"
                         << "büyük";
    QTest::newRow("comparison text") << "iif(a = 'x', 1, 0)"
                                     << "1";
    QTest::newRow("and or not") << "iif(not (1 > 2) and (2 > 1 or 0), 'e', 'h')"
                                << "e";
    QTest::newRow("format") << "format(fatura.Tutar, '#,##0.00')"
                            << "1.250,50";
    QTest::newRow("upper turkish") << "upper('istanbul ılık')"
                                   << "İSTANBUL ILIK";
    QTest::newRow("round") << "round(2.345, 2)"
                           << "2,35";
    QTest::newRow("mid") << "mid('Manager', 2, 3)"
                         << "ana";
    QTest::newRow("null plus") << "bos + 5"
                               << "5";
    QTest::newRow("coalesce") << "coalesce(bos, 'yok')"
                              << "yok";
    QTest::newRow("dates") << "day(gun) + month(gun) * 100"
                           << "1207";
    QTest::newRow("monthname") << "monthname(gun)"
                               << "Aralık";
    QTest::newRow("scalar min") << "min(3, 2)"
                                << "2";
    QTest::newRow("quoted column") << "fatura.'sum(Tutar)'"
                                   << "9";
}

void TstExpression::values()
{
    QFETCH(QString, expression);
    QFETCH(QString, expected);
    const QVariantMap values{{"fatura.Tutar", 1250.5},
                             {"a", "x"},
                             {"gun", QDate(2026, 12, 7)},
                             {"fatura.sum(Tutar)", 9},
                             {"bos", QVariant()}};
    QCOMPARE(toText(eval(expression, values)), expected);
}

void TstExpression::errors_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("error");
    QTest::newRow("missing operand") << "1 +"
                                     << "ifade eksik";
    QTest::newRow("unclosed paren") << "(1 + 2"
                                    << "')' bekleniyor";
    QTest::newRow("unknown function") << "topla(1)"
                                      << "bilinmeyen işlev 'topla'";
    QTest::newRow("unclosed text") << "'abc"
                                   << "kapanmamış metin";
    QTest::newRow("trailing") << "1 2"
                              << "ifade fazla: '2'";
}

void TstExpression::errors()
{
    QFETCH(QString, expression);
    QFETCH(QString, error);
    auto e = Expression::parse(expression);
    QVERIFY(!e->ok());
    QCOMPARE(e->error(), error);
}

void TstExpression::aggregatesAndScopes()
{
    auto e = Expression::parse("sum(fdetay.Tutar, group)");
    QVERIFY(e->ok());
    QCOMPARE(e->root()->aggregate, Aggregate::Sum);
    QCOMPARE(e->root()->scope, Scope::Group);
    QCOMPARE(int(e->root()->args.size()), 1);
    auto c = Expression::parse("count()");
    QVERIFY(c->ok());
    QCOMPARE(c->root()->aggregate, Aggregate::Count);
    auto p = Expression::parse("Page + ' / ' + Pages");
    QVERIFY(p->mentions("pages"));
    QStringList ds;
    Expression::parse("fana.HESADI + fdetay.Tutar")->collectDatasets(ds);
    QCOMPARE(ds, QStringList({"fana", "fdetay"}));
}

QTEST_GUILESS_MAIN(TstExpression)
#include "tst_expression.moc"
