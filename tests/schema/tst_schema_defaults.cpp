// Columns the database fills: record dates and times, workstation columns,
// flags and amounts the writers leave out, moments kept beside date and time,
// the order requests' card data, number ranges and row versions.
#include "db/session.h"
#include "db/values.h"
#include "fixture.h"
#include "test_db.h"

#include <QRegularExpression>
#include <QtTest>

using schematest::day;
using schematest::put;
using testsupport::TestDatabase;

namespace {

bool nearNow(const QDateTime& moment)
{
    return moment.isValid() && qAbs(moment.secsTo(QDateTime::currentDateTime())) < 120;
}

bool isTimeText(const QString& text)
{
    static const QRegularExpression re(R"(^\d\d:\d\d:\d\d$)");
    return re.match(text.trimmed()).hasMatch();
}

}  // namespace

class TstSchemaDefaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void documentHeadersGetRecordMomentAndWorkstation_data();
    void documentHeadersGetRecordMomentAndWorkstation();
    void billsAndAuditRowsNameTheWorkstation();
    void writersLeaveOutFlagsAndAmounts();
    void momentsFollowDateAndTime();
    void orderRequestsTakeTheCardsData();
    void deskBookNumbersNeverMeetTheGeneralBook();
    void eventsCarryARowVersion();
    void passwordsHoldFifteenCharacters();
};

void TstSchemaDefaults::documentHeadersGetRecordMomentAndWorkstation_data()
{
    QTest::addColumn<QString>("insert");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("dateColumn");  // empty: the table has none
    QTest::addColumn<QString>("timeColumn");
    QTest::newRow("Q_INVOICE") << "insert into Q_invoice (Fno,tur) values('k','Alış')"
                               << "Q_INVOICE"
                               << "kayit_tar"
                               << "kayit_saat";
    QTest::newRow("Q_WAYBIL") << "insert into Q_waybil (irs_key,tur) values('k','Alış')"
                              << "Q_WAYBIL"
                              << "kayittar"
                              << "kayitsaat";
    QTest::newRow("Q_SIPARIS_MASTER") << "insert into Q_siparis_master (Fno,tur,Fgrup) values('k','Alış','1')"
                                      << "Q_SIPARIS_MASTER"
                                      << "kayit_tar"
                                      << "kayit_saat";
    QTest::newRow("Q_SIPARIS_DETAY") << "insert into Q_siparis_detay (Fno, stokkodu) values('k','S')"
                                     << "Q_SIPARIS_DETAY" << QString() << QString();
}

void TstSchemaDefaults::documentHeadersGetRecordMomentAndWorkstation()
{
    QFETCH(QString, insert);
    QFETCH(QString, table);
    QFETCH(QString, dateColumn);
    QFETCH(QString, timeColumn);
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    s.exec(insert);
    const auto r = s.selectOne("SELECT * FROM " + table);
    QVERIFY(r);
    if (!dateColumn.isEmpty()) {
        QVERIFY2(nearNow(r->dateTime(dateColumn)), qPrintable(r->text(dateColumn)));
        QVERIFY2(isTimeText(r->text(timeColumn)), qPrintable(r->text(timeColumn)));
    }
    QVERIFY(!r->text("PC_NAME").isEmpty());
    QVERIFY(!r->text("PC_USER").isEmpty());
    QVERIFY2(nearNow(db::fromDb(r->value("PC_TARIHI"))), qPrintable(r->text("PC_TARIHI")));
    if (table == "Q_INVOICE" || table == "Q_SIPARIS_MASTER") {
        QCOMPARE(r->number("Toplam"), 0.0);
        QCOMPARE(r->number("KDVTutar"), 0.0);
        QCOMPARE(r->number("iskonto"), 0.0);
        QVERIFY(r->text("Durum").isEmpty());  // never saved: empty state
    }
}

