// The inventory code lists and the VAT rate, on the engine under test.
#include "inventory/code_lists.h"
#include "inventory/stock_cards.h"
#include "test_db.h"

#include <QtTest>

using inventory::CodeList;
using inventory::CodeListService;
using testsupport::TestDatabase;

class TstCodeLists : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void groupBelongsToItsPage();
    void groupChangeKeepsKind();
    void unitPairsWithoutKey();
    void keyedListsRoundTrip_data();
    void keyedListsRoundTrip();
    void tooLongTextRefused();
    void vatRate();

private:
    std::unique_ptr<TestDatabase> db_;
};

void TstCodeLists::init()
{
    db_ = TestDatabase::fresh();
}

void TstCodeLists::cleanup()
{
    db_.reset();
}

void TstCodeLists::groupBelongsToItsPage()
{
    auto& s = db_->session();
    CodeListService codes(s);
    // Whatever STOK the values carry, the page decides.
    const auto stock = codes.save(CodeList::StockGroups, std::nullopt,
                                  {{"GRUP", "Sebze"}, {"CATEGORY", "Yiyecek"}, {"xchol", false}, {"STOK", 0}});
    const auto product = codes.save(CodeList::ProductGroups, std::nullopt,
                                    {{"GRUP", "Salatalar"}, {"CATEGORY", "Yiyecek"}, {"xchol", true}, {"STOK", 1}});
    QVERIFY(stock.ok() && product.ok());
    QCOMPARE(s.scalar("SELECT STOK FROM Q_GRUPS WHERE GRUP_ID = :id", {{"id", stock.key}}).toInt(), 1);
    QCOMPARE(s.scalar("SELECT STOK FROM Q_GRUPS WHERE GRUP_ID = :id", {{"id", product.key}}).toInt(), 0);
    QCOMPARE(s.scalar("SELECT xchol FROM Q_GRUPS WHERE GRUP_ID = :id", {{"id", product.key}}).toInt(), 1);

    // The stock card offers only the stock group.
    QStringList offered;
    for (const auto& r : inventory::StockCardService(s).stockGroups())
        offered << r.text("GRUP");
    QCOMPARE(offered, QStringList{"Sebze"});
    // Each page lists its own.
    QCOMPARE(codes.rows(CodeList::StockGroups).size(), 1);
    QCOMPARE(codes.rows(CodeList::ProductGroups).size(), 1);
    QCOMPARE(codes.rows(CodeList::ProductGroups)[0].text("GRUP"), QString("Salatalar"));
}

void TstCodeLists::groupChangeKeepsKind()
{
    auto& s = db_->session();
    CodeListService codes(s);
    const qint64 id = codes.save(CodeList::StockGroups, std::nullopt, {{"GRUP", "Sebze"}, {"CATEGORY", "Yiyecek"}}).key;
    const db::Row before = codes.rows(CodeList::StockGroups)[0];
    QVERIFY(
        codes.save(CodeList::StockGroups, before, {{"GRUP", "Sebzeler"}, {"CATEGORY", "Yiyecek"}, {"TYPE", "A"}}).ok());
    const db::Row after = codes.rows(CodeList::StockGroups)[0];
    QCOMPARE(after.integer("GRUP_ID"), id);
    QCOMPARE(after.text("GRUP"), QString("Sebzeler"));
    QCOMPARE(after.text("TYPE"), QString("A"));
    QCOMPARE(after.integer("STOK"), 1);
    codes.remove(CodeList::StockGroups, after);
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_GRUPS").toInt(), 0);
}

