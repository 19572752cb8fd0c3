#include "app/anamenu_frm.h"

#include "app/catalogue.h"
#include "app/dashboard.h"
#include "app/week_calendar.h"
#include "ui/busy_cursor.h"
#include "ui/data_grid.h"
#include "ui/dialogs.h"
#include "ui/form_base.h"
#include "ui/kit_texts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace app {

namespace {

const QString kCaution = QStringLiteral("D I K K A T ...");

QLabel* header(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setStyleSheet(QStringLiteral("QLabel { background: #2f4f6f; color: white; font-weight: bold; padding: 6px; }"));
    return l;
}

// A command row of the panel: its caption and a "Tamam" button.
QWidget* command(const QString& name, const QString& caption, QWidget* parent, std::function<void()> action)
{
    auto* w = new QWidget(parent);
    w->setObjectName(name);
    auto* l = new QHBoxLayout(w);
    l->setContentsMargins(6, 2, 6, 2);
    auto* label = new QLabel(caption, w);
    label->setWordWrap(true);
    auto* ok = new QPushButton(QStringLiteral("Tamam"), w);
    ok->setObjectName(name + "_ok");
    ok->setFixedWidth(64);
    QObject::connect(ok, &QPushButton::clicked, w, std::move(action));
    l->addWidget(label, 1);
    l->addWidget(ok);
    return w;
}

// The entry list: typing into it does nothing.
class EntryList : public QListWidget {
public:
    using QListWidget::QListWidget;
    void keyboardSearch(const QString&) override {}
};

}  // namespace

AnamenuFrm::AnamenuFrm(ui::AppContext& context, QWidget* parent) : QMainWindow(parent), context_(context)
{
    setObjectName(QStringLiteral("anamenu_frm"));
    setWindowTitle(QStringLiteral("pellantra®"));
    onExit_ = [] { QApplication::exit(0); };

    lblusername = new QLabel(this);
    lblusername->setObjectName(QStringLiteral("lblusername"));
    lblusername->hide();
    edt1 = new QLineEdit(this);
    edt1->setObjectName(QStringLiteral("edt1"));
    edt1->hide();
    dbedt_id = new QLineEdit(this);
    dbedt_id->setObjectName(QStringLiteral("dbedt_id"));
    dbedt_id->hide();

    auto* splitter = new QSplitter(this);
    splitter->addWidget(buildPanel());

    nav_ = new QTabWidget(this);
    nav_->setObjectName(QStringLiteral("nav"));
    lv1 = new EntryList(nav_);
    lv1->setObjectName(QStringLiteral("lv1"));
    lv1->setViewMode(QListView::IconMode);
    lv1->setIconSize(QSize(48, 48));
    lv1->setGridSize(QSize(150, 96));
    lv1->setResizeMode(QListView::Adjust);
    lv1->setMovement(QListView::Static);
    lv1->setWordWrap(true);
    connect(lv1, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item)
            entrySelected(item->text());
    });
    connect(lv1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        entrySelected(item->text());
        entryDoubleClicked();
    });
    connect(lv1, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        entrySelected(item->text());
        entryDoubleClicked();
    });
    nav_->addTab(lv1, QStringLiteral("...."));
    nav_->addTab(buildDashboard(), QStringLiteral("Not/Mesaj"));
    nav_->setCurrentIndex(1);
    splitter->addWidget(nav_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({230, 900});
    setCentralWidget(splitter);
    resize(1180, 760);
}

