#include "db/session.h"
#include "db/values.h"
#include "test_db.h"
#include "ui/data_grid.h"
#include "ui/dialogs.h"
#include "ui/format.h"
#include "ui/grid_model.h"
#include "ui/grid_print.h"
#include "ui/grid_view.h"

#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

using testsupport::TestDatabase;

namespace {

// Types text that may hold non-ASCII letters (QTest::keyClicks knows ASCII only).
void typeText(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(w, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Ledger rows with repeated groups and departments, Turkish names and
// amounts with cents.
struct Movement {
    QString code;
    QString name;
    QString group;
    QString department;
    double in;
    double out;
    int product;
};

QList<Movement> movements()
{
    const QStringList names = {"Elma", "IŞIK SOSU", "Işıklı Kek", "İncir", "Çorba Tabanı", "Dondurma", "Cips"};
    const QStringList groups = {"Meyve", "Sos", "Pasta", "Meyve", "Çorba", "Dondurma", "Cips"};
    const QStringList departments = {"Mutfak", "Bar", "Depo"};
    QList<Movement> out;
    for (int i = 0; i < 42; ++i) {
        const int item = i % int(names.size());
        out << Movement{QString("S%1").arg(item + 1, 3, 10, QChar('0')),
                        names[item],
                        groups[item],
                        departments[i % 3],
                        (i * 37 % 50) + 0.25 * (i % 4),
                        (i * 11 % 7) + 0.5 * (i % 2),
                        i % 2};
    }
    out[21].in = 1234.5;  // one amount above a thousand (Elma, Mutfak)
    return out;
}

void fillLedger(db::Session& s)
{
    db::Transaction tx(s);
    int n = 0;
    for (const auto& m : movements()) {
        s.exec(
            "INSERT INTO Q_ITEMS_MOV (tarih, Saat, StokKodu, StokAdi, Grup, department, Giren, Cikan, urun) "
            "VALUES (:t, :saat, :kod, :adi, :grup, :dpt, :giren, :cikan, :urun)",
            {{"t", QDate(2026, 1, 1 + n % 28)},
             {"saat", "10:00:00"},
             {"kod", m.code},
             {"adi", m.name},
             {"grup", m.group},
             {"dpt", m.department},
             {"giren", m.in},
             {"cikan", m.out},
             {"urun", m.product}});
        ++n;
    }
    tx.commit();
}

const char* ledgerSql =
    "SELECT S_ID, tarih, StokKodu, StokAdi, Grup, department, Giren, Cikan, urun FROM Q_ITEMS_MOV ORDER BY S_ID";

QList<ui::GridColumn> ledgerColumns()
{
    return {{.field = "S_ID", .caption = "No"},
            {.field = "tarih", .caption = "Tarih", .format = "dd.MM.yyyy"},
            {.field = "StokKodu", .caption = "Stok Kodu"},
            {.field = "StokAdi", .caption = "Stok Adı"},
            {.field = "Grup", .caption = "Grup"},
            {.field = "department", .caption = "Depo"},
            {.field = "Giren", .caption = "Giren", .format = "#,##0.00"},
            {.field = "Cikan", .caption = "Çıkan", .format = "#,##0.00"},
            {.field = "urun", .caption = "Ürün", .check = true}};
}

// Counts the rows handed out, to see how much of a stream the grid read (the
// grid drops the source once it is read to the end; the count outlives it).
class CountingSource : public ui::RowSource {
public:
    CountingSource(db::Cursor cursor, std::shared_ptr<int> read) : inner_(std::move(cursor)), read_(std::move(read)) {}
    std::shared_ptr<const db::Columns> columns() const override { return inner_.columns(); }
    bool fetch(int count, std::vector<db::Row>& out) override
    {
        const size_t before = out.size();
        const bool more = inner_.fetch(count, out);
        *read_ += int(out.size() - before);
        return more;
    }

private:
    ui::CursorSource inner_;
    std::shared_ptr<int> read_;
};

std::unique_ptr<ui::ScriptedDialogDriver> scripted()
{
    return std::make_unique<ui::ScriptedDialogDriver>();
}

}  // namespace

class TstDataGrid : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void footerSumsEqualSqlSums();
    void footerSourceKeepsStreamUnread();
    void filterRowNarrowsRows();
    void filterBoxSearchesShownTexts();
    void inPlaceEditsReachDatabase();
    void refusedEditStaysUntilCorrectedOrDropped();
    void newRowLineInserts();
    void groupingSums();
    void captionDraggedToGroupBox();
    void sortIsStableAndTurkish();
    void exportCsvAndXlsx();
    void printJobGoesToInstalledPrinter();
    void builtInPrintoutPaginates();
    void lazyFetchReadsOneBatch();
    void screenshots();

private:
    ui::ScriptedDialogDriver* driver_ = nullptr;
    std::unique_ptr<ui::DialogDriver> previous_;
};

void TstDataGrid::init()
{
    auto d = scripted();
    driver_ = d.get();
    previous_ = ui::setDialogDriver(std::move(d));
}

void TstDataGrid::cleanup()
{
    ui::setDialogDriver(std::move(previous_));
    driver_ = nullptr;
    ui::setGridPrinter({});
}

void TstDataGrid::footerSumsEqualSqlSums()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    fillLedger(s);
    ui::DataGrid grid;
    grid.setColumns(ledgerColumns());
    grid.resize(600, 200);  // a batch fills the rows on show
    grid.setBatchSize(20);
    grid.addFooterSummary("Giren", ui::SummaryKind::Sum, ",0.00;-,0.00");
    grid.addFooterSummary("Cikan", ui::SummaryKind::Avg, "#,##0.00");
    grid.addFooterSummary("S_ID", ui::SummaryKind::Count, "Adet=0");
    grid.addFooterSummary("tarih", ui::SummaryKind::Max);
    grid.setQuery(s, ledgerSql);
    QCOMPARE(grid.fetchedCount(), 20);

