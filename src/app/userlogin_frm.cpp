#include "app/userlogin_frm.h"

#include "app/login.h"
#include "ui/dialogs.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace app {

UserloginFrm::UserloginFrm(ui::AppContext& context, QWidget* parent) : ui::FormBase(parent), context_(context)
{
    setObjectName(QStringLiteral("userlogin_frm"));
    setWindowTitle(QStringLiteral("Manager"));
    // Only a minimise button: the window is left through "Kapat".
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint);
    setEscapeCloses(false);

    page = new QTabWidget(this);
    auto* tab = new QWidget;
    auto* grid = new QGridLayout(tab);
    username = new QLineEdit(tab);
    username->setObjectName(QStringLiteral("username"));
    username->setMaxLength(50);
    pwd = new QLineEdit(tab);
    pwd->setObjectName(QStringLiteral("pwd"));
    pwd->setEchoMode(QLineEdit::Password);
    pwd->setMaxLength(50);
    grid->addWidget(new QLabel(QStringLiteral("Kullanıcı"), tab), 0, 0);
    grid->addWidget(username, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Şifre"), tab), 1, 0);
    grid->addWidget(pwd, 1, 1);
    btn1 = new QPushButton(QStringLiteral("Giriş"), tab);
    btn1->setObjectName(QStringLiteral("btn1"));
    btn2 = new QPushButton(QStringLiteral("Kapat"), tab);
    btn2->setObjectName(QStringLiteral("btn2"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btn1);
    buttons->addWidget(btn2);
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    page->addTab(tab, QStringLiteral("Pellantra"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page);

    connect(btn1, &QPushButton::clicked, this, &UserloginFrm::login);
    connect(btn2, &QPushButton::clicked, this, &UserloginFrm::askToEnd);

    setFixedSize(340, 170);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

bool UserloginFrm::previewKey(QKeyEvent* event)
{
    // Enter anywhere in the window logs in (a focused button still clicks itself).
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && focusWidget() != btn2) {
        login();
        return true;
    }
    return ui::FormBase::previewKey(event);
}

void UserloginFrm::login()
{
    const QString user = username->text();
    LoginResult result = LoginResult::NoMatch;
    try {
        if (user.isEmpty() || !context_.hasSession())
            result = user.isEmpty() ? LoginResult::EmptyUser : LoginResult::NoMatch;
        else
            result = checkLogin(context_.session(), user, pwd->text());
    } catch (const db::Error& e) {
        ui::dialogs::error(this, e.text());
        return;
    }
    if (result == LoginResult::EmptyUser) {
        ui::dialogs::beep();
        ui::dialogs::message(this, QString::fromUtf8(kEmptyUserMessage));
        username->setFocus();
        return;
    }
    if (result == LoginResult::NoMatch) {
        ui::dialogs::beep();
        ui::dialogs::message(this, QString::fromUtf8(kNoMatchMessage));
        pwd->setFocus();
        pwd->clear();
        return;
    }
    if (onLogin_)
        onLogin_(user);
    pwd->clear();
    accept();
}

void UserloginFrm::askToEnd()
{
    if (!ui::dialogs::ask(this, QStringLiteral("DİKKAT"), QString::fromUtf8(kExitQuestion), ui::Icon::Question))
        return;
    endRequested_ = true;
    reject();
}

void UserloginFrm::closeEvent(QCloseEvent* event)
{
    // The title bar has no close button; a close from elsewhere asks like "Kapat".
    if (!endRequested_ && result() != QDialog::Accepted) {
        event->ignore();
        askToEnd();
        return;
    }
    ui::FormBase::closeEvent(event);
}

}  // namespace app
