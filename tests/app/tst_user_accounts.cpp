// Users and form permissions: the checks of a new user, cash desks of
// cashiers, in-place edits, and the permission editor's grants.
#include "app/catalogue.h"
#include "app/form_permissions.h"
#include "app/user_accounts.h"
#include "test_db.h"

#include <QtTest>

using testsupport::TestDatabase;

class TstUserAccounts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void newUserChecks_data();
    void newUserChecks();
    void cashierKeepsDeskAfterDeletion();
    void deletionTakesPermissionRows();
    void inPlaceEdits();
    void staffList();

    void categoryRowsOnceAndWithoutDuplicates();
    void grantingTwiceLeavesOneRow();
    void whatNodesGrant_data();
    void whatNodesGrant();
    void revokingCategoryLeavesEntries();
    void lightModuleReplacesEverything();
    void masterModuleRows();
    void fullModuleCopiesMaster();

private:
    db::Session& s() { return db_->session(); }
    int count(const QString& sql, const db::Params& p = {}) { return s().scalar(sql, p).toInt(); }
    QList<QPair<int, QVariant>> rowsOf(const QString& user);
    std::unique_ptr<TestDatabase> db_;
};

void TstUserAccounts::init()
{
    db_ = TestDatabase::fresh();
    s().exec("INSERT INTO Q_userkontrol (username, pwd, bolum) VALUES ('Ayşe', '1234', 'Garson')");
    s().exec("INSERT INTO Q_userkontrol (username, pwd, bolum) VALUES ('Veli', '77   ', 'Garson')");
    s().exec("INSERT INTO Q_Kasa (KASAADI, ACIKLAMA) VALUES ('Bar Kasası', 'Nakit')");
}

void TstUserAccounts::cleanup()
{
    db_.reset();
}

QList<QPair<int, QVariant>> TstUserAccounts::rowsOf(const QString& user)
{
    QList<QPair<int, QVariant>> out;
    for (const auto& r :
         s().select("SELECT PR_ID, PR_PARENT FROM Q_FRM WHERE PR_INFO = :u ORDER BY PR_ID, PR_PARENT", {{"u", user}}))
        out << qMakePair(int(r.integer("PR_ID")),
                         r.isNull("PR_PARENT") ? QVariant() : QVariant(r.integer("PR_PARENT")));
    return out;
}

void TstUserAccounts::newUserChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("role");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("field");
    QTest::newRow("empty name") << ""
                                << "1"
                                << "" << app::usermsg::kEmptyName << "username";
    QTest::newRow("blank name") << "   "
                                << "1"
                                << "" << app::usermsg::kEmptyName << "username";
    QTest::newRow("ADMIN") << "ADMIN"
                           << "1"
                           << "" << app::usermsg::kReservedName << "username";
    QTest::newRow("empty code") << "Can"
                                << ""
                                << "" << app::usermsg::kEmptyCode << "pwd";
    QTest::newRow("same name") << "Ayşe"
                               << "5"
                               << ""
                               << "Ayşe   İsimli Kullanıcı Zaten Mevcut (Mükerrer Kayıt)"
                               << "username";
    QTest::newRow("same code, other user") << "Can"
                                           << "1234"
                                           << "Garson" << app::usermsg::kDuplicateCode << "pwd";
    QTest::newRow("same code as a padded one") << "Can"
                                               << "77"
                                               << "" << app::usermsg::kDuplicateCode << "pwd";
    QTest::newRow("code of 16 characters") << "Can"
                                           << "1234567890123456"
                                           << "" << app::usermsg::kCodeTooLong << "pwd";
    QTest::newRow("desk name, not a cashier") << "Bar Kasası"
                                              << "9"
                                              << "Garson" << app::usermsg::kDeskNameTaken << "username";
    QTest::newRow("desk name, cashier") << "Bar Kasası"
                                        << "9"
                                        << "Kasiyer" << app::usermsg::kDeskNameTaken << "username";
    QTest::newRow("other case is another name") << "ayşe"
                                                << "5"
                                                << ""
                                                << ""
                                                << "";
    QTest::newRow("code of 15 characters") << "Can"
                                           << "123456789012345"
                                           << "Admin"
                                           << ""
                                           << "";
    QTest::newRow("typed role") << "Can"
                                << "5"
                                << "Barmen"
                                << ""
                                << "";
}