    const double sqlIn = s.scalar("SELECT SUM(Giren) FROM Q_ITEMS_MOV").toDouble();
    const double sqlAvgOut = s.scalar("SELECT AVG(Cikan) FROM Q_ITEMS_MOV").toDouble();
    QVERIFY(qFuzzyCompare(grid.footerValue("Giren").toDouble(), sqlIn));
    QVERIFY(grid.allFetched());  // the footer needed every row
    QCOMPARE(grid.footerText("Giren"), ui::formatNumber(sqlIn, "#,##0.00"));
    QCOMPARE(grid.footerText("Cikan"), ui::formatNumber(sqlAvgOut, "#,##0.00"));
    QCOMPARE(grid.footerText("S_ID"), QString("Adet=42"));
    QCOMPARE(grid.footerText("tarih"), QString("28.01.2026"));

    // Filtered rows: the footer follows what is shown.
    grid.setColumnFilter("department", "bar");
    const double barIn =
        s.scalar("SELECT SUM(Giren) FROM Q_ITEMS_MOV WHERE department = :d", {{"d", "Bar"}}).toDouble();
    QCOMPARE(grid.rowCount(), 14);
    QVERIFY(qFuzzyCompare(grid.footerValue("Giren").toDouble(), barIn));
    QCOMPARE(grid.footerText("S_ID"), QString("Adet=14"));
}

// With a footer source the figures come from SQL and the stream stays where it is.
void TstDataGrid::footerSourceKeepsStreamUnread()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    fillLedger(s);
    ui::DataGrid grid;
    grid.setColumns(ledgerColumns());
    grid.resize(600, 200);
    grid.setBatchSize(20);
    grid.addFooterSummary("Giren", ui::SummaryKind::Sum, "#,##0.00");
    grid.addFooterSummary("S_ID", ui::SummaryKind::Count, "Adet=0", "adet");
    int asked = 0;
    grid.setFooterSource([&] {
        ++asked;
        return *s.selectOne("SELECT SUM(Giren) AS Giren, COUNT(*) AS adet FROM Q_ITEMS_MOV");
    });
    grid.setQuery(s, ledgerSql);
    QCoreApplication::processEvents();
    QCOMPARE(grid.footerText("S_ID"), QString("Adet=42"));
    QVERIFY(
        qFuzzyCompare(grid.footerValue("Giren").toDouble(), s.scalar("SELECT SUM(Giren) FROM Q_ITEMS_MOV").toDouble()));
    QCOMPARE(grid.fetchedCount(), 20);
    QVERIFY(!grid.allFetched());
    QCOMPARE(asked, 1);
    // The pages go on where they stopped, whatever ran in between.
    grid.fetchAll();
    QCOMPARE(grid.rowCount(), 42);
    QCOMPARE(grid.valueAt(41, "S_ID").toLongLong(), s.scalar("SELECT MAX(S_ID) FROM Q_ITEMS_MOV").toLongLong());
    QCOMPARE(grid.valueAt(20, "S_ID").toLongLong(), grid.valueAt(19, "S_ID").toLongLong() + 1);

    // A failing aggregate shows the server's text and leaves the footer empty.
    grid.setFooterSource([&]() -> db::Row { return *s.selectOne("SELECT SUM(Yok) FROM Q_ITEMS_MOV"); });
    driver_->clear();
    grid.setQuery(s, ledgerSql);
    QCOMPARE(driver_->shown.size(), 1);
    QCOMPARE(driver_->shown.first().kind, QString("error"));
    QCOMPARE(grid.footerText("Giren"), QString());
    QCOMPARE(grid.fetchedCount(), 20);

    // So does a failing statement: the grid stays empty.
    driver_->clear();
    grid.setQuery(s, "SELECT S_ID FROM Q_YOK ORDER BY S_ID");
    QTRY_COMPARE(driver_->shown.size(), 1);
    QCOMPARE(driver_->shown.first().kind, QString("error"));
    QCOMPARE(grid.rowCount(), 0);
}

