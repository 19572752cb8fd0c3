#pragma once

#include "inventory/stock_cards.h"
#include "ui/app_context.h"
#include "ui/form_base.h"

#include <QString>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace ui {
class DataGrid;
class LookupBox;
class NumberBox;
class SafeTextBox;
}  // namespace ui

namespace inventory {

class StoksecFrm;

// "Stok Kartları": entry, copy, change and delete of stock cards, with the
// loaded card's stock per department, purchase price history, sale prices,
// monthly movements and picture, and the stock cards that never moved.
//
// A card is loaded from the stock picker (double-click in card mode). Change
// and delete act on the loaded card, whatever row the picker shows since.
class StokFrm : public ui::FormBase {
    Q_OBJECT
public:
    StokFrm(ui::AppContext& context, StoksecFrm& picker, QWidget* parent = nullptr);
    ~StokFrm() override;

    // Loads a card (a picker row; the card is read again by its URUN_ID).
    void loadCard(const db::Row& pickerRow);
    // The card the change and delete commands act on; nullopt in the empty state.
    std::optional<qint64> loadedCard() const { return editingId_; }

    void clearCard();      // "&Vazgeç"
    bool saveCard();       // "&Kaydet"
    bool duplicateCard();  // "Çoğal&t"
    bool changeCard();     // "&Değiştir"
    bool deleteCard();     // "&Sil"
    void openPicker();     // "Stok &Listesi"
    bool loadPicture();    // "Resim Yükle"
    bool removePicture();  // "Resmi Sil"
    void deletePrice();    // removes the current sale price row
    void deletePriceList();

    // The card as the boxes hold it.
    StockCardInput input() const;

    QTabWidget* pages = nullptr;
    QLineEdit* M_ID = nullptr;
    ui::SafeTextBox* kod_ed = nullptr;
    ui::LookupBox* grp_ed = nullptr;
    ui::SafeTextBox* stok_ed = nullptr;
    ui::LookupBox* sbirim_ed = nullptr;
    QLineEdit* arabirim_ed = nullptr;
    ui::NumberBox* bmiktar_ed = nullptr;
    ui::NumberBox* agirlik_ed = nullptr;
    QLineEdit* tanim_ed = nullptr;
    QLineEdit* barkod_ed = nullptr;
    QLineEdit* ambar_ed = nullptr;
    QLineEdit* ack_ed = nullptr;
    ui::LookupBox* dvz_id = nullptr;
    ui::NumberBox* dfiyat_ed = nullptr;
    ui::NumberBox* sfiyat_ed = nullptr;
    ui::NumberBox* afiyat_ed = nullptr;
    ui::NumberBox* kdv_ed = nullptr;
    ui::NumberBox* onfiyat_ed = nullptr;
    ui::NumberBox* minmik_ed = nullptr;
    ui::NumberBox* mmik = nullptr;
    ui::NumberBox* sonplu = nullptr;
    QLineEdit* cxCurrencyEdit1 = nullptr;
    QCheckBox* takip = nullptr;
    QCheckBox* kdvtakip = nullptr;
    QRadioButton* rb1 = nullptr;
    QRadioButton* rb2 = nullptr;
    ui::LookupBox* firma_ed = nullptr;
    QLabel* cxDBImage1 = nullptr;
    QPushButton* btnresim = nullptr;
    QPushButton* btnresimsil = nullptr;

    ui::DataGrid* kalan = nullptr;       // stock per department
    ui::DataGrid* fdegis = nullptr;      // purchase price history
    ui::DataGrid* sfiyats = nullptr;     // sale prices of the card
    ui::DataGrid* flar = nullptr;        // price list names
    ui::DataGrid* kalanay = nullptr;     // monthly movements
    ui::DataGrid* hareketsiz = nullptr;  // cards without movements
    QPushButton* btnfiyatsil = nullptr;
    QPushButton* btnlistesil = nullptr;

    QPushButton* btnliste = nullptr;
    QPushButton* btncancel = nullptr;
    QPushButton* btncogalt = nullptr;
    QPushButton* btnpost = nullptr;
    QPushButton* btndel = nullptr;
    QPushButton* btnedit = nullptr;
    QPushButton* btnexit = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildCardPage();
    QWidget* buildHistoryPage();
    QWidget* buildPricesPage();
    QWidget* buildMonthlyPage();
    QWidget* buildInactivePage();
    void openLists();
    void unitChosen();
    bool insertCard();
    void focusField(const QString& column);
    void setLoadedState(bool loaded);
    // The pages that follow the loaded card: stock, months, prices, history,
    // picture and card number.
    void showDetails();
    void clearDetails();
    void showPicture(const QByteArray& image);
    void refreshInactive();
    // The price list names offered by the sale prices' drop-down.
    void offerPriceLists();

    ui::AppContext& context_;
    StoksecFrm& picker_;
    QButtonGroup* kind_ = nullptr;
    std::optional<qint64> editingId_;  // the loaded card, while the window is in the loaded state
    std::optional<qint64> detailId_;   // the card the detail pages show (kept after "&Vazgeç")
    QString detailCode_;
    QString detailName_;
};

}  // namespace inventory
