// Every table and view of the administration, document, account, recipe,
// cash and point-of-sale subsystems exists and answers SELECT * with the
// columns the program and the point-of-sale terminals rely on; a column the
// database has beyond them must be one of the few extras listed with the object.
#include "db/session.h"
#include "test_db.h"

#include <QSet>
#include <QtTest>

using testsupport::TestDatabase;

namespace {

QStringList split(const char* list)
{
    QStringList out;
    for (const QString& s : QString::fromUtf8(list).split(',', Qt::SkipEmptyParts))
        out << s.trimmed();
    return out;
}

const char* const kLedgerColumns =
    "S_ID,tarih,Saat,waiter,ozet,fno,irsno,receno,Islem,HESNO,HESADI,hesgrup,StokKodu,StokAdi,Grup,department,"
    "Olcu,Birim,BIRIMMIK,AMBMIKTAR,Adet,Giren,Cikan,Zayi,tuketim,urun,Maliyet,Fiyat,Tutar,Kdv,KdvTutari,Vade,"
    "afiyat,hall_name,adsno,uretno,ISKONTO1,ISKONTO2,ISKTUTAR1,ISKTUTAR2,kdvsizfiyfat,kdvsiztutfat,ack";

const char* const kInvoiceColumns =
    "SiraNo,Fno,tur,fatno,HESNO,HESADI,hesgrup,tarih,saat,IrsaliyeNo,Department,Durum,Fgrup,Opsiyon,Vadeoran,"
    "VadeTutar,KDV,KDVTutar,Tutar,Toplam,emp,kayit_tar,kayit_saat,ACK,iskonto,odemetipi,KASAADI,vadetar,sube,"
    "PC_NAME,PC_USER,PC_TARIHI";

const char* const kWaybillColumns =
    "sira,irs_key,irsno,HESNO,HESADI,tur,cins,Tarih,saat,fno,Department,odenek,KDVTutar,Tutar,Toplam,al,emp,"
    "kayittar,kayitsaat,carientegre,ACK,odemetipi,KASAADI,PC_NAME,PC_USER,PC_TARIHI";

const char* const kCustomerDetailsColumns =
    "KAYIT_NO,CARIHESAP_ID,HESNO,HESADI,DOVIZ_ID,Grup,irsno,fno,Saat,Tarih,ads,Detay,Islem,Q_odemetipi,Borc,"
    "Alacak,Garson,Salon,Pax,indirim,mahsup,toplu";

const char* const kCashRowColumns =
    "KAYIT_NO,CARIHESAP_ID,HESNO,HESADI,DOVIZ_ID,Grup,Saat,Tarih,Detay,Islem,Q_odemetipi,Borc,Alacak,Bakiye,"
    "SIRKET,AHESAP,AADI,AGRUP,FDETAY";

const char* const kCashierViewColumns =
    "zaman,KASAADI,ACIKLAMA,HESADI,Tarih,Saat,Detay,Islem,Q_odemetipi,Borc,Alacak,Bakiye,CARIHESAP_ID,AHESAP,"
    "AADI,AGRUP";

const char* const kReelzamColumns =
    "Z_ID,KODU,ADI,GRUP,CATEGORY,SFIYAT,MALIYET,ZamTar,OrtSatisAdet,ortsattutar,yuzde_art,fiyat_art,kar_marj,"
    "yenifiyat,reelzamoran,emp";

const char* const kRecipeViewColumns = "ADI,GRUP,CATEGORY,KODU,KDV,MALIYET,SFIYAT,KDVBUL,KDVSIZFIYAT,COST";

const char* const kDesksColumns = "KASA_ID,SIRKET,KASANO,KASAADI,DOVIZ_ID,HESAP_ID,KOD,ACIKLAMA,devirtop";

QString cat(std::initializer_list<const char*> parts)
{
    QStringList all;
    for (const char* p : parts)
        all << QString::fromUtf8(p);
    return all.join(',');
}

}  // namespace

