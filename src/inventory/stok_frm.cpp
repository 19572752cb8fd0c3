#include "inventory/stok_frm.h"

#include "db/values.h"
#include "inventory/sale_prices.h"
#include "inventory/stoksec_frm.h"
#include "inventory/window_support.h"
#include "reports/report.h"
#include "ui/busy_cursor.h"
#include "ui/data_grid.h"
#include "ui/edit_boxes.h"
#include "ui/format.h"
#include "ui/lookup_box.h"

#include <QBuffer>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace inventory {

namespace {

const QString kQuantityFormat = QStringLiteral("#,##0.###");
const QString kPriceFormat = QStringLiteral("#,##0.00##");

// Pictures larger than this are stored scaled down, as JPEG.
constexpr qint64 kPictureBytes = 1024 * 1024;
constexpr int kPictureSide = 1024;

QString numberText(double v)
{
    return v == 0 ? QStringLiteral("0") : QString::number(v, 'g', 15);
}

bool blankOrZero(const QString& text)
{
    if (text.trimmed().isEmpty())
        return true;
    const auto n = db::parseNumber(text.trimmed());
    return n && *n == 0;
}

// A row of the grid with one value replaced (the key of a row just inserted).
db::Row withValue(db::Row row, const QString& column, const QVariant& value)
{
    const int i = row.columns() ? row.columns()->indexOf(column) : -1;
    if (i >= 0)
        row.values()[i] = value;
    return row;
}

}  // namespace

StokFrm::StokFrm(ui::AppContext& context, StoksecFrm& picker, QWidget* parent)
    : ui::FormBase(parent), context_(context), picker_(picker)
{
    setObjectName(QStringLiteral("stok_frm"));
    setWindowTitle(QStringLiteral("Stok Kartları"));

    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("pages"));
    pages->addTab(buildCardPage(), QStringLiteral("Stok Kartı"));
    pages->addTab(buildHistoryPage(), QStringLiteral("Alış Fiyat Değişim Tablosu"));
    pages->addTab(buildPricesPage(), QStringLiteral("Stok Satış Fiyatları"));
    pages->addTab(buildMonthlyPage(), QStringLiteral("Aylık Depo Giriş-Çıkışları"));
    pages->addTab(buildInactivePage(), QStringLiteral("Hareketsiz Stoklar"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);

    // The picker loads its double-clicked card here and shows this window.
    picker_.setCardWindow([this] { isModal() || picker_.isModal() ? (void)showModal() : showWindow(); },
                          [this](const db::Row& row) { loadCard(row); });

    // Report templates see every stock card as "sto".
    reports::mudy().datasets().define(QStringLiteral("stok_frm"), QStringLiteral("sto"), StockCardService::reportSql());

    clearDetails();
    resize(1100, 720);
}

StokFrm::~StokFrm()
{
    // Boxes going away (losing the focus) must not call back into this window.
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
    // The picker may be gone already (windows are destroyed in any order).
    if (StoksecFrm::instance() == &picker_)
        picker_.setCardWindow({}, {});
}

