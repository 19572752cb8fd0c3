#include "app/constant_frm.h"

#include "app/admin_tools.h"
#include "ui/dialogs.h"
#include "ui/edit_boxes.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace app {

namespace {
constexpr const char* kNeedNumber = "Lütfen Geçerli Bir Değer Giriniz";
}

ConstantFrm::ConstantFrm(ui::AppContext& context, QWidget* parent) : ui::FormBase(parent), context_(context)
{
    setObjectName(QStringLiteral("constant_frm"));
    setWindowTitle(QStringLiteral("Constant Price"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    CONSTANT = new ui::NumberBox(this);
    CONSTANT->setObjectName(QStringLiteral("CONSTANT"));
    btnok = new QPushButton(QStringLiteral("Ok"), this);
    btnok->setObjectName(QStringLiteral("btnok"));
    btnok->setAutoDefault(false);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("CONSTANT"), this));
    row->addWidget(CONSTANT, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(btnok, 0, Qt::AlignRight);
    connect(btnok, &QPushButton::clicked, this, &ConstantFrm::post);

    setFixedSize(260, 100);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void ConstantFrm::showEvent(QShowEvent* event)
{
    ui::FormBase::showEvent(event);
    if (!context_.hasSession())
        return;
    try {
        // No row yet: the box starts empty and "Ok" adds the row.
        if (const auto value = AdminTools(context_.session()).constant())
            CONSTANT->setValue(*value);
        else
            CONSTANT->clear();
    } catch (const db::Error& e) {
        ui::dialogs::error(this, e.text());
    }
    CONSTANT->setFocus();
    CONSTANT->selectAll();
}

void ConstantFrm::post()
{
    const auto value = CONSTANT->number();
    if (!value) {
        ui::dialogs::message(this, QString::fromUtf8(kNeedNumber));
        CONSTANT->setFocus();
        return;
    }
    try {
        AdminTools(context_.session()).saveConstant(*value);
    } catch (const db::Error& e) {
        ui::dialogs::error(this, e.text());
        return;
    }
    accept();
}

}  // namespace app
