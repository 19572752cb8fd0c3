#include "inventory/code_list_frms.h"

#include "inventory/code_list_grid.h"
#include "ui/data_grid.h"

#include <QCloseEvent>
#include <QShowEvent>
#include <QVBoxLayout>

namespace inventory {

CodeListFrm::CodeListFrm(ui::AppContext& context, const QString& name, const QString& caption, CodeList list,
                         const QList<ui::GridColumn>& columns, QWidget* parent)
    : ui::FormBase(parent)
{
    setObjectName(name);
    setWindowTitle(caption);
    liste = new CodeListGrid(context, list, columns, this);
    liste->setObjectName(QStringLiteral("liste"));
    liste->grid->setTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(liste);
    resize(440, 460);
}

void CodeListFrm::showEvent(QShowEvent* event)
{
    ui::FormBase::showEvent(event);
    if (!event->spontaneous())
        liste->reload();
}

void CodeListFrm::closeEvent(QCloseEvent* event)
{
    liste->cancel();
    ui::FormBase::closeEvent(event);
}

KategoriFrm::KategoriFrm(ui::AppContext& context, QWidget* parent)
    : CodeListFrm(context, QStringLiteral("kategori_frm"), QStringLiteral("Kategori Tanımları"), CodeList::Categories,
                  {{.field = "CATEGORY_ID", .caption = "CATEGORY_ID", .format = "0", .width = 90},
                   {.field = "CATEGORY", .caption = "CATEGORY", .editable = true, .width = 220}},
                  parent)
{
}

TipFrm::TipFrm(ui::AppContext& context, QWidget* parent)
    : CodeListFrm(context, QStringLiteral("tip_frm"), QStringLiteral("Tip Kodlama"), CodeList::Types,
                  {{.field = "TYPE_ID", .caption = "TYPE_ID", .format = "0", .width = 90},
                   {.field = "TYPE", .caption = "TYPE", .editable = true, .width = 160}},
                  parent)
{
}

BirimFrm::BirimFrm(ui::AppContext& context, QWidget* parent)
    : CodeListFrm(context, QStringLiteral("birim_frm"), QStringLiteral("Birim Kodlama"), CodeList::Units,
                  {{.field = "Olcu", .caption = "Ölçü", .editable = true, .width = 140},
                   {.field = "Birim", .caption = "Birim", .editable = true, .width = 140}},
                  parent)
{
}

DepartmanFrm::DepartmanFrm(ui::AppContext& context, QWidget* parent)
    : CodeListFrm(context, QStringLiteral("departman_frm"), QStringLiteral("Departman Tanımları"),
                  CodeList::Departments,
                  {{.field = "DEPO_ID", .caption = "DEPO_ID", .format = "0", .width = 80},
                   {.field = "DEPARTMENT", .caption = "DEPARTMENT", .editable = true, .width = 220}},
                  parent)
{
}

}  // namespace inventory