class TstSchemaObjects : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { db_ = TestDatabase::fresh(); }
    void cleanupTestCase() { db_.reset(); }
    void objectHasItsColumns_data();
    void objectHasItsColumns();
    void identityKeysComeBackFromInsert_data();
    void identityKeysComeBackFromInsert();

private:
    std::unique_ptr<TestDatabase> db_;  // one database for the read-only checks
};

void TstSchemaObjects::objectHasItsColumns_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("expected");  // the columns relied on; empty: none are named
    QTest::addColumn<QString>("extras");    // columns of our own beyond those

    auto row = [](const char* object, const QString& expected, const char* extras = "") {
        QTest::newRow(object) << QString::fromUtf8(object) << expected << QString::fromUtf8(extras);
    };

    // Dashboard calendar, users and permissions.
    row("Q_Events",
        "ID,ParentID,Type,Start,Finish,Options,Caption,RecurrenceIndex,RecurrenceInfo,ResourceID,Location,Message,"
        "ReminderDate,ReminderMinutes,State,LabelColor,ActualStart,ActualFinish,SyncID,SportID,upsize_ts");
    row("Q_userkontrol", "auto_no,username,pwd,bolum,yonetim");
    row("Q_FRM", "PR_ID,PR_PARENT,PR_NAME,PR_INFO,YAZ");
    row("Q_frmmaster", "PR_ID,PR_PARENT,PR_NAME,PR_INFO,YAZ");
    row("Q_U_Arac", "Q_UID,ARACNO");

    // Administration.
    row("Q_bugs",
        "S_ID,GUN,ZAMAN,garson,username,indirim,ind_geri,servis,servis_geri,hall_name,total,adisyon,sebep,"
        "item_trans,bill_trans,silindi,iade,URUN_ADI,ADET,deta,masa,PCNAME");
    row("Q_backup", "M_ID,saat");
    row("Q_mail", "M_ID,mail1,mail2,sendtime,sube,tumu,tarih");
    row("Q_Sube", "numara,sube,tarih,saat");
    row("Q_Switch_mode", "switch_cash_mode,mac_id", "SW_ID");
    row("Q_CONSTANT", "CONSTANT");
    row("RACK_RENK", "CHE");
    row("Q_pda_adisyon", "");
    row("Q_pda_process", "");
    // Named only by the data reset.
    row("Q_master_detay", "");
    row("Q_master_delete", "");
    row("Q_KASA_GN2", "");
    row("Q_KASA_GN12", "");

    // Documents.
    row("Q_INVOICE", kInvoiceColumns);
    row("Q_INVOICEV", cat({kInvoiceColumns, "sirket"}));
    row("Q_WAYBIL", kWaybillColumns);
    row("Q_WAYBIL_LIST", kWaybillColumns);
    row("Q_WAYBIL_FAST", kWaybillColumns);
    row("Q_SIPARIS_MASTER",
        "SiraNo,HESNO,HESADI,hesgrup,tur,Fno,fatno,tarih,saat,IrsaliyeNo,Department,Durum,Fgrup,Opsiyon,iskonto,"
        "Vadeoran,VadeTutar,KDV,KDVTutar,Tutar,Toplam,emp,kayit_tar,kayit_saat,ACK,odemetipi,KASAADI,PC_NAME,"
        "PC_USER,PC_TARIHI,vadetar");
    row("Q_SIPARIS_DETAY",
        "S_ID,fno,tarih,Saat,waiter,ozet,Islem,HESNO,HESADI,hesgrup,StokKodu,StokAdi,Grup,Olcu,Birim,BIRIMMIK,"
        "AMBMIKTAR,Adet,Giren,Cikan,Maliyet,Fiyat,afiyat,Tutar,Kdv,KdvTutari,ISKONTO1,ISKONTO2,ISKTUTAR1,ISKTUTAR2,"
        "PC_NAME,PC_USER,PC_TARIHI");
    row("Q_ORDER_DETAY",
        "SIPTAR,KODU,BARKOD,ADI,BIRIM,BIRIMAGR,BIRIMMIK,BRMKATSAYI,AMBMIKTAR,GRUP,AFIYAT,HESNO,HESADI,CariGrup,"
        "SONTAR,department,ISTEYEN,sip_key,SIP_ID1,JJOIN");
    row("Q_TUR", "Q_ID,turu");

    // Current accounts.
    row("Q_CUSTOMER",
        "CARIHESAP_ID,HESNO,muhasebekodu,HESADI,Grup,Telefon,Fax,Verda,Verno,aktif,maas,borclandirma,mail,Adres,"
        "bastar,Borc,Alacak,Bakiye,ustlimit,usedkredi,garson_maxodenmez,garson_maxodenmez1,fandbind,ice,yiye,"
        "auto_ind,MUHHESAP_ID,tarih,garson_primsure,garson_kota,garson_kotaprim,garson_kotaaltiprim,garson_yuzde");
    row("Q_CUST_GRP", "ID,CARGRUP");
    row("Q_CUSTOMER_BANKA", "ID,HESNO,banka,il,sube,hesapkodu,iban,ack");
    row("Q_CUSTOMER_DETAILS", kCustomerDetailsColumns, "zaman");
    row("Q_CUSTOMER_MOVE", cat({kCustomerDetailsColumns, "zaman"}));
    row("Q_CUSTOMER_debt_total", "HESNO,HESADI,Borc,Alacak,indirim,Bakiye,Grup");
    row("Q_CUSTOMER_MONTHLY", "Ay,yil,HESNO,HESADI,Q_odemetipi,Borc,Alacak,indirim,Bakiye");
    row("Q_INVOICE_OPEN", "Ay,yil,HESNO,HESADI,Borc");
    row("Q_CUSTOMER_TAHTED", "cari,HESADI,Q_odemetipi,Borc,Alacak,zaman", "KAYIT_NO,HESNO,Grup,Tarih,Saat,Detay");
    row("Q_CUSTOMER_KREDI", "kasiyer,HESADI,Borc,indirim,Alacak,zaman",
        "KAYIT_NO,HESNO,Grup,Tarih,Saat,Detay,Islem,Q_odemetipi,Garson,Salon,Pax,ads");
    row("Q_MAHSUP", "M_ID,HESNO,HESADI,Borc,tarih,KHESNO,KHESADI,ACK");
    row("Q_ENVANTORY",
        "KODU,ADI,BIRIM,BIRIMAGR,BIRIMMIK,AMBMIKTAR,STOK,AFIYAT,GRUP,CATEGORY,GIREN,CIKAN,KALAN,ZAYI,TUKETIM,"
        "MALIYET,SATISTOPLAM,IKRAM,ODENMEZ,MARJ,ORTMALIYET,ORTFIYAT,KDVTUT");

    // Recipes.
    row("Q_ITEMS_DETAY",
        "U_ID,ReceteKodu,StokKodu,StokAdi,Fiyati,Miktar,Tutar,AMBMIKTAR,URUN_IDNO,KDV,receno,afiyat,bmiktar,oran,"
        "firemik,firebirim,firetut");
    row("Q_ITEMS_DETAYX", "O_ID,receno,KODU,miktar,DETAY,FIYAT");
    row("Q_ITEMS_ORTAK", "O_ID,OZELLIK,FIYAT,KODU,ADI,AMBMIKTAR,miktar");
    row("Q_ITEMS_SFIYAT", "U_ID,KODU,ADI,GRUP,MALIYET,SFIYAT,FIY2,FIY3,FIY4,FIY5");
    row("Q_URETIM", "U_ID,KODU,ADI,gdepartment,cdepartment,tarih,saat,miktar,emp,tamam");
    row("Q_URETIM_PLAN", "U_ID,KODU,ADI,gdepartment,cdepartment,tarih,saat,miktar,emp,tamam,fiyat");
    row("Q_RECETELER", cat({kRecipeViewColumns, "receno"}));
    row("Q_PRA_COST", kRecipeViewColumns);
    row("Q_PRA_COST_HANDLE", "");
    row("Q_YARIMAMUL", "ADI,GRUP,CATEGORY,KODU,BIRIMAGR,AMBMIKTAR,MALIYET");
    row("Q_YARIMAMULKALAN", "StokKodu,ADI,AFIYAT,GRUP,department,giren,cikan,zayi,kalan,AMBMIKTAR,MALIYET");
    row("Q_FOODCOST",
        "StokKodu,ADI,BIRIM,AFIYAT,BIRIMAGR,GRUP,giren,cikan,zayi,tuketim,kalan,AMBMIKTAR,department,maliyet,"
        "toplam,zaman");
    row("Q_CATEGORI_COST",
        "StokKodu,ADI,AFIYAT,GRUP,department,Giren,Cikan,Zayi,AMBMIKTAR,CATEGORY,Maliyet,Tutar,zaman");
    row("Q_GENTOP", "YIYEICE,Islem,tarih,Tutar,Mal");
    row("Q_GENTOP2", "YIYEICE,tarih,Tutar,Mal");
    row("Q_GENTOP3", "YIYEICE,Islem,tarih,Tutar,Mal");
    row("Q_GIREN_CIKAN_MAL",
        "StokKodu,ADI,AFIYAT,giren,GirenMaliyet,GirenKdvsiz,cikan,CikanMaliyet,CikanKdvsiz,zayi,ZayiMaliyet,"
        "ZayiKdvsiz,kalan,KalanMaliyet,KalanKdvsiz,Birim,GRUP,department,tarih");
    row("Q_ADSAY", "Gun,yil,indirim,servis,tutar,adstop");
    row("Q_ADSGUN3", "Gun,yil,indirim,servis,tutar,adstop");
    row("Q_URUNLER", "ADI,GRUP,CATEGORY,KODU");
    row("Q_URUNLER2", "ADI,GRUP,CATEGORY,KODU,MALIYET,SFIYAT");
    row("Q_URUNLERS", "ADI");
    row("Q_ITEMS_MOVE_PRODATE", "StokKodu,Tarih,Cikan,Tutar", "StokAdi");
    row("Q_ITEMS_DAY", "StokKodu,ADI,GRUP,cikan,CATEGORY,tarih,Fiyat,Maliyet,Tutar");
    row("Q_URUN_SORGULA", cat({kLedgerColumns, "zaman,PC_NAME,PC_USER,PC_TARIHI,sube"}));
    row("Q_REELZAM", kReelzamColumns);
    row("Q_REELZAM_DUMMY", kReelzamColumns);
    row("Q_ITEMS_ZAYI",
        "S_ID,tarih,Saat,waiter,Islem,HESNO,HESADI,hesgrup,StokKodu,StokAdi,Grup,department,Olcu,Birim,BIRIMMIK,"
        "AMBMIKTAR,Adet,Giren,Cikan,Zayi,tuketim,urun,Maliyet,Fiyat,Tutar,Kdv,KdvTutari,Vade,afiyat,PC_NAME,"
        "PC_USER,PC_TARIHI,pers,sirket");
    row("Q_DUMMY_COST",
        "DC_ID,ALISICE,ALISYIYE,ALISDIG,YIYGELIR,ICEGELIR,DIGERGELIR,YIYMAL,ICEMAL,DIGMAL,IKRAMICE,IKRAMYIYE,"
        "IKRAMDIG,ZAYITOPYIY,ZAYITOPICE,ZAYITOPDIG,TOPLAMKISI,KREDITOP,GIDERTOP,STOKTOPYIY,STOKTOPICE,STOKTOPDIG,"
        "TUMMALIYET,TUMGELIR,TUMKDV,ORTKISIMAL,ORTKISIGELIR,BASTAR,BITTAR,IKRICETUT,IKRYIYETUT");

    // Cash.
    row("Q_KASA", kDesksColumns);
    row("Q_KASA2", kDesksColumns);
    row("Q_KASA_DETAY", kCashRowColumns);
    row("Q_KASA_DETAY2", kCashRowColumns);
    row("Q_ODEMETIPI", "auto_no,odemetipi,ask_pwd,SIRA,FIS,POS,bank");
    row("Q_MASRAFLAR", "M_ID,MASRAFYERI");
    row("Q_KASA_GN", "MD_ID,Tarih,HESADI,Q_odemetipi,Borc,Alacak,Bakiye,Devir,devreden,Kasa");
    row("Q_KASA_GN1", "MD_ID,Tarih,HESADI,Q_odemetipi,Borc,Alacak,Bakiye,Devir,Devreden");
    row("Q_KASA_GV", "HESADI,Borc,Alacak,Bakiye,Q_odemetipi,Devir");
    row("Q_KASA_DEVIR", "auto_no,teslim_eden,alan,ytl,eur,gbp,usd,ticket,diger,today,emp,kayit_tarihi,ex1");
    row("Q_KASA_SORGU", cat({kCashRowColumns, "zaman"}));
    row("Q_KASIYER_ISLEM_TAHSIL", kCashierViewColumns, "KAYIT_NO");
    row("Q_KASIYER_ISLEM_MASRAF", kCashierViewColumns, "KAYIT_NO");
    row("Q_KASIYER_BAKIYE", kCashierViewColumns, "KAYIT_NO");
    row("Q_KASA_AYLIK2", "Ay,YIL,HESADI,Q_odemetipi,borc,alacak");
    row("Q_KASA_SORGU2", cat({kCashRowColumns, "zaman"}));
    row("Q_KASA_YENI2", "HESADI,Q_odemetipi,Borc,Alacak,Bakiye,zaman");

    // Halls, menus and bills.
    row("Q_Admin",
        "hall_id,hall_name,hall_pwd,view_table,caption1,caption2,caption3,auto_print,ask_del,ask_back,ask_disc,"
        "ask_ser,ask_mrs,ask_bill_trnsfer,ask_item_trnsfer,ask_waiter_pwd,auto_cust_ind,which_port,which_prnt,"
        "table_count,waiter_prim_percent,add_service_percent,fiyat_degisim,fiyat_degisim_askpwd,odenmez_ikram,"
        "takeaway,DVZ,kuversor,cariadres,adisyonyaz,masaac,odenmezcari,urunind,which_portad,sure,RNK,"
        "pdahesapkapat,pdakasa,kuverfiyat,hesapkapanis,servisac,serviskota,dcolumn,drow,onodeme,malifis,harfsize,"
        "harffontsize,otel");
    row("Q_master_table",
        "Q_ID,hall_name,Masa,Masaadi,RNK,sira,pax,adisyaz,Adsno,servpercent,servtotal,indpercent,indtotal,waiter,"
        "waipwd,HESADI,gelissaat,today,total,subtotal,payfor");
    row("Q_Admin_Second", "D_ID,hall_name,GRUP,DEPARTMENT,articel_id");
    row("Q_Admin_Details", "ADMIN_ID,hall_name,DEPARTMENT,PRNT_PATH,BASLIK");
    row("Q_ITEMS_IND", "U_ID,ADI,SFIYAT");
    row("Q_Mars", "MDY_ID,MADI,YAZ");
    const char* bill =
        "ADS_NO,tarih,saat,islem,adisyon,kasiyer,garson,cari,detay,tutar,ind,servis,hall_name,masa,kuver,pax,"
        "PC_NAME,PC_USER,PC_TARIHI";
    row("Q_adisyon", bill, "zaman");
    row("Q_Ads", cat({bill, "zaman"}));
}

