#pragma once

#include "ui/app_context.h"
#include "ui/form_base.h"

class QPushButton;

namespace ui {
class NumberBox;
}

namespace inventory {

// "Kdv Hesaplama Oranı": the one VAT rate used in calculations. The box is
// written when the window closes (an empty box as 0).
class KdvoraniFrm : public ui::FormBase {
    Q_OBJECT
public:
    explicit KdvoraniFrm(ui::AppContext& context, QWidget* parent = nullptr);

    // Writes the box; false (window stays) when it does not hold a number.
    bool post();

    ui::NumberBox* KDV = nullptr;
    QPushButton* btnexit = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    ui::AppContext& context_;
};

}  // namespace inventory
