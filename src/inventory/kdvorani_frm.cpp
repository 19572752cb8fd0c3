#include "inventory/kdvorani_frm.h"

#include "db/values.h"
#include "inventory/code_lists.h"
#include "inventory/window_support.h"
#include "ui/edit_boxes.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace inventory {

KdvoraniFrm::KdvoraniFrm(ui::AppContext& context, QWidget* parent) : ui::FormBase(parent), context_(context)
{
    setObjectName(QStringLiteral("kdvorani_frm"));
    setWindowTitle(QStringLiteral("Kdv Hesaplama Oranı"));
    KDV = new ui::NumberBox(this);
    KDV->setObjectName(QStringLiteral("KDV"));
    KDV->setMaxLength(10);
    KDV->setAlignment(Qt::AlignRight);
    btnexit = new QPushButton(QStringLiteral("Kapat"), this);
    btnexit->setObjectName(QStringLiteral("btnexit"));
    btnexit->setAutoDefault(false);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("KDV"), this));
    row->addWidget(KDV, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnexit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    connect(btnexit, &QPushButton::clicked, this, &QWidget::close);
    setFixedSize(300, 110);
}

void KdvoraniFrm::showEvent(QShowEvent* event)
{
    ui::FormBase::showEvent(event);
    if (event->spontaneous() || !context_.hasSession())
        return;
    guarded(this, [&] { KDV->setValue(CodeListService(context_.session()).vatRate()); });
    KDV->setFocus();
    KDV->selectAll();
}

bool KdvoraniFrm::post()
{
    if (KDV->text().trimmed().isEmpty())
        KDV->setText(QStringLiteral("0"));
    const auto rate = db::parseNumber(KDV->text().trimmed());
    if (!rate) {
        ui::dialogs::message(this, QStringLiteral("Lütfen Geçerli Bir Kdv Oranı Giriniz"));
        KDV->setFocus();
        return false;
    }
    return guarded(this, [&] { CodeListService(context_.session()).setVatRate(*rate); });
}

void KdvoraniFrm::closeEvent(QCloseEvent* event)
{
    if (context_.hasSession() && !post()) {
        event->ignore();
        return;
    }
    ui::FormBase::closeEvent(event);
}

}  // namespace inventory