void TstSchemaObjects::objectHasItsColumns()
{
    QFETCH(QString, object);
    QFETCH(QString, expected);
    QFETCH(QString, extras);
    auto& s = db_->session();

    QVERIFY2(s.tableExists(object), qPrintable(object + " is missing"));
    const db::RowSet rs = s.select("SELECT * FROM " + object + " WHERE 1 = 0");
    QVERIFY(rs.columns);
    QVERIFY(rs.columns->size() > 0);

    QStringList missing;
    for (const QString& c : split(expected.toUtf8().constData()))
        if (rs.columns->indexOf(c) < 0)
            missing << c;
    QVERIFY2(missing.isEmpty(), qPrintable(object + " lacks " + missing.join(", ")));

    if (expected.isEmpty())
        return;  // no columns are relied on: the layout is ours
    QSet<QString> known;
    for (const QString& c : split(expected.toUtf8().constData()) + split(extras.toUtf8().constData()))
        known.insert(c.toLower());
    QStringList unknown;
    for (const QString& c : rs.columnNames())
        if (!known.contains(c.toLower()))
            unknown << c;
    QVERIFY2(unknown.isEmpty(), qPrintable(object + " has columns nobody relies on: " + unknown.join(", ")));
}

// Identity keys come back from INSERT ... RETURNING on both engines.
void TstSchemaObjects::identityKeysComeBackFromInsert_data()
{
    QTest::addColumn<QString>("sql");
    QTest::newRow("Q_userkontrol") << "INSERT INTO Q_userkontrol (username) VALUES ('u') RETURNING auto_no";
    QTest::newRow("Q_bugs") << "INSERT INTO Q_bugs (sebep) VALUES ('x') RETURNING S_ID";
    QTest::newRow("Q_INVOICE") << "INSERT INTO Q_INVOICE (Fno, tur) VALUES ('k', 'Alış') RETURNING SiraNo";
    QTest::newRow("Q_WAYBIL") << "INSERT INTO Q_WAYBIL (irs_key, tur) VALUES ('k', 'Alış') RETURNING sira";
    QTest::newRow("Q_SIPARIS_MASTER") << "INSERT INTO Q_SIPARIS_MASTER (Fno, tur, Fgrup) VALUES ('k', 'Alış', '1') "
                                         "RETURNING SiraNo";
    QTest::newRow("Q_ORDER_DETAY") << "INSERT INTO Q_ORDER_DETAY (KODU) VALUES ('K') RETURNING SIP_ID1";
    QTest::newRow("Q_CUSTOMER") << "INSERT INTO Q_CUSTOMER (HESNO) VALUES ('C') RETURNING CARIHESAP_ID";
    QTest::newRow("Q_CUSTOMER_DETAILS") << "INSERT INTO Q_CUSTOMER_DETAILS (HESNO) VALUES ('C') RETURNING KAYIT_NO";
    QTest::newRow("Q_ITEMS_DETAY") << "INSERT INTO Q_ITEMS_DETAY (receno) VALUES ('r') RETURNING U_ID";
    QTest::newRow("Q_URETIM") << "INSERT INTO Q_URETIM (KODU) VALUES ('K') RETURNING U_ID";
    QTest::newRow("Q_KASA_DETAY") << "INSERT INTO Q_KASA_DETAY (HESADI) VALUES ('K') RETURNING KAYIT_NO";
    QTest::newRow("Q_KASA_DETAY2") << "INSERT INTO Q_KASA_DETAY2 (HESADI) VALUES ('K') RETURNING KAYIT_NO";
    QTest::newRow("Q_Admin") << "INSERT INTO Q_Admin (hall_name) VALUES ('Salon') RETURNING hall_id";
    QTest::newRow("Q_master_table") << "INSERT INTO Q_master_table (hall_name, masa) VALUES ('S', '1') "
                                       "RETURNING Q_ID";
    QTest::newRow("Q_adisyon") << "INSERT INTO Q_adisyon (adisyon) VALUES (1) RETURNING ADS_NO";
    QTest::newRow("Q_Events") << "INSERT INTO Q_Events (Caption) VALUES ('x') RETURNING ID";
}

void TstSchemaObjects::identityKeysComeBackFromInsert()
{
    QFETCH(QString, sql);
    auto t = TestDatabase::fresh();
    const qint64 a = t->session().insert(sql);
    const qint64 b = t->session().insert(sql);
    QVERIFY(a > 0);
    QCOMPARE(b, a + 1);
}

QTEST_GUILESS_MAIN(TstSchemaObjects)
#include "tst_schema_objects.moc"
