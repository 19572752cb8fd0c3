// The main window shows what the user's permission rows grant, and opens
// windows by their entry codes.
#include "app/anamenu_frm.h"
#include "app/catalogue.h"
#include "app/dashboard.h"
#include "app/forms.h"
#include "app/permissions.h"
#include "app/program.h"
#include "app/userlogin_frm.h"
#include "demo.h"
#include "test_db.h"
#include "ui/data_grid.h"
#include "ui/dialogs.h"
#include "ui/form_base.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

using testsupport::TestDatabase;

namespace {

void grant(db::Session& s, const QString& user, int id, std::optional<int> parent, const QString& name)
{
    s.exec("INSERT INTO Q_FRM (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (:id, :p, :n, :u)",
           {{"id", id}, {"p", parent ? QVariant(*parent) : QVariant()}, {"n", name}, {"u", user}});
}

// A window of the registry that only counts how it was shown.
class FakeWindow : public ui::FormBase {
public:
    explicit FakeWindow(const QString& name)
    {
        setObjectName(name);
        auto* filter = new QLineEdit(this);
        filter->setObjectName("kasabulur");
    }
    int shown = 0;
    int modal = 0;

protected:
    void showEvent(QShowEvent* e) override
    {
        ++shown;
        if (isModal()) {
            ++modal;
            QTimer::singleShot(0, this, [this] { reject(); });
        }
        ui::FormBase::showEvent(e);
    }
};

}  // namespace

class TstMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void stockAndInvoicesWithoutCash();
    void everythingForFullUser();
    void namesAreComparedForEquality();
    void sameCaptionOpensFirstById();
    void nothingCodeAndWindowOpenedTwice();
    void wrongDeskPasswordOpensNothing();
    void wrongAdministratorCodeOpensNothing();
    void exitAsks();
    void criticalStock();
    void pictures();

private:
    app::AnamenuFrm& window();
    std::unique_ptr<TestDatabase> db_;
    ui::ScriptedDialogDriver* dialogs_ = nullptr;
    ui::AppContext context_;
    std::unique_ptr<app::AnamenuFrm> main_;
    QHash<QString, FakeWindow*> windows_;
    int exits_ = 0;
};

void TstMainWindow::init()
{
    db_ = TestDatabase::fresh();
    auto& s = db_->session();
    context_.setSession(&s);
    auto driver = std::make_unique<ui::ScriptedDialogDriver>();
    dialogs_ = driver.get();
    ui::setDialogDriver(std::move(driver));

    // "stokcu": Stok and Faturalar only, two entries with one caption, a
    // "nothing" entry.
    for (const auto& [id, name] : QList<QPair<int, QString>>{{0, "Stok"}, {3, "Faturalar"}})
        grant(s, "stokcu", id, std::nullopt, name);
    grant(s, "stokcu", 9002, 0, "Stok Kartları");
    grant(s, "stokcu", 9065, 0, "Transfer Işlemleri");
    grant(s, "stokcu", 9042, 0, "Transfer Işlemleri");
    grant(s, "stokcu", 9090, 0, "El Terminali ile Stok Sayımı");
    grant(s, "stokcu", 302, 3, "Alış Faturası");
    app::grantFullModule(s, "axb");
    app::grantFullModule(s, "yonetici");
    s.exec("INSERT INTO Q_KASA2 (KASAADI, KOD) VALUES ('Özel Kasa', '4321')");
}

void TstMainWindow::cleanup()
{
    main_.reset();
    qDeleteAll(windows_);
    windows_.clear();
    ui::setDialogDriver(std::make_unique<ui::WidgetDialogDriver>());
    context_.setSession(nullptr);
    db_.reset();
}

app::AnamenuFrm& TstMainWindow::window()
{
    main_ = std::make_unique<app::AnamenuFrm>(context_);
    main_->setWindowFinder([this](const QString& name) -> ui::FormBase* {
        if (!windows_.contains(name))
            windows_.insert(name, new FakeWindow(name));
        return windows_.value(name);
    });
    main_->setOnExit([this] { ++exits_; });
    return *main_;
}

