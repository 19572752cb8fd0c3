#pragma once

#include "ui/app_context.h"
#include "ui/form_base.h"

namespace ui {
class DataGrid;
}

namespace app {

// "Merkezi Sistem Parametreleri": the branch names, renamed in place (the
// first row is this installation's branch).
class MerkezFrm : public ui::FormBase {
    Q_OBJECT
public:
    explicit MerkezFrm(ui::AppContext& context, QWidget* parent = nullptr);

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