void TstDataGrid::filterRowNarrowsRows()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    fillLedger(s);
    ui::DataGrid grid;
    grid.setColumns(ledgerColumns());
    grid.setRows(s.select(ledgerSql));
    grid.setFilterRowVisible(true);
    grid.resize(900, 400);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    QLineEdit* name = grid.filterRowEditor("StokAdi");
    QVERIFY(name && name->isVisible());
    QCOMPARE(name->placeholderText(), QString("Filtrele"));
    // Applied at every key, folded the Turkish way: "ış" is in "IŞIK" and "Işıklı".
    typeText(name, "ı");
    const int afterOne = grid.rowCount();
    typeText(name, "ş");
    const int expected = s.scalar("SELECT COUNT(*) FROM Q_ITEMS_MOV WHERE " + s.dialect().foldedLike("StokAdi", "p"),
                                  {{"p", db::likePattern("ış")}})
                             .toInt();
    QCOMPARE(grid.rowCount(), expected);
    QCOMPARE(expected, 12);
    QVERIFY(afterOne > expected);
    for (int i = 0; i < grid.rowCount(); ++i)
        QVERIFY(grid.textAt(i, "StokAdi").startsWith(QString::fromUtf8("I")));

    // A second column narrows further; comparison operators work on numbers.
    grid.setColumnFilter("Giren", ">=20");
    QCOMPARE(grid.rowCount(), s.scalar("SELECT COUNT(*) FROM Q_ITEMS_MOV WHERE " +
                                           s.dialect().foldedLike("StokAdi", "p") + " AND Giren >= 20",
                                       {{"p", db::likePattern("ış")}})
                                  .toInt());
    // Esc in a filter box empties it.
    QTest::keyClick(name, Qt::Key_Escape);
    QCOMPARE(name->text(), QString());
    QCOMPARE(grid.rowCount(), s.scalar("SELECT COUNT(*) FROM Q_ITEMS_MOV WHERE Giren >= 20").toInt());
    grid.clearFilters();
    QCOMPARE(grid.rowCount(), 42);
    QCOMPARE(grid.filterRowEditor("Giren")->text(), QString());

    // Dates compare by day.
    grid.setColumnFilter("tarih", "<05.01.2026");
    QCOMPARE(grid.rowCount(),
             s.scalar("SELECT COUNT(*) FROM Q_ITEMS_MOV WHERE tarih < :d", {{"d", QDate(2026, 1, 5)}}).toInt());
}

void TstDataGrid::filterBoxSearchesShownTexts()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    fillLedger(s);
    ui::DataGrid grid;
    grid.setColumns(ledgerColumns());
    grid.setRows(s.select(ledgerSql));
    grid.setFilterBoxVisible(true);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(grid.filterBox()->placeholderText(), QString("Ara..."));
    QTest::keyClicks(grid.filterBox(), "BAR");
    QCOMPARE(grid.rowCount(), 14);
    // Numbers are searched as shown: 1.234,50
    grid.filterBox()->clear();
    QTest::keyClicks(grid.filterBox(), "1.234,5");
    QCOMPARE(grid.rowCount(), 1);
    QCOMPARE(grid.valueAt(0, "Giren").toDouble(), 1234.5);
    // Hidden columns are not searched.
    grid.setColumnVisible("StokKodu", false);
    grid.setFilterText("S001");
    QCOMPARE(grid.rowCount(), 0);
    grid.setColumnVisible("StokKodu", true);
    grid.setFilterText("S001");
    QCOMPARE(grid.rowCount(), 6);
}

namespace {

// The writer a window would give: one UPDATE with bound values.
ui::RowWriter ledgerWriter(db::Session& s, int* calls)
{
    return [&s, calls](const ui::RowEdit& e) {
        ++*calls;
        if (e.after.number("Giren") < 0)
            return ui::EditResult::refuse("Giren miktarı eksi olamaz.");
        s.exec("UPDATE Q_ITEMS_MOV SET Giren = :g, StokAdi = :a, urun = :u WHERE S_ID = :id",
               {{"g", e.after.value("Giren")},
                {"a", e.after.value("StokAdi")},
                {"u", e.after.value("urun")},
                {"id", e.before.value("S_ID")}});
        return ui::EditResult::ok();
    };
}

void editCell(ui::DataGrid& grid, int position, const QString& field, const QString& typed)
{
    QTreeView* view = grid.view();
    int column = -1;
    const auto columns = grid.columns();
    for (int c = 0; c < columns.size(); ++c)
        if (columns[c].field == field)
            column = c;
    QVERIFY(column >= 0);
    QVERIFY(grid.setCurrentPosition(position));
    view->setCurrentIndex(view->currentIndex().siblingAtColumn(column));
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Return);  // opens the editor
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(editor && editor != view);
    auto* line = qobject_cast<QLineEdit*>(editor);
    QVERIFY(line);
    line->selectAll();
    QTest::keyClicks(editor, typed);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(view));
}

}  // namespace

