#pragma once

#include "ui/app_context.h"
#include "ui/form_base.h"

namespace ui {
class DataGrid;
}

namespace app {

// "Garson & Kasiyer Modu Tanımlama": per point-of-sale terminal (its adapter
// address), whether it switches from waiter to cashier mode.
class SwitchmodeFrm : public ui::FormBase {
    Q_OBJECT
public:
    explicit SwitchmodeFrm(ui::AppContext& context, QWidget* parent = nullptr);

    void reload();

    ui::DataGrid* grid = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool previewKey(QKeyEvent* event) override;

private:
    ui::AppContext& context_;
};

}  // namespace app
