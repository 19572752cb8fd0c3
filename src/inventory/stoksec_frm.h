#pragma once

#include "inventory/stock_pick.h"
#include "ui/app_context.h"
#include "ui/form_base.h"

#include <QString>
#include <functional>
#include <optional>

class QLineEdit;
class QPushButton;

namespace ui {
class DataGrid;
}

namespace inventory {

// How a caller opens the stock picker.
struct StockPickOptions {
    enum class Mode {
        Pick,  // a double-click picks the row and closes the picker
        Card,  // a double-click loads the row into the stock card window; the picker stays open
    };
    Mode mode = Mode::Pick;
};

// "Stok Seç": every card that is not a product (stock items, materials,
// semi-finished goods) in a filterable grid. Purchase price, VAT rate and
// barcode can be corrected in place. Opened modally by the document windows
// through pickStock(), and as an ordinary window in card mode by the stock
// card window.
class StoksecFrm : public ui::FormBase {
    Q_OBJECT
public:
    // The mode number the stock card window sets (its "tag").
    static constexpr int kCardModeTag = 88;

    explicit StoksecFrm(ui::AppContext& context, QWidget* parent = nullptr);
    ~StoksecFrm() override;

    // The one picker of the run (null before it is created).
    static StoksecFrm* instance();

    // Shows the picker modally in the caller's mode and returns the card on
    // the current row when it closes, however it is closed (double-click,
    // Enter, Esc, "&Kapat"); nullopt when the list shows no row.
    std::optional<StockPick> pick(const StockPickOptions& options = {});
    // Shows the picker as an ordinary window in card mode.
    void openForCards();

    StockPickOptions::Mode mode() const { return mode_; }
    int tag() const { return mode_ == StockPickOptions::Mode::Card ? kCardModeTag : 0; }

    // The stock card window: how to show it and how to load a card into it.
    void setCardWindow(std::function<void()> show, std::function<void(const db::Row&)> load);

    // Reads the list again, keeping the current card (not while a row is being corrected).
    void refresh();
    std::optional<db::Row> currentCard() const;

    ui::DataGrid* grid = nullptr;
    // The current row's code, name, group and base unit (hidden).
    QLineEdit* dbedt1 = nullptr;
    QLineEdit* dbedt2 = nullptr;
    QLineEdit* dbedt3 = nullptr;
    QLineEdit* dbedt4 = nullptr;
    QPushButton* btnstok = nullptr;
    QPushButton* btnexit = nullptr;
    QPushButton* btnprint = nullptr;

protected:
    bool previewKey(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void activated(int position);
    void showCardWindow();
    void currentChanged();

    ui::AppContext& context_;
    StockPickOptions::Mode mode_ = StockPickOptions::Mode::Pick;
    std::function<void()> showCards_;
    std::function<void(const db::Row&)> loadCard_;
    bool refreshing_ = false;
};

// Opens the stock picker modally in the caller's mode and returns the picked
// card; nullopt when nothing was picked (or no picker exists).
std::optional<StockPick> pickStock(QWidget* parent, const StockPickOptions& options = {});

}  // namespace inventory