// Typed into the cells, posted when the row is left, written by the writer.
void TstDataGrid::inPlaceEditsReachDatabase()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    fillLedger(s);
    ui::DataGrid grid;
    grid.setColumns(ledgerColumns());
    grid.setColumnEditable("Giren", true);
    grid.setColumnEditable("StokAdi", true);
    grid.setColumnEditable("urun", true);
    grid.setReadOnly(false);
    int calls = 0;
    grid.setRowWriter(ledgerWriter(s, &calls));
    grid.addFooterSummary("Giren", ui::SummaryKind::Sum);
    grid.setRows(s.select(ledgerSql));
    grid.resize(1000, 500);
    grid.show();
    QVERIFY(QTest::qWaitForWindowActive(&grid));

    const qint64 id = grid.valueAt(2, "S_ID").toLongLong();
    editCell(grid, 2, "Giren", "12.5");
    editCell(grid, 2, "StokAdi", "Elma O'Neil");
    QVERIFY(grid.hasPendingEdit());
    QCOMPARE(calls, 0);  // still on the row
    QCOMPARE(grid.textAt(2, "Giren"), QString("12,50"));

    QTest::keyClick(grid.view(), Qt::Key_Down);  // leaving the row posts it
    QCOMPARE(calls, 1);
    QVERIFY(!grid.hasPendingEdit());
    QCOMPARE(grid.currentPosition(), 3);
    auto stored = s.selectOne("SELECT Giren, StokAdi FROM Q_ITEMS_MOV WHERE S_ID = :id", {{"id", id}});
    QCOMPARE(stored->number("Giren"), 12.5);
    QCOMPARE(stored->text("StokAdi"), QString("Elma O'Neil"));
    QVERIFY(
        qFuzzyCompare(grid.footerValue("Giren").toDouble(), s.scalar("SELECT SUM(Giren) FROM Q_ITEMS_MOV").toDouble()));

    // A check box toggled with Space, posted by the window's save (commitEdit).
    const bool before = grid.valueAt(3, "urun").toInt() != 0;
    QTreeView* view = grid.view();
    view->setCurrentIndex(view->currentIndex().siblingAtColumn(8));
    QTest::keyClick(view, Qt::Key_Space);
    QVERIFY(grid.hasPendingEdit());
    QVERIFY(grid.commitEdit());
    QCOMPARE(s.scalar("SELECT urun FROM Q_ITEMS_MOV WHERE S_ID = :id", {{"id", grid.valueAt(3, "S_ID")}}).toInt(),
             before ? 0 : 1);

    // A row left untouched after opening an editor writes nothing.
    editCell(grid, 4, "Giren", grid.textAt(4, "Giren").replace(',', '.'));
    QTest::keyClick(grid.view(), Qt::Key_Down);
    QCOMPARE(calls, 2);
    QVERIFY(driver_->shown.isEmpty());
}

