#pragma once

#include "ui/app_context.h"
#include "ui/form_base.h"

class QTabWidget;

namespace inventory {

class CodeListGrid;

// "Stok Grup Tanımları": product groups on "Ürün Grupları", stock groups on
// "Stok Grupları". A group belongs to the page it was entered on.
class StokgrupFrm : public ui::FormBase {
    Q_OBJECT
public:
    explicit StokgrupFrm(ui::AppContext& context, QWidget* parent = nullptr);

    QTabWidget* pages = nullptr;
    CodeListGrid* urungrup = nullptr;  // "Ürün Grupları"
    CodeListGrid* stokgrup = nullptr;  // "Stok Grupları"

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    ui::AppContext& context_;
};

}  // namespace inventory
