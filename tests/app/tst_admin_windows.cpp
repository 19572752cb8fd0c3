// The user, permission and administration windows driven as a user would,
// with scripted answers; and their entries in the main window.
#include "app/admin_tools.h"
#include "app/anamenu_frm.h"
#include "app/bugs_frm.h"
#include "app/catalogue.h"
#include "app/constant_frm.h"
#include "app/form_permissions.h"
#include "app/forms.h"
#include "app/merkez_frm.h"
#include "app/mudy_frm.h"
#include "app/program.h"
#include "app/sql_editor.h"
#include "app/switchmode_frm.h"
#include "app/user_accounts.h"
#include "app/useredit_frm.h"
#include "app/useredit_frm1.h"
#include "demo.h"
#include "test_db.h"
#include "ui/data_grid.h"
#include "ui/dialogs.h"
#include "ui/edit_boxes.h"
#include "ui/tree_list.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

using testsupport::TestDatabase;

class TstAdminWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void newUsers();
    void loadedUserDeleteAndInPlaceEdits();
    void permissionEditorOpensForLoadedUser();
    void staffList();
    void permissionEditor();
    void readyMadeSets();
    void sqlPage();
    void salesAndInstallationWipes();
    void backupButton();
    void adminGrids();
    void auditLog();
    void branchesEnterPostsCell();
    void switchModeDropsUnpostedEdit();
    void constantWindowStartsRow();
    void mainWindowEntries();
    void pictures();

private:
    db::Session& s() { return db_->session(); }
    int count(const QString& sql) { return s().scalar(sql).toInt(); }
    QStringList shownTexts() const { return dialogs_->texts(); }
    std::unique_ptr<TestDatabase> db_;
    ui::ScriptedDialogDriver* dialogs_ = nullptr;
    ui::AppContext context_;
};

void TstAdminWindows::init()
{
    db_ = TestDatabase::fresh();
    context_.setSession(&s());
    context_.setCurrentUserSource([] { return QStringLiteral("Ayşe"); });
    auto driver = std::make_unique<ui::ScriptedDialogDriver>();
    dialogs_ = driver.get();
    ui::setDialogDriver(std::move(driver));
    s().exec("INSERT INTO Q_userkontrol (username, pwd, bolum) VALUES ('Ayşe', '1234', 'Admin')");
    s().exec("INSERT INTO Q_userkontrol (username, pwd, bolum) VALUES ('Veli', '77', 'Garson')");
}

void TstAdminWindows::cleanup()
{
    app::forms().useredit_frm = nullptr;
    ui::setDialogDriver(std::make_unique<ui::WidgetDialogDriver>());
    context_.setSession(nullptr);
    db_.reset();
}

void TstAdminWindows::newUsers()
{
    app::UsereditFrm1 w(context_);
    QCOMPARE(w.windowTitle(), QString("Kullanıcı Tanımlama"));
    w.show();
    QVERIFY(w.btnpost->isEnabled());
    QVERIFY(!w.btncancel->isEnabled());
    QVERIFY(!w.btndel->isEnabled());
    QCOMPARE(w.grid->rowCount(), 2);
    QCOMPARE(w.pages->tabText(0), QString("Liste"));
    QCOMPARE(w.pages->tabText(1), QString("Servis Personeli"));
    QCOMPARE(w.grid->columns()[2].caption, QString("Kodu"));
    QCOMPARE(w.grid->textAt(0, "pwd"), QString(4, QChar(0x2022)));  // masked

    // Refusals: plain messages, nothing written, the box to correct gets the focus.
    w.btnpost->click();
    QCOMPARE(shownTexts(), QStringList{app::usermsg::kEmptyName});
    QCOMPARE(dialogs_->shown.last().kind, QString("message"));
    w.username->setText("Can");
    w.pwd->setText("77");
    w.btnpost->click();
    QCOMPARE(shownTexts().last(), QString(app::usermsg::kDuplicateCode));
    QCOMPARE(w.focusWidget(), w.pwd);
    w.pwd->setText("1234567890123456");
    w.btnpost->click();
    QCOMPARE(shownTexts().last(), QString(app::usermsg::kCodeTooLong));
    QCOMPARE(count("SELECT COUNT(*) FROM Q_userkontrol"), 2);
    QCOMPARE(w.username->text(), QString("Can"));  // the input stays for correcting

    // A cashier: saved with a desk, the boxes cleared.
    dialogs_->clear();
    w.pwd->setText("55");
    w.bolum->setEditText("Kasiyer");
    w.btnpost->click();
    QVERIFY(shownTexts().isEmpty());
    QCOMPARE(w.grid->rowCount(), 3);
    QVERIFY(w.username->text().isEmpty());
    QVERIFY(w.pwd->text().isEmpty());
    QCOMPARE(count("SELECT COUNT(*) FROM Q_Kasa WHERE KASAADI = 'Can' AND ACIKLAMA = 'Kasiyer'"), 1);
    // Its name is a desk's name now, whatever the role of the next one.
    w.username->setText("Can");
    w.pwd->setText("56");
    w.bolum->setEditText("Garson");
    w.btnpost->click();
    QCOMPARE(shownTexts().last(), QString("Can   İsimli Kullanıcı Zaten Mevcut (Mükerrer Kayıt)"));
}