void TstCodeLists::unitPairsWithoutKey()
{
    auto& s = db_->session();
    CodeListService codes(s);
    QVERIFY(codes.save(CodeList::Units, std::nullopt, {{"Olcu", "KG"}, {"Birim", "GR"}}).ok());
    QVERIFY(codes.save(CodeList::Units, std::nullopt, {{"Olcu", "LT"}, {"Birim", "CL"}}).ok());
    QVERIFY(codes.save(CodeList::Units, std::nullopt, {{"Olcu", "KOLI"}}).ok());  // no base unit yet
    db::RowSet rows = codes.rows(CodeList::Units);
    QCOMPARE(rows.size(), 3);
    // Found by its values: only that pair changes.
    const db::Row lt = rows[2];
    QCOMPARE(lt.text("Olcu"), QString("LT"));
    QVERIFY(codes.save(CodeList::Units, lt, {{"Olcu", "LT"}, {"Birim", "ML"}}).ok());
    QCOMPARE(s.scalar("SELECT Birim FROM Q_BIRIMS WHERE Olcu = 'LT'").toString(), QString("ML"));
    QCOMPARE(s.scalar("SELECT Birim FROM Q_BIRIMS WHERE Olcu = 'KG'").toString(), QString("GR"));
    // A pair with an empty base unit is found too.
    const db::Row koli = codes.rows(CodeList::Units)[1];
    QCOMPARE(koli.text("Olcu"), QString("KOLI"));
    codes.remove(CodeList::Units, koli);
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_BIRIMS").toInt(), 2);
}

void TstCodeLists::keyedListsRoundTrip_data()
{
    QTest::addColumn<int>("list");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::newRow("categories") << int(CodeList::Categories) << "Q_CATEGORY"
                                << "CATEGORY";
    QTest::newRow("types") << int(CodeList::Types) << "Q_TYPES"
                           << "TYPE";
    QTest::newRow("departments") << int(CodeList::Departments) << "Q_DEPARTMENT"
                                 << "DEPARTMENT";
}

void TstCodeLists::keyedListsRoundTrip()
{
    QFETCH(int, list);
    QFETCH(QString, table);
    QFETCH(QString, column);
    auto& s = db_->session();
    CodeListService codes(s);
    const CodeList l = CodeList(list);
    const auto a = codes.save(l, std::nullopt, {{column, "Bir"}});
    const auto b = codes.save(l, std::nullopt, {{column, "İki"}});
    QVERIFY(a.ok() && b.ok() && b.key > a.key);
    const db::RowSet rows = codes.rows(l);
    QCOMPARE(rows.size(), 2);
    QVERIFY(codes.save(l, rows[0], {{column, "Birinci"}}).ok());
    QCOMPARE(s.scalar("SELECT " + column + " FROM " + table + " WHERE " + CodeListService::keyColumn(l) + " = :k",
                      {{"k", a.key}})
                 .toString(),
             QString("Birinci"));
    codes.remove(l, codes.rows(l)[1]);
    QCOMPARE(codes.rows(l).size(), 1);
    QCOMPARE(codes.rows(l)[0].text(column), QString("Birinci"));
}

void TstCodeLists::tooLongTextRefused()
{
    CodeListService codes(db_->session());
    const auto r = codes.save(CodeList::Departments, std::nullopt, {{"DEPARTMENT", QString(21, 'D')}});
    QVERIFY(!r.ok());
    QCOMPARE(r.refusal->message, QString("Departman En Fazla 20 Karakter Olabilir"));
    QCOMPARE(codes.rows(CodeList::Departments).size(), 0);
    QVERIFY(codes.save(CodeList::Departments, std::nullopt, {{"DEPARTMENT", QString(20, 'D')}}).ok());
}

void TstCodeLists::vatRate()
{
    auto& s = db_->session();
    CodeListService codes(s);
    QCOMPARE(codes.vatRate(), 8.0);  // installation data
    codes.setVatRate(18);
    QCOMPARE(codes.vatRate(), 18.0);
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_KDV").toInt(), 1);
    // Without a row, one is added.
    s.exec("DELETE FROM Q_KDV");
    codes.setVatRate(10);
    QCOMPARE(codes.vatRate(), 10.0);
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_KDV").toInt(), 1);
}

QTEST_GUILESS_MAIN(TstCodeLists)
#include "tst_code_lists.moc"