QWidget* AnamenuFrm::buildPanel()
{
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("panel"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setMinimumWidth(210);
    auto* l = new QVBoxLayout(panel);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(2);
    sayfa = header(QString(), panel);
    sayfa->setObjectName(QStringLiteral("sayfa"));
    l->addWidget(sayfa);
    const QIcon icon = style()->standardIcon(QStyle::SP_DirIcon);
    for (const CategoryItem& c : panelCategories()) {
        auto* b = new QToolButton(panel);
        b->setObjectName(c.itemName);
        b->setText(c.panelText);
        b->setIcon(icon);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        b->setMinimumHeight(30);
        const int number = c.number;
        connect(b, &QToolButton::clicked, this, [this, number] { categoryClicked(number); });
        categoryItems_.insert(c.number, b);
        l->addWidget(b);
    }
    l->addWidget(header(QStringLiteral("-"), panel));
    auto* recipe =
        command(QStringLiteral("receteguncelle"), QStringLiteral("Reçete Maliyetlerini Güncelle"), panel, [this] {
            if (recipeCostUpdate_)
                recipeCostUpdate_();
            else
                ui::dialogs::message(this, QStringLiteral("Reçete maliyet güncellemesi bu kurulumda henüz yok."));
        });
    auto* balance = command(QStringLiteral("ba_guncelle"), QStringLiteral("Cari Borç Alacak Güncelle"), panel, [this] {
        if (accountBalanceUpdate_)
            accountBalanceUpdate_();
        else
            ui::dialogs::message(this, QStringLiteral("Cari borç alacak güncellemesi bu kurulumda henüz yok."));
    });
    auto* exit =
        command(QStringLiteral("btnkapat"), QStringLiteral("Programı Kapat"), panel, [this] { exitCommand(); });
    auto* sql = new QPushButton(QStringLiteral("Sistem Yapılandırma"), panel);
    sql->setObjectName(QStringLiteral("sql"));
    sql->setFlat(true);
    connect(sql, &QPushButton::clicked, this, &AnamenuFrm::systemConfiguration);
    l->addWidget(recipe);
    l->addWidget(balance);
    l->addWidget(exit);
    l->addWidget(sql);
    l->addStretch();
    managementCommands_ = {recipe, balance, sql};
    return panel;
}

QWidget* AnamenuFrm::buildDashboard()
{
    dash_ = new QTabWidget(this);
    dash_->setObjectName(QStringLiteral("dash"));

    calendar = new WeekCalendar(context_, dash_);
    dash_->addTab(calendar, QStringLiteral("...."));

    // Open invoices.
    auto* invoices = new QTabWidget(dash_);
    invoicesGrid = new ui::DataGrid(invoices);
    invoicesGrid->setObjectName(QStringLiteral("grid_invoices"));
    invoicesGrid->setColumns({{"HESADI", "Hesap Adı"},
                              {"fatno", "Fatura No"},
                              {"tarih", "Tarih", "dd.MM.yyyy"},
                              {"Toplam", "Toplam", ",0.00"},
                              {"vadetar", "Vade Tarihi", "dd.MM.yyyy"},
                              {"ACK", "Not"}});
    invoicesGrid->setTitle(QStringLiteral("Vadeli Alış Faturaları"));
    invoices->addTab(invoicesGrid, QStringLiteral("Vadeli Alış Faturaları"));
    dash_->addTab(invoices, QStringLiteral("Ödeme Tahsilat Tablosu"));

    // Account balances.
    auto* balances = new QWidget(dash_);
    auto* bl = new QVBoxLayout(balances);
    balancesGrid = new ui::DataGrid(balances);
    balancesGrid->setObjectName(QStringLiteral("grid_balances"));
    balancesGrid->setColumns({{"Grup", "Grup"},
                              {"HESNO", "Hesap No"},
                              {"HESADI", "Cari Ünvan"},
                              {"Borc", "Borc", ",0.00"},
                              {"Alacak", "Alacak", ",0.00"},
                              {"indirim", "indirim", ",0.00"},
                              {"Bakiye", "Bakiye", ",0.00;-,0.00"}});
    balancesGrid->setFilterBoxVisible(true);
    for (const char* f : {"Borc", "Alacak", "Bakiye", "indirim"})
        balancesGrid->addFooterSummary(QString::fromLatin1(f), ui::SummaryKind::Sum, QStringLiteral(",0.00;-,0.00"));
    for (const char* f : {"Borc", "Alacak", "Bakiye"})
        balancesGrid->addGroupSummary(QString::fromLatin1(f), ui::SummaryKind::Sum, QStringLiteral(",0.00;-,0.00"));
    balancesGrid->setTitle(QStringLiteral("Cari B/A/B"));
    auto* printBalances = new QPushButton(QStringLiteral("Yazdır"), balances);
    printBalances->setObjectName(QStringLiteral("yazdir_cari"));
    connect(printBalances, &QPushButton::clicked, this, [this] { balancesGrid->print(true); });
    bl->addWidget(balancesGrid);
    bl->addWidget(printBalances, 0, Qt::AlignRight);
    dash_->addTab(balances, QStringLiteral("Cari B/A/B"));

    // Critical stock.
    auto* critical = new QWidget(dash_);
    auto* cl = new QVBoxLayout(critical);
    criticalGrid = new ui::DataGrid(critical);
    criticalGrid->setObjectName(QStringLiteral("grid_critical"));
    criticalGrid->setColumns({{"department", "Depo"},
                              {"GRUP", "Grup"},
                              {"ADI", "Stok Adı"},
                              {"giren", "Giren", ",0.##"},
                              {"cikan", "Çıkan", ",0.##"},
                              {"zayi", "Zayi", ",0.##"},
                              {"kalan", "Kalan", ",0.##;-,0.##"},
                              {"AMBMIKTAR", "Birim"}});
    criticalGrid->setFilterRowVisible(true);
    criticalGrid->setTitle(QStringLiteral("Kritik Stok Seviyeleri"));
    auto* printCritical = new QPushButton(QStringLiteral("Yazdır"), critical);
    printCritical->setObjectName(QStringLiteral("yazdir_kritik"));
    connect(printCritical, &QPushButton::clicked, this, [this] { criticalGrid->print(true); });
    cl->addWidget(criticalGrid);
    cl->addWidget(printCritical, 0, Qt::AlignRight);
    dash_->addTab(critical, QStringLiteral("Kritik Stok Seviyeleri"));
    return dash_;
}

QString AnamenuFrm::currentUser() const
{
    return lblusername->text();
}

void AnamenuFrm::showForUser(const QString& user)
{
    lblusername->setText(user);
    sayfa->setText(user);
    ui::BusyCursor busy;
    applyPermissions();
    nav_->setCurrentIndex(1);
    if (calendar)
        calendar->showWeekOf(QDate::currentDate());
    ui::loadKitTexts(ui::kitTextsFile());
    show();
}

void AnamenuFrm::applyPermissions()
{
    granted_.clear();
    try {
        granted_ = UserPermissions(context_.session(), currentUser()).categories();
    } catch (const db::Error& e) {
        ui::dialogs::error(this, e.text());
    }
    for (auto it = categoryItems_.cbegin(); it != categoryItems_.cend(); ++it)
        it.value()->setVisible(granted_.contains(it.key()));
    // Without the cash category: no management commands and no money or stock tabs.
    const bool cash = granted_.contains(1);
    for (QWidget* w : std::as_const(managementCommands_))
        w->setVisible(cash);
    for (int i = 1; i < 4; ++i) {
        dashboardTabsShown_[i] = cash;
        dash_->setTabVisible(i, cash);
    }
    if (cash)
        refreshDashboard();
}

void AnamenuFrm::refreshDashboard()
{
    try {
        auto& s = context_.session();
        invoicesGrid->setRows(dashboard::openInvoices(s));
        balancesGrid->setRows(dashboard::balances(s));
        balancesGrid->groupBy(QStringLiteral("Grup"));
        balancesGrid->expandAll();
        criticalGrid->setRows(dashboard::criticalStock(s));
    } catch (const db::Error& e) {
        ui::dialogs::error(this, e.text());
    }
}

void AnamenuFrm::categoryClicked(int category)
{
    category_ = category;
    nav_->setCurrentIndex(0);
    lv1->clear();
    edt1->clear();
    try {
        menuler_ = UserPermissions(context_.session(), currentUser()).entriesOf(category);
    } catch (const db::Error& e) {
        ui::dialogs::error(this, e.text());
        menuler_.clear();
    }
    const QIcon icon = style()->standardIcon(category == 8 ? QStyle::SP_FileDialogDetailedView : QStyle::SP_FileIcon);
    for (const auto& row : std::as_const(menuler_))
        lv1->addItem(new QListWidgetItem(icon, row.name));
    for (const auto& fixed : fixedEntries(category))
        lv1->addItem(new QListWidgetItem(icon, fixed.caption));
    QApplication::restoreOverrideCursor();
}

void AnamenuFrm::entrySelected(const QString& caption)
{
    edt1->setText(caption);
}

void AnamenuFrm::entryDoubleClicked()
{
    const QString caption = edt1->text();
    if (caption.isEmpty())
        return;
    if (const auto code = codeForCaption(menuler_, caption)) {
        dbedt_id->setText(QString::number(*code));
        if (*code == kPrivateDesksCode) {
            openPrivateDesks();
            return;
        }
        tikla();
        return;
    }
    for (const auto& fixed : fixedEntries(category_))
        if (fixed.caption == caption)
            openWindow(fixed.window, false);
}

void AnamenuFrm::tikla()
{
    bool ok = false;
    const int code = dbedt_id->text().toInt(&ok);
    if (!ok)
        return;
    if (code == kExitCode) {
        exitCommand();
        return;
    }
    const CatalogueEntry* entry = entryByCode(code);
    if (!entry || entry->window.isEmpty())
        return;
    openWindow(entry->window, entry->modal);
}

ui::FormBase* AnamenuFrm::openWindow(const QString& name, bool modal)
{
    ui::FormBase* window = findWindow_ ? findWindow_(name) : nullptr;
    if (!window)
        return nullptr;  // the window is not part of this installation yet
    if (modal)
        window->showModal();
    else
        window->showWindow();
    return window;
}

void AnamenuFrm::openPrivateDesks()
{
    // The desk's own password opens the private desk list, filtered to that desk.
    const QString typed =
        ui::dialogs::input(this, QStringLiteral("Kasa Şifresi"), QStringLiteral("Lütfen Kasa Şifrenizi Giriniz ? "))
            .value_or(QString());
    bool found = false;
    try {
        if (!typed.isEmpty())
            for (const auto& r : context_.session().select(QStringLiteral("select * from Q_Kasa2 where KOD=:kodbul"),
                                                           {{"kodbul", typed}}))
                found = found || r.text("KOD") == typed;
    } catch (const db::Error& e) {
        ui::dialogs::error(this, e.text());
        return;
    }
    if (!found) {
        ui::dialogs::warn(this, kCaution, QStringLiteral("Hatalı Şifre ;\nKasa Şifreniz Hatalı !!!"));
        return;
    }
    ui::FormBase* desks = findWindow_ ? findWindow_(QStringLiteral("kasaislem2_frm")) : nullptr;
    if (!desks)
        return;
    if (auto* filter = desks->findChild<QLineEdit*>(QStringLiteral("kasabulur")))
        filter->setText(typed);
    desks->showWindow();
}

void AnamenuFrm::exitCommand()
{
    if (ui::dialogs::ask(this, QStringLiteral("DİKKAT"), QStringLiteral("Çıkmak İstediğinize Emin misiniz ?"),
                         ui::Icon::Question))
        onExit_();
}

void AnamenuFrm::systemConfiguration()
{
    if (!ui::dialogs::confirm(this, QStringLiteral("D I K K A T . . . . . ?")))
        return;
    const QString typed =
        ui::dialogs::input(this, QStringLiteral("PWD"), QStringLiteral("  PWD ? ")).value_or(QString());
    if (typed != QLatin1String(kAdministratorCode)) {
        ui::dialogs::warn(this, kCaution, QStringLiteral("Hatalı Şifre ;\nYöneticinize Başvurun !!!"));
        return;
    }
    openWindow(QStringLiteral("mudy_frm"), true);
}

bool AnamenuFrm::categoryVisible(int category) const
{
    const auto* item = categoryItems_.value(category);
    return item && !item->isHidden();
}

QStringList AnamenuFrm::listedEntries() const
{
    QStringList out;
    for (int i = 0; i < lv1->count(); ++i)
        out << lv1->item(i)->text();
    return out;
}

bool AnamenuFrm::dashboardTabVisible(int index) const
{
    return index == 0 || (index > 0 && index < 4 && dashboardTabsShown_[index]);
}

bool AnamenuFrm::commandsVisible() const
{
    return !managementCommands_.isEmpty() && !managementCommands_.front()->isHidden();
}

void AnamenuFrm::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program without a question.
    event->accept();
    onExit_();
}

}  // namespace app
