#include "inventory/stoksec_frm.h"

#include "inventory/stock_cards.h"
#include "inventory/window_support.h"
#include "ui/busy_cursor.h"
#include "ui/data_grid.h"
#include "ui/format.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace inventory {

namespace {

StoksecFrm* theInstance = nullptr;

}  // namespace

StoksecFrm::StoksecFrm(ui::AppContext& context, QWidget* parent) : ui::FormBase(parent), context_(context)
{
    setObjectName(QStringLiteral("stoksec_frm"));
    setWindowTitle(QStringLiteral("Stok Seç"));
    theInstance = this;

    grid = new ui::DataGrid(this);
    grid->setObjectName(QStringLiteral("grid"));
    grid->setColumns({
        {.field = "KODU", .caption = "Stok Kodu", .width = 90},
        {.field = "ADI", .caption = "Stok ADI", .width = 230},
        {.field = "GRUP", .caption = "Grup", .width = 110},
        {.field = "BIRIM", .caption = "Birim", .width = 60},
        {.field = "BIRIMAGR", .caption = "Ölçü", .format = "#,##0.###", .width = 60},
        {.field = "BIRIMMIK", .caption = "B.Miktar", .format = "#,##0.###", .width = 65},
        {.field = "AMBMIKTAR", .caption = "Ara Birim", .width = 65},
        {.field = "AFIYAT", .caption = "A.Fiyatı", .format = "#,##0.00##", .editable = true, .width = 80},
        {.field = "KDV", .caption = "KDV", .format = "#,##0.##", .editable = true, .width = 55},
        {.field = "BARKOD", .caption = "BARKOD", .editable = true, .width = 110},
        {.field = "STOK", .caption = "Stok", .check = true, .width = 50},
        {.field = "MALZ", .caption = "Malz", .check = true, .width = 50},
    });
    grid->setReadOnly(false);
    grid->setFilterBoxVisible(true);
    grid->setFilterRowVisible(true);
    grid->addFooterSummary(QStringLiteral("ADI"), ui::SummaryKind::Count, QStringLiteral("Adet=0"));
    grid->setTitle(QStringLiteral("Stok Listesi"));
    grid->setRowWriter([this](const ui::RowEdit& edit) -> ui::EditResult {
        if (edit.kind != ui::RowEdit::Kind::Update)
            return ui::EditResult::refuseAndRevert({});
        StockCardService(context_.session())
            .updatePriceVatBarcode(edit.before.integer("URUN_ID"), edit.after.number("AFIYAT"),
                                   edit.after.number("KDV"), edit.after.text("BARKOD"));
        return ui::EditResult::ok();
    });

    // The current row's fields, for callers that read them off the window.
    auto hidden = [this](const char* name) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setReadOnly(true);
        box->hide();
        return box;
    };
    dbedt1 = hidden("dbedt1");
    dbedt2 = hidden("dbedt2");
    dbedt3 = hidden("dbedt3");
    dbedt4 = hidden("dbedt4");

    btnstok = new QPushButton(QStringLiteral("&Stok Kartları F1"), this);
    btnstok->setObjectName(QStringLiteral("btnstok"));
    btnprint = new QPushButton(QStringLiteral("Yazdır"), this);
    btnprint->setObjectName(QStringLiteral("btnprint"));
    btnexit = new QPushButton(QStringLiteral("&Kapat"), this);
    btnexit->setObjectName(QStringLiteral("btnexit"));
    for (QPushButton* b : {btnstok, btnprint, btnexit})
        b->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnstok);
    buttons->addStretch();
    buttons->addWidget(btnprint);
    buttons->addWidget(btnexit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid, 1);
    layout->addLayout(buttons);

    connect(grid, &ui::DataGrid::rowActivated, this, &StoksecFrm::activated);
    connect(grid, &ui::DataGrid::currentRowChanged, this, &StoksecFrm::currentChanged);
    connect(btnstok, &QPushButton::clicked, this, &StoksecFrm::showCardWindow);
    connect(btnprint, &QPushButton::clicked, this, [this] { grid->print(true); });
    connect(btnexit, &QPushButton::clicked, this, &QWidget::close);

    // The context menu of the buttons' strip offers the stock card window too.
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        QMenu menu(this);
        menu.addAction(QStringLiteral("Stok Kartları"), this, &StoksecFrm::showCardWindow);
        menu.exec(mapToGlobal(pos));
    });

    resize(1080, 600);
}