void TstDataGrid::refusedEditStaysUntilCorrectedOrDropped()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    fillLedger(s);
    ui::DataGrid grid;
    grid.setColumns(ledgerColumns());
    grid.setColumnEditable("Giren", true);
    grid.setReadOnly(false);
    int calls = 0;
    grid.setRowWriter(ledgerWriter(s, &calls));
    grid.setRows(s.select(ledgerSql));
    grid.show();
    QVERIFY(QTest::qWaitForWindowActive(&grid));
    const QVariant id = grid.valueAt(1, "S_ID");
    const double original = grid.valueAt(1, "Giren").toDouble();

    // Refused: the message shows, the cursor stays, the typed value stays.
    QVERIFY(grid.setCurrentPosition(1));
    QVERIFY(grid.setValueAt(1, "Giren", -3));
    QTest::keyClick(grid.view(), Qt::Key_Down);
    QCOMPARE(calls, 1);
    QCOMPARE(driver_->texts(), QStringList({"Giren miktarı eksi olamaz."}));
    QCOMPARE(grid.currentPosition(), 1);
    QVERIFY(grid.hasPendingEdit());
    QCOMPARE(grid.valueAt(1, "Giren").toDouble(), -3.0);
    QVERIFY(!grid.setCurrentPosition(5));
    QCOMPARE(s.scalar("SELECT Giren FROM Q_ITEMS_MOV WHERE S_ID = :id", {{"id", id}}).toDouble(), original);

    // Corrected: posted on leaving.
    QVERIFY(grid.setValueAt(1, "Giren", 7));
    QVERIFY(grid.setCurrentPosition(5));
    QCOMPARE(s.scalar("SELECT Giren FROM Q_ITEMS_MOV WHERE S_ID = :id", {{"id", id}}).toDouble(), 7.0);

    // Esc drops an edit.
    QVERIFY(grid.setCurrentPosition(1));
    QVERIFY(grid.setValueAt(1, "Giren", -1));
    grid.view()->setFocus();
    QTest::keyClick(grid.view(), Qt::Key_Escape);
    QVERIFY(!grid.hasPendingEdit());
    QCOMPARE(grid.valueAt(1, "Giren").toDouble(), 7.0);

    // A database error shows the server's text and keeps the edit.
    driver_->clear();
    grid.setRowWriter([&s](const ui::RowEdit&) -> ui::EditResult {
        s.exec("UPDATE Q_ITEMS_MOV SET Yok = 1");
        return ui::EditResult::ok();
    });
    QVERIFY(grid.setValueAt(1, "Giren", 8));
    QVERIFY(!grid.commitEdit());
    QCOMPARE(driver_->shown.size(), 1);
    QCOMPARE(driver_->shown.first().kind, QString("error"));
    QVERIFY(grid.hasPendingEdit());

    // A writer may also refuse and put the row back.
    grid.setRowWriter([](const ui::RowEdit&) { return ui::EditResult::refuseAndRevert("Kayıt kilitli."); });
    QVERIFY(grid.setCurrentPosition(6));
    QCOMPARE(driver_->texts().last(), QString("Kayıt kilitli."));
    QCOMPARE(grid.currentPosition(), 6);
    QVERIFY(!grid.hasPendingEdit());
    QCOMPARE(grid.valueAt(1, "Giren").toDouble(), 7.0);
}

void TstDataGrid::newRowLineInserts()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    fillLedger(s);
    ui::DataGrid grid;
    grid.setColumns(ledgerColumns());
    for (const char* f : {"StokKodu", "StokAdi", "Giren"})
        grid.setColumnEditable(f, true);
    grid.setReadOnly(false);
    grid.setNewRowAllowed(true);
    grid.setRowWriter([&s](const ui::RowEdit& e) {
        if (e.kind != ui::RowEdit::Kind::Insert)
            return ui::EditResult::refuse("Beklenmeyen");
        if (e.after.text("StokKodu").isEmpty())
            return ui::EditResult::refuse("Stok kodu boş olamaz.");
        const qint64 id = s.insert(
            "INSERT INTO Q_ITEMS_MOV (StokKodu, StokAdi, Giren) VALUES (:k, :a, :g) RETURNING S_ID",
            {{"k", e.after.value("StokKodu")}, {"a", e.after.value("StokAdi")}, {"g", e.after.value("Giren")}});
        return ui::EditResult::ok(
            s.selectOne(QString(ledgerSql).replace("ORDER BY S_ID", "WHERE S_ID = :id"), {{"id", id}}));
    });
    grid.setRows(s.select(ledgerSql));
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    QVERIFY(grid.setNewRowValue("Giren", "4.5"));
    QVERIFY(!grid.commitEdit());
    QCOMPARE(driver_->texts(), QStringList({"Stok kodu boş olamaz."}));
    QVERIFY(grid.setNewRowValue("StokKodu", "Y01"));
    QVERIFY(grid.setNewRowValue("StokAdi", "Yeni Ürün"));
    QVERIFY(grid.commitEdit());
    QCOMPARE(grid.rowCount(), 43);
    const qint64 newId = s.scalar("SELECT MAX(S_ID) FROM Q_ITEMS_MOV").toLongLong();
    QCOMPARE(grid.valueAt(42, "S_ID").toLongLong(), newId);  // the stored row, with its key
    QCOMPARE(grid.valueAt(42, "Giren").toDouble(), 4.5);
    QCOMPARE(s.scalar("SELECT StokAdi FROM Q_ITEMS_MOV WHERE S_ID = :id", {{"id", newId}}).toString(),
             QString("Yeni Ürün"));
}

