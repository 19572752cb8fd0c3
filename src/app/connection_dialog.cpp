#include "app/connection_dialog.h"

#include "db/setup_file.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace app {

ConnectionDialog::ConnectionDialog(const db::ConnectionSettings& current, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Connect"));
    setObjectName(QStringLiteral("connectDialog"));
    auto* form = new QFormLayout;
    server = new QLineEdit(this);
    userName = new QLineEdit(this);
    password = new QLineEdit(this);
    password->setEchoMode(QLineEdit::Password);
    database = new QLineEdit(this);
    if (current.engine == db::Engine::Postgres)
        server->setText(current.port ? current.host + ":" + QString::number(current.port) : current.host);
    userName->setText(current.user);
    password->setText(current.password);
    database->setText(current.database);
    form->addRow(QStringLiteral("Server"), server);
    form->addRow(QStringLiteral("User Name"), userName);
    form->addRow(QStringLiteral("Password"), password);
    form->addRow(QStringLiteral("Database"), database);
    auto* buttons = new QDialogButtonBox(this);
    auto* connectButton = buttons->addButton(QStringLiteral("Connect"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connectButton->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    setLayout(form);
    setMinimumWidth(360);
}

db::ConnectionSettings ConnectionDialog::settings(const QString& workingDir) const
{
    db::SetupFile f;
    f.server = server->text();
    f.database = database->text();
    f.user = userName->text();
    f.password = password->text();
    return db::connectionFor(f, workingDir);
}

}  // namespace app