void TstUserAccounts::newUserChecks()
{
    QFETCH(QString, name);
    QFETCH(QString, code);
    QFETCH(QString, role);
    QFETCH(QString, message);
    QFETCH(QString, field);
    const int before = count("SELECT COUNT(*) FROM Q_userkontrol");
    const app::CheckResult r = app::UserAccounts(s()).add({name, code, role});
    QCOMPARE(r.message, message);
    QCOMPARE(r.field, field);
    QCOMPARE(count("SELECT COUNT(*) FROM Q_userkontrol"), before + (message.isEmpty() ? 1 : 0));
    QCOMPARE(count("SELECT COUNT(*) FROM Q_Kasa"), 1);
    if (message.isEmpty()) {
        const auto row = s().selectOne("SELECT * FROM Q_userkontrol WHERE username = :u", {{"u", name}});
        QVERIFY(row);
        QCOMPARE(row->text("pwd"), code);
        QCOMPARE(row->text("bolum"), role);
    }
}

void TstUserAccounts::cashierKeepsDeskAfterDeletion()
{
    app::UserAccounts users(s());
    QVERIFY(users.add({"Kasiyer Ali", "55", "Kasiyer"}).ok());
    const auto desk = s().selectOne("SELECT * FROM Q_Kasa WHERE KASAADI = 'Kasiyer Ali'");
    QVERIFY(desk);
    QCOMPARE(desk->text("ACIKLAMA"), QString("Kasiyer"));

    QVERIFY(!users.remove("Kasiyer Ali"));  // no permission rows to go with the user
    QCOMPARE(count("SELECT COUNT(*) FROM Q_userkontrol WHERE username = 'Kasiyer Ali'"), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM Q_Kasa WHERE KASAADI = 'Kasiyer Ali'"), 1);
    // The desk's name stays taken.
    QCOMPARE(users.add({"Kasiyer Ali", "56", "Garson"}).message, QString(app::usermsg::kDeskNameTaken));
}

void TstUserAccounts::deletionTakesPermissionRows()
{
    app::FormPermissions(s(), "Ayşe").grantLightModule();
    app::FormPermissions(s(), "Veli").grantLightModule();
    QVERIFY(app::UserAccounts(s()).remove("Ayşe"));
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Ayşe'"), 0);
    QVERIFY(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Veli'") > 0);
    QCOMPARE(count("SELECT COUNT(*) FROM Q_userkontrol"), 1);
}

void TstUserAccounts::inPlaceEdits()
{
    app::UserAccounts users(s());
    const qint64 ayse = s().scalar("SELECT auto_no FROM Q_userkontrol WHERE username = 'Ayşe'").toLongLong();
    // Another user's code, even written without its padding, is refused.
    QCOMPARE(users.changeInPlace(ayse, QString("77"), std::nullopt).message, QString(app::usermsg::kDuplicateCode));
    QCOMPARE(users.changeInPlace(ayse, QString("x").repeated(16), std::nullopt).message,
             QString(app::usermsg::kCodeTooLong));
    QCOMPARE(users.changeInPlace(ayse, QString(""), std::nullopt).message, QString(app::usermsg::kEmptyCode));
    QCOMPARE(s().scalar("SELECT pwd FROM Q_userkontrol WHERE auto_no = :id", {{"id", ayse}}).toString(),
             QString("1234"));
    // The user's own code again, and a new one.
    QVERIFY(users.changeInPlace(ayse, QString("1234"), std::nullopt).ok());
    QVERIFY(users.changeInPlace(ayse, QString("4321  "), true).ok());
    const auto row = s().selectOne("SELECT * FROM Q_userkontrol WHERE auto_no = :id", {{"id", ayse}});
    QCOMPARE(row->text("pwd"), QString("4321"));
    QCOMPARE(row->integer("yonetim"), 1);
    // The flag alone never checks the code (older rows may share one).
    s().exec("UPDATE Q_userkontrol SET pwd = '77' WHERE auto_no = :id", {{"id", ayse}});
    QVERIFY(users.changeInPlace(ayse, std::nullopt, false).ok());
}

void TstUserAccounts::staffList()
{
    app::UserAccounts users(s());
    qint64 id = 0;
    QVERIFY(users.saveStaff(std::nullopt, "Mehmet", &id).ok());
    QVERIFY(id > 0);
    QVERIFY(users.saveStaff(id, "Mehmet Yılmaz").ok());
    QCOMPARE(users.saveStaff(std::nullopt, "  ").message, QString(app::usermsg::kEmptyStaffName));
    const auto rows = users.staff();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].text("ARACNO"), QString("Mehmet Yılmaz"));
}