void TstMainWindow::stockAndInvoicesWithoutCash()
{
    auto& w = window();
    w.showForUser("stokcu");
    QCOMPARE(w.windowTitle(), QString("pellantra®"));
    QCOMPARE(w.sayfa->text(), QString("stokcu"));
    QCOMPARE(w.lblusername->text(), QString("stokcu"));
    QVERIFY(w.categoryVisible(0));
    QVERIFY(w.categoryVisible(3));
    for (int c : {1, 2, 4, 6, 8})
        QVERIFY2(!w.categoryVisible(c), qPrintable(QString::number(c)));
    // No cash category: no management commands, no balance, invoice or critical-stock tab.
    QVERIFY(!w.commandsVisible());
    QVERIFY(w.dashboardTabVisible(0));
    for (int t : {1, 2, 3})
        QVERIFY(!w.dashboardTabVisible(t));
    QCOMPARE(w.navigation()->currentIndex(), 1);  // the dashboard page is on show first

    w.categoryClicked(3);
    QCOMPARE(w.navigation()->currentIndex(), 0);
    QCOMPARE(w.listedEntries(), (QStringList{"Alış Faturası", "Barkodlu Stok Giriş"}));
}

void TstMainWindow::everythingForFullUser()
{
    auto& w = window();
    w.showForUser("yonetici");
    for (const auto& c : app::panelCategories())
        QVERIFY(w.categoryVisible(c.number));
    QVERIFY(w.commandsVisible());
    for (int t : {0, 1, 2, 3})
        QVERIFY(w.dashboardTabVisible(t));
    // The parameters list shows the hall settings' sub-entries too, then its fixed entries.
    w.categoryClicked(8);
    const QStringList params = w.listedEntries();
    QVERIFY(params.contains("Departman Tanımları"));  // category 601
    QVERIFY(params.contains("Kullanıcı Tanımlama"));
    QCOMPARE(params.mid(params.size() - 2),
             (QStringList{"Barkodlu Terazi Parametreleri", "Merkezi Sistem Parametreleri"}));
    // The stock list holds the count reports under their entry codes.
    w.categoryClicked(0);
    w.entrySelected("Sayıma Göre Durum Raporu");
    w.entryDoubleClicked();
    QCOMPARE(w.dbedt_id->text(), QString("9520"));
    QVERIFY(windows_.value("sayimagoredurum_frm") && windows_.value("sayimagoredurum_frm")->shown == 1);
}

void TstMainWindow::namesAreComparedForEquality()
{
    // "a_b" would match "axb" through LIKE: it has no rows of its own.
    auto& w = window();
    w.showForUser("a_b");
    for (const auto& c : app::panelCategories())
        QVERIFY(!w.categoryVisible(c.number));
    QVERIFY(!w.commandsVisible());
    w.categoryClicked(0);
    QCOMPARE(w.listedEntries(),
             (QStringList{"Grup Cost Raporu", "Depolar Giriş Çıkış Raporu", "Stok Mizan", "Kategori Cost Raporu",
                          "Stok Ortalamaları", "Stok Satış Raporu", "Stok Sayım Onay"}));
}

void TstMainWindow::sameCaptionOpensFirstById()
{
    auto& w = window();
    w.showForUser("stokcu");
    w.categoryClicked(0);
    // Rows in PR_ID order, then the fixed entries.
    QCOMPARE(w.listedEntries().mid(0, 4), (QStringList{"Stok Kartları", "Transfer Işlemleri", "Transfer Işlemleri",
                                                       "El Terminali ile Stok Sayımı"}));
    w.entrySelected("Transfer Işlemleri");
    w.entryDoubleClicked();
    QCOMPARE(w.dbedt_id->text(), QString("9042"));
    QVERIFY(windows_.value("transfer_frm"));
    QVERIFY(!windows_.contains("stokhareket_frm"));
}