void TstSchemaDefaults::billsAndAuditRowsNameTheWorkstation()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    s.exec("INSERT INTO Q_adisyon (tarih, saat, islem, adisyon, tutar) VALUES (:d, '20:15:00', 'NAKIT', 5, 10)",
           {{"d", day(2026, 1, 2)}});
    const auto bill = s.selectOne("SELECT * FROM Q_Ads");
    QVERIFY(bill);
    QVERIFY(!bill->text("PC_NAME").isEmpty());
    QVERIFY(nearNow(db::fromDb(bill->value("PC_TARIHI"))));
    QCOMPARE(bill->number("ind"), 0.0);
    QCOMPARE(bill->number("servis"), 0.0);

    s.exec("INSERT into Q_bugs (GUN,ZAMAN,sebep,username,URUN_ADI) VALUES (:g, '10:00:00', 'Silindi', 'ali', 'x')",
           {{"g", QDate::currentDate()}});
    const auto audit = s.selectOne("SELECT * FROM Q_bugs");
    QVERIFY(audit);
    QVERIFY(!audit->text("PCNAME").isEmpty());
    QCOMPARE(audit->number("ADET"), 0.0);
    QCOMPARE(audit->date("GUN"), QDate::currentDate());
}

void TstSchemaDefaults::writersLeaveOutFlagsAndAmounts()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    // Production rows are told from uses by tamam, which defaults to 1.
    s.exec(
        "INSERT into Q_uretim (KODU,ADI,gdepartment,cdepartment,tarih,saat,miktar,emp) "
        "VALUES ('Y','Krema','Mutfak','Depo',:d,'10:00:00',1000,'ali')",
        {{"d", day(2026, 1, 2)}});
    QCOMPARE(s.scalar("SELECT tamam FROM Q_URETIM").toInt(), 1);
    s.exec(
        "INSERT into Q_uretim_plan (KODU,ADI,gdepartment,cdepartment,tarih,saat,miktar,emp) "
        "VALUES ('Y','Krema','Mutfak','Depo',:d,'10:00','1000','ali')",
        {{"d", day(2026, 1, 2)}});
    QCOMPARE(s.scalar("SELECT tamam FROM Q_URETIM_PLAN").toInt(), 0);

    // A hall's cash account: no limit (-1), zero totals, registered today.
    s.exec("insert into Q_Customer (HESNO,HESADI,Grup) values ('Teras','Teras','Kasa')");
    const auto c = s.selectOne("SELECT * FROM Q_CUSTOMER");
    QVERIFY(c);
    QCOMPARE(c->number("ustlimit"), -1.0);
    QCOMPARE(c->number("Bakiye"), 0.0);
    QCOMPARE(c->integer("aktif"), 0);
    QCOMPARE(c->date("bastar"), QDate::currentDate());

    // A hall with only its name and password: every switch 0.
    s.exec("INSERT INTO Q_Admin (hall_name, hall_pwd) VALUES ('Teras', '1')");
    const auto h = s.selectOne("SELECT * FROM Q_Admin");
    QVERIFY(h);
    for (const char* flag : {"view_table", "auto_print", "ask_del", "masaac", "takeaway", "otel"})
        QCOMPARE(h->integer(flag), 0);
    QCOMPARE(h->number("add_service_percent"), 0.0);

    // Recipe lines: bmiktar is stored as 0 when the writer leaves it out.
    s.exec("insert into Q_ITEMS_DETAY(receno,ReceteKodu,StokKodu,StokAdi,miktar) values('r','k','S','Un','3')");
    QCOMPARE(s.scalar("SELECT bmiktar FROM Q_ITEMS_DETAY").toDouble(), 0.0);

    // The day-end sheet: Devir, devreden and Kasa stay empty until typed.
    s.exec("INSERT into Q_Kasa_gn (Tarih,HESADI,Q_odemetipi,borc,Alacak,Bakiye) VALUES (:t,'A','NAKIT','0','5','5')",
           {{"t", QDate::currentDate()}});
    const auto gn = s.selectOne("SELECT * FROM Q_KASA_GN");
    QVERIFY(gn);
    QVERIFY(gn->isNull("Devir"));
    QVERIFY(gn->isNull("devreden"));
    QVERIFY(gn->isNull("Kasa"));

    // The branch row and the handover record carry their moment.
    QVERIFY(s.selectOne("SELECT * FROM Q_Sube")->date("tarih").isValid());
    s.exec("INSERT INTO Q_KASA_DEVIR (teslim_eden, alan) VALUES ('a', 'b')");
    QVERIFY(nearNow(s.selectOne("SELECT * FROM Q_KASA_DEVIR")->dateTime("kayit_tarihi")));
}