void TstUserAccounts::categoryRowsOnceAndWithoutDuplicates()
{
    app::FormPermissions p(s(), "Ayşe");
    QVERIFY(p.grantCategoryRows());
    const auto rows = s().select("SELECT PR_ID, PR_NAME, PR_PARENT FROM Q_FRM WHERE PR_INFO = 'Ayşe' ORDER BY PR_ID");
    QCOMPARE(rows.size(), 8);
    QStringList names;
    for (const auto& r : rows) {
        QVERIFY(r.isNull("PR_PARENT"));
        names << QString("%1 %2").arg(r.integer("PR_ID")).arg(r.text("PR_NAME"));
    }
    QCOMPARE(names, (QStringList{"0 Stok", "1 Kasa", "2 Cari Kartlar", "3 Faturalar", "4 Planlama", "5 Cost Control",
                                 "6 Üretim", "8 Yönetici ve Parametreler"}));
    QVERIFY(!p.grantCategoryRows());
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Ayşe'"), 8);

    // "Stok" revoked: granting again adds it back, and only it.
    p.revoke(0);
    QVERIFY(p.grant(9002));
    QVERIFY(p.grantCategoryRows());
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Ayşe'"), 9);
    QCOMPARE(count("SELECT COUNT(DISTINCT PR_ID) FROM Q_FRM WHERE PR_INFO = 'Ayşe'"), 9);
    // Another user's rows do not count.
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Veli'"), 0);
}

void TstUserAccounts::grantingTwiceLeavesOneRow()
{
    app::FormPermissions p(s(), "Ayşe");
    QVERIFY(p.grant(9002));
    QVERIFY(!p.grant(9002));
    QVERIFY(p.grant(520));
    QVERIFY(!p.grant(520));
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Ayşe' AND PR_ID = 9002"), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Ayşe' AND PR_ID = 9520"), 1);
    // The same entry of another user is another row.
    QVERIFY(app::FormPermissions(s(), "Veli").grant(9002));
}

void TstUserAccounts::whatNodesGrant_data()
{
    QTest::addColumn<int>("node");
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("parent");  // -1: a category row
    QTest::addColumn<QString>("name");
    QTest::newRow("stock entry") << 9002 << 9002 << 0 << "Stok Kartları";
    QTest::newRow("master node 520") << 520 << 9520 << 0 << "Sayıma Göre Durum Raporu";
    QTest::newRow("master node 521") << 521 << 9521 << 0 << "Stok Maliyet Analizleri";
    QTest::newRow("hall sub-entry") << 667 << 667 << 601 << "Sipariş Yazıcıları";
    QTest::newRow("sales invoice, filed under Faturalar") << 306 << 306 << 3 << "Satış Faturası";
    QTest::newRow("category node") << 4 << 4 << -1 << "Planlama";
    QTest::newRow("exit code") << 46 << 0 << 0 << "";
    QTest::newRow("unknown node") << 7777 << 0 << 0 << "";
}