void TstMainWindow::nothingCodeAndWindowOpenedTwice()
{
    auto& w = window();
    w.showForUser("stokcu");
    w.categoryClicked(0);
    w.entrySelected("El Terminali ile Stok Sayımı");
    w.entryDoubleClicked();
    QCOMPARE(w.dbedt_id->text(), QString("9090"));
    QVERIFY(windows_.isEmpty());  // listed, opens nothing

    w.entrySelected("Stok Kartları");
    w.entryDoubleClicked();
    FakeWindow* first = windows_.value("stok_frm");
    QVERIFY(first && first->isVisible());
    w.entrySelected("Stok Kartları");
    w.entryDoubleClicked();
    QCOMPARE(windows_.size(), 1);
    QCOMPARE(windows_.value("stok_frm"), first);
    QVERIFY(first->isVisible());
    QCOMPARE(first->modal, 0);

    // A fixed entry opens its window by its caption.
    w.entrySelected("Stok Sayım Onay");
    w.entryDoubleClicked();
    QVERIFY(windows_.value("sayimonay_frm"));
}

void TstMainWindow::wrongDeskPasswordOpensNothing()
{
    auto& w = window();
    w.showForUser("yonetici");
    w.categoryClicked(1);
    dialogs_->answerInput(QString("1111"));
    w.entrySelected("Özel Kasalar");
    w.entryDoubleClicked();
    QCOMPARE(dialogs_->shown[0].kind, QString("input"));
    QCOMPARE(dialogs_->shown[0].caption, QString("Kasa Şifresi"));
    QCOMPARE(dialogs_->shown[0].text, QString("Lütfen Kasa Şifrenizi Giriniz ? "));
    QCOMPARE(dialogs_->shown[1].caption, QString("D I K K A T ..."));
    QCOMPARE(dialogs_->shown[1].text, QString("Hatalı Şifre ;\nKasa Şifreniz Hatalı !!!"));
    QCOMPARE(dialogs_->shown[1].icon, ui::Icon::Warning);
    QVERIFY(!windows_.contains("kasaislem2_frm"));

    dialogs_->answerInput(std::nullopt);  // a cancelled box counts as empty
    w.entryDoubleClicked();
    QVERIFY(!windows_.contains("kasaislem2_frm"));

    dialogs_->answerInput(QString("4321"));
    w.entryDoubleClicked();
    QVERIFY(windows_.value("kasaislem2_frm") && windows_.value("kasaislem2_frm")->isVisible());
    QCOMPARE(windows_.value("kasaislem2_frm")->findChild<QLineEdit*>("kasabulur")->text(), QString("4321"));
}

void TstMainWindow::wrongAdministratorCodeOpensNothing()
{
    auto& w = window();
    w.showForUser("yonetici");
    dialogs_->answerNo();
    w.systemConfiguration();
    QCOMPARE(dialogs_->shown.size(), 1);
    QCOMPARE(dialogs_->shown[0].text, QString("D I K K A T . . . . . ?"));

    dialogs_->answerYes();
    dialogs_->answerInput(QString("00"));
    w.systemConfiguration();
    QCOMPARE(dialogs_->shown[2].caption, QString("PWD"));
    QCOMPARE(dialogs_->shown[2].text, QString("  PWD ? "));
    QCOMPARE(dialogs_->shown[3].text, QString("Hatalı Şifre ;\nYöneticinize Başvurun !!!"));
    QVERIFY(!windows_.contains("mudy_frm"));

    dialogs_->answerYes();
    dialogs_->answerInput(QString::fromLatin1(app::kAdministratorCode));
    w.systemConfiguration();
    QVERIFY(windows_.value("mudy_frm"));
    QCOMPARE(windows_.value("mudy_frm")->modal, 1);
}

void TstMainWindow::exitAsks()
{
    auto& w = window();
    w.showForUser("stokcu");
    dialogs_->answerNo();
    w.exitCommand();
    QCOMPARE(exits_, 0);
    QCOMPARE(dialogs_->shown.last().caption, QString("DİKKAT"));
    dialogs_->answerYes();
    w.exitCommand();
    QCOMPARE(exits_, 1);
    // Code 46 is the exit command too.
    dialogs_->answerYes();
    w.dbedt_id->setText("46");
    w.tikla();
    QCOMPARE(exits_, 2);
}