QWidget* StokFrm::buildCardPage()
{
    auto* page = new QWidget;
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(6);
    fields->setVerticalSpacing(4);

    auto label = [page](const char* text) { return new QLabel(QString::fromUtf8(text), page); };
    auto line = [page](const char* name, int length) {
        auto* box = new QLineEdit(page);
        box->setObjectName(QString::fromLatin1(name));
        box->setMaxLength(length);
        return box;
    };
    auto safe = [page](const char* name, int length) {
        auto* box = new ui::SafeTextBox(page);
        box->setObjectName(QString::fromLatin1(name));
        box->setMaxLength(length);
        return box;
    };
    auto number = [page](const char* name) {
        auto* box = new ui::NumberBox(page);
        box->setObjectName(QString::fromLatin1(name));
        box->setMaxLength(20);
        box->setAlignment(Qt::AlignRight);
        return box;
    };
    auto lookup = [page](const char* name, int length) {
        auto* box = new ui::LookupBox(page);
        box->setObjectName(QString::fromLatin1(name));
        box->setMaxLength(length);
        return box;
    };

    M_ID = line("M_ID", 20);
    M_ID->setReadOnly(true);
    M_ID->setFocusPolicy(Qt::NoFocus);
    kod_ed = safe("kod_ed", 20);
    grp_ed = lookup("grp_ed", 30);
    stok_ed = safe("stok_ed", 100);
    tanim_ed = line("tanim_ed", 100);
    barkod_ed = line("barkod_ed", 50);
    ambar_ed = line("ambar_ed", 50);
    ack_ed = line("ack_ed", 100);
    firma_ed = lookup("firma_ed", 80);

    sbirim_ed = lookup("sbirim_ed", 20);
    arabirim_ed = line("arabirim_ed", 10);
    arabirim_ed->setReadOnly(true);  // it follows the purchase unit
    bmiktar_ed = number("bmiktar_ed");
    agirlik_ed = number("agirlik_ed");
    minmik_ed = number("minmik_ed");
    mmik = number("mmik");
    sonplu = number("sonplu");
    dvz_id = lookup("dvz_id", 15);

    dfiyat_ed = number("dfiyat_ed");
    afiyat_ed = number("afiyat_ed");
    kdv_ed = number("kdv_ed");
    cxCurrencyEdit1 = line("cxCurrencyEdit1", 30);
    cxCurrencyEdit1->setReadOnly(true);
    cxCurrencyEdit1->setFocusPolicy(Qt::NoFocus);
    cxCurrencyEdit1->setAlignment(Qt::AlignRight);
    onfiyat_ed = number("onfiyat_ed");
    sfiyat_ed = number("sfiyat_ed");

    takip = new QCheckBox(QStringLiteral("Stok Takip"), page);
    takip->setObjectName(QStringLiteral("takip"));
    kdvtakip = new QCheckBox(QStringLiteral("Kdv Takip"), page);
    kdvtakip->setObjectName(QStringLiteral("kdvtakip"));
    kdvtakip->hide();
    rb1 = new QRadioButton(QStringLiteral("Stok"), page);
    rb1->setObjectName(QStringLiteral("rb1"));
    rb2 = new QRadioButton(QStringLiteral("Malzeme"), page);
    rb2->setObjectName(QStringLiteral("rb2"));
    kind_ = new QButtonGroup(page);
    kind_->addButton(rb1);
    kind_->addButton(rb2);

    const QList<std::pair<const char*, QWidget*>> first{
        {"Stok _ ID", M_ID},      {"Stok Kodu", kod_ed},     {"Grup Kodu", grp_ed},
        {"Stok Adı", stok_ed},    {"Stok Tanımı", tanim_ed}, {"Barkod No", barkod_ed},
        {"Ambar Kodu", ambar_ed}, {"Açıklama", ack_ed},      {"Üretici Firma", firma_ed},
    };
    const QList<std::pair<const char*, QWidget*>> second{
        {"Stok Birimi", sbirim_ed},       {"Ara Birim", arabirim_ed}, {"Birim Miktarı", bmiktar_ed},
        {"Birim Ağırlık", agirlik_ed},    {"Min.Miktar", minmik_ed},  {"Max.Miktar", mmik},
        {"Son Kull.Giriş + Gün", sonplu}, {"Döviz Birimi", dvz_id},
    };
    const QList<std::pair<const char*, QWidget*>> third{
        {"Dvz A.Fiyatı", dfiyat_ed},    {"A.Fiy.(Kdvli)", afiyat_ed}, {"Alış Kdv", kdv_ed},
        {"Alış Fiy.", cxCurrencyEdit1}, {"Önceki Fiyat", onfiyat_ed}, {"M.Satış Fiyatı(Kdv li)", sfiyat_ed},
    };
    int column = 0;
    for (const auto* group : {&first, &second, &third}) {
        int row = 0;
        for (const auto& [caption, widget] : *group) {
            fields->addWidget(label(caption), row, column);
            fields->addWidget(widget, row, column + 1);
            ++row;
        }
        column += 2;
    }
    auto* flags = new QHBoxLayout;
    flags->addWidget(takip);
    flags->addWidget(kdvtakip);
    flags->addStretch();
    fields->addLayout(flags, 6, 5);
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(rb1);
    kinds->addWidget(rb2);
    kinds->addStretch();
    fields->addLayout(kinds, 7, 5);
    fields->setColumnStretch(1, 3);
    fields->setColumnStretch(3, 2);
    fields->setColumnStretch(5, 2);

    // The picture of the card whose details are shown.
    cxDBImage1 = new QLabel(page);
    cxDBImage1->setObjectName(QStringLiteral("cxDBImage1"));
    cxDBImage1->setFixedSize(170, 170);
    cxDBImage1->setFrameShape(QFrame::StyledPanel);
    cxDBImage1->setAlignment(Qt::AlignCenter);
    btnresim = new QPushButton(QStringLiteral("Resim Yükle"), page);
    btnresim->setObjectName(QStringLiteral("btnresim"));
    btnresimsil = new QPushButton(QStringLiteral("Resmi Sil"), page);
    btnresimsil->setObjectName(QStringLiteral("btnresimsil"));
    auto* pictureButtons = new QHBoxLayout;
    pictureButtons->addWidget(btnresim);
    pictureButtons->addWidget(btnresimsil);
    auto* picture = new QVBoxLayout;
    picture->addWidget(cxDBImage1, 0, Qt::AlignHCenter);
    picture->addLayout(pictureButtons);
    picture->addStretch();

    auto* top = new QHBoxLayout;
    top->addLayout(fields, 1);
    top->addSpacing(8);
    top->addLayout(picture);

    kalan = new ui::DataGrid(page);
    kalan->setObjectName(QStringLiteral("kalan"));
    kalan->setColumns({
        {.field = "department", .caption = "Depo", .width = 180},
        {.field = "giren", .caption = "Giren", .format = kQuantityFormat, .width = 110},
        {.field = "cikan", .caption = "Çıkan", .format = kQuantityFormat, .width = 110},
        {.field = "zayi", .caption = "Zayi", .format = kQuantityFormat, .visible = false},
        {.field = "kalan", .caption = "Kalan", .format = kQuantityFormat, .width = 110},
        {.field = "AMBMIKTAR", .caption = "Birim", .width = 70},
    });
    kalan->addFooterSummary(QStringLiteral("giren"), ui::SummaryKind::Sum);
    kalan->addFooterSummary(QStringLiteral("cikan"), ui::SummaryKind::Sum);
    kalan->addFooterSummary(QStringLiteral("kalan"), ui::SummaryKind::Sum);
    kalan->setTitle(QStringLiteral("Depolardaki Stok"));

    btnliste = new QPushButton(QStringLiteral("Stok &Listesi"), page);
    btnliste->setObjectName(QStringLiteral("btnliste"));
    btncancel = new QPushButton(QStringLiteral("&Vazgeç"), page);
    btncancel->setObjectName(QStringLiteral("btncancel"));
    btncogalt = new QPushButton(QStringLiteral("Çoğal&t"), page);
    btncogalt->setObjectName(QStringLiteral("btncogalt"));
    btnpost = new QPushButton(QStringLiteral("&Kaydet"), page);
    btnpost->setObjectName(QStringLiteral("btnpost"));
    btndel = new QPushButton(QStringLiteral("&Sil"), page);
    btndel->setObjectName(QStringLiteral("btndel"));
    btnedit = new QPushButton(QStringLiteral("&Değiştir"), page);
    btnedit->setObjectName(QStringLiteral("btnedit"));
    btnexit = new QPushButton(QStringLiteral("&Çıkış"), page);
    btnexit->setObjectName(QStringLiteral("btnexit"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {btnliste, btncancel, btncogalt, btnpost, btndel, btnedit, btnexit}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(100);
        buttons->addWidget(b);
    }
    buttons->insertStretch(1);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(kalan, 1);
    layout->addLayout(buttons);

    // Enter walks the boxes column by column.
    const QList<QWidget*> order{kod_ed,    grp_ed,     stok_ed,    tanim_ed,  barkod_ed, ambar_ed, ack_ed, firma_ed,
                                sbirim_ed, bmiktar_ed, agirlik_ed, minmik_ed, mmik,      sonplu,   dvz_id, dfiyat_ed,
                                afiyat_ed, kdv_ed,     onfiyat_ed, sfiyat_ed, takip,     rb1,      rb2,    btnpost};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(sbirim_ed, &ui::LookupBox::picked, this, [this] { unitChosen(); });
    connect(sbirim_ed, &QLineEdit::editingFinished, this, &StokFrm::unitChosen);
    connect(btnliste, &QPushButton::clicked, this, &StokFrm::openPicker);
    connect(btncancel, &QPushButton::clicked, this, &StokFrm::clearCard);
    connect(btncogalt, &QPushButton::clicked, this, &StokFrm::duplicateCard);
    connect(btnpost, &QPushButton::clicked, this, &StokFrm::saveCard);
    connect(btndel, &QPushButton::clicked, this, &StokFrm::deleteCard);
    connect(btnedit, &QPushButton::clicked, this, &StokFrm::changeCard);
    connect(btnexit, &QPushButton::clicked, this, &QWidget::close);
    connect(btnresim, &QPushButton::clicked, this, &StokFrm::loadPicture);
    connect(btnresimsil, &QPushButton::clicked, this, &StokFrm::removePicture);
    return page;
}

QWidget* StokFrm::buildHistoryPage()
{
    auto* page = new QWidget;
    fdegis = new ui::DataGrid(page);
    fdegis->setObjectName(QStringLiteral("fdegis"));
    fdegis->setColumns({
        {.field = "TARIH", .caption = "Tarih", .format = "dd.MM.yyyy", .width = 100},
        {.field = "AFIYAT", .caption = "A.Fiyatı", .format = kPriceFormat, .width = 100},
        {.field = "HESADI", .caption = "Cari Hesap", .width = 300},
        {.field = "fno", .caption = "Fat.No", .width = 150},
    });
    fdegis->setFilterRowVisible(true);
    fdegis->setTitle(QStringLiteral("Alış Fiyat Değişim Tablosu"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(fdegis);
    return page;
}

QWidget* StokFrm::buildPricesPage()
{
    auto* page = new QWidget;
    sfiyats = new ui::DataGrid(page);
    sfiyats->setObjectName(QStringLiteral("sfiyats"));
    sfiyats->setColumns({
        {.field = "FIYATADI", .caption = "Fiyat Grubu", .editable = true, .width = 200},
        {.field = "FIYAT", .caption = "Fiyat", .format = kPriceFormat, .editable = true, .width = 100},
        {.field = "KDV", .caption = "Kdv", .format = "#,##0.##", .editable = true, .width = 60},
        {.field = "ISKONTO1", .caption = "İskonto1", .format = "0", .editable = true, .width = 70},
        {.field = "ISKONTO2", .caption = "iskonto2", .format = "0", .editable = true, .width = 70},
    });
    sfiyats->setReadOnly(false);
    sfiyats->setNewRowAllowed(true);
    sfiyats->setTitle(QStringLiteral("Stok Satış Fiyatları"));
    sfiyats->setRowWriter([this](const ui::RowEdit& edit) -> ui::EditResult {
        if (!detailId_)
            return ui::EditResult::refuseAndRevert(QStringLiteral("Önce Bir Stok Kartı Seçiniz"));
        SalePriceInput p;
        p.code = detailCode_;
        p.name = detailName_;
        p.listName = edit.after.text("FIYATADI");
        p.price = edit.after.number("FIYAT");
        p.vat = edit.after.number("KDV");
        p.discount1 = int(edit.after.number("ISKONTO1"));
        p.discount2 = int(edit.after.number("ISKONTO2"));
        const bool insert = edit.kind == ui::RowEdit::Kind::Insert;
        const WriteResult r = SalePriceService(context_.session())
                                  .savePrice(insert ? std::nullopt : std::optional(edit.before.integer("ID")), p);
        if (!r.ok())
            return ui::EditResult::refuse(r.refusal->message);
        db::Row stored = withValue(edit.after, QStringLiteral("ID"), r.key);
        stored = withValue(stored, QStringLiteral("KODU"), p.code);
        return ui::EditResult::ok(withValue(stored, QStringLiteral("ADI"), p.name));
    });

    flar = new ui::DataGrid(page);
    flar->setObjectName(QStringLiteral("flar"));
    flar->setColumns({
        {.field = "FIYATADI", .caption = "Fiyat Grubu", .editable = true, .width = 180},
        {.field = "FKISA", .caption = "Kısa", .editable = true, .width = 70},
    });
    flar->setReadOnly(false);
    flar->setNewRowAllowed(true);
    flar->setTitle(QStringLiteral("Fiyat Grupları"));
    flar->setRowWriter([this](const ui::RowEdit& edit) -> ui::EditResult {
        const bool insert = edit.kind == ui::RowEdit::Kind::Insert;
        const WriteResult r = SalePriceService(context_.session())
                                  .savePriceList(insert ? std::nullopt : std::optional(edit.before.integer("ID")),
                                                 edit.after.text("FIYATADI"), edit.after.text("FKISA"));
        if (!r.ok())
            return ui::EditResult::refuse(r.refusal->message);
        // A new or renamed price list is offered to the prices at once.
        offerPriceLists();
        return ui::EditResult::ok(withValue(edit.after, QStringLiteral("ID"), r.key));
    });
    btnfiyatsil = new QPushButton(QStringLiteral("Fiyatı Sil"), page);
    btnfiyatsil->setObjectName(QStringLiteral("btnfiyatsil"));
    btnlistesil = new QPushButton(QStringLiteral("Fiyat Grubunu Sil"), page);
    btnlistesil->setObjectName(QStringLiteral("btnlistesil"));
    for (QPushButton* b : {btnfiyatsil, btnlistesil})
        b->setAutoDefault(false);
    connect(btnfiyatsil, &QPushButton::clicked, this, &StokFrm::deletePrice);
    connect(btnlistesil, &QPushButton::clicked, this, &StokFrm::deletePriceList);

    auto side = [page](ui::DataGrid* grid, QPushButton* button) {
        auto* box = new QWidget(page);
        auto* v = new QVBoxLayout(box);
        v->setContentsMargins(0, 0, 0, 0);
        v->addWidget(grid, 1);
        auto* h = new QHBoxLayout;
        h->addStretch();
        h->addWidget(button);
        v->addLayout(h);
        return box;
    };
    auto* split = new QSplitter(Qt::Horizontal, page);
    split->addWidget(side(sfiyats, btnfiyatsil));
    split->addWidget(side(flar, btnlistesil));
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(split);
    return page;
}

QWidget* StokFrm::buildMonthlyPage()
{
    auto* page = new QWidget;
    kalanay = new ui::DataGrid(page);
    kalanay->setObjectName(QStringLiteral("kalanay"));
    kalanay->setColumns({
        {.field = "yil", .caption = "Yıl", .format = "0", .width = 55},
        {.field = "Ay", .caption = "Ay", .width = 80},
        {.field = "department", .caption = "Depo", .width = 150},
        {.field = "AFIYAT", .caption = "A.Fiyat", .format = kPriceFormat, .width = 90},
        {.field = "giren", .caption = "Giren", .format = kQuantityFormat, .width = 100},
        {.field = "cikan", .caption = "Çıkan", .format = kQuantityFormat, .width = 100},
        {.field = "zayi", .caption = "Zayi", .format = kQuantityFormat, .width = 90},
        {.field = "kalan", .caption = "Kalan", .format = kQuantityFormat, .width = 100},
        {.field = "AMBMIKTAR", .caption = "Birim", .width = 60},
    });
    kalanay->setFilterRowVisible(true);
    kalanay->setTitle(QStringLiteral("Aylık Depo Giriş-Çıkışları"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(kalanay);
    return page;
}

QWidget* StokFrm::buildInactivePage()
{
    auto* page = new QWidget;
    hareketsiz = new ui::DataGrid(page);
    hareketsiz->setObjectName(QStringLiteral("hareketsiz"));
    hareketsiz->setColumns({
        {.field = "GRUP", .caption = "Grup", .width = 130},
        {.field = "KODU", .caption = "Stok Kodu", .width = 100},
        {.field = "ADI", .caption = "Stok Adı", .width = 250},
        {.field = "BARKOD", .caption = "Barkod", .width = 120},
        {.field = "BIRIMAGR", .caption = "B.Agr", .format = kQuantityFormat, .width = 70},
        {.field = "AMBMIKTAR", .caption = "Birim", .width = 60},
        {.field = "AFIYAT", .caption = "A.Fiyat", .format = kPriceFormat, .width = 90},
    });
    hareketsiz->setFilterRowVisible(true);
    hareketsiz->addFooterSummary(QStringLiteral("ADI"), ui::SummaryKind::Count, QStringLiteral("Adet=0"));
    hareketsiz->addFooterSummary(QStringLiteral("AFIYAT"), ui::SummaryKind::Sum, kPriceFormat);
    hareketsiz->setTitle(QStringLiteral("Hareketsiz Stoklar"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(hareketsiz);
    return page;
}

void StokFrm::showEvent(QShowEvent* event)
{
    ui::FormBase::showEvent(event);
    if (event->spontaneous())
        return;
    openLists();
    pages->setCurrentIndex(0);
    clearCard();
}

void StokFrm::closeEvent(QCloseEvent* event)
{
    // Price rows being typed are written (or corrected) before the window goes.
    if (!sfiyats->commitEdit() || !flar->commitEdit()) {
        event->ignore();
        return;
    }
    ui::FormBase::closeEvent(event);
}

void StokFrm::openLists()
{
    if (!context_.hasSession())
        return;
    ui::BusyCursor busy;
    guarded(this, [&] {
        StockCardService cards(context_.session());
        firma_ed->setRows(cards.suppliers(), QStringLiteral("HESADI"));
        dvz_id->setRows(cards.currencies(), QStringLiteral("kisa"), {QStringLiteral("kisa"), QStringLiteral("ad")});
        grp_ed->setRows(cards.stockGroups(), QStringLiteral("GRUP"));
        sbirim_ed->setRows(cards.unitPairs(), QStringLiteral("Olcu"),
                           {QStringLiteral("Olcu"), QStringLiteral("Birim")});
        flar->setRows(SalePriceService(context_.session()).priceLists());
        hareketsiz->setRows(cards.cardsWithoutMovements());
        showDetails();
    });
}

void StokFrm::refreshInactive()
{
    guarded(this, [&] { hareketsiz->setRows(StockCardService(context_.session()).cardsWithoutMovements()); });
}

void StokFrm::unitChosen()
{
    // The base unit is the one that goes with the purchase unit.
    for (const auto& r : sbirim_ed->rows())
        if (r.text("Olcu") == sbirim_ed->text()) {
            arabirim_ed->setText(r.text("Birim"));
            return;
        }
}

void StokFrm::setLoadedState(bool loaded)
{
    btnpost->setEnabled(!loaded);
    btncancel->setEnabled(loaded);
    btndel->setEnabled(loaded);
    btnedit->setEnabled(loaded);
}

void StokFrm::clearCard()
{
    kind_->setExclusive(false);
    rb1->setChecked(false);
    rb2->setChecked(false);
    kind_->setExclusive(true);
    takip->setChecked(false);
    kdvtakip->setChecked(false);
    for (QLineEdit* box :
         {static_cast<QLineEdit*>(minmik_ed), static_cast<QLineEdit*>(dfiyat_ed), static_cast<QLineEdit*>(afiyat_ed),
          static_cast<QLineEdit*>(sfiyat_ed), static_cast<QLineEdit*>(onfiyat_ed)})
        box->setText(QStringLiteral("0"));
    kdv_ed->setText(QStringLiteral("8"));
    for (QLineEdit* box : {static_cast<QLineEdit*>(kod_ed), static_cast<QLineEdit*>(grp_ed),
                           static_cast<QLineEdit*>(stok_ed), static_cast<QLineEdit*>(sbirim_ed), arabirim_ed,
                           static_cast<QLineEdit*>(bmiktar_ed), static_cast<QLineEdit*>(agirlik_ed), tanim_ed,
                           barkod_ed, ambar_ed, ack_ed, static_cast<QLineEdit*>(dvz_id), static_cast<QLineEdit*>(mmik),
                           static_cast<QLineEdit*>(sonplu), cxCurrencyEdit1, static_cast<QLineEdit*>(firma_ed)})
        box->clear();
    editingId_.reset();
    setLoadedState(false);
    kod_ed->setFocus();
}

void StokFrm::loadCard(const db::Row& pickerRow)
{
    // A hidden window comes up first (showing it starts from an empty card).
    if (!isVisible())
        showWindow();
    const qint64 id = pickerRow.integer(QStringLiteral("URUN_ID"));
    std::optional<db::Row> card;
    if (!guarded(this, [&] { card = StockCardService(context_.session()).load(id); }))
        return;
    if (!card) {
        ui::dialogs::message(this, QStringLiteral("Stok Kartı Bulunamadı; başka bir kullanıcı silmiş olabilir."));
        return;
    }
    const db::Row& r = *card;
    kind_->setExclusive(false);
    rb1->setChecked(r.flag("STOK"));
    rb2->setChecked(r.flag("MALZ"));
    kind_->setExclusive(true);
    takip->setChecked(r.text("STOKTAKIP") != QLatin1String("0"));
    kdvtakip->setChecked(r.flag("KDVTAKIP"));

    kod_ed->setText(r.text("KODU"));
    grp_ed->setText(r.text("GRUP"));
    stok_ed->setText(r.text("ADI"));
    sbirim_ed->setText(r.text("BIRIM"));
    arabirim_ed->setText(r.text("AMBMIKTAR"));
    bmiktar_ed->setText(numberText(r.number("BIRIMMIK")));
    agirlik_ed->setText(numberText(r.number("BIRIMAGR")));
    tanim_ed->setText(r.text("TANIMI"));
    barkod_ed->setText(r.text("BARKOD"));
    ambar_ed->setText(r.text("AMBBARKOD"));
    ack_ed->setText(r.text("ACIKLAMA"));
    dvz_id->setText(r.text("KALITE"));
    dfiyat_ed->setText(numberText(r.number("DOVIZ_FIYAT")));
    sfiyat_ed->setText(numberText(r.number("SFIYAT")));
    afiyat_ed->setText(numberText(r.number("AFIYAT")));
    kdv_ed->setText(numberText(r.number("KDV")));
    onfiyat_ed->setText(numberText(r.number("MINFIYAT")));
    minmik_ed->setText(numberText(r.number("MIN_MIK")));
    mmik->setText(numberText(r.number("MAXMIK")));
    sonplu->setText(numberText(r.number("SONKULPLUDAY")));
    firma_ed->setText(r.text("URETICI"));
    // The net purchase price, when there is a price.
    if (!blankOrZero(afiyat_ed->text()))
        cxCurrencyEdit1->setText(
            ui::formatNumber(r.number("AFIYAT") / (1.0 + r.number("KDV") / 100.0), QStringLiteral(",0.000;-,0.000")));
    else
        cxCurrencyEdit1->clear();

    editingId_ = id;
    detailId_ = id;
    setLoadedState(true);
    showDetails();
    kod_ed->setFocus();
}

void StokFrm::clearDetails()
{
    detailId_.reset();
    detailCode_.clear();
    detailName_.clear();
    showDetails();
}

void StokFrm::showDetails()
{
    if (!context_.hasSession())
        return;
    guarded(this, [&] {
        StockCardService cards(context_.session());
        std::optional<db::Row> card;
        if (detailId_)
            card = cards.load(*detailId_);
        if (!card)
            detailId_.reset();
        detailCode_ = card ? card->text("KODU") : QString();
        detailName_ = card ? card->text("ADI") : QString();
        M_ID->setText(card ? QString::number(*detailId_) : QString());
        kalan->setRows(cards.stockByDepartment(detailCode_));
        kalanay->setRows(cards.monthlyMovements(detailCode_));
        fdegis->setRows(cards.priceHistory(detailCode_));
        SalePriceService prices(context_.session());
        sfiyats->setRows(prices.prices(detailCode_, detailName_));
        offerPriceLists();
        showPicture(detailId_ ? cards.picture(*detailId_) : QByteArray());
    });
    btnresim->setEnabled(detailId_.has_value());
    btnresimsil->setEnabled(detailId_.has_value());
}

void StokFrm::offerPriceLists()
{
    // A row being typed keeps the drop-down it has; the next read updates it.
    if (sfiyats->hasPendingEdit())
        return;
    QStringList names;
    for (const auto& p : SalePriceService(context_.session()).priceLists())
        if (!p.text("FIYATADI").isEmpty() && !names.contains(p.text("FIYATADI")))
            names << p.text("FIYATADI");
    QList<ui::GridColumn> columns = sfiyats->columns();
    bool changed = false;
    for (auto& c : columns)
        if (c.field == QLatin1String("FIYATADI") && c.choices != names) {
            c.choices = names;
            changed = true;
        }
    if (changed)
        sfiyats->setColumns(columns);
}

void StokFrm::showPicture(const QByteArray& image)
{
    QPixmap pixmap;
    if (!image.isEmpty() && pixmap.loadFromData(image)) {
        cxDBImage1->setPixmap(
            pixmap.scaled(cxDBImage1->size() - QSize(6, 6), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    } else {
        cxDBImage1->setPixmap(QPixmap());
        cxDBImage1->setText(QStringLiteral("Resim Yok"));
    }
}

StockCardInput StokFrm::input() const
{
    StockCardInput c;
    c.code = kod_ed->text();
    c.group = grp_ed->text();
    c.name = stok_ed->text();
    c.purchaseUnit = sbirim_ed->text();
    c.baseUnit = arabirim_ed->text();
    c.unitQuantity = bmiktar_ed->text();
    c.factor = agirlik_ed->text();
    c.description = tanim_ed->text();
    c.barcode = barkod_ed->text();
    c.storeCode = ambar_ed->text();
    c.note = ack_ed->text();
    c.currency = dvz_id->text();
    c.foreignPrice = dfiyat_ed->text();
    c.salePrice = sfiyat_ed->text();
    c.purchasePrice = afiyat_ed->text();
    c.vat = kdv_ed->text();
    c.previousPrice = onfiyat_ed->text();
    c.minQuantity = minmik_ed->text();
    c.maxQuantity = mmik->text();
    c.shelfLifeDays = sonplu->text();
    c.supplier = firma_ed->text();
    c.tracked = takip->isChecked();
    c.vatTracked = kdvtakip->isChecked();
    c.stock = rb1->isChecked();
    c.material = rb2->isChecked();
    return c;
}

void StokFrm::focusField(const QString& column)
{
    static const QHash<QString, QString> boxes{
        {"KODU", "kod_ed"},      {"ADI", "stok_ed"},         {"GRUP", "grp_ed"},           {"BIRIMMIK", "bmiktar_ed"},
        {"BIRIM", "sbirim_ed"},  {"BIRIMAGR", "agirlik_ed"}, {"DOVIZ_FIYAT", "dfiyat_ed"}, {"SFIYAT", "sfiyat_ed"},
        {"AFIYAT", "afiyat_ed"}, {"KDV", "kdv_ed"},          {"MINFIYAT", "onfiyat_ed"},   {"MIN_MIK", "minmik_ed"},
        {"MAXMIK", "mmik"},      {"SONKULPLUDAY", "sonplu"},
    };
    if (auto* box = findChild<QWidget*>(boxes.value(column))) {
        pages->setCurrentIndex(0);
        box->setFocus();
    }
}

bool StokFrm::insertCard()
{
    // What the save will store shows in the boxes too.
    if (blankOrZero(afiyat_ed->text()))
        afiyat_ed->setText(QStringLiteral("1"));
    if (!rb2->isChecked())
        rb1->setChecked(true);
    WriteResult result;
    if (!guarded(this, [&] { result = StockCardService(context_.session()).create(input()); }))
        return false;
    if (!result.ok()) {
        showRefusal(this, *result.refusal);
        focusField(result.refusal->field);
        return false;
    }
    refreshInactive();
    return true;
}

bool StokFrm::saveCard()
{
    if (!insertCard())
        return false;
    clearCard();
    return true;
}

bool StokFrm::duplicateCard()
{
    if (!insertCard())
        return false;
    // Every field stays, for the next copy's code and name.
    kod_ed->setFocus();
    kod_ed->selectAll();
    return true;
}

bool StokFrm::changeCard()
{
    if (!editingId_)
        return false;
    if (!afiyat_ed->text().trimmed().isEmpty() && blankOrZero(afiyat_ed->text()))
        afiyat_ed->setText(QStringLiteral("1"));
    WriteResult result;
    if (!guarded(this, [&] { result = StockCardService(context_.session()).update(*editingId_, input()); }))
        return false;
    if (!result.ok()) {
        showRefusal(this, *result.refusal);
        focusField(result.refusal->field);
        return false;
    }
    clearCard();
    guarded(this, [&] { showDetails(); });
    return true;
}

bool StokFrm::deleteCard()
{
    if (!editingId_)
        return false;
    if (!ui::dialogs::ask(this, kStockCardCaption, QStringLiteral("Stok Kaydını Silmek İstediğinize Emin misiniz ?"),
                          ui::Icon::Question))
        return false;
    const qint64 id = *editingId_;
    if (!guarded(this, [&] { StockCardService(context_.session()).remove(id); }))
        return false;
    clearCard();
    if (detailId_ == id)
        clearDetails();
    refreshInactive();
    return true;
}

void StokFrm::openPicker()
{
    picker_.openForCards();
}

bool StokFrm::loadPicture()
{
    if (!detailId_) {
        ui::dialogs::message(this, QStringLiteral("Önce Bir Stok Kartı Seçiniz"));
        return false;
    }
    const auto path = ui::dialogs::openFileName(this, QStringLiteral("Resim Seç"),
                                                QStringLiteral("Resimler (*.png *.jpg *.jpeg *.bmp *.gif)"));
    if (!path)
        return false;
    QFile file(*path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    QImage image;
    if (bytes.isEmpty() || !image.loadFromData(bytes)) {
        ui::dialogs::message(this, QStringLiteral("Resim Okunamadı: ") + *path);
        return false;
    }
    // A large picture is kept at a size the card can show.
    if (bytes.size() > kPictureBytes || image.width() > kPictureSide || image.height() > kPictureSide) {
        const QImage smaller =
            image.width() > kPictureSide || image.height() > kPictureSide
                ? image.scaled(kPictureSide, kPictureSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                : image;
        bytes.clear();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        smaller.convertToFormat(QImage::Format_RGB32).save(&buffer, "JPG", 85);
    }
    const qint64 id = *detailId_;
    if (!guarded(this, [&] { StockCardService(context_.session()).setPicture(id, bytes); }))
        return false;
    showPicture(bytes);
    return true;
}

bool StokFrm::removePicture()
{
    if (!detailId_)
        return false;
    if (!ui::dialogs::confirm(this, QStringLiteral("Stok Resmini Silmek İstediğinize Emin misiniz ?")))
        return false;
    const qint64 id = *detailId_;
    if (!guarded(this, [&] { StockCardService(context_.session()).setPicture(id, {}); }))
        return false;
    showPicture({});
    return true;
}

void StokFrm::deletePrice()
{
    const auto row = sfiyats->currentRow();
    if (!row || row->isNull("ID"))
        return;
    if (!ui::dialogs::confirm(this, QStringLiteral("Kaydı Silmek İstediğinize Emin misiniz ?")))
        return;
    const int position = sfiyats->currentPosition();
    if (guarded(this, [&] { SalePriceService(context_.session()).removePrice(row->integer("ID")); }))
        sfiyats->removeRow(position);
}

void StokFrm::deletePriceList()
{
    const auto row = flar->currentRow();
    if (!row || row->isNull("ID"))
        return;
    if (!ui::dialogs::confirm(this, QStringLiteral("Kaydı Silmek İstediğinize Emin misiniz ?")))
        return;
    const int position = flar->currentPosition();
    if (guarded(this, [&] {
            SalePriceService(context_.session()).removePriceList(row->integer("ID"));
            offerPriceLists();
        }))
        flar->removeRow(position);
}

}  // namespace inventory
