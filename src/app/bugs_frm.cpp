#include "app/bugs_frm.h"

#include "app/admin_lists.h"
#include "ui/data_grid.h"
#include "ui/dialogs.h"
#include "ui/edit_boxes.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

BugsFrm::BugsFrm(ui::AppContext& context, QWidget* parent) : ui::FormBase(parent), context_(context)
{
    setObjectName(QStringLiteral("bugs_frm"));
    setWindowTitle(QStringLiteral("Bug's"));
    setWindowState(Qt::WindowMaximized);

    tarih = new ui::DateBox(QDate::currentDate(), this);
    tarih->setObjectName(QStringLiteral("tarih"));
    tarih->hide();
    ara = new ui::DateBox(QDate::currentDate(), this);
    ara->setObjectName(QStringLiteral("ara"));
    btntumu = new QPushButton(QStringLiteral("Tümü"), this);
    btntumu->setObjectName(QStringLiteral("btntumu"));
    btntumu->setAutoDefault(false);

    popup = new QMenu(this);
    popup->setObjectName(QStringLiteral("popup"));
    popup->addAction(QStringLiteral("Tümü"), this, &BugsFrm::showAll);
    popup->addAction(QStringLiteral("Kaydet"));  // kept for the users who know it; it does nothing
    auto* bar = new QWidget(this);
    bar->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(bar, &QWidget::customContextMenuRequested, this,
            [this, bar](const QPoint& pos) { popup->exec(bar->mapToGlobal(pos)); });
    auto* top = new QHBoxLayout(bar);
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(new QLabel(QStringLiteral("Tarih"), bar));
    top->addWidget(ara);
    top->addWidget(btntumu);
    top->addStretch();

    grid = new ui::DataGrid(this);
    grid->setObjectName(QStringLiteral("grid"));
    grid->setTitle(QStringLiteral("Bug's"));
    grid->setColumns({{.field = "GUN", .caption = "GUN", .format = "dd.MM.yyyy", .width = 85},
                      {.field = "ZAMAN", .caption = "Saat", .width = 65},
                      {.field = "PCNAME", .caption = "Host-name", .width = 110},
                      {.field = "garson", .caption = "Garson", .width = 110},
                      {.field = "username", .caption = "Kullanıcı", .width = 110},
                      {.field = "hall_name", .caption = "Salon", .width = 100},
                      {.field = "masa", .caption = "Masa", .width = 70},
                      {.field = "sebep", .caption = "Not", .width = 180},
                      {.field = "URUN_ADI", .caption = "Ürün Adı", .width = 180},
                      {.field = "ADET", .caption = "F/Değiş/Adet", .format = "#,##0.##", .width = 90},
                      {.field = "deta", .caption = "DT", .width = 150},
                      {.field = "total", .caption = "Toplam", .format = "#,##0.00", .width = 90},
                      {.field = "adisyon", .caption = "Adisyon", .format = "0", .width = 80},
                      {.field = "item_trans", .caption = "Ürün Trans.", .width = 80},
                      {.field = "bill_trans", .caption = "Hesap Trans.", .width = 85}});
    grid->setFilterBoxVisible(true);
    grid->setFilterRowVisible(true);
    grid->addFooterSummary(QStringLiteral("ADET"), ui::SummaryKind::Sum, QStringLiteral("#,##0.##"));
    grid->addFooterSummary(QStringLiteral("bill_trans"), ui::SummaryKind::Count, QStringLiteral("Adet=0"));
    grid->addFooterSummary(QStringLiteral("item_trans"), ui::SummaryKind::Count, QStringLiteral("Adet=0"));
    grid->addFooterSummary(QStringLiteral("URUN_ADI"), ui::SummaryKind::Count, QStringLiteral("Adet=0"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar);
    layout->addWidget(grid, 1);

    connect(ara, &QDateEdit::dateChanged, this, &BugsFrm::showDay);
    connect(btntumu, &QPushButton::clicked, this, &BugsFrm::showAll);
    resize(1200, 700);
}

void BugsFrm::showEvent(QShowEvent* event)
{
    ui::FormBase::showEvent(event);
    const QDate today = QDate::currentDate();
    tarih->setDate(today);
    {
        const QSignalBlocker quiet(ara);
        ara->setDate(today);
    }
    load(tarih->date());
}

void BugsFrm::hideEvent(QHideEvent* event)
{
    grid->clear();
    ui::FormBase::hideEvent(event);
}

void BugsFrm::showDay(const QDate& day)
{
    load(day);
}

void BugsFrm::showAll()
{
    load(std::nullopt);
}

void BugsFrm::load(const std::optional<QDate>& day)
{
    if (!context_.hasSession())
        return;
    day_ = day;
    const ListQuery q = auditLogQuery(day);
    try {
        db::Session& s = context_.session();
        grid->setFooterSource([&s, q] { return s.selectOne(q.footerSql, q.params).value_or(db::Row()); });
        grid->setQuery(s, q.sql, q.params);
    } catch (const db::Error& e) {
        ui::dialogs::error(this, e.text());
    }
}

}  // namespace app