StoksecFrm::~StoksecFrm()
{
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
    if (theInstance == this)
        theInstance = nullptr;
}

StoksecFrm* StoksecFrm::instance()
{
    return theInstance;
}

void StoksecFrm::setCardWindow(std::function<void()> show, std::function<void(const db::Row&)> load)
{
    showCards_ = std::move(show);
    loadCard_ = std::move(load);
}

std::optional<StockPick> StoksecFrm::pick(const StockPickOptions& options)
{
    mode_ = options.mode;
    showModal();
    grid->commitEdit();
    if (dbedt1->text().isEmpty())
        return std::nullopt;
    const auto row = currentCard();
    if (!row)
        return std::nullopt;
    return StockPick::fromRow(*row);
}

void StoksecFrm::openForCards()
{
    mode_ = StockPickOptions::Mode::Card;
    showWindow();
}

void StoksecFrm::refresh()
{
    // A row being corrected is left alone: it is written when the user leaves it.
    if (refreshing_ || !context_.hasSession() || grid->hasPendingEdit())
        return;
    refreshing_ = true;
    const auto current = currentCard();
    {
        ui::BusyCursor busy;
        guarded(this, [&] {
            grid->setRows(StockCardService(context_.session()).pickerRows());
            if (current)
                grid->locate(QStringLiteral("URUN_ID"), current->value("URUN_ID"));
        });
    }
    currentChanged();
    refreshing_ = false;
}

std::optional<db::Row> StoksecFrm::currentCard() const
{
    return grid->currentRow();
}

void StoksecFrm::currentChanged()
{
    const auto row = currentCard();
    dbedt1->setText(row ? row->text("KODU") : QString());
    dbedt2->setText(row ? row->text("ADI") : QString());
    dbedt3->setText(row ? row->text("GRUP") : QString());
    dbedt4->setText(row ? row->text("AMBMIKTAR") : QString());
}

void StoksecFrm::activated(int position)
{
    if (position < 0)
        return;
    grid->setCurrentPosition(position);
    if (mode_ == StockPickOptions::Mode::Card) {
        if (const auto row = currentCard(); row && loadCard_)
            loadCard_(*row);
        return;
    }
    close();
}

void StoksecFrm::showCardWindow()
{
    if (showCards_)
        showCards_();
}

bool StoksecFrm::previewKey(QKeyEvent* event)
{
    const auto mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier && event->key() == Qt::Key_F1) {
        showCardWindow();
        return true;
    }
    // Enter on the list (not in a cell being edited, nor in the filters) closes the picker.
    if (mods == Qt::NoModifier && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        focusWidget() == grid->view()) {
        if (grid->commitEdit())
            close();
        return true;
    }
    return ui::FormBase::previewKey(event);
}

void StoksecFrm::showEvent(QShowEvent* event)
{
    ui::FormBase::showEvent(event);
    refresh();
    grid->view()->setFocus();
}

void StoksecFrm::changeEvent(QEvent* event)
{
    ui::FormBase::changeEvent(event);
    // Cards written elsewhere show up whenever the picker comes back to the front.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        refresh();
}

std::optional<StockPick> pickStock(QWidget* parent, const StockPickOptions& options)
{
    StoksecFrm* picker = StoksecFrm::instance();
    if (!picker)
        return std::nullopt;
    if (parent && !picker->isVisible())
        picker->move(parent->window()->geometry().center() - picker->rect().center());
    return picker->pick(options);
}

}  // namespace inventory
