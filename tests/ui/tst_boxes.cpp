#include "ui/edit_boxes.h"
#include "ui/lookup_box.h"
#include "ui/tree_list.h"

#include <QSignalSpy>
#include <QTreeView>
#include <QtTest>

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

db::RowSet makeRows(const QStringList& names, const QList<QVariantList>& values)
{
    db::RowSet rs;
    rs.columns = std::make_shared<const db::Columns>(names);
    for (const auto& v : values)
        rs.rows.emplace_back(rs.columns, v);
    return rs;
}

}  // namespace

class TstBoxes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numberBoxKeys_data();
    void numberBoxKeys();
    void numberBoxValues();
    void safeTextBoxRefusesQuoteAndPercent();
    void periodBoxDefaultsAndMidnightEnd();
    void dateAndTimeBoxesShowTurkishForms();
    void lookupBoxTypeAhead();
    void lookupBoxExactTextPicks();
    void treeListNestsRows();
};

void TstBoxes::numberBoxKeys_data()
{
    QTest::addColumn<bool>("integer");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("decimal") << false << "12a.5-,3 x"
                             << "12.53";
    QTest::newRow("integer") << true << "12a.5-,3"
                             << "1253";
    QTest::newRow("zeros") << false << "01234567890."
                           << "01234567890.";
    QTest::newRow("letters only") << false << "abc"
                                  << "";
}

void TstBoxes::numberBoxKeys()
{
    QFETCH(bool, integer);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    ui::NumberBox box(integer ? ui::NumberBox::Kind::Integer : ui::NumberBox::Kind::Decimal);
    QTest::keyClicks(&box, typed);
    QCOMPARE(box.text(), kept);
    // Backspace still edits, and pasted text obeys the same rule.
    box.setText("45");
    box.end(false);
    QTest::keyClick(&box, Qt::Key_Backspace);
    QCOMPARE(box.text(), QString("4"));
    box.insert("7%");
    QCOMPARE(box.text(), QString("4"));
    box.insert("7");
    QCOMPARE(box.text(), QString("47"));
}

void TstBoxes::numberBoxValues()
{
    ui::NumberBox box;
    QVERIFY(!box.number());
    QCOMPARE(box.value(), 0.0);
    QTest::keyClicks(&box, "12.75");
    QCOMPARE(box.number(), std::optional<double>(12.75));
    box.setText("1.2.3");
    QVERIFY(!box.number());
    box.setValue(1234.5);
    QCOMPARE(box.text(), QString("1234.5"));
    box.setValue(3, 2);
    QCOMPARE(box.text(), QString("3.00"));
    ui::NumberBox days(ui::NumberBox::Kind::Integer);
    days.setValue(29.6);
    QCOMPARE(days.text(), QString("30"));
}

void TstBoxes::safeTextBoxRefusesQuoteAndPercent()
{
    ui::SafeTextBox box;
    typeText(&box, "Ali'nin %50 çığ İşi");
    QCOMPARE(box.text(), QString("Alinin 50 çığ İşi"));
    box.insert("x'y");
    QCOMPARE(box.text(), QString("Alinin 50 çığ İşi"));
}

void TstBoxes::periodBoxDefaultsAndMidnightEnd()
{
    ui::PeriodBox box;
    const QDate today = QDate::currentDate();
    QCOMPARE(box.start(), QDateTime(today, QTime(7, 0, 0)));
    QCOMPARE(box.end(), QDateTime(today.addDays(1), QTime(5, 59, 0)));
    QCOMPARE(box.startTimeBox()->text(), QString("07:00:00"));
    QCOMPARE(box.endTimeBox()->text(), QString("05:59:00"));

    QSignalSpy changed(&box, &ui::PeriodBox::changed);
    const QDate day(2026, 2, 28);
    box.setBusinessDay(day);
    QCOMPARE(box.start(), QDateTime(day, QTime(7, 0)));
    QCOMPARE(box.end(), QDateTime(QDate(2026, 3, 1), QTime(5, 59)));
    QVERIFY(changed.count() > 0);

    // An end time of 00:00:00 is the end of that day; a start at 00:00:00 stays.
    box.endTimeBox()->setTime(QTime(0, 0, 0));
    box.startTimeBox()->setTime(QTime(0, 0, 0));
    QCOMPARE(box.end(), QDateTime(QDate(2026, 3, 1), QTime(23, 59, 0)));
    QCOMPARE(box.start(), QDateTime(day, QTime(0, 0, 0)));
    box.endTimeBox()->setTime(QTime(0, 0, 1));
    QCOMPARE(box.end(), QDateTime(QDate(2026, 3, 1), QTime(0, 0, 1)));
}