// zaman of the bills and of the account movements follows tarih and saat,
// also when a row is changed; an empty time reads as midnight.
void TstSchemaDefaults::momentsFollowDateAndTime()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    const qint64 id =
        s.insert("INSERT INTO Q_adisyon (tarih, saat, adisyon) VALUES (:d, '21:30:15', 1) RETURNING ADS_NO",
                 {{"d", day(2026, 12, 9)}});
    QCOMPARE(s.selectOne("SELECT zaman FROM Q_adisyon")->dateTime("zaman"),
             QDateTime(QDate(2026, 12, 9), QTime(21, 30, 15)));
    s.exec("UPDATE Q_adisyon SET saat = '' WHERE ADS_NO = :id", {{"id", id}});
    QCOMPARE(s.selectOne("SELECT zaman FROM Q_Ads")->dateTime("zaman"), QDateTime(QDate(2026, 12, 9), QTime(0, 0)));

    const qint64 k = s.insert(
        "INSERT INTO Q_CUSTOMER_DETAILS (HESNO, Tarih, Saat, Borc) VALUES ('C', :d, '12:00:00', 1) RETURNING KAYIT_NO",
        {{"d", day(2026, 2, 28)}});
    QCOMPARE(s.selectOne("SELECT zaman FROM Q_CUSTOMER_MOVE")->dateTime("zaman"),
             QDateTime(QDate(2026, 2, 28), QTime(12, 0)));
    s.exec("UPDATE Q_CUSTOMER_DETAILS SET Tarih = :d WHERE KAYIT_NO = :k", {{"d", day(2026, 3, 1)}, {"k", k}});
    QCOMPARE(s.selectOne("SELECT zaman FROM Q_CUSTOMER_DETAILS")->dateTime("zaman"),
             QDateTime(QDate(2026, 3, 1), QTime(12, 0)));
}

// The order-entry window writes seven columns; the database adds the card's
// barcode, unit coefficient, base unit and group, the supplier named on the
// card, the item's last purchase and the moment of the request.
void TstSchemaDefaults::orderRequestsTakeTheCardsData()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    put(s, "Q_CUSTOMER", {{"HESNO", "T1"}, {"HESADI", QString::fromUtf8("Tedarik A.Ş.")}, {"Grup", "Tedarikci"}});
    put(s, "Q_ITEMS",
        {{"KODU", "K1"},
         {"ADI", "Un"},
         {"BARKOD", "8690000000001"},
         {"BRMKATSAYI", 2},
         {"AMBMIKTAR", "gr"},
         {"GRUP", "Kuru"},
         {"URETICI", QString::fromUtf8("Tedarik A.Ş.")}});
    for (auto [d, dept] : {std::pair{day(2026, 2, 3), "Depo"}, std::pair{day(2026, 1, 3), "Mutfak"}})
        put(s, "Q_ITEMS_MOV",
            {{"tarih", d},
             {"Saat", "10:00:00"},
             {"Islem", QString::fromUtf8("Alış")},
             {"StokKodu", "K1"},
             {"department", dept},
             {"Giren", 1},
             {"urun", 0}});
    s.exec(
        "INSERT INTO Q_ORDER_DETAY (SIPTAR, KODU, ADI, BIRIM, BIRIMAGR, AFIYAT, BIRIMMIK) "
        "VALUES ('10.02.2026', 'K1', 'Un', 'kg', 1000, 12, 3)");
    s.exec(
        "INSERT INTO Q_ORDER_DETAY (SIPTAR, KODU, ADI, BIRIM, BIRIMAGR, AFIYAT, BIRIMMIK) "
        "VALUES ('10.02.2026', 'YOK', 'Kartı yok', 'kg', 1, 1, 1)");
    const auto rows = s.select("select * from Q_ORDER_DETAY order by sip_key, SIP_ID1");
    QCOMPARE(rows.size(), 2);
    const auto& r = rows[0];
    QCOMPARE(r.text("BARKOD"), QString("8690000000001"));
    QCOMPARE(r.number("BRMKATSAYI"), 2.0);
    QCOMPARE(r.text("AMBMIKTAR"), QString("gr"));
    QCOMPARE(r.text("GRUP"), QString("Kuru"));
    QCOMPARE(r.text("HESNO"), QString("T1"));
    QCOMPARE(r.text("HESADI"), QString::fromUtf8("Tedarik A.Ş."));
    QCOMPARE(r.text("CariGrup"), QString("Tedarikci"));
    QCOMPARE(r.date("SONTAR"), QDate(2026, 2, 3));
    QCOMPARE(r.text("department"), QString("Depo"));
    QVERIFY(nearNow(r.dateTime("sip_key")));
    QCOMPARE(r.number("BIRIMMIK"), 3.0);
    QVERIFY(r.integer("SIP_ID1") > 0);
    QVERIFY(rows[1].isNull("BARKOD"));
    QVERIFY(rows[1].isNull("SONTAR"));
}

