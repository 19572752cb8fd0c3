#include "app/useredit_frm.h"

#include "app/form_permissions.h"
#include "ui/busy_cursor.h"
#include "ui/dialogs.h"
#include "ui/tree_list.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace app {

namespace {

constexpr const char* kUserBand = "AVAILABLE FORMS FOR.....";
constexpr const char* kMasterBand = "ALL FORMS ";

// Tree keys of their own: the tree list puts a row whose parent is 0 at the
// top, but the entries of "Stok" (category 0) belong under it.
db::RowSet asTree(const db::RowSet& rows)
{
    QStringList names = rows.columnNames();
    names << QStringLiteral("tree_node") << QStringLiteral("tree_parent");
    db::RowSet out;
    out.columns = std::make_shared<const db::Columns>(names);
    for (const auto& r : rows) {
        QVariantList values = r.values();
        values << QStringLiteral("n%1").arg(r.integer(QStringLiteral("PR_ID")));
        values << (r.isNull(QStringLiteral("PR_PARENT"))
                       ? QString()
                       : QStringLiteral("n%1").arg(r.integer(QStringLiteral("PR_PARENT"))));
        out.rows.push_back(db::Row(out.columns, values));
    }
    return out;
}

}  // namespace

UsereditFrm::UsereditFrm(ui::AppContext& context, QWidget* parent) : ui::FormBase(parent), context_(context)
{
    setObjectName(QStringLiteral("useredit_frm"));
    setWindowTitle(QStringLiteral("Form Tanımlama"));

    menu = new QMenuBar(this);
    menu->setObjectName(QStringLiteral("menu"));
    QAction* start = menu->addAction(QStringLiteral("Form Tanımlamayı Başlat"));
    start->setObjectName(QStringLiteral("formtanimlamayibaslat"));
    connect(start, &QAction::triggered, this, &UsereditFrm::grantCategoryRows);

    toolbar = new QTabWidget(this);
    toolbar->setObjectName(QStringLiteral("toolbar"));
    auto* page = new QWidget(toolbar);
    auto* pageLayout = new QHBoxLayout(page);
    btnlight = new QPushButton(QStringLiteral("Light Modül"), page);
    btnlight->setObjectName(QStringLiteral("btnlight"));
    btnmaster = new QPushButton(QStringLiteral("Master Modül"), page);
    btnmaster->setObjectName(QStringLiteral("btnmaster"));
    btnfull = new QPushButton(QStringLiteral("Full Modül"), page);
    btnfull->setObjectName(QStringLiteral("btnfull"));
    for (QPushButton* b : {btnlight, btnmaster, btnfull}) {
        b->setAutoDefault(false);
        b->setMinimumSize(110, 34);
        pageLayout->addWidget(b);
    }
    pageLayout->addStretch();
    username = new QLineEdit(page);
    username->setObjectName(QStringLiteral("username"));
    username->setReadOnly(true);
    username->setMinimumWidth(180);
    pageLayout->addWidget(new QLabel(QStringLiteral("Kullanıcı"), page));
    pageLayout->addWidget(username);
    toolbar->addTab(page, QStringLiteral("User Edit"));
    toolbar->setFixedHeight(toolbar->sizeHint().height());

    mnlist = new ui::TreeList(this);
    mnlist->setObjectName(QStringLiteral("mnlist"));
    cxDBTreeList1 = new ui::TreeList(this);
    cxDBTreeList1->setObjectName(QStringLiteral("cxDBTreeList1"));
    for (ui::TreeList* t : {mnlist, cxDBTreeList1})
        t->header()->setStretchLastSection(true);
    connect(mnlist, &ui::TreeList::rowActivated, this, &UsereditFrm::revokeNode);
    connect(cxDBTreeList1, &ui::TreeList::rowActivated, this, &UsereditFrm::grantNode);

    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(mnlist);
    split->addWidget(cxDBTreeList1);
    split->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menu);
    layout->addWidget(toolbar);
    layout->addWidget(split, 1);

    connect(btnlight, &QPushButton::clicked, this, &UsereditFrm::lightModule);
    connect(btnmaster, &QPushButton::clicked, this, &UsereditFrm::masterModule);
    connect(btnfull, &QPushButton::clicked, this, &UsereditFrm::fullModule);

    resize(820, 620);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

QString UsereditFrm::user() const
{
    return username->text();
}