void TstBoxes::dateAndTimeBoxesShowTurkishForms()
{
    ui::DateBox date(QDate(2026, 1, 5));
    QCOMPARE(date.text(), QString("05.01.2026"));
    ui::TimeBox time(QTime(7, 5, 9));
    QCOMPARE(time.text(), QString("07:05:09"));
}

void TstBoxes::lookupBoxTypeAhead()
{
    QWidget window;
    auto* box = new ui::LookupBox(&window);
    box->setRows(makeRows({"KODU", "ADI", "FIYAT"}, {{"001", "Elma", 12.5},
                                                     {"002", "IŞIK SOSU", 40.0},
                                                     {"003", "Işıklı Kek", 55.0},
                                                     {"004", "İncir", 80.0},
                                                     {"005", "Limon", 9.0}}),
                 "ADI", {"KODU", "ADI", "FIYAT"});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    box->setFocus();
    QSignalSpy picked(box, &ui::LookupBox::picked);

    // Turkish folding: "ış" finds both spellings of the dotless i, not "İncir" or "Limon".
    typeText(box, "ış");
    QStringList names;
    for (const auto& r : box->matches())
        names << r.text("ADI");
    QCOMPARE(names, QStringList({"IŞIK SOSU", "Işıklı Kek"}));
    QTRY_VERIFY(box->popup()->isVisible());
    QVERIFY(!box->row());

    // The code column is searched too; Down and Enter in the list pick a row.
    box->clear();
    QTest::keyClicks(box, "00");
    QCOMPARE(box->matches().size(), 5);
    QTest::keyClick(box->popup(), Qt::Key_Down);
    QTest::keyClick(box->popup(), Qt::Key_Return);
    QCOMPARE(picked.count(), 1);
    QVERIFY(box->row());
    QCOMPARE(box->row()->text("KODU"), QString("002"));
    QCOMPARE(box->text(), QString("IŞIK SOSU"));

    // Typing again drops the pick until a row is chosen.
    QTest::keyClick(box, Qt::Key_Backspace);
    QVERIFY(!box->row());
    QVERIFY(box->pick("KODU", "004"));
    QCOMPARE(box->text(), QString("İncir"));
    QCOMPARE(box->row()->number("FIYAT"), 80.0);
    QVERIFY(!box->pick("KODU", "999"));
}

void TstBoxes::lookupBoxExactTextPicks()
{
    QWidget window;
    auto* box = new ui::LookupBox(&window);
    auto* next = new QLineEdit(&window);
    next->move(0, 40);
    box->setRows(makeRows({"KODU", "ADI"}, {{"1", "Elma"}, {"2", "Limon"}}), "ADI");
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    box->setFocus();
    box->setText("lİMON");  // typed in full, any case: picked when the box is left
    Q_EMIT box->editingFinished();
    QVERIFY(box->row());
    QCOMPARE(box->row()->text("KODU"), QString("2"));
    QCOMPARE(box->text(), QString("Limon"));
}

void TstBoxes::treeListNestsRows()
{
    ui::TreeList tree;
    tree.setColumns({{"ADI", "Grup", {}}, {"KOD", "Kod", {}}});
    tree.setRows(makeRows({"KOD", "UST", "ADI"}, {{1, 0, "Yiyecek"},
                                                  {2, 1, "Meyve"},
                                                  {3, 2, "Elma"},
                                                  {4, 0, "İçecek"},
                                                  {5, 4, "Soğuk"},
                                                  {6, 99, "Yetim"},
                                                  {7, 7, "Kendi"}}),
                 "KOD", "UST");
    QStringList top;
    for (const auto& r : tree.childrenOf({}))
        top << r.text("ADI");
    QCOMPARE(top, QStringList({"Yiyecek", "İçecek", "Yetim", "Kendi"}));
    QCOMPARE(tree.childrenOf(1).size(), 1);
    QCOMPARE(tree.childrenOf(2).first().text("ADI"), QString("Elma"));
    QVERIFY(tree.locate(3));
    QCOMPARE(tree.currentRow()->text("ADI"), QString("Elma"));
    QVERIFY(!tree.locate(42));
}

QTEST_MAIN(TstBoxes)
#include "tst_boxes.moc"
