#include "inventory/code_list_grid.h"

#include "inventory/window_support.h"
#include "ui/data_grid.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace inventory {

namespace {

// The row's values under the list's own column names (the rows may carry them
// in lower case).
QVariantMap editableValues(CodeList list, const db::Row& row)
{
    QVariantMap out;
    for (const QString& c : CodeListService::columns(list))
        out.insert(c, row.has(c) ? row.value(c) : QVariant());
    return out;
}

}  // namespace

CodeListGrid::CodeListGrid(ui::AppContext& context, CodeList list, const QList<ui::GridColumn>& columns,
                           QWidget* parent)
    : QWidget(parent), context_(context), list_(list)
{
    grid = new ui::DataGrid(this);
    grid->setObjectName(QStringLiteral("grid"));
    grid->setColumns(columns);
    grid->setReadOnly(false);
    grid->setNewRowAllowed(true);
    grid->setRowWriter([this](const ui::RowEdit& edit) { return write(edit); });

    btnpost = new QPushButton(QStringLiteral("Kaydet"), this);
    btnpost->setObjectName(QStringLiteral("btnpost"));
    btncancel = new QPushButton(QStringLiteral("Vazgeç"), this);
    btncancel->setObjectName(QStringLiteral("btncancel"));
    btndel = new QPushButton(QStringLiteral("Sil"), this);
    btndel->setObjectName(QStringLiteral("btndel"));
    btnrefresh = new QPushButton(QStringLiteral("Yenile"), this);
    btnrefresh->setObjectName(QStringLiteral("btnrefresh"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {btnpost, btncancel, btndel, btnrefresh}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buttons);
    layout->addWidget(grid, 1);

    connect(btnpost, &QPushButton::clicked, this, &CodeListGrid::post);
    connect(btncancel, &QPushButton::clicked, this, &CodeListGrid::cancel);
    connect(btndel, &QPushButton::clicked, this, &CodeListGrid::removeCurrent);
    connect(btnrefresh, &QPushButton::clicked, this, &CodeListGrid::reload);
}

void CodeListGrid::reload()
{
    if (!context_.hasSession())
        return;
    grid->cancelEdit();
    guarded(this, [&] { grid->setRows(CodeListService(context_.session()).rows(list_)); });
}

bool CodeListGrid::post()
{
    return grid->commitEdit();
}

void CodeListGrid::cancel()
{
    grid->cancelEdit();
}

bool CodeListGrid::removeCurrent()
{
    if (grid->hasPendingEdit()) {
        // A row not written yet is simply dropped.
        grid->cancelEdit();
        return true;
    }
    const int position = grid->currentPosition();
    const auto row = grid->currentRow();
    if (position < 0 || !row)
        return false;
    if (!ui::dialogs::confirm(this, QStringLiteral("Kaydı Silmek İstediğinize Emin misiniz ?")))
        return false;
    if (!guarded(this, [&] { CodeListService(context_.session()).remove(list_, *row); }))
        return false;
    grid->removeRow(position);
    return true;
}

void CodeListGrid::setChoices(const QString& field, const QStringList& values)
{
    QList<ui::GridColumn> columns = grid->columns();
    for (auto& c : columns)
        if (c.field.compare(field, Qt::CaseInsensitive) == 0)
            c.choices = values;
    grid->setColumns(columns);
}

ui::EditResult CodeListGrid::write(const ui::RowEdit& edit)
{
    const bool insert = edit.kind == ui::RowEdit::Kind::Insert;
    const std::optional<db::Row> before = insert ? std::nullopt : std::optional(edit.before);
    const WriteResult r = CodeListService(context_.session()).save(list_, before, editableValues(list_, edit.after));
    if (!r.ok())
        return ui::EditResult::refuse(r.refusal->message);
    db::Row stored = edit.after;
    const QString key = CodeListService::keyColumn(list_);
    if (!key.isEmpty() && stored.columns()) {
        if (const int i = stored.columns()->indexOf(key); i >= 0)
            stored.values()[i] = r.key;
    }
    if (list_ == CodeList::StockGroups || list_ == CodeList::ProductGroups) {
        if (const int i = stored.columns() ? stored.columns()->indexOf(QStringLiteral("STOK")) : -1; i >= 0)
            stored.values()[i] = list_ == CodeList::StockGroups ? 1 : 0;
    }
    return ui::EditResult::ok(stored);
}

}  // namespace inventory
