#include "app/useredit_frm1.h"

#include "app/forms.h"
#include "app/grid_editing.h"
#include "app/user_accounts.h"
#include "app/useredit_frm.h"
#include "ui/data_grid.h"
#include "ui/dialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace app {

namespace {
constexpr const char* kDeleteQuestionSuffix = "  :İsimli Kaydı Silmek İstediğinizden Emin misiniz?";
constexpr const char* kPermissionsDeleted = "Kullanıcı Kayıtları Silindi !!!";
constexpr const char* kPickUserFirst = "Form tanımlamak için kullanıcı seçiniz";
constexpr const char* kCaution = "D I K K A T";
}  // namespace

UsereditFrm1::UsereditFrm1(ui::AppContext& context, QWidget* parent) : ui::FormBase(parent), context_(context)
{
    setObjectName(QStringLiteral("useredit_frm1"));
    setWindowTitle(QStringLiteral("Kullanıcı Tanımlama"));
    // Fixed size, close button only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    username = new QLineEdit(this);
    username->setObjectName(QStringLiteral("username"));
    username->setMaxLength(kUserNameMaxLength);
    pwd = new QLineEdit(this);
    pwd->setObjectName(QStringLiteral("pwd"));
    pwd->setMaxLength(50);
    pwd->setEchoMode(QLineEdit::Password);
    bolum = new QComboBox(this);
    bolum->setObjectName(QStringLiteral("bolum"));
    bolum->setEditable(true);
    bolum->setInsertPolicy(QComboBox::NoInsert);
    bolum->addItems(UserAccounts::roles());
    bolum->lineEdit()->setMaxLength(kUserNameMaxLength);

    auto* boxes = new QGridLayout;
    boxes->addWidget(new QLabel(QStringLiteral("Kullanıcı Adı"), this), 0, 0);
    boxes->addWidget(username, 0, 1);
    boxes->addWidget(new QLabel(QStringLiteral("Kodu"), this), 1, 0);
    boxes->addWidget(pwd, 1, 1);
    boxes->addWidget(new QLabel(QStringLiteral("Görevi"), this), 2, 0);
    boxes->addWidget(bolum, 2, 1);
    boxes->setColumnStretch(1, 1);

    btnpost = new QPushButton(QStringLiteral("&Kaydet"), this);
    btnpost->setObjectName(QStringLiteral("btnpost"));
    btndel = new QPushButton(QStringLiteral("Kayıt &Sil"), this);
    btndel->setObjectName(QStringLiteral("btndel"));
    btncancel = new QPushButton(QStringLiteral("Çıkış"), this);
    btncancel->setObjectName(QStringLiteral("btncancel"));
    btntanimla = new QPushButton(QStringLiteral("Form Tanımla"), this);
    btntanimla->setObjectName(QStringLiteral("btntanimla"));
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {btnpost, btndel, btncancel, btntanimla}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
        buttons->addWidget(b);
    }
    buttons->addStretch();

    auto* top = new QHBoxLayout;
    top->addLayout(boxes, 1);
    top->addSpacing(12);
    top->addLayout(buttons);

    grid = new ui::DataGrid(this);
    grid->setObjectName(QStringLiteral("grid"));
    grid->setTitle(QStringLiteral("Kullanıcılar"));
    grid->setColumns({{.field = "username", .caption = "Kullanıcı Adı", .width = 230},
                      {.field = "bolum", .caption = "Görevi", .width = 140},
                      {.field = "pwd", .caption = "Kodu", .editable = true, .masked = true, .width = 110},
                      {.field = "yonetim", .caption = "Yönetim", .editable = true, .check = true, .width = 75}});
    grid->setReadOnly(false);
    grid->setRowWriter([this](const ui::RowEdit& edit) {
        std::optional<QString> code;
        std::optional<bool> management;
        if (fieldChanged(edit, QStringLiteral("pwd")))
            code = edit.after.text(QStringLiteral("pwd"));
        if (fieldChanged(edit, QStringLiteral("yonetim")))
            management = edit.after.flag(QStringLiteral("yonetim"));
        const auto key = rowKey(edit.before, QStringLiteral("auto_no"));
        if (!key)
            return ui::EditResult::refuseAndRevert({});
        const CheckResult r = UserAccounts(context_.session()).changeInPlace(*key, code, management);
        if (!r.ok() || !code)
            return editResult(r);
        return ui::EditResult::ok(withValue(edit.after, QStringLiteral("pwd"), UserAccounts::storedCode(*code)));
    });
    connect(grid, &ui::DataGrid::rowActivated, this, &UsereditFrm1::loadUser);

    staffGrid = new ui::DataGrid(this);
    staffGrid->setObjectName(QStringLiteral("staffGrid"));
    staffGrid->setTitle(QStringLiteral("Servis Personeli"));
    staffGrid->setColumns({{.field = "ARACNO", .caption = "Personel", .editable = true, .width = 300}});
    staffGrid->setReadOnly(false);
    staffGrid->setNewRowAllowed(true);
    staffGrid->setRowWriter([this](const ui::RowEdit& edit) {
        const auto key = rowKey(edit.before, QStringLiteral("Q_UID"));
        qint64 newId = 0;
        const CheckResult r =
            UserAccounts(context_.session()).saveStaff(key, edit.after.text(QStringLiteral("ARACNO")), &newId);
        if (!r.ok() || key)
            return editResult(r);
        return ui::EditResult::ok(withValue(edit.after, QStringLiteral("Q_UID"), newId));
    });

    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("pages"));
    pages->addTab(grid, QStringLiteral("Liste"));
    pages->addTab(staffGrid, QStringLiteral("Servis Personeli"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(pages, 1);

    connect(btnpost, &QPushButton::clicked, this, &UsereditFrm1::save);
    connect(btndel, &QPushButton::clicked, this, &UsereditFrm1::deleteUser);
    connect(btncancel, &QPushButton::clicked, this, &UsereditFrm1::dropLoaded);
    connect(btntanimla, &QPushButton::clicked, this, &UsereditFrm1::openPermissions);

    setTabOrder(username, pwd);
    setTabOrder(pwd, bolum);
    setTabOrder(bolum, btnpost);
    setFixedSize(620, 520);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    setNewState();
}

void UsereditFrm1::showEvent(QShowEvent* event)
{
    ui::FormBase::showEvent(event);
    reload();
    setNewState();
    clearBoxes();
    username->setFocus();
}

void UsereditFrm1::reload()
{
    if (!context_.hasSession())
        return;
    try {
        UserAccounts accounts(context_.session());
        grid->setRows(accounts.users());
        staffGrid->setRows(accounts.staff());
    } catch (const db::Error& e) {
        ui::dialogs::error(this, e.text());
    }
}

void UsereditFrm1::setNewState()
{
    loaded_.clear();
    btnpost->setEnabled(true);
    btndel->setEnabled(false);
    btncancel->setEnabled(false);
}

void UsereditFrm1::clearBoxes()
{
    username->clear();
    pwd->clear();
    bolum->setCurrentIndex(-1);
    bolum->setEditText(QString());
}

void UsereditFrm1::focusField(const QString& field)
{
    if (field == QLatin1String(userfield::kCode))
        pwd->setFocus();
    else if (field == QLatin1String(userfield::kRole))
        bolum->setFocus();
    else
        username->setFocus();
}

void UsereditFrm1::loadUser(int position)
{
    if (position < 0 || position >= grid->rowCount())
        return;
    const db::Row row = grid->rowAt(position);
    username->setText(row.text(QStringLiteral("username")));
    pwd->setText(UserAccounts::storedCode(row.value(QStringLiteral("pwd"))));
    bolum->setEditText(row.text(QStringLiteral("bolum")));
    loaded_ = row.text(QStringLiteral("username"));
    btnpost->setEnabled(false);
    btncancel->setEnabled(true);
    btndel->setEnabled(true);
}

void UsereditFrm1::save()
{
    if (!btnpost->isEnabled())
        return;
    CheckResult result;
    try {
        result = UserAccounts(context_.session()).add({username->text(), pwd->text(), bolum->currentText()});
    } catch (const db::Error& e) {
        ui::dialogs::error(this, e.text());
        return;
    }
    if (!result.ok()) {
        ui::dialogs::message(this, result.message);
        focusField(result.field);
        return;
    }
    reload();
    setNewState();
    clearBoxes();
    username->setFocus();
}

void UsereditFrm1::deleteUser()
{
    if (loaded_.isEmpty())
        return;
    const QString name = loaded_;
    if (!ui::dialogs::confirm(this, name + QString::fromUtf8(kDeleteQuestionSuffix)))
        return;
    bool permissionsDeleted = false;
    try {
        permissionsDeleted = UserAccounts(context_.session()).remove(name);
    } catch (const db::Error& e) {
        ui::dialogs::error(this, e.text());
        return;
    }
    reload();
    if (permissionsDeleted)
        ui::dialogs::warn(this, QString::fromUtf8(kCaution), QString::fromUtf8(kPermissionsDeleted));
    setNewState();
    clearBoxes();
}

void UsereditFrm1::dropLoaded()
{
    setNewState();
    clearBoxes();
    username->setFocus();
}

void UsereditFrm1::openPermissions()
{
    // The loaded user; without one, a typed name of an existing user.
    QString user = loaded_;
    if (user.isEmpty() && !username->text().isEmpty()) {
        try {
            if (UserAccounts(context_.session()).exists(username->text()))
                user = username->text();
        } catch (const db::Error& e) {
            ui::dialogs::error(this, e.text());
            return;
        }
    }
    if (user.isEmpty()) {
        ui::dialogs::message(this, QString::fromUtf8(kPickUserFirst));
        username->setFocus();
        return;
    }
    if (UsereditFrm* editor = forms().useredit_frm)
        editor->openFor(user);
}

}  // namespace app
