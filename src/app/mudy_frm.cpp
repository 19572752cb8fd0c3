#include "app/mudy_frm.h"

#include "app/admin_lists.h"
#include "app/admin_tools.h"
#include "app/database_backup.h"
#include "app/grid_editing.h"
#include "app/sql_editor.h"
#include "reports/designer_window.h"
#include "reports/report.h"
#include "ui/busy_cursor.h"
#include "ui/data_grid.h"
#include "ui/dialogs.h"

#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace app {

MudyFrm::MudyFrm(ui::AppContext& context, QWidget* parent) : ui::FormBase(parent), context_(context)
{
    setObjectName(QStringLiteral("mudy_frm"));
    setWindowTitle(QStringLiteral("Admin"));

    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("pages"));
    pages->addTab(buildSqlPage(), QStringLiteral("SQL"));

    backupGrid = new ui::DataGrid(this);
    backupGrid->setObjectName(QStringLiteral("backupGrid"));
    backupGrid->setTitle(QStringLiteral("Yedekleme"));
    backupGrid->setColumns(
        {{.field = "M_ID", .caption = "M_ID", .width = 70}, {.field = "saat", .editable = true, .width = 120}});
    backupGrid->setReadOnly(false);
    backupGrid->setNewRowAllowed(true);
    backupGrid->setRowWriter([this](const ui::RowEdit& edit) {
        const auto key = rowKey(edit.before, QStringLiteral("M_ID"));
        qint64 newId = 0;
        const CheckResult r =
            AdminLists(context_.session()).saveBackupTime(key, edit.after.text(QStringLiteral("saat")), &newId);
        if (!r.ok() || key)
            return editResult(r);
        return ui::EditResult::ok(withValue(edit.after, QStringLiteral("M_ID"), newId));
    });
    pages->addTab(backupGrid, QStringLiteral("Yedekleme"));

    mailGrid = new ui::DataGrid(this);
    mailGrid->setObjectName(QStringLiteral("mailGrid"));
    mailGrid->setTitle(QStringLiteral("Mail"));
    mailGrid->setColumns({{.field = "mail1", .editable = true, .width = 220},
                          {.field = "mail2", .editable = true, .width = 220},
                          {.field = "sendtime", .caption = "Saat", .editable = true, .width = 80},
                          {.field = "sube", .editable = true, .width = 150}});
    mailGrid->setReadOnly(false);
    mailGrid->setNewRowAllowed(true);
    mailGrid->setRowWriter([this](const ui::RowEdit& edit) {
        const auto key = rowKey(edit.before, QStringLiteral("M_ID"));
        const db::Row& a = edit.after;
        qint64 newId = 0;
        const CheckResult r =
            AdminLists(context_.session())
                .saveMailRecipient(key,
                                   {a.text(QStringLiteral("mail1")), a.text(QStringLiteral("mail2")),
                                    a.text(QStringLiteral("sendtime")), a.text(QStringLiteral("sube"))},
                                   &newId);
        if (!r.ok() || key)
            return editResult(r);
        return ui::EditResult::ok(withValue(edit.after, QStringLiteral("M_ID"), newId));
    });
    pages->addTab(mailGrid, QStringLiteral("Mail"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);

    clock = new QTimer(this);
    clock->setInterval(1000);
    connect(clock, &QTimer::timeout, this, &MudyFrm::tick);
    tick();

    resize(900, 600);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

QWidget* MudyFrm::buildSqlPage()
{
    auto* page = new QWidget(this);
    mmo1 = new SqlEditor(page);
    mmo1->setObjectName(QStringLiteral("mmo1"));
    mmo1->setCompletionWords({QStringLiteral("SELECT"), QStringLiteral("WHERE"), QStringLiteral("between"),
                              QStringLiteral("case"), QStringLiteral("begin"), QStringLiteral("go"),
                              QStringLiteral("end"), QStringLiteral("delete"), QStringLiteral("update")});

    lblsaat = new QLabel(page);
    lblsaat->setObjectName(QStringLiteral("lblsaat"));
    QFont big = lblsaat->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    lblsaat->setFont(big);

    auto button = [page](const QString& caption, const char* name) {
        auto* b = new QPushButton(caption, page);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        b->setMinimumHeight(30);
        return b;
    };
    btncalistir = button(QStringLiteral("ÇALIŞTI&R "), "btncalistir");
    btnbakim1 = button(QStringLiteral("BAKIM-1"), "btnbakim1");
    btnbakim2 = button(QStringLiteral("BAKIM-2"), "btnbakim2");
    btnbackup = button(QStringLiteral("DATABASE BACKUP"), "btnbackup");
    btnrapor = button(QStringLiteral("Rapor Tasarım "), "btnrapor");
    btnsatissil = button(QStringLiteral("Satışları Sil"), "btnsatissil");
    btnkurulum = button(QStringLiteral("Yeni Kurulum"), "btnkurulum");
    btnfixpda = button(QStringLiteral("Fix Pda"), "btnfixpda");
    btnsayac = button(QStringLiteral("Sayac Sıfırla"), "btnsayac");

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(lblsaat, 0, Qt::AlignHCenter);
    buttons->addSpacing(6);
    for (QPushButton* b : {btncalistir, btnbakim1, btnbakim2, btnbackup, btnrapor})
        buttons->addWidget(b);
    buttons->addSpacing(12);
    for (QPushButton* b : {btnsatissil, btnkurulum, btnfixpda, btnsayac})
        buttons->addWidget(b);
    buttons->addStretch();

    yedekklasoru = new QLineEdit(page);
    yedekklasoru->setObjectName(QStringLiteral("yedekklasoru"));
    yedekklasoru->setText(DatabaseBackup::configuredFolder());
    connect(yedekklasoru, &QLineEdit::editingFinished, this,
            [this] { DatabaseBackup::setConfiguredFolder(yedekklasoru->text().trimmed()); });
    lblyedek = new QLabel(page);
    lblyedek->setObjectName(QStringLiteral("lblyedek"));
    lblyedek->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* folder = new QHBoxLayout;
    folder->addWidget(new QLabel(QStringLiteral("Yedekleme Klasörü"), page));
    folder->addWidget(yedekklasoru, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(mmo1, 1);
    left->addLayout(folder);
    left->addWidget(lblyedek);

    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    connect(btncalistir, &QPushButton::clicked, this, &MudyFrm::runSql);
    connect(btnbakim1, &QPushButton::clicked, this, &MudyFrm::maintenance1);
    connect(btnbakim2, &QPushButton::clicked, this, &MudyFrm::maintenance2);
    connect(btnbackup, &QPushButton::clicked, this, &MudyFrm::backup);
    connect(btnrapor, &QPushButton::clicked, this, &MudyFrm::reportDesign);
    connect(btnsatissil, &QPushButton::clicked, this, &MudyFrm::deleteSales);
    connect(btnkurulum, &QPushButton::clicked, this, &MudyFrm::newInstallation);
    connect(btnfixpda, &QPushButton::clicked, this, &MudyFrm::fixPda);
    connect(btnsayac, &QPushButton::clicked, this, &MudyFrm::resetCounter);
    return page;
}

void MudyFrm::showEvent(QShowEvent* event)
{
    ui::FormBase::showEvent(event);
    tick();
    clock->start();
    openGrids();
}

void MudyFrm::hideEvent(QHideEvent* event)
{
    clock->stop();
    closeGrids();
    ui::FormBase::hideEvent(event);
}

void MudyFrm::openGrids()
{
    if (!context_.hasSession())
        return;
    try {
        AdminLists lists(context_.session());
        backupGrid->setRows(lists.backupTimes());
        mailGrid->setRows(lists.mailRecipients());
    } catch (const db::Error& e) {
        ui::dialogs::error(this, e.text());
    }
}

void MudyFrm::closeGrids()
{
    backupGrid->commitEdit();
    mailGrid->commitEdit();
    backupGrid->clear();
    mailGrid->clear();
}

void MudyFrm::tick()
{
    lblsaat->setText(clockText(QDateTime::currentDateTime()));
}

QString MudyFrm::backupFolder() const
{
    return yedekklasoru->text().trimmed();
}

void MudyFrm::setBackupFolder(const QString& folder)
{
    yedekklasoru->setText(folder);
}

bool MudyFrm::perform(const std::function<void()>& work)
{
    try {
        ui::BusyCursor busy;
        work();
        return true;
    } catch (const db::Error& e) {
        ui::dialogs::error(this, e.text());
        return false;
    }
}

void MudyFrm::runSql()
{
    bool ok = false;
    {
        ui::BusyCursor busy;
        ok = runSqlBatch(context_.session(), mmo1->toPlainText());
    }
    ui::dialogs::message(this, QString::fromUtf8(ok ? adminmsg::kDone : adminmsg::kCodingError));
}

void MudyFrm::maintenance1()
{
    mmo1->setPlainText(maintenanceStatement(context_.session().engine(), Maintenance::Checkpoint));
    runSql();
}

void MudyFrm::maintenance2()
{
    mmo1->setPlainText(maintenanceStatement(context_.session().engine(), Maintenance::Compact));
    runSql();
}

void MudyFrm::backup()
{
    // The label as it reads at this moment names the backup.
    tick();
    const QString label = lblsaat->text();
    BackupResult result;
    {
        ui::BusyCursor busy;
        result = DatabaseBackup(context_.session()).run(backupFolder(), label);
    }
    if (!result.ok) {
        ui::dialogs::warn(this, QString::fromUtf8(adminmsg::kCaution),
                          QString::fromUtf8(adminmsg::kBackupFailed) + u'\n' + result.reason);
        return;
    }
    lastBackup_ = result.file;
    lblyedek->setText(QStringLiteral("Son yedek: ") + result.file);
    ui::dialogs::message(this, QString::fromUtf8(adminmsg::kBackupDone));
}

void MudyFrm::reportDesign()
{
    reports::openDesigner(this, reports::mudy());
}

void MudyFrm::deleteSales()
{
    if (!ui::dialogs::confirm(this, QString::fromUtf8(adminmsg::kAreYouSure)))
        return;
    if (perform([this] { AdminTools(context_.session()).deleteSales(); }))
        ui::dialogs::message(this, QString::fromUtf8(adminmsg::kDone));
}

void MudyFrm::newInstallation()
{
    if (!ui::dialogs::confirm(this, QString::fromUtf8(adminmsg::kAreYouSure)))
        return;
    const std::optional<QString> typed = ui::dialogs::input(this, QString::fromUtf8(adminmsg::kCodeTitle),
                                                            QString::fromUtf8(adminmsg::kCodePrompt), QString());
    if (!AdminTools::installationCodeMatches(typed)) {
        ui::dialogs::warn(this, QString::fromUtf8(adminmsg::kCaution), QString::fromUtf8(adminmsg::kWrongCode));
        return;
    }
    if (perform([this, &typed] { AdminTools(context_.session()).newInstallation(typed); }))
        ui::dialogs::message(this, QString::fromUtf8(adminmsg::kDone));
}

void MudyFrm::fixPda()
{
    if (perform([this] { AdminTools(context_.session()).fixPda(); }))
        ui::dialogs::message(this, QString::fromUtf8(adminmsg::kDoneCaps));
}

void MudyFrm::resetCounter()
{
    if (perform([this] { AdminTools(context_.session()).resetCounter(); }))
        ui::dialogs::message(this, QString::fromUtf8(adminmsg::kDone));
}

}  // namespace app
