#pragma once

#include "ui/app_context.h"
#include "ui/form_base.h"

class QPushButton;

namespace ui {
class NumberBox;
}

namespace app {

// "Constant Price": the constant price factor of the recipe pricing, opened
// modally from the recipe list.
class ConstantFrm : public ui::FormBase {
    Q_OBJECT
public:
    explicit ConstantFrm(ui::AppContext& context, QWidget* parent = nullptr);

    void post();  // "Ok"

    ui::NumberBox* CONSTANT = nullptr;
    QPushButton* btnok = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    ui::AppContext& context_;
};

}  // namespace app
