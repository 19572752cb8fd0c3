#pragma once

#include "inventory/exchange_rates.h"
#include "ui/app_context.h"
#include "ui/form_base.h"

#include <QUrl>
#include <optional>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace ui {
class DataGrid;
class DateBox;
class LookupBox;
class NumberBox;
}  // namespace ui

namespace inventory {

// "Kur Girişi": the daily exchange rates, typed in or fetched from the
// central bank's daily rates page ("M.B.Kur Al", then "Aktar").
class KurgirisFrm : public ui::FormBase {
    Q_OBJECT
public:
    explicit KurgirisFrm(ui::AppContext& context, QWidget* parent = nullptr);

    void reopenList();
    void loadRow(int position);  // double-click on the list
    void cancelEntry();          // "&Vazgeç"
    bool saveRate();             // "&Kaydet"
    bool changeRate();           // "&Değiştir"
    bool deleteRate();           // "&Sil"
    bool fetchRates();           // "M.B.Kur Al" (ends with "Aktar")
    bool storeFetched();         // "Aktar"

    // The page the fetch reads; the workstation's setting unless set here.
    void setRatesUrl(const QUrl& url) { ratesUrl_ = url; }
    QUrl ratesUrl() const;
    // The row loaded by a double-click, which change and delete act on.
    std::optional<qint64> loadedRate() const { return loaded_; }

    ui::DataGrid* kur = nullptr;
    ui::DataGrid* DTA = nullptr;
    ui::DateBox* tarih = nullptr;
    ui::LookupBox* ksadi = nullptr;
    ui::NumberBox* satis = nullptr;
    ui::NumberBox* alis = nullptr;
    QLineEdit* dvzadi = nullptr;
    QLineEdit* dbedt1 = nullptr;
    QPushButton* btnkural = nullptr;
    QPushButton* btnedit = nullptr;
    QPushButton* btnpost = nullptr;
    QPushButton* btncancel = nullptr;
    QPushButton* btndel = nullptr;
    QPushButton* btnexit = nullptr;
    QLineEdit* edt1 = nullptr;  // "GBP ALIŞ"
    QLineEdit* edt2 = nullptr;  // "GBP SATIŞ"
    QLineEdit* edt3 = nullptr;  // "USD ALIŞ"
    QLineEdit* edt4 = nullptr;  // "USD SATIŞ"
    QLineEdit* edt5 = nullptr;  // "EURO ALIŞ"
    QLineEdit* edt6 = nullptr;  // "EURO SATIŞ"
    QPushButton* btnaktar = nullptr;
    QPlainTextEdit* memo = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    RateInput input() const;
    void emptyFields();
    void setLoadedState(bool loaded);
    void refused(const Refusal& refusal);

    ui::AppContext& context_;
    std::optional<qint64> loaded_;
    QUrl ratesUrl_;
};

}  // namespace inventory