void TstDataGrid::groupingSums()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    fillLedger(s);
    ui::DataGrid grid;
    grid.setColumns(ledgerColumns());
    grid.addGroupSummary("Giren", ui::SummaryKind::Sum, "#,##0.00");
    grid.addGroupSummary("Cikan", ui::SummaryKind::Count, "Adet=0");
    grid.addFooterSummary("Giren", ui::SummaryKind::Sum, "#,##0.00");
    grid.setGroupPanelVisible(true);
    grid.setBatchSize(5);
    grid.setSource(s.cursor(ledgerSql));
    grid.groupBy("department");
    QVERIFY(grid.allFetched());
    QVERIFY(!grid.isColumnVisible("department"));  // shown in the group rows instead

    const auto sums = s.select(
        "SELECT department, SUM(Giren) AS g, COUNT(*) AS n FROM Q_ITEMS_MOV "
        "GROUP BY department ORDER BY department");
    QCOMPARE(grid.groupCount(), sums.size());
    for (int g = 0; g < sums.size(); ++g) {
        QCOMPARE(grid.groupText(g), sums[g].text("department"));
        QCOMPARE(grid.groupSize(g), int(sums[g].integer("n")));
        QCOMPARE(grid.groupSummaryText(g, "Giren"), ui::formatNumber(sums[g].number("g"), "#,##0.00"));
        QCOMPARE(grid.groupSummaryText(g, "Cikan"), QString("Adet=%1").arg(sums[g].integer("n")));
    }
    // Rows of a group follow each other; positions count data rows only.
    QCOMPARE(grid.rowCount(), 42);
    QCOMPARE(grid.valueAt(0, "department").toString(), QString("Bar"));
    QCOMPARE(grid.valueAt(41, "department").toString(), QString("Mutfak"));
    // Filtering regroups.
    grid.setColumnFilter("StokAdi", "elma");
    QCOMPARE(grid.groupCount(), 3);
    QCOMPARE(grid.groupSize(0) + grid.groupSize(1) + grid.groupSize(2), 6);
    grid.ungroup();
    QVERIFY(grid.isColumnVisible("department"));
    QCOMPARE(grid.groupCount(), 0);
}

// The group-by box takes a caption dragged up out of the header (the drop
// is sent by hand: a real drag runs its own event loop).
void TstDataGrid::captionDraggedToGroupBox()
{
    db::RowSet rs;
    rs.columns = std::make_shared<const db::Columns>(QStringList{"department", "StokAdi", "Giren"});
    for (const auto& m : movements())
        rs.rows.emplace_back(rs.columns, QVariantList{m.department, m.name, m.in});
    ui::DataGrid grid;
    grid.setGroupPanelVisible(true);
    grid.setRows(rs);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    auto* panel = grid.findChild<ui::GroupPanel*>();
    QVERIFY(panel && panel->isVisible());

    auto drop = [&](const QByteArray& payload) {
        QMimeData mime;
        mime.setData(ui::GridHeader::mimeType(), payload);
        const QPointF at = panel->rect().center();
        QDragEnterEvent enter(at.toPoint(), Qt::MoveAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(panel, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(at, Qt::MoveAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(panel, &dropped);
        return true;
    };
    auto* header = static_cast<ui::GridHeader*>(grid.view()->header());
    // A column from another grid is refused.
    ui::DataGrid other;
    QVERIFY(!drop(QByteArray::number(quintptr(other.view()->header())) + ":0"));
    QVERIFY(drop(QByteArray::number(quintptr(header)) + ":0"));
    QCOMPARE(grid.groupField(), QString("department"));
    QCOMPARE(grid.groupCount(), 3);
}

void TstDataGrid::sortIsStableAndTurkish()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    fillLedger(s);
    ui::DataGrid grid;
    grid.setColumns(ledgerColumns());
    grid.setRows(s.select(ledgerSql));

    auto groupsInOrder = [&] {
        QStringList out;
        for (int i = 0; i < grid.rowCount(); ++i)
            if (out.isEmpty() || out.last() != grid.textAt(i, "Grup"))
                out << grid.textAt(i, "Grup");
        return out;
    };
    auto idsStayInReadOrder = [&] {
        for (int i = 1; i < grid.rowCount(); ++i)
            if (grid.textAt(i, "Grup") == grid.textAt(i - 1, "Grup") &&
                grid.valueAt(i, "S_ID").toLongLong() < grid.valueAt(i - 1, "S_ID").toLongLong())
                return false;
        return true;
    };
    grid.sortBy("Grup");
    QCOMPARE(groupsInOrder(), QStringList({"Cips", "Çorba", "Dondurma", "Meyve", "Pasta", "Sos"}));
    QVERIFY(idsStayInReadOrder());
    grid.sortBy("Grup", Qt::DescendingOrder);
    QCOMPARE(groupsInOrder(), QStringList({"Sos", "Pasta", "Meyve", "Dondurma", "Çorba", "Cips"}));
    QVERIFY(idsStayInReadOrder());

    // Numbers sort as numbers; a second key breaks ties.
    grid.sortBy("Cikan");
    grid.sortBy("Giren", Qt::DescendingOrder, true);
    for (int i = 1; i < grid.rowCount(); ++i) {
        const double a = grid.valueAt(i - 1, "Cikan").toDouble();
        const double b = grid.valueAt(i, "Cikan").toDouble();
        QVERIFY(a <= b);
        if (a == b)
            QVERIFY(grid.valueAt(i - 1, "Giren").toDouble() >= grid.valueAt(i, "Giren").toDouble());
    }
    // Clicking a caption sorts by it, again reverses.
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    auto* header = grid.view()->header();
    const QPoint caption(header->sectionViewportPosition(3) + 10, 8);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, caption);
    QCOMPARE(grid.textAt(0, "StokAdi"), QString("Cips"));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, caption);
    QCOMPARE(grid.textAt(0, "StokAdi"), QString("İncir"));  // Turkish order: ı before i
    grid.clearSort();
    QCOMPARE(grid.valueAt(0, "S_ID").toLongLong(), s.scalar("SELECT MIN(S_ID) FROM Q_ITEMS_MOV").toLongLong());
}

