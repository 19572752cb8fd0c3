#pragma once

#include "ui/app_context.h"
#include "ui/form_base.h"

#include <QDate>
#include <optional>

class QMenu;
class QPushButton;

namespace ui {
class DataGrid;
class DateBox;
}  // namespace ui

namespace app {

// "Bug's": the audit log of deletions, returns, discounts, transfers and
// price changes, one day at a time (today when shown) or all of it.
class BugsFrm : public ui::FormBase {
    Q_OBJECT
public:
    explicit BugsFrm(ui::AppContext& context, QWidget* parent = nullptr);

    void showDay(const QDate& day);
    void showAll();  // "Tümü"
    // The day on show; none while every row is.
    std::optional<QDate> shownDay() const { return day_; }

    ui::DateBox* ara = nullptr;
    ui::DateBox* tarih = nullptr;  // hidden: today, when the window is shown
    QPushButton* btntumu = nullptr;
    ui::DataGrid* grid = nullptr;
    QMenu* popup = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void load(const std::optional<QDate>& day);

    ui::AppContext& context_;
    std::optional<QDate> day_;
};

}  // namespace app
