#include "inventory/stokgrup_frm.h"

#include "inventory/code_list_grid.h"
#include "inventory/window_support.h"

#include <QCloseEvent>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace inventory {

namespace {

QList<ui::GridColumn> groupColumns()
{
    return {
        {.field = "GRUP_ID", .caption = "ID", .format = "0", .width = 50},
        {.field = "GRUP", .caption = "Grup", .editable = true, .width = 200},
        {.field = "CATEGORY", .caption = "Kategori", .editable = true, .width = 150},
        // Shown through the column chooser when a type is wanted.
        {.field = "TYPE", .caption = "Tip", .visible = false, .editable = true, .width = 90},
        {.field = "xchol", .caption = "Alkol", .editable = true, .check = true, .width = 50},
        {.field = "fatura", .caption = "Fatura/Kasa", .editable = true, .width = 120},
    };
}

}  // namespace

StokgrupFrm::StokgrupFrm(ui::AppContext& context, QWidget* parent) : ui::FormBase(parent), context_(context)
{
    setObjectName(QStringLiteral("stokgrup_frm"));
    setWindowTitle(QStringLiteral("Stok Grup Tanımları"));

    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("pages"));
    urungrup = new CodeListGrid(context, CodeList::ProductGroups, groupColumns(), pages);
    urungrup->setObjectName(QStringLiteral("urungrup"));
    stokgrup = new CodeListGrid(context, CodeList::StockGroups, groupColumns(), pages);
    stokgrup->setObjectName(QStringLiteral("stokgrup"));
    pages->addTab(urungrup, QStringLiteral("Ürün Grupları"));
    pages->addTab(stokgrup, QStringLiteral("Stok Grupları"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    resize(720, 520);
}

void StokgrupFrm::showEvent(QShowEvent* event)
{
    ui::FormBase::showEvent(event);
    if (event->spontaneous() || !context_.hasSession())
        return;
    QStringList categories, types;
    guarded(this, [&] {
        CodeListService codes(context_.session());
        categories = codes.categoryNames();
        types = codes.typeNames();
    });
    for (CodeListGrid* g : {urungrup, stokgrup}) {
        g->reload();
        g->setChoices(QStringLiteral("CATEGORY"), categories);
        g->setChoices(QStringLiteral("TYPE"), types);
    }
}

void StokgrupFrm::closeEvent(QCloseEvent* event)
{
    // Closing drops an edit that was not written.
    urungrup->cancel();
    stokgrup->cancel();
    ui::FormBase::closeEvent(event);
}

}  // namespace inventory
