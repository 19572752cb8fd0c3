// Logging in: the user name and password must match a row exactly.
#include "app/login.h"
#include "app/userlogin_frm.h"
#include "test_db.h"
#include "ui/dialogs.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using testsupport::TestDatabase;

class TstLogin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void checks_data();
    void checks();
    void windowMessagesAndRetries();
    void enterLogsIn();
    void leavingAsks();

private:
    std::unique_ptr<TestDatabase> db_;
    ui::ScriptedDialogDriver* dialogs_ = nullptr;
    ui::AppContext context_;
};

void TstLogin::init()
{
    db_ = TestDatabase::fresh();
    auto& s = db_->session();
    for (const auto& [u, p] : QList<QPair<QString, QString>>{
             {"Ayşe", "1234"}, {"ayşe", "9999"}, {"Boş", ""}, {"Garson Ali", "AbC"}, {"Kasa", "77   "}})
        s.exec("INSERT INTO Q_userkontrol (username, pwd, bolum) VALUES (:u, :p, 'Garson')", {{"u", u}, {"p", p}});
    context_.setSession(&s);
    auto driver = std::make_unique<ui::ScriptedDialogDriver>();
    dialogs_ = driver.get();
    ui::setDialogDriver(std::move(driver));
}

void TstLogin::cleanup()
{
    ui::setDialogDriver(std::make_unique<ui::WidgetDialogDriver>());
    context_.setSession(nullptr);
    db_.reset();
}

void TstLogin::checks_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("pwd");
    QTest::addColumn<int>("result");
    const int ok = int(app::LoginResult::Ok), no = int(app::LoginResult::NoMatch),
              empty = int(app::LoginResult::EmptyUser);
    QTest::newRow("match") << "Ayşe"
                           << "1234" << ok;
    QTest::newRow("names differ in case") << "AYŞE"
                                          << "1234" << no;
    QTest::newRow("the other case is another user") << "ayşe"
                                                    << "9999" << ok;
    QTest::newRow("wrong password") << "Ayşe"
                                    << "9999" << no;
    QTest::newRow("password case-sensitive") << "Garson Ali"
                                             << "abc" << no;
    QTest::newRow("empty stored password, empty box") << "Boş"
                                                      << "" << ok;
    QTest::newRow("empty stored password, typed one") << "Boş"
                                                      << "x" << no;
    QTest::newRow("part of a name") << "Ayş"
                                    << "1234" << no;
    QTest::newRow("name with a blank") << "Garson Ali"
                                       << "AbC" << ok;
    QTest::newRow("fixed-width code without its blanks") << "Kasa"
                                                         << "77" << ok;
    QTest::newRow("empty user") << ""
                                << "1234" << empty;
}

void TstLogin::checks()
{
    QFETCH(QString, user);
    QFETCH(QString, pwd);
    QFETCH(int, result);
    QCOMPARE(int(app::checkLogin(db_->session(), user, pwd)), result);
}

void TstLogin::windowMessagesAndRetries()
{
    app::UserloginFrm w(context_);
    QString loggedIn;
    w.setOnLogin([&](const QString& u) { loggedIn = u; });
    QCOMPARE(w.windowTitle(), QString("Manager"));

    // Empty user name: a beep, the message with its trailing blank, focus to the name.
    w.show();
    w.btn1->click();
    QCOMPARE(dialogs_->beeps, 1);
    QCOMPARE(dialogs_->texts(), QStringList{"Yanlış Kullanıcı Adı "});

    // Wrong passwords may be retried without limit; each failure empties the box.
    w.username->setText("Ayşe");
    for (int i = 0; i < 5; ++i) {
        w.pwd->setText(QString("yanlis%1").arg(i));
        w.btn1->click();
        QVERIFY(w.pwd->text().isEmpty());
        QVERIFY(loggedIn.isEmpty());
    }
    QCOMPARE(dialogs_->texts().last(), QString("Yanlış Kullanıcı Adı yada Şifre !!!  Lütfen Şifrenizi Kontrol Ediniz"));
    QCOMPARE(dialogs_->beeps, 6);

    w.pwd->setText("1234");
    w.btn1->click();
    QCOMPARE(loggedIn, QString("Ayşe"));
    QVERIFY(w.pwd->text().isEmpty());
    QCOMPARE(w.result(), int(QDialog::Accepted));
}

void TstLogin::enterLogsIn()
{
    app::UserloginFrm w(context_);
    QString loggedIn;
    w.setOnLogin([&](const QString& u) { loggedIn = u; });
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.username->setFocus();
    QTest::keyClicks(w.username, "Garson Ali");
    QTest::keyClick(w.username, Qt::Key_Return);  // Enter in the name box logs in as well
    QCOMPARE(dialogs_->texts().size(), 1);        // with the wrong (empty) password
    QVERIFY(loggedIn.isEmpty());
    dialogs_->clear();
    QTest::keyClicks(w.pwd, "AbC");
    QTest::keyClick(w.pwd, Qt::Key_Return);
    QCOMPARE(loggedIn, QString("Garson Ali"));
    QVERIFY(dialogs_->texts().isEmpty());
}

void TstLogin::leavingAsks()
{
    app::UserloginFrm w(context_);
    w.show();
    dialogs_->answerNo();
    w.btn2->click();
    QVERIFY(!w.endRequested());
    QCOMPARE(dialogs_->shown.last().caption, QString("DİKKAT"));
    QCOMPARE(dialogs_->shown.last().text, QString("Çıkmak İstediğinize Emin misiniz ?"));
    QCOMPARE(dialogs_->shown.last().icon, ui::Icon::Question);
    dialogs_->answerYes();
    w.btn2->click();
    QVERIFY(w.endRequested());
}

QTEST_MAIN(TstLogin)
#include "tst_login.moc"
