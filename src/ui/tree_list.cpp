#include "ui/tree_list.h"

#include "ui/format.h"

#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QStandardItemModel>

namespace ui {

namespace {
constexpr int RowIndexRole = Qt::UserRole + 1;

QString keyText(const QVariant& v)
{
    if (v.isNull())
        return {};
    if (const auto n = numberOf(v); n && isNumeric(v))
        return QString::number(*n, 'g', 15);
    return v.toString().trimmed();
}
}  // namespace

TreeList::TreeList(QWidget* parent) : QTreeView(parent), model_(new QStandardItemModel(this))
{
    setModel(model_);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    setEditTriggers(NoEditTriggers);
    setSelectionBehavior(SelectRows);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &TreeList::currentRowChanged);
    connect(this, &QTreeView::doubleClicked, this, [this](const QModelIndex& i) {
        if (i.isValid())
            Q_EMIT rowActivated(rowOf(i));
    });
}

void TreeList::setColumns(const QList<Column>& columns)
{
    columns_ = columns;
}

void TreeList::setRows(db::RowSet rows, const QString& keyColumn, const QString& parentColumn)
{
    rows_ = std::move(rows);
    model_->clear();
    const auto& cols = rows_.columns;
    keyIndex_ = cols ? cols->indexOf(keyColumn) : -1;
    const int parentIndex = cols ? cols->indexOf(parentColumn) : -1;

    QList<Column> shown = columns_;
    if (shown.isEmpty() && cols)
        for (const QString& n : cols->names())
            shown << Column{n, n, {}};
    QStringList captions;
    QList<int> valueIndex;
    for (const auto& c : shown) {
        captions << (c.caption.isEmpty() ? c.field : c.caption);
        valueIndex << (cols ? cols->indexOf(c.field) : -1);
    }
    model_->setHorizontalHeaderLabels(captions);

    QHash<QString, QStandardItem*> byKey;
    QList<QList<QStandardItem*>> items;
    for (int r = 0; r < rows_.size(); ++r) {
        QList<QStandardItem*> line;
        for (int c = 0; c < shown.size(); ++c) {
            const QVariant v = valueIndex[c] >= 0 ? rows_[r].at(valueIndex[c]) : QVariant();
            auto* item = new QStandardItem(formatValue(v, shown[c].format));
            item->setData(r, RowIndexRole);
            item->setEditable(false);
            if (isNumeric(v))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            line << item;
        }
        if (line.isEmpty())
            line << new QStandardItem;
        line.first()->setData(r, RowIndexRole);
        items << line;
        if (keyIndex_ >= 0)
            byKey.insert(keyText(rows_[r].at(keyIndex_)), line.first());
    }
    for (int r = 0; r < rows_.size(); ++r) {
        QStandardItem* parentItem = nullptr;
        if (parentIndex >= 0) {
            const QString p = keyText(rows_[r].at(parentIndex));
            if (!p.isEmpty() && p != QLatin1String("0"))
                parentItem = byKey.value(p);
        }
        // A row that names itself (or a loop) stays at the top.
        for (QStandardItem* a = parentItem; a; a = a->parent()) {
            if (a == items[r].first()) {
                parentItem = nullptr;
                break;
            }
        }
        if (parentItem)
            parentItem->appendRow(items[r]);
        else
            model_->appendRow(items[r]);
    }
    expandAll();
    for (int c = 0; c < shown.size(); ++c)
        resizeColumnToContents(c);
}

db::Row TreeList::rowOf(const QModelIndex& index) const
{
    const int r = index.siblingAtColumn(0).data(RowIndexRole).toInt();
    if (!index.isValid() || r < 0 || r >= rows_.size())
        return {};
    return rows_[r];
}

std::optional<db::Row> TreeList::currentRow() const
{
    const QModelIndex i = currentIndex();
    if (!i.isValid())
        return std::nullopt;
    return rowOf(i);
}

QModelIndex TreeList::findKey(const QVariant& key) const
{
    if (keyIndex_ < 0)
        return {};
    const QString wanted = keyText(key);
    QList<QModelIndex> stack{QModelIndex()};
    while (!stack.isEmpty()) {
        const QModelIndex parent = stack.takeLast();
        for (int r = 0; r < model_->rowCount(parent); ++r) {
            const QModelIndex i = model_->index(r, 0, parent);
            if (keyText(rowOf(i).at(keyIndex_)) == wanted)
                return i;
            stack << i;
        }
    }
    return {};
}

bool TreeList::locate(const QVariant& key)
{
    const QModelIndex i = findKey(key);
    if (!i.isValid())
        return false;
    for (QModelIndex p = i.parent(); p.isValid(); p = p.parent())
        expand(p);
    setCurrentIndex(i);
    scrollTo(i);
    return true;
}

QList<db::Row> TreeList::childrenOf(const QVariant& key) const
{
    QList<db::Row> out;
    const QModelIndex parent = key.isValid() ? findKey(key) : QModelIndex();
    if (key.isValid() && !parent.isValid())
        return out;
    for (int r = 0; r < model_->rowCount(parent); ++r)
        out << rowOf(model_->index(r, 0, parent));
    return out;
}

void TreeList::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
        Q_EMIT rowActivated(rowOf(currentIndex()));
        return;
    }
    QTreeView::keyPressEvent(event);
}

// Enter opens the current row, so the window must not take it for moving on.
bool TreeList::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && currentIndex().isValid() &&
            isSignalConnected(QMetaMethod::fromSignal(&TreeList::rowActivated))) {
            event->accept();
            return true;
        }
    }
    return QTreeView::event(event);
}

}  // namespace ui