void TstUserAccounts::whatNodesGrant()
{
    QFETCH(int, node);
    QFETCH(int, id);
    QFETCH(int, parent);
    QFETCH(QString, name);
    const auto g = app::FormPermissions::grantFor(node);
    QCOMPARE(g.has_value(), id != 0);
    app::FormPermissions p(s(), "Ayşe");
    QCOMPARE(p.grant(node), id != 0);
    if (!g) {
        QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM"), 0);
        return;
    }
    const auto row = s().selectOne("SELECT * FROM Q_FRM WHERE PR_INFO = 'Ayşe'");
    QCOMPARE(row->integer("PR_ID"), id);
    QCOMPARE(row->isNull("PR_PARENT") ? -1 : int(row->integer("PR_PARENT")), parent);
    QCOMPARE(row->text("PR_NAME"), name);
}

void TstUserAccounts::revokingCategoryLeavesEntries()
{
    app::FormPermissions p(s(), "Ayşe");
    p.grantCategoryRows();
    p.grant(9002);
    p.grant(9010);
    p.grant(110);
    p.revoke(0);
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Ayşe' AND PR_ID = 0"), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Ayşe' AND PR_PARENT = 0"), 2);
    p.revoke(9010);
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Ayşe'"), 7 + 2);
}

void TstUserAccounts::lightModuleReplacesEverything()
{
    app::FormPermissions p(s(), "Ayşe");
    p.grantCategoryRows();
    p.grant(9002);  // not in the light set
    p.grant(9002);
    app::FormPermissions(s(), "Veli").grant(9002);
    p.grantLightModule();
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Ayşe' AND PR_ID = 9002"), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Veli'"), 1);
    const auto rows = s().select("SELECT * FROM Q_FRM WHERE PR_INFO = 'Ayşe'");
    QCOMPARE(rows.size(), 4 + int(app::lightModuleEntries().size()));
    QSet<int> categories;
    for (const auto& r : rows) {
        const int id = int(r.integer("PR_ID"));
        if (r.isNull("PR_PARENT")) {
            categories << id;
            continue;
        }
        QVERIFY2(app::lightModuleEntries().contains(id), qPrintable(QString::number(id)));
        const app::CatalogueEntry* e = app::entryByCode(id);
        QCOMPARE(r.text("PR_NAME"), e->name);
        QCOMPARE(int(r.integer("PR_PARENT")), *e->category);
    }
    QCOMPARE(categories, (QSet<int>{0, 1, 2, 8}));
}

void TstUserAccounts::masterModuleRows()
{
    app::FormPermissions p(s(), "Ayşe");
    p.grantFullModule();
    p.grantMasterModule();
    QCOMPARE(rowsOf("Ayşe").size(), 4 + int(app::masterModuleEntries().size()));
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Ayşe' AND PR_ID IN (609, 641, 9040, 9110, 101, 9504)"),
             6);
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Ayşe' AND PR_ID = 3"), 0);
}

void TstUserAccounts::fullModuleCopiesMaster()
{
    app::FormPermissions p(s(), "Ayşe");
    p.grant(9002);
    p.grantFullModule();
    // Every master entry row (PR_PARENT >= 0) with its parent and name, nodes
    // 520/521 as the entries they stand for, and all eight category rows.
    QList<QPair<int, QVariant>> expected;
    for (const auto& r :
         s().select("SELECT PR_ID, PR_PARENT FROM Q_frmmaster WHERE PR_INFO = 'ADMIN' AND PR_PARENT >= 0")) {
        int id = int(r.integer("PR_ID"));
        id = id == 520 ? 9520 : id == 521 ? 9521 : id;
        expected << qMakePair(id, QVariant(r.integer("PR_PARENT")));
    }
    for (const auto& c : app::categoryRows())
        expected << qMakePair(c.first, QVariant());
    std::sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second.toLongLong() < b.second.toLongLong();
    });
    QCOMPARE(rowsOf("Ayşe"), expected);
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM f JOIN Q_frmmaster m ON m.PR_ID = f.PR_ID AND m.PR_INFO = 'ADMIN' "
                   "WHERE f.PR_INFO = 'Ayşe' AND f.PR_NAME <> m.PR_NAME"),
             0);
}

QTEST_GUILESS_MAIN(TstUserAccounts)
#include "tst_user_accounts.moc"