void TstAdminWindows::loadedUserDeleteAndInPlaceEdits()
{
    app::UsereditFrm1 w(context_);
    w.show();
    QVERIFY(w.grid->locate("username", "Veli"));
    w.loadUser(w.grid->currentPosition());
    QCOMPARE(w.username->text(), QString("Veli"));
    QCOMPARE(w.pwd->text(), QString("77"));
    QCOMPARE(w.bolum->currentText(), QString("Garson"));
    QVERIFY(!w.btnpost->isEnabled());
    QVERIFY(w.btndel->isEnabled() && w.btncancel->isEnabled());

    // "Çıkış" drops the loaded user but keeps the window open.
    w.btncancel->click();
    QVERIFY(w.isVisible());
    QVERIFY(w.username->text().isEmpty());
    QVERIFY(w.btnpost->isEnabled());

    // Codes edited in the grid stay unique and within 15 characters.
    QVERIFY(w.grid->locate("username", "Ayşe"));
    const int ayse = w.grid->currentPosition();
    QVERIFY(w.grid->setValueAt(ayse, "pwd", "77"));
    QVERIFY(!w.grid->commitEdit());
    QCOMPARE(shownTexts().last(), QString(app::usermsg::kDuplicateCode));
    w.grid->cancelEdit();
    QVERIFY(w.grid->setValueAt(ayse, "pwd", "4321"));
    QVERIFY(w.grid->setValueAt(ayse, "yonetim", true));
    QVERIFY(w.grid->commitEdit());
    const auto row = s().selectOne("SELECT * FROM Q_userkontrol WHERE username = 'Ayşe'");
    QCOMPARE(row->text("pwd"), QString("4321"));
    QCOMPARE(row->integer("yonetim"), 1);

    // Deleting asks; the permission rows go with the user, with a warning.
    app::FormPermissions(s(), "Veli").grantLightModule();
    QVERIFY(w.grid->locate("username", "Veli"));
    w.loadUser(w.grid->currentPosition());
    dialogs_->clear();
    dialogs_->answerNo();
    w.btndel->click();
    QCOMPARE(shownTexts(), QStringList{"Veli  :İsimli Kaydı Silmek İstediğinizden Emin misiniz?"});
    QCOMPARE(count("SELECT COUNT(*) FROM Q_userkontrol WHERE username = 'Veli'"), 1);
    dialogs_->answerYes();
    w.btndel->click();
    QCOMPARE(count("SELECT COUNT(*) FROM Q_userkontrol WHERE username = 'Veli'"), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Veli'"), 0);
    QCOMPARE(dialogs_->shown.last().kind, QString("box"));
    QCOMPARE(shownTexts().last(), QString("Kullanıcı Kayıtları Silindi !!!"));
    QCOMPARE(w.grid->rowCount(), 1);
    QVERIFY(w.btnpost->isEnabled());
}

void TstAdminWindows::permissionEditorOpensForLoadedUser()
{
    app::UsereditFrm1 w(context_);
    app::UsereditFrm editor(context_);
    app::forms().useredit_frm = &editor;
    w.show();
    w.btntanimla->click();
    QCOMPARE(shownTexts(), QStringList{"Form tanımlamak için kullanıcı seçiniz"});

    // Load Veli, then move the grid's cursor to Ayşe: the editor is for Veli.
    QVERIFY(w.grid->locate("username", "Veli"));
    w.loadUser(w.grid->currentPosition());
    QVERIFY(w.grid->locate("username", "Ayşe"));
    QString editedUser;
    QTimer::singleShot(0, &editor, [&] {
        editedUser = editor.user();
        editor.reject();
    });
    w.btntanimla->click();
    QCOMPARE(editedUser, QString("Veli"));
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Veli'"), 8);
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Ayşe'"), 0);

    // A typed name of no user opens nothing.
    w.btncancel->click();
    w.username->setText("Kimse");
    dialogs_->clear();
    w.btntanimla->click();
    QCOMPARE(shownTexts(), QStringList{"Form tanımlamak için kullanıcı seçiniz"});
}

void TstAdminWindows::staffList()
{
    app::UsereditFrm1 w(context_);
    w.show();
    QVERIFY(w.staffGrid->setNewRowValue("ARACNO", "Mehmet"));
    QVERIFY(w.staffGrid->commitEdit());
    QCOMPARE(s().scalar("SELECT ARACNO FROM Q_U_Arac").toString(), QString("Mehmet"));
    QVERIFY(w.staffGrid->setValueAt(0, "ARACNO", "Mehmet Yılmaz"));
    QVERIFY(w.staffGrid->commitEdit());
    QCOMPARE(count("SELECT COUNT(*) FROM Q_U_Arac"), 1);
    QCOMPARE(s().scalar("SELECT ARACNO FROM Q_U_Arac").toString(), QString("Mehmet Yılmaz"));
    QCOMPARE(w.staffGrid->columns()[0].caption, QString("Personel"));
}

void TstAdminWindows::permissionEditor()
{
    app::UsereditFrm w(context_);
    QCOMPARE(w.windowTitle(), QString("Form Tanımlama"));
    w.username->setText("Ayşe");
    w.show();
    QCOMPARE(shownTexts(), (QStringList{"Ayşe...İsimli Kullanıcıya Ana Menüler Eklendi",
                                        "Alt Menüler Eklemek için Sağdaki ALL FORMS Bölümünü Kullanın"}));
    QCOMPARE(w.mnlist->model()->headerData(0, Qt::Horizontal).toString(), QString("AVAILABLE FORMS FOR.....Ayşe"));
    QCOMPARE(w.cxDBTreeList1->model()->headerData(0, Qt::Horizontal).toString(), QString("ALL FORMS "));
    QCOMPARE(w.mnlist->childrenOf({}).size(), 8);
    // The master tree: categories at the top, "Stok" entries under "Stok".
    QCOMPARE(w.cxDBTreeList1->childrenOf({}).size(), 8);
    QVERIFY(w.cxDBTreeList1->childrenOf("n0").size() > 10);
    QCOMPARE(w.cxDBTreeList1->childrenOf("n601").size(), 4);
    w.hide();
    dialogs_->clear();
    w.show();
    QVERIFY(shownTexts().isEmpty());

    // Double-clicking a master node grants it once; 520 grants 9520.
    QVERIFY(w.cxDBTreeList1->locate("n9002"));
    w.grantNode(*w.cxDBTreeList1->currentRow());
    w.grantNode(*w.cxDBTreeList1->currentRow());
    QVERIFY(w.cxDBTreeList1->locate("n520"));
    w.grantNode(*w.cxDBTreeList1->currentRow());
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Ayşe' AND PR_ID = 9002"), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Ayşe' AND PR_ID = 9520"), 1);
    QCOMPARE(w.mnlist->childrenOf("n0").size(), 2);
    QVERIFY(shownTexts().isEmpty());

    // Double-clicking the user's node asks before revoking.
    QVERIFY(w.mnlist->locate("n9002"));
    dialogs_->answerNo();
    w.revokeNode(*w.mnlist->currentRow());
    QCOMPARE(shownTexts(), QStringList{"Ayşe...isimli Kullanıcaya Ait seçilen Formu İptal Etmek İstiyor musunuz ?"});
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Ayşe' AND PR_ID = 9002"), 1);
    dialogs_->answerYes();
    w.revokeNode(*w.mnlist->currentRow());
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Ayşe' AND PR_ID = 9002"), 0);
    // Revoking "Stok" leaves its entries (they show at the top of the tree now).
    QVERIFY(w.mnlist->locate("n0"));
    dialogs_->answerYes();
    w.revokeNode(*w.mnlist->currentRow());
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Ayşe' AND PR_ID = 9520"), 1);

    // "Form Tanımlamayı Başlat" puts "Stok" back, and nothing twice.
    dialogs_->clear();
    QAction* start = w.menu->actions().value(0);
    QCOMPARE(start->text(), QString("Form Tanımlamayı Başlat"));
    start->trigger();
    QCOMPARE(shownTexts().size(), 2);
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Ayşe'"), 9);
    QCOMPARE(count("SELECT COUNT(DISTINCT PR_ID) FROM Q_FRM WHERE PR_INFO = 'Ayşe'"), 9);
}

void TstAdminWindows::readyMadeSets()
{
    app::UsereditFrm w(context_);
    w.username->setText("Veli");
    w.show();
    w.grantNode(*s().selectOne("SELECT * FROM Q_frmmaster WHERE PR_ID = 9002"));
    dialogs_->clear();
    dialogs_->answerNo();
    w.btnlight->click();
    QCOMPARE(dialogs_->shown.last().caption, QString("D I K K A  T ..."));
    QCOMPARE(shownTexts(), QStringList{"Light Modül?"});
    QCOMPARE(dialogs_->shown.last().icon, ui::Icon::Question);
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Veli' AND PR_ID = 9002"), 1);

    dialogs_->answerYes();
    w.btnlight->click();
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Veli' AND PR_ID = 9002"), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Veli'"), 4 + 29);
    QCOMPARE(w.mnlist->childrenOf({}).size(), 4);

    dialogs_->answerYes();
    w.btnmaster->click();
    QCOMPARE(shownTexts().last(), QString("Master?"));
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Veli'"), 4 + 35);

    dialogs_->answerYes();
    w.btnfull->click();
    QCOMPARE(shownTexts().last(), QString("Tümü Eklensinmi?"));
    QCOMPARE(count("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'Veli'"),
             count("SELECT COUNT(*) FROM Q_frmmaster WHERE PR_INFO = 'ADMIN' AND PR_PARENT >= 0") + 8);
    QCOMPARE(w.mnlist->childrenOf({}).size(), 8);
}

void TstAdminWindows::sqlPage()
{
    app::MudyFrm w(context_);
    QCOMPARE(w.windowTitle(), QString("Admin"));
    w.show();
    QVERIFY(QRegularExpression("^\\d\\d\\.\\d\\d\\.\\d{4}\\.\\d\\d\\.\\d\\d\\.\\d\\d$")
                .match(w.lblsaat->text())
                .hasMatch());
    QVERIFY(w.clock->isActive());
    QCOMPARE(w.clock->interval(), 1000);
    QCOMPARE(w.mmo1->completionWords().size(), 9);
    QCOMPARE(w.mmo1->completionsFor("de"), QStringList{"delete"});
    QCOMPARE(w.mmo1->completionsFor("se"), QStringList{"SELECT"});
    // Two letters open the completion; Enter takes the word (and neither moves on nor runs anything).
    w.mmo1->clear();
    w.mmo1->setFocus();
    QTest::keyClicks(w.mmo1, "sel");
    QVERIFY(w.mmo1->completer()->popup()->isVisible());
    QTest::keyClick(w.mmo1->completer()->popup(), Qt::Key_Return);
    QCOMPARE(w.mmo1->toPlainText(), QString("SELECT"));
    QVERIFY(shownTexts().isEmpty());

    w.mmo1->setPlainText(
        "INSERT INTO RACK_RENK (CHE) VALUES ('5')\nGO\nUPDATE RACK_RENK SET CHE = '6' WHERE CHE = '5'");
    w.btncalistir->click();
    QCOMPARE(shownTexts(), QStringList{"Tamamlandı"});
    QCOMPARE(count("SELECT COUNT(*) FROM RACK_RENK WHERE CHE = '6'"), 1);
    w.mmo1->setPlainText("DELETE FROM RACK_RENK; DELETE FROM yok_boyle_tablo");
    w.btncalistir->click();
    QCOMPARE(shownTexts().last(), QString("KODLAMA HATASI"));
    QCOMPARE(dialogs_->shown.last().kind, QString("message"));  // the database's text is not shown
    QCOMPARE(count("SELECT COUNT(*) FROM RACK_RENK"), 2);

    dialogs_->clear();
    w.btnbakim1->click();
    QCOMPARE(w.mmo1->toPlainText(), app::maintenanceStatement(s().engine(), app::Maintenance::Checkpoint));
    w.btnbakim2->click();
    QCOMPARE(w.mmo1->toPlainText(), QString("VACUUM"));
    QCOMPARE(shownTexts(), (QStringList{"Tamamlandı", "Tamamlandı"}));

    dialogs_->clear();
    w.btnfixpda->click();
    w.btnsayac->click();
    QCOMPARE(shownTexts(), (QStringList{"TAMAMLANDI", "Tamamlandı"}));
    w.close();
    QVERIFY(!w.clock->isActive());
}

void TstAdminWindows::salesAndInstallationWipes()
{
    s().exec("INSERT INTO Q_ITEMS (KODU, ADI) VALUES ('S1', 'Un')");
    s().exec(
        "INSERT INTO Q_ITEMS_MOV (tarih, Saat, StokKodu, department, Giren) VALUES "
        "('2024-05-01 00:00:00', '10:00:00', 'S1', 'Mutfak', 5)");
    s().exec("INSERT INTO Q_bugs (GUN, sebep) VALUES ('2024-05-01 00:00:00', 'Silme')");
    s().exec("INSERT INTO Q_adisyon (tarih, saat, adisyon) VALUES ('2024-05-01 00:00:00', '10:00:00', 1)");
    s().exec("INSERT INTO Q_KASA_DETAY (HESADI, Alacak) VALUES ('Merkez', 5)");
    s().exec("INSERT INTO Q_CUSTOMER_DETAILS (HESNO, Borc) VALUES ('C1', 10)");
    app::MudyFrm w(context_);
    w.show();
    auto sales = [this] {
        return count("SELECT COUNT(*) FROM Q_bugs") + count("SELECT COUNT(*) FROM Q_CUSTOMER_DETAILS") +
               count("SELECT COUNT(*) FROM Q_ITEMS_MOV") + count("SELECT COUNT(*) FROM Q_KASA_DETAY") +
               count("SELECT COUNT(*) FROM Q_adisyon");
    };
    dialogs_->answerNo();
    w.btnsatissil->click();
    QCOMPARE(shownTexts(), QStringList{"D I K K A T . . . . . ?"});
    QCOMPARE(dialogs_->shown.last().kind, QString("confirm"));
    QCOMPARE(sales(), 5);
    dialogs_->answerYes();
    w.btnsatissil->click();
    QCOMPARE(sales(), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM Q_ITEMS"), 1);

    // "Yeni Kurulum": No, a cancelled code and a wrong code delete nothing.
    dialogs_->clear();
    dialogs_->answerNo();
    w.btnkurulum->click();
    QCOMPARE(shownTexts(), QStringList{"D I K K A T . . . . . ?"});
    for (const std::optional<QString>& code : {std::optional<QString>(), std::optional<QString>("0000")}) {
        dialogs_->clear();
        dialogs_->answerYes();
        dialogs_->answerInput(code);
        w.btnkurulum->click();
        QCOMPARE(dialogs_->shown.size(), 3);
        QCOMPARE(dialogs_->shown[1].caption, QString("PWD"));
        QCOMPARE(dialogs_->shown[1].text, QString("  PWD ? "));
        QCOMPARE(dialogs_->shown[2].caption, QString("D I K K A T ..."));
        QCOMPARE(dialogs_->shown[2].text, QString("Hatalı Şifre ;\nYöneticinize Başvurun !!!"));
        QCOMPARE(dialogs_->shown[2].icon, ui::Icon::Warning);
        QCOMPARE(count("SELECT COUNT(*) FROM Q_ITEMS") + count("SELECT COUNT(*) FROM Q_userkontrol"), 3);
    }
    dialogs_->answerYes();
    dialogs_->answerInput(QString(app::kInstallationCode));
    w.btnkurulum->click();
    QCOMPARE(count("SELECT COUNT(*) FROM Q_ITEMS") + count("SELECT COUNT(*) FROM Q_userkontrol"), 0);
    QCOMPARE(shownTexts().last(), QString("Tamamlandı"));
}

void TstAdminWindows::backupButton()
{
    QTemporaryDir folder;
    app::MudyFrm w(context_);
    w.show();
    w.setBackupFolder(folder.filePath("yedek"));
    w.btnbackup->click();
    QCOMPARE(shownTexts(), QStringList{"Yedekleme Tamamlandı"});
    QVERIFY(QFileInfo(w.lastBackupFile()).size() > 0);
    QVERIFY(QRegularExpression("_\\d\\d\\.\\d\\d\\.\\d{4}\\.\\d\\d\\.\\d\\d\\.\\d\\d\\.(db|sql)$")
                .match(w.lastBackupFile())
                .hasMatch());

    // A folder that cannot be made: the reason, and no success.
    QFile blocker(folder.filePath("dosya"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    dialogs_->clear();
    w.setBackupFolder(folder.filePath("dosya/alt"));
    w.btnbackup->click();
    QCOMPARE(dialogs_->shown.size(), 1);
    QCOMPARE(dialogs_->shown[0].caption, QString("D I K K A T ..."));
    QVERIFY(dialogs_->shown[0].text.startsWith("Yedekleme Yapılamadı\n"));
    QVERIFY(dialogs_->shown[0].text.contains("dosya/alt"));
}

void TstAdminWindows::adminGrids()
{
    s().exec("INSERT INTO Q_backup (saat) VALUES ('23:00')");
    app::MudyFrm w(context_);
    w.show();
    QCOMPARE(w.pages->tabText(1), QString("Yedekleme"));
    QCOMPARE(w.pages->tabText(2), QString("Mail"));
    QCOMPARE(w.backupGrid->rowCount(), 1);
    QVERIFY(w.backupGrid->setNewRowValue("saat", "03:00"));
    QVERIFY(w.backupGrid->commitEdit());
    QCOMPARE(count("SELECT COUNT(*) FROM Q_backup"), 2);
    QVERIFY(w.mailGrid->setNewRowValue("mail1", "mudur@ornek.com"));
    QVERIFY(w.mailGrid->setNewRowValue("sendtime", "08:00"));
    QVERIFY(w.mailGrid->commitEdit());
    QCOMPARE(s().scalar("SELECT sendtime FROM Q_mail").toString(), QString("08:00"));
    QCOMPARE(w.mailGrid->columns()[2].caption, QString("Saat"));
    w.close();
    QCOMPARE(w.backupGrid->rowCount(), 0);
    w.show();
    QCOMPARE(w.backupGrid->rowCount(), 2);
}

void TstAdminWindows::auditLog()
{
    const QString today = QDate::currentDate().toString("yyyy-MM-dd");
    s().exec(
        "INSERT INTO Q_bugs (GUN, ZAMAN, username, sebep, URUN_ADI, ADET, bill_trans, item_trans) VALUES "
        "(:a, '10:00:00', 'Ayşe', 'Silme', 'Çay', 2, '1', NULL), "
        "(:b, '14:30:00', 'Veli', 'İade', 'Kahve', 1, NULL, '1'), "
        "('2020-01-01 00:00:00', '09:00:00', 'Veli', 'Silme', 'Su', 3, '1', NULL)",
        {{"a", today + " 00:00:00"}, {"b", today + " 14:30:00"}});
    app::BugsFrm w(context_);
    QCOMPARE(w.windowTitle(), QString("Bug's"));
    w.show();
    QCOMPARE(w.grid->rowCount(), 2);
    QCOMPARE(w.grid->textAt(0, "URUN_ADI"), QString("Çay"));
    QCOMPARE(w.grid->footerValue("ADET").toDouble(), 3.0);
    QCOMPARE(w.grid->footerValue("URUN_ADI").toInt(), 2);
    QCOMPARE(w.grid->footerValue("bill_trans").toInt(), 2);
    QVERIFY(w.grid->filterRowVisible());
    w.showAll();
    QCOMPARE(w.grid->rowCount(), 3);
    QCOMPARE(w.grid->textAt(0, "URUN_ADI"), QString("Su"));  // by GUN
    w.ara->setDate(QDate(2020, 1, 1));
    QCOMPARE(w.grid->rowCount(), 1);
    QCOMPARE(*w.shownDay(), QDate(2020, 1, 1));
    w.close();
    QCOMPARE(w.grid->rowCount(), 0);
}

void TstAdminWindows::branchesEnterPostsCell()
{
    app::MerkezFrm w(context_);
    QCOMPARE(w.windowTitle(), QString("Merkezi Sistem Parametreleri"));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QApplication::setActiveWindow(&w);
    QCOMPARE(w.grid->rowCount(), 1);
    QCOMPARE(w.grid->columns()[0].caption, QString("Sube Adı"));
    QTreeView* view = w.grid->view();
    view->setFocus();
    w.grid->setCurrentPosition(0);
    QTest::keyClick(view, Qt::Key_F2);
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(editor && editor != view);
    auto* line = qobject_cast<QLineEdit*>(editor);
    QVERIFY(line);
    line->setText("Kadıköy");
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(s().scalar("SELECT sube FROM Q_Sube").toString(), QString("Kadıköy"));
}

void TstAdminWindows::switchModeDropsUnpostedEdit()
{
    app::SwitchmodeFrm w(context_);
    QCOMPARE(w.windowTitle(), QString("Garson & Kasiyer Modu Tanımlama"));
    w.show();
    QVERIFY(w.grid->setNewRowValue("mac_id", "00:1A:2B:3C:4D:5E"));
    w.close();
    QCOMPARE(count("SELECT COUNT(*) FROM Q_Switch_mode"), 0);
    w.show();
    QVERIFY(w.grid->setNewRowValue("mac_id", "00:1A:2B:3C:4D:5E"));
    QVERIFY(w.grid->setNewRowValue("switch_cash_mode", true));
    QVERIFY(w.grid->commitEdit());
    const auto row = s().selectOne("SELECT * FROM Q_Switch_mode");
    QCOMPARE(row->integer("switch_cash_mode"), 1);
    QCOMPARE(row->text("mac_id"), QString("00:1A:2B:3C:4D:5E"));
}

void TstAdminWindows::constantWindowStartsRow()
{
    s().exec("DELETE FROM Q_CONSTANT");
    app::ConstantFrm w(context_);
    QCOMPARE(w.windowTitle(), QString("Constant Price"));
    w.show();
    QVERIFY(w.CONSTANT->text().isEmpty());
    w.btnok->click();  // nothing typed: refused, nothing written
    QCOMPARE(shownTexts().size(), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM Q_CONSTANT"), 0);
    w.CONSTANT->setText("1.25");
    w.btnok->click();
    QVERIFY(!w.isVisible());
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QCOMPARE(count("SELECT COUNT(*) FROM Q_CONSTANT"), 1);
    QCOMPARE(s().scalar("SELECT CONSTANT FROM Q_CONSTANT").toDouble(), 1.25);
    w.show();
    QCOMPARE(w.CONSTANT->text(), QString("1.25"));
}

void TstAdminWindows::mainWindowEntries()
{
    app::AnamenuFrm main(context_);
    auto& f = app::forms();
    f.anamenu_frm = &main;
    f.createAll(context_);
    // Entries 602, 608 and 609, the fixed "Merkezi Sistem Parametreleri", "Sistem
    // Yapılandırma" and the recipe list's "Constant" reach these windows.
    QVERIFY(qobject_cast<app::UsereditFrm1*>(f.byName(app::entryByCode(602)->window)));
    QVERIFY(qobject_cast<app::BugsFrm*>(f.byName(app::entryByCode(608)->window)));
    QVERIFY(qobject_cast<app::SwitchmodeFrm*>(f.byName(app::entryByCode(609)->window)));
    QVERIFY(qobject_cast<app::MerkezFrm*>(f.byName(app::fixedEntries(8).value(1).window)));
    QVERIFY(qobject_cast<app::MudyFrm*>(f.byName("mudy_frm")));
    QVERIFY(qobject_cast<app::ConstantFrm*>(f.byName("constant_frm")));
    QVERIFY(qobject_cast<app::UsereditFrm*>(f.byName("useredit_frm")));
    QCOMPARE(f.byName("useredit_frm1")->objectName(), QString("useredit_frm1"));

    main.dbedt_id->setText("602");
    main.tikla();
    QVERIFY(f.useredit_frm1->isVisible());
    bool adminShown = false;
    QTimer::singleShot(0, f.mudy_frm, [&] {
        adminShown = f.mudy_frm->isVisible();
        f.mudy_frm->close();
    });
    dialogs_->answerYes();
    dialogs_->answerInput(QString(app::kAdministratorCode));
    main.systemConfiguration();
    QVERIFY(adminShown);
    f.anamenu_frm = nullptr;  // owned by the test
    f.destroyAll();
}

void TstAdminWindows::pictures()
{
    // Screenshots of the three main windows over a demo installation.
    pos::DemoScale scale;
    scale.days = 3;
    scale.billsPerDay = 20;
    pos::buildDemo(s(), scale);
    app::UserAccounts users(s());
    users.add({"Kasiyer Ayten", "3311", "Kasiyer"});
    users.add({"Cost Kontrol", "4411", "Cost Control"});
    users.saveStaff(std::nullopt, "Mehmet Yılmaz");
    app::AnamenuFrm main(context_);
    auto& f = app::forms();
    f.anamenu_frm = &main;
    f.createAll(context_);
    app::FormPermissions(s(), "Ayşe").grantMasterModule();
    const QString dir = QDir::current().filePath("pictures");
    QDir().mkpath(dir);
    QVERIFY(app::saveWindowPicture(context_, {"useredit_frm1", dir + "/useredit_frm1.png"}));
    f.useredit_frm1->pages->setCurrentIndex(1);
    QVERIFY(app::saveWindowPicture(context_, {"useredit_frm1", dir + "/useredit_frm1_personel.png"}));
    f.useredit_frm->username->setText("Ayşe");
    QVERIFY(app::saveWindowPicture(context_, {"useredit_frm", dir + "/useredit_frm.png"}));
    f.mudy_frm->mmo1->setPlainText(
        "-- gün sonu kontrolü\nSELECT StokKodu, SUM(Cikan) AS satilan\n  FROM Q_ITEMS_MOV\n"
        " WHERE tarih BETWEEN '2024-05-01' AND '2024-05-31'\n GROUP BY StokKodu;\nGO\n"
        "UPDATE RACK_RENK SET CHE = '1'");
    QVERIFY(app::saveWindowPicture(context_, {"mudy_frm", dir + "/mudy_frm.png"}));
    for (const char* name : {"bugs_frm", "merkez_frm", "switchmode_frm", "constant_frm"})
        QVERIFY(app::saveWindowPicture(context_, {name, dir + "/" + name + ".png"}));
    f.anamenu_frm = nullptr;
    f.destroyAll();
    qInfo("pictures in %s", qPrintable(dir));
}

QTEST_MAIN(TstAdminWindows)
#include "tst_admin_windows.moc"