QString UsereditFrm::userBandCaption() const
{
    return QString::fromLatin1(kUserBand) + user();
}

QString UsereditFrm::masterBandCaption() const
{
    return QString::fromLatin1(kMasterBand);
}

int UsereditFrm::openFor(const QString& user)
{
    username->setText(user);
    return showModal();
}

void UsereditFrm::showEvent(QShowEvent* event)
{
    ui::FormBase::showEvent(event);
    startEditing();
}

void UsereditFrm::startEditing()
{
    mnlist->setColumns({{QStringLiteral("PR_NAME"), userBandCaption(), {}}});
    cxDBTreeList1->setColumns({{QStringLiteral("PR_NAME"), masterBandCaption(), {}}});
    reloadMaster();
    reloadUser();
    grantCategoryRows();
    cxDBTreeList1->setFocus();
}

void UsereditFrm::reloadUser()
{
    if (!context_.hasSession() || user().isEmpty())
        return;
    try {
        mnlist->setRows(asTree(FormPermissions(context_.session(), user()).userRows()), QStringLiteral("tree_node"),
                        QStringLiteral("tree_parent"));
    } catch (const db::Error& e) {
        ui::dialogs::error(this, e.text());
    }
}

void UsereditFrm::reloadMaster()
{
    if (!context_.hasSession())
        return;
    try {
        cxDBTreeList1->setRows(asTree(FormPermissions(context_.session(), user()).masterRows()),
                               QStringLiteral("tree_node"), QStringLiteral("tree_parent"));
    } catch (const db::Error& e) {
        ui::dialogs::error(this, e.text());
    }
}

void UsereditFrm::grantCategoryRows()
{
    if (user().isEmpty())
        return;
    bool added = false;
    try {
        added = FormPermissions(context_.session(), user()).grantCategoryRows();
    } catch (const db::Error& e) {
        ui::dialogs::error(this, e.text());
        return;
    }
    reloadUser();
    if (added) {
        ui::dialogs::message(this, user() + QString::fromUtf8(permmsg::kCategoriesAddedSuffix));
        ui::dialogs::message(this, QString::fromUtf8(permmsg::kUseAllForms));
    }
}

void UsereditFrm::grantNode(const db::Row& masterRow)
{
    if (user().isEmpty() || !masterRow.has(QStringLiteral("PR_ID")))
        return;
    bool added = false;
    try {
        added = FormPermissions(context_.session(), user()).grant(int(masterRow.integer(QStringLiteral("PR_ID"))));
    } catch (const db::Error& e) {
        ui::dialogs::error(this, e.text());
        return;
    }
    if (added)
        reloadUser();
}

void UsereditFrm::revokeNode(const db::Row& userRow)
{
    if (!userRow.has(QStringLiteral("PR_ID")))
        return;
    // The row's own owner: the tree holds only this user's rows.
    const QString owner = userRow.text(QStringLiteral("PR_INFO"));
    if (!ui::dialogs::confirm(this, owner + QString::fromUtf8(permmsg::kRevokeSuffix)))
        return;
    try {
        FormPermissions(context_.session(), owner).revoke(int(userRow.integer(QStringLiteral("PR_ID"))));
    } catch (const db::Error& e) {
        ui::dialogs::error(this, e.text());
        return;
    }
    reloadUser();
}

bool UsereditFrm::applySet(const char* question, void (FormPermissions::*grantSet)())
{
    if (user().isEmpty() || !ui::dialogs::ask(this, QString::fromUtf8(permmsg::kSetCaption),
                                              QString::fromUtf8(question), ui::Icon::Question))
        return false;
    try {
        ui::BusyCursor busy;
        FormPermissions permissions(context_.session(), user());
        (permissions.*grantSet)();
    } catch (const db::Error& e) {
        ui::dialogs::error(this, e.text());
    }
    reloadUser();
    return true;
}

void UsereditFrm::lightModule()
{
    applySet(permmsg::kLightQuestion, &FormPermissions::grantLightModule);
}

void UsereditFrm::masterModule()
{
    applySet(permmsg::kMasterQuestion, &FormPermissions::grantMasterModule);
}

void UsereditFrm::fullModule()
{
    if (applySet(permmsg::kFullQuestion, &FormPermissions::grantFullModule))
        reloadMaster();
}

}  // namespace app
