#include "inventory/kurgiris_frm.h"

#include "db/values.h"
#include "inventory/central_bank_rates.h"
#include "inventory/window_support.h"
#include "ui/busy_cursor.h"
#include "ui/data_grid.h"
#include "ui/edit_boxes.h"
#include "ui/lookup_box.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSplitter>
#include <QVBoxLayout>

namespace inventory {

namespace {

const QString kRateFormat = QStringLiteral("#,##0.0000");

std::optional<RatePair> pairOf(const QLineEdit* buying, const QLineEdit* selling)
{
    const auto b = db::parseNumber(buying->text().trimmed());
    const auto s = db::parseNumber(selling->text().trimmed());
    if (!b || !s)
        return std::nullopt;
    return RatePair{*b, *s};
}

}  // namespace

KurgirisFrm::KurgirisFrm(ui::AppContext& context, QWidget* parent) : ui::FormBase(parent), context_(context)
{
    setObjectName(QStringLiteral("kurgiris_frm"));
    setWindowTitle(QStringLiteral("Kur Girişi"));

    // Entry fields.
    tarih = new ui::DateBox(QDate::currentDate(), this);
    tarih->setObjectName(QStringLiteral("tarih"));
    ksadi = new ui::LookupBox(this);
    ksadi->setObjectName(QStringLiteral("ksadi"));
    ksadi->setMaxLength(10);
    satis = new ui::NumberBox(this);
    satis->setObjectName(QStringLiteral("satis"));
    satis->setMaxLength(20);
    satis->setAlignment(Qt::AlignRight);
    alis = new ui::NumberBox(this);
    alis->setObjectName(QStringLiteral("alis"));
    alis->setMaxLength(20);
    alis->setAlignment(Qt::AlignRight);
    dvzadi = new QLineEdit(this);
    dvzadi->setObjectName(QStringLiteral("dvzadi"));
    dvzadi->hide();
    dbedt1 = new QLineEdit(this);
    dbedt1->setObjectName(QStringLiteral("dbedt1"));
    dbedt1->hide();

    auto* entry = new QGroupBox(QStringLiteral("Kur Bilgisi"), this);
    auto* fields = new QGridLayout(entry);
    fields->addWidget(new QLabel(QStringLiteral("Tarih"), entry), 0, 0);
    fields->addWidget(tarih, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Kur"), entry), 1, 0);
    fields->addWidget(ksadi, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("Alış"), entry), 2, 0);
    fields->addWidget(alis, 2, 1);
    fields->addWidget(new QLabel(QStringLiteral("Satış"), entry), 3, 0);
    fields->addWidget(satis, 3, 1);
    tarih->setMinimumWidth(130);
    for (QWidget* box : {static_cast<QWidget*>(ksadi), static_cast<QWidget*>(alis), static_cast<QWidget*>(satis)})
        box->setMaximumWidth(160);
    fields->setColumnStretch(2, 1);

    btnkural = new QPushButton(QStringLiteral("M.B.Kur Al"), this);
    btnkural->setObjectName(QStringLiteral("btnkural"));
    btnpost = new QPushButton(QStringLiteral("&Kaydet"), this);
    btnpost->setObjectName(QStringLiteral("btnpost"));
    btnedit = new QPushButton(QStringLiteral("&Değiştir"), this);
    btnedit->setObjectName(QStringLiteral("btnedit"));
    btncancel = new QPushButton(QStringLiteral("&Vazgeç"), this);
    btncancel->setObjectName(QStringLiteral("btncancel"));
    btndel = new QPushButton(QStringLiteral("&Sil"), this);
    btndel->setObjectName(QStringLiteral("btndel"));
    btnexit = new QPushButton(QStringLiteral("Çıkış"), this);
    btnexit->setObjectName(QStringLiteral("btnexit"));
    auto* buttons = new QGridLayout;
    const QList<QPushButton*> all{btnkural, btnedit, btnpost, btncancel, btndel, btnexit};
    for (int i = 0; i < all.size(); ++i) {
        all[i]->setAutoDefault(false);
        all[i]->setMinimumWidth(110);
        buttons->addWidget(all[i], i / 2, i % 2);
    }

    // The central bank's rates.
    auto* bank = new QGroupBox(QStringLiteral("Merkez Bankası Kurları"), this);
    auto* rates = new QGridLayout(bank);
    auto rateBox = [bank](const char* name) {
        auto* box = new QLineEdit(bank);
        box->setObjectName(QString::fromLatin1(name));
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        box->setAlignment(Qt::AlignRight);
        box->setMinimumWidth(80);
        return box;
    };
    edt3 = rateBox("edt3");
    edt4 = rateBox("edt4");
    edt5 = rateBox("edt5");
    edt6 = rateBox("edt6");
    edt1 = rateBox("edt1");
    edt2 = rateBox("edt2");
    const QList<std::pair<const char*, QLineEdit*>> boxes{{"USD ALIŞ", edt3},  {"USD SATIŞ", edt4},
                                                          {"EURO ALIŞ", edt5}, {"EURO SATIŞ", edt6},
                                                          {"GBP ALIŞ", edt1},  {"GBP SATIŞ", edt2}};
    for (int i = 0; i < boxes.size(); ++i) {
        rates->addWidget(new QLabel(QString::fromUtf8(boxes[i].first), bank), i % 2, (i / 2) * 2);
        rates->addWidget(boxes[i].second, i % 2, (i / 2) * 2 + 1);
    }
    btnaktar = new QPushButton(QStringLiteral("Aktar"), bank);
    btnaktar->setObjectName(QStringLiteral("btnaktar"));
    btnaktar->setAutoDefault(false);
    rates->addWidget(btnaktar, 0, 6, 2, 1);
    memo = new QPlainTextEdit(bank);
    memo->setObjectName(QStringLiteral("memo"));
    memo->hide();

    // The rates and the currencies.
    kur = new ui::DataGrid(this);
    kur->setObjectName(QStringLiteral("kur"));
    kur->setColumns({
        {.field = "auto_no", .caption = "auto_no", .visible = false},
        {.field = "kurdate", .caption = "Tarih", .format = "dd.MM.yyyy", .width = 95},
        {.field = "kisa", .caption = "Döviz Adı", .width = 90},
        {.field = "tlal", .caption = "Alış Fiyatı", .format = kRateFormat, .width = 100},
        {.field = "tlsat", .caption = "Satış Fiyatı", .format = kRateFormat, .width = 100},
    });
    kur->setFilterRowVisible(true);
    kur->setTitle(QStringLiteral("Döviz Kurları"));
    DTA = new ui::DataGrid(this);
    DTA->setObjectName(QStringLiteral("DTA"));
    DTA->setColumns({
        {.field = "ad", .caption = "Döviz Adı", .width = 140},
        {.field = "kisa", .caption = "Kisaltma", .width = 70},
    });
    DTA->setTitle(QStringLiteral("Dövizler"));
    auto* lists = new QSplitter(Qt::Horizontal, this);
    lists->addWidget(kur);
    lists->addWidget(DTA);
    lists->setStretchFactor(0, 3);
    lists->setStretchFactor(1, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(entry);
    top->addSpacing(12);
    top->addLayout(buttons);
    top->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lists, 1);
    layout->addWidget(bank);

    setTabOrder(tarih, ksadi);
    setTabOrder(ksadi, alis);
    setTabOrder(alis, satis);
    setTabOrder(satis, btnpost);

    connect(kur, &ui::DataGrid::rowActivated, this, &KurgirisFrm::loadRow);
    connect(btnkural, &QPushButton::clicked, this, &KurgirisFrm::fetchRates);
    connect(btnpost, &QPushButton::clicked, this, &KurgirisFrm::saveRate);
    connect(btnedit, &QPushButton::clicked, this, &KurgirisFrm::changeRate);
    connect(btncancel, &QPushButton::clicked, this, &KurgirisFrm::cancelEntry);
    connect(btndel, &QPushButton::clicked, this, &KurgirisFrm::deleteRate);
    connect(btnexit, &QPushButton::clicked, this, &QWidget::close);
    connect(btnaktar, &QPushButton::clicked, this, &KurgirisFrm::storeFetched);

    setLoadedState(false);
    resize(900, 620);
}

QUrl KurgirisFrm::ratesUrl() const
{
    return ratesUrl_.isEmpty() ? bankRatesUrl() : ratesUrl_;
}

void KurgirisFrm::showEvent(QShowEvent* event)
{
    ui::FormBase::showEvent(event);
    if (event->spontaneous() || !context_.hasSession())
        return;
    reopenList();
    emptyFields();
    setLoadedState(false);
    guarded(this, [&] {
        const db::RowSet currencies = ExchangeRateService(context_.session()).currencies();
        DTA->setRows(currencies);
        ksadi->setRows(currencies, QStringLiteral("kisa"), {QStringLiteral("kisa"), QStringLiteral("ad")});
    });
    tarih->setDate(QDate::currentDate());
    tarih->setFocus();
}

void KurgirisFrm::reopenList()
{
    if (!context_.hasSession())
        return;
    guarded(this, [&] { kur->setRows(ExchangeRateService(context_.session()).rates()); });
}

void KurgirisFrm::emptyFields()
{
    ksadi->clear();
    satis->clear();
    alis->clear();
    dvzadi->clear();
    dbedt1->clear();
}

void KurgirisFrm::setLoadedState(bool loaded)
{
    if (!loaded)
        loaded_.reset();
    btnpost->setEnabled(!loaded);
    btnedit->setEnabled(loaded);
    btndel->setEnabled(loaded);
    btncancel->setEnabled(loaded);
}

RateInput KurgirisFrm::input() const
{
    return {tarih->date(), ksadi->text(), alis->text(), satis->text()};
}

void KurgirisFrm::refused(const Refusal& refusal)
{
    showRefusal(this, refusal);
    if (refusal.field.isEmpty()) {
        // A rate of that currency exists on the date: the list shows it.
        reopenList();
        return;
    }
    if (refusal.field == QLatin1String("kisa"))
        ksadi->setFocus();
    else if (refusal.field == QLatin1String("tlsat"))
        satis->setFocus();
    else if (refusal.field == QLatin1String("tlal"))
        alis->setFocus();
    else if (refusal.field == QLatin1String("kurdate"))
        tarih->setFocus();
}

void KurgirisFrm::loadRow(int position)
{
    const db::Row row = kur->rowAt(position);
    if (!row.columns())
        return;
    const QDateTime day = db::fromDb(row.value("kurdate"));
    if (day.isValid())
        tarih->setDate(day.date());
    ksadi->setText(row.text("kisa"));
    satis->setText(QString::number(row.number("tlsat"), 'g', 15));
    alis->setText(QString::number(row.number("tlal"), 'g', 15));
    loaded_ = row.integer("auto_no");
    dbedt1->setText(QString::number(*loaded_));
    setLoadedState(true);
}

void KurgirisFrm::cancelEntry()
{
    emptyFields();
    setLoadedState(false);
    tarih->setFocus();
}

bool KurgirisFrm::saveRate()
{
    WriteResult result;
    if (!guarded(this, [&] { result = ExchangeRateService(context_.session()).add(input()); }))
        return false;
    if (!result.ok()) {
        refused(*result.refusal);
        return false;
    }
    reopenList();
    cancelEntry();
    return true;
}

bool KurgirisFrm::changeRate()
{
    if (!loaded_)
        return false;
    const qint64 autoNo = *loaded_;
    std::optional<Refusal> refusal;
    if (!guarded(this, [&] { refusal = ExchangeRateService(context_.session()).check(input(), autoNo); }))
        return false;
    if (refusal) {
        refused(*refusal);
        return false;
    }
    if (!ui::dialogs::confirm(this, QStringLiteral(" Kaydı Değiştirmek İstediğinizden Emin misiniz?")))
        return false;
    WriteResult result;
    if (!guarded(this, [&] { result = ExchangeRateService(context_.session()).change(autoNo, input()); }))
        return false;
    if (!result.ok()) {
        refused(*result.refusal);
        return false;
    }
    reopenList();
    emptyFields();
    setLoadedState(false);
    btncancel->setEnabled(true);
    return true;
}

bool KurgirisFrm::deleteRate()
{
    if (!loaded_) {
        ui::dialogs::message(this, QStringLiteral("Silinecek Kayıt Bulunamadı"));
        return false;
    }
    if (!ui::dialogs::confirm(this,
                              dvzadi->text() + QStringLiteral("  :İsimli Kaydı Silmek İstediğinizden Emin misiniz?")))
        return false;
    const qint64 autoNo = *loaded_;
    if (!guarded(this, [&] { ExchangeRateService(context_.session()).remove(autoNo); }))
        return false;
    reopenList();
    cancelEntry();
    return true;
}

bool KurgirisFrm::fetchRates()
{
    memo->clear();
    for (QLineEdit* box : {edt3, edt4, edt5, edt6, edt1, edt2})
        box->clear();
    Download page;
    {
        ui::BusyCursor busy;
        page = downloadPage(ratesUrl());
    }
    if (!page.ok()) {
        ui::dialogs::error(this, page.error);
        return false;
    }
    const auto parsed = parseBankPage(page.text);
    if (!parsed) {
        ui::dialogs::message(this, QStringLiteral("Kur bilgisi yok"));
        return false;
    }
    memo->setPlainText(parsed->memo.join(QStringLiteral("\r\n")));
    const auto show = [](const std::optional<RatePair>& pair, QLineEdit* buying, QLineEdit* selling) {
        if (!pair)
            return;
        buying->setText(rateText(pair->buying));
        selling->setText(rateText(pair->selling));
    };
    show(parsed->rates.usd, edt3, edt4);
    show(parsed->rates.eur, edt5, edt6);
    show(parsed->rates.gbp, edt1, edt2);
    return storeFetched();
}

bool KurgirisFrm::storeFetched()
{
    FetchedRates rates;
    if (!edt3->text().isEmpty())
        rates.usd = pairOf(edt3, edt4);
    rates.eur = pairOf(edt5, edt6);
    rates.gbp = pairOf(edt1, edt2);
    WriteResult result;
    if (!guarded(this, [&] { result = ExchangeRateService(context_.session()).storeFetched(tarih->date(), rates); }))
        return false;
    if (!result.ok()) {
        showRefusal(this, *result.refusal);
        if (rates.usd)  // a rate of the date exists: the list shows it
            reopenList();
        return false;
    }
    reopenList();
    for (QLineEdit* box : {edt3, edt4, edt5, edt6, edt1, edt2})
        box->clear();
    ui::dialogs::message(this, QStringLiteral("Islem Tamamlandı"));
    return true;
}

}  // namespace inventory
