#include "app/merkez_frm.h"

#include "app/admin_lists.h"
#include "app/grid_editing.h"
#include "ui/data_grid.h"
#include "ui/dialogs.h"

#include <QCloseEvent>
#include <QVBoxLayout>

namespace app {

MerkezFrm::MerkezFrm(ui::AppContext& context, QWidget* parent) : ui::FormBase(parent), context_(context)
{
    setObjectName(QStringLiteral("merkez_frm"));
    setWindowTitle(QStringLiteral("Merkezi Sistem Parametreleri"));

    grid = new ui::DataGrid(this);
    grid->setObjectName(QStringLiteral("grid"));
    grid->setTitle(QStringLiteral("Şubeler"));
    grid->setColumns({{.field = "sube", .caption = "Sube Adı", .editable = true, .width = 320}});
    grid->setReadOnly(false);
    grid->setRowWriter([this](const ui::RowEdit& edit) {
        const auto key = rowKey(edit.before, QStringLiteral("numara"));
        if (!key)
            return ui::EditResult::refuseAndRevert({});
        return editResult(AdminLists(context_.session()).renameBranch(*key, edit.after.text(QStringLiteral("sube"))));
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid);
    resize(420, 300);
}

void MerkezFrm::showEvent(QShowEvent* event)
{
    ui::FormBase::showEvent(event);
    reload();
}

void MerkezFrm::closeEvent(QCloseEvent* event)
{
    // An edit not yet posted is written when the window closes; a refused one keeps it open.
    if (!grid->commitEdit()) {
        event->ignore();
        return;
    }
    ui::FormBase::closeEvent(event);
}

void MerkezFrm::reload()
{
    if (!context_.hasSession())
        return;
    try {
        grid->setRows(AdminLists(context_.session()).branches());
    } catch (const db::Error& e) {
        ui::dialogs::error(this, e.text());
    }
}

bool MerkezFrm::previewKey(QKeyEvent* event)
{
    return enterMovesToNextCell(grid, event) || ui::FormBase::previewKey(event);
}

}  // namespace app