void TstDataGrid::exportCsvAndXlsx()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    fillLedger(s);
    s.exec("UPDATE Q_ITEMS_MOV SET StokAdi = :a WHERE S_ID = (SELECT MIN(S_ID) FROM Q_ITEMS_MOV)",
           {{"a", "Elma; \"Amasya\""}});
    ui::DataGrid grid;
    grid.setColumns(ledgerColumns());
    grid.setColumnVisible("StokKodu", false);
    grid.addFooterSummary("Giren", ui::SummaryKind::Sum, "#,##0.00");
    grid.setBatchSize(4);
    grid.setSource(s.cursor(ledgerSql));
    grid.setColumnFilter("department", "Mutfak");

    QTemporaryDir dir;
    const QString csv = dir.filePath("liste.csv");
    QVERIFY(grid.exportCsv(csv));
    QFile f(csv);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1 + 14);
    QCOMPARE(lines[0], QString("No;Tarih;Stok Adı;Grup;Depo;Giren;Çıkan;Ürün"));
    const QString firstId = grid.textAt(0, "S_ID");
    QCOMPARE(lines[1], QString("%1;01.01.2026;\"Elma; \"\"Amasya\"\"\";Meyve;Mutfak;0,00;0,00;0").arg(firstId));
    QVERIFY(lines.join('\n').contains(";1.234,50;"));

    // The same through the export command, with the file name asked.
    const QString xlsx = dir.filePath("liste.xlsx");
    driver_->answerFileName(xlsx);
    grid.exportInteractive(true);
    QCOMPARE(driver_->shown.last().kind, QString("save"));
    QFile x(xlsx);
    QVERIFY(x.open(QIODevice::ReadOnly));
    QVERIFY(x.read(2) == "PK");
    QVERIFY(x.size() > 3000);

    // A folder that cannot be written: the error box names the file.
    driver_->answerFileName(dir.filePath("yok/liste.csv"));
    grid.exportInteractive(false);
    QCOMPARE(driver_->shown.last().kind, QString("error"));
    QCOMPARE(driver_->shown.last().text, QString("Dosya yazılamadı: liste.csv"));
}

void TstDataGrid::printJobGoesToInstalledPrinter()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    fillLedger(s);
    ui::DataGrid grid;
    grid.setColumns(ledgerColumns());
    grid.setColumnVisible("tarih", false);
    grid.addFooterSummary("Giren", ui::SummaryKind::Sum, "#,##0.00");
    grid.addFooterSummary("S_ID", ui::SummaryKind::Count, "Adet=0");
    grid.setTitle("Kritik Stok Seviyeleri");
    grid.setBatchSize(3);
    grid.setSource(s.cursor(ledgerSql));
    grid.setColumnFilter("Grup", "meyve");
    grid.sortBy("Giren", Qt::DescendingOrder);

    QList<ui::GridPrintJob> jobs;
    QList<bool> previews;
    ui::setGridPrinter([&](QWidget*, const ui::GridPrintJob& job, bool preview) {
        jobs << job;
        previews << preview;
    });
    grid.print(true);
    QCOMPARE(jobs.size(), 1);
    QVERIFY(previews.first());
    const ui::GridPrintJob& job = jobs.first();
    QCOMPARE(job.title, QString("Kritik Stok Seviyeleri"));
    QCOMPARE(job.captions, QStringList({"No", "Stok Kodu", "Stok Adı", "Grup", "Depo", "Giren", "Çıkan", "Ürün"}));
    QCOMPARE(job.widths.size(), job.captions.size());
    QVERIFY(job.alignments[5] == Qt::AlignRight);
    QCOMPARE(job.rows.size(), 12);
    QCOMPARE(job.rows.first()[5], QString("1.234,50"));
    QCOMPARE(job.footer[0], QString("Adet=12"));
    QCOMPARE(
        job.footer[5],
        ui::formatNumber(s.scalar("SELECT SUM(Giren) FROM Q_ITEMS_MOV WHERE Grup = :g", {{"g", "Meyve"}}).toDouble(),
                         "#,##0.00"));
    QVERIFY(job.rows.first()[7] == QString("✓") || job.rows.first()[7].isEmpty());
}