// Both cash books post to the account movements with their own row number:
// the desk book counts from 1 000 000 001, the general book from 1.
void TstSchemaDefaults::deskBookNumbersNeverMeetTheGeneralBook()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    const qint64 general = s.insert("INSERT INTO Q_KASA_DETAY (HESADI) VALUES ('A') RETURNING KAYIT_NO");
    const qint64 desk = s.insert("INSERT INTO Q_KASA_DETAY2 (HESADI) VALUES ('B') RETURNING KAYIT_NO");
    QCOMPARE(general, qint64(1));
    QCOMPARE(desk, qint64(1000000001));
    QCOMPARE(s.scalar("select KAYIT_NO from Q_kasa_detay2 order by KAYIT_NO DESC").toLongLong(), desk);
}

void TstSchemaDefaults::eventsCarryARowVersion()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    const qint64 id =
        s.insert("INSERT INTO Q_Events (Caption, Start, Finish) VALUES ('Toplantı', :a, :b) RETURNING ID",
                 {{"a", QDateTime(QDate(2026, 1, 5), QTime(9, 0))}, {"b", QDateTime(QDate(2026, 1, 5), QTime(10, 0))}});
    const qint64 v1 = s.scalar("SELECT upsize_ts FROM Q_Events WHERE ID = :id", {{"id", id}}).toLongLong();
    s.exec("UPDATE Q_Events SET Caption = 'Toplantı 2' WHERE ID = :id", {{"id", id}});
    const qint64 v2 = s.scalar("SELECT upsize_ts FROM Q_Events WHERE ID = :id", {{"id", id}}).toLongLong();
    QVERIFY(v2 > v1);
}

// A password longer than 15 characters is refused by the database.
void TstSchemaDefaults::passwordsHoldFifteenCharacters()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    s.exec("insert into Q_userkontrol (username,pwd,bolum) VALUES (:u, :p, 'Admin')",
           {{"u", "ali"}, {"p", "123456789012345"}});
    QVERIFY_THROWS_EXCEPTION(db::Error, s.exec("insert into Q_userkontrol (username,pwd,bolum) VALUES (:u, :p, '')",
                                               {{"u", "veli"}, {"p", "1234567890123456"}}));
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_userkontrol").toInt(), 1);
    QCOMPARE(s.scalar("SELECT yonetim FROM Q_userkontrol").toInt(), 0);
}

QTEST_GUILESS_MAIN(TstSchemaDefaults)
#include "tst_schema_defaults.moc"
