#include "app/switchmode_frm.h"

#include "app/admin_lists.h"
#include "app/grid_editing.h"
#include "ui/data_grid.h"
#include "ui/dialogs.h"

#include <QCloseEvent>
#include <QVBoxLayout>

namespace app {

SwitchmodeFrm::SwitchmodeFrm(ui::AppContext& context, QWidget* parent) : ui::FormBase(parent), context_(context)
{
    setObjectName(QStringLiteral("switchmode_frm"));
    setWindowTitle(QStringLiteral("Garson & Kasiyer Modu Tanımlama"));

    grid = new ui::DataGrid(this);
    grid->setObjectName(QStringLiteral("grid"));
    grid->setTitle(QStringLiteral("Garson & Kasiyer Modu"));
    grid->setColumns(
        {{.field = "switch_cash_mode", .caption = "Switch_Cash_Mode", .editable = true, .check = true, .width = 130},
         {.field = "mac_id", .caption = "Mac_id", .editable = true, .width = 220}});
    grid->setReadOnly(false);
    grid->setNewRowAllowed(true);
    grid->setRowWriter([this](const ui::RowEdit& edit) {
        const auto key = rowKey(edit.before, QStringLiteral("SW_ID"));
        qint64 newId = 0;
        const CheckResult r = AdminLists(context_.session())
                                  .saveSwitchMode(key, edit.after.flag(QStringLiteral("switch_cash_mode")),
                                                  edit.after.text(QStringLiteral("mac_id")), &newId);
        if (!r.ok() || key)
            return editResult(r);
        return ui::EditResult::ok(withValue(edit.after, QStringLiteral("SW_ID"), newId));
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid);
    resize(420, 320);
}

void SwitchmodeFrm::showEvent(QShowEvent* event)
{
    ui::FormBase::showEvent(event);
    reload();
}

void SwitchmodeFrm::closeEvent(QCloseEvent* event)
{
    // Closing drops an edit that was not posted.
    grid->cancelEdit();
    ui::FormBase::closeEvent(event);
}

void SwitchmodeFrm::reload()
{
    if (!context_.hasSession())
        return;
    try {
        grid->setRows(AdminLists(context_.session()).switchModes());
    } catch (const db::Error& e) {
        ui::dialogs::error(this, e.text());
    }
}

bool SwitchmodeFrm::previewKey(QKeyEvent* event)
{
    return enterMovesToNextCell(grid, event) || ui::FormBase::previewKey(event);
}

}  // namespace app