void TstDataGrid::builtInPrintoutPaginates()
{
    ui::GridPrintJob job;
    job.title = "Liste";
    job.captions = {"Kod", "Ad", "Tutar"};
    job.widths = {80, 200, 100};
    job.alignments = {Qt::AlignLeft, Qt::AlignLeft, Qt::AlignRight};
    for (int i = 0; i < 200; ++i)
        job.rows << QStringList{QString::number(i), "Satır", ui::formatNumber(i * 10.5, "#,##0.00")};
    job.footer = {"", "", "208.950,00"};
    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath("liste.pdf"));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    const int pages = ui::paintGridJob(pdf, job);
    QVERIFY2(pages >= 3 && pages <= 8, qPrintable(QString::number(pages)));
}

void TstDataGrid::lazyFetchReadsOneBatch()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    s.exec(
        "INSERT INTO Q_ITEMS_MOV (StokKodu, StokAdi, department, Giren) "
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 50000) "
        "SELECT 'K' || i, 'Ürün ' || i, 'Depo', i FROM n");
    ui::DataGrid grid;
    grid.setColumns({{.field = "S_ID"}, {.field = "StokAdi"}, {.field = "Giren", .format = "#,##0.00"}});
    auto read = std::make_shared<int>(0);
    grid.resize(800, 600);
    grid.setSource(std::make_unique<CountingSource>(
        s.cursor("SELECT S_ID, StokKodu, StokAdi, Giren FROM Q_ITEMS_MOV ORDER BY S_ID"), read));
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCoreApplication::processEvents();
    QCOMPARE(*read, 1000);
    QCOMPARE(grid.rowCount(), 1000);
    QVERIFY(!grid.allFetched());
    QCOMPARE(grid.textAt(999, "Giren"), QString("1.000,00"));

    // Scrolling to the end reads the next batch.
    grid.view()->scrollToBottom();
    QCoreApplication::processEvents();
    QTRY_COMPARE(*read, 2000);

    // Sorting needs every row.
    grid.sortBy("Giren", Qt::DescendingOrder);
    QCOMPARE(*read, 50000);
    QVERIFY(grid.allFetched());
    QCOMPARE(grid.rowCount(), 50000);
    QCOMPARE(grid.textAt(0, "Giren"), QString("50.000,00"));
}

// Pictures of the grid for a look by eye: written when MANAGER_UI_SHOTS names a folder.
void TstDataGrid::screenshots()
{
    const QString folder = qEnvironmentVariable("MANAGER_UI_SHOTS");
    if (folder.isEmpty())
        QSKIP("MANAGER_UI_SHOTS not set");
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    fillLedger(s);
    ui::DataGrid grid;
    grid.setWindowTitle("Stok Hareketleri");
    grid.setColumns(ledgerColumns());
    grid.setColumnVisible("S_ID", false);
    grid.addFooterSummary("Giren", ui::SummaryKind::Sum, "#,##0.00");
    grid.addFooterSummary("Cikan", ui::SummaryKind::Sum, "#,##0.00");
    grid.addFooterSummary("StokAdi", ui::SummaryKind::Count, "Adet=0");
    grid.addGroupSummary("Giren", ui::SummaryKind::Sum, "#,##0.00");
    grid.addGroupSummary("Cikan", ui::SummaryKind::Sum, "#,##0.00");
    grid.setFilterRowVisible(true);
    grid.setGroupPanelVisible(true);
    grid.setFilterBoxVisible(true);
    grid.setRows(s.select(ledgerSql));
    grid.resize(900, 520);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QTest::qWait(50);
    grid.grab().save(QDir(folder).filePath("grid_plain.png"));
    grid.setColumnFilter("StokAdi", "a");
    grid.groupBy("department");
    QTest::qWait(50);
    grid.grab().save(QDir(folder).filePath("grid_grouped.png"));
    grid.clearFilters();
    grid.ungroup();
    grid.setRows({});
    QTest::qWait(50);
    grid.grab().save(QDir(folder).filePath("grid_empty.png"));

    ui::DataGrid edit;
    edit.setColumns(ledgerColumns());
    edit.setColumnEditable("Giren", true);
    edit.setColumnEditable("urun", true);
    edit.setReadOnly(false);
    edit.setNewRowAllowed(true);
    edit.setRows(s.select(QString(ledgerSql) + " LIMIT 6"));
    edit.resize(800, 260);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    edit.setValueAt(2, "Giren", 99.5);
    edit.setCurrentPosition(2);
    QTest::qWait(50);
    edit.grab().save(QDir(folder).filePath("grid_editing.png"));
}

QTEST_MAIN(TstDataGrid)
#include "tst_data_grid.moc"