void TstMainWindow::criticalStock()
{
    auto& s = db_->session();
    struct Item {
        const char* code;
        const char* track;
        double min;
        int product;
    };
    for (const Item& i : {Item{"AT", "1", 100, 0}, Item{"BELOW", "1", 100, 0}, Item{"UNTRACKED", "0", 100, 0},
                          Item{"EMPTYFLAG", "", 100, 0}, Item{"PRODUCT", "1", 100, 1}, Item{"ABOVE", "1", 10, 0}})
        s.exec(
            "INSERT INTO Q_ITEMS (KODU, ADI, STOKTAKIP, MIN_MIK, URUN, GRUP) VALUES (:k, :k, :t, :m, :u, 'G')",
            {{"k", QString::fromLatin1(i.code)}, {"t", QString::fromLatin1(i.track)}, {"m", i.min}, {"u", i.product}});
    auto move = [&](const char* code, const char* dept, double in, double out, double waste) {
        s.exec(
            "INSERT INTO Q_ITEMS_MOV (StokKodu, department, Giren, Cikan, Zayi, urun) VALUES (:k, :d, :g, :c, :z, 0)",
            {{"k", QString::fromLatin1(code)}, {"d", QString::fromLatin1(dept)}, {"g", in}, {"c", out}, {"z", waste}});
    };
    move("AT", "Mutfak", 150, 30.5, 19.5);  // exactly at the minimum: not critical
    move("BELOW", "Mutfak", 150, 30, 20.25);
    move("BELOW", "Bar", 500, 0, 0);  // fine in the bar
    move("UNTRACKED", "Mutfak", 1, 0, 0);
    move("EMPTYFLAG", "Mutfak", 1, 0, 0);
    move("PRODUCT", "Mutfak", 1, 0, 0);
    move("ABOVE", "Mutfak", 50, 0, 0);
    const auto rows = app::dashboard::criticalStock(s);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].text("StokKodu"), QString("BELOW"));
    QCOMPARE(rows[0].text("department"), QString("Mutfak"));
    QCOMPARE(rows[0].number("kalan"), 99.75);
    QCOMPARE(rows[0].number("giren"), 150.0);
    QCOMPARE(rows[0].number("zayi"), 20.25);

    // The dashboard grid shows them, and its filter row narrows at once.
    auto& w = window();
    w.showForUser("yonetici");
    QCOMPARE(w.criticalGrid->rowCount(), 1);
    w.criticalGrid->setColumnFilter("department", "Bar");
    QCOMPARE(w.criticalGrid->rowCount(), 0);
}

void TstMainWindow::pictures()
{
    // The demo installation as a user sees it after logging in.
    pos::DemoScale scale;
    scale.days = 10;
    scale.billsPerDay = 60;
    pos::buildDemo(db_->session(), scale);
    auto& f = app::forms();
    f.anamenu_frm = &window();
    f.createAll(context_);
    const QString dir = QDir::current().filePath("pictures");
    QDir().mkpath(dir);
    QVERIFY(app::saveWindowPicture(context_, {"userlogin_frm", dir + "/userlogin_frm.png"}));
    QVERIFY(app::saveWindowPicture(context_, {"anamenu_frm", dir + "/anamenu_frm_dashboard.png", "admin", -1, 3}));
    QVERIFY(app::saveWindowPicture(context_, {"anamenu_frm", dir + "/anamenu_frm_balances.png", "admin", -1, 2}));
    QVERIFY(app::saveWindowPicture(context_, {"anamenu_frm", dir + "/anamenu_frm_calendar.png", "admin", -1, 0}));
    QVERIFY(app::saveWindowPicture(context_, {"anamenu_frm", dir + "/anamenu_frm_stok.png", "admin", 0}));
    QVERIFY(main_->balancesGrid->rowCount() > 0);
    QVERIFY(main_->invoicesGrid->rowCount() > 0);
    QVERIFY(main_->criticalGrid->rowCount() > 0);
    f.anamenu_frm = nullptr;  // owned by the test
    f.destroyAll();
    qInfo("pictures in %s", qPrintable(dir));
}

QTEST_MAIN(TstMainWindow)
#include "tst_main_window.moc"
