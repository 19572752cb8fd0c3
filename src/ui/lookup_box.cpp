#include "ui/lookup_box.h"

#include "db/values.h"
#include "ui/dialogs.h"
#include "ui/format.h"

#include <QAbstractTableModel>
#include <QCompleter>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeView>

namespace ui {

// The rows that match the typed text, for the popup.
class LookupModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    db::RowSet rows;
    QList<int> shownColumns;  // indexes into the row values
    int displayColumn = -1;
    int maxShown = 200;
    std::vector<int> matches;
    std::vector<QString> folded;  // per row: the searched texts, folded, joined

    void load()
    {
        folded.clear();
        folded.reserve(rows.rows.size());
        for (const auto& r : rows) {
            QString all;
            for (int c : shownColumns)
                all += db::turkishLower(formatValue(r.at(c), {})) + QChar(0x1f);
            folded.push_back(all);
        }
    }

    void filter(const QString& text)
    {
        beginResetModel();
        matches.clear();
        const QString needle = db::turkishLower(text.trimmed());
        for (int i = 0; i < int(folded.size()) && int(matches.size()) < maxShown; ++i)
            if (needle.isEmpty() || folded[size_t(i)].contains(needle))
                matches.push_back(i);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(matches.size()); }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(shownColumns.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= int(matches.size()))
            return {};
        const db::Row& r = rows[matches[size_t(index.row())]];
        const QVariant v = r.at(shownColumns.value(index.column()));
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return formatValue(v, {});
        if (role == Qt::TextAlignmentRole)
            return int((isNumeric(v) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        return {};
    }
};

LookupBox::LookupBox(QWidget* parent)
    : QLineEdit(parent), model_(new LookupModel(this)), completer_(new QCompleter(this)), popup_(new QTreeView)
{
    popup_->setRootIsDecorated(false);
    popup_->setUniformRowHeights(true);
    popup_->setAlternatingRowColors(true);
    popup_->header()->hide();
    popup_->setSelectionBehavior(QAbstractItemView::SelectRows);
    completer_->setModel(model_);
    completer_->setPopup(popup_);  // the completer owns the popup from here
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setCaseSensitivity(Qt::CaseInsensitive);
    completer_->setWidget(this);
    connect(completer_, qOverload<const QModelIndex&>(&QCompleter::activated), this, &LookupBox::onActivated);
    connect(this, &QLineEdit::textEdited, this, &LookupBox::onEdited);
    connect(this, &QLineEdit::editingFinished, this, &LookupBox::onEditingFinished);
}

LookupBox::~LookupBox() = default;

void LookupBox::setRows(db::RowSet rows, const QString& displayColumn, const QStringList& popupColumns)
{
    clearPick();
    model_->rows = std::move(rows);
    const auto& cols = model_->rows.columns;
    model_->displayColumn = cols ? cols->indexOf(displayColumn) : -1;
    model_->shownColumns.clear();
    for (const QString& c : popupColumns.isEmpty() ? QStringList{displayColumn} : popupColumns) {
        const int i = cols ? cols->indexOf(c) : -1;
        if (i >= 0)
            model_->shownColumns << i;
    }
    if (model_->shownColumns.isEmpty() && model_->displayColumn >= 0)
        model_->shownColumns << model_->displayColumn;
    const int displayInPopup = int(model_->shownColumns.indexOf(model_->displayColumn));
    completer_->setCompletionColumn(qMax(0, displayInPopup));
    model_->load();
    model_->filter({});
    for (int c = 0; c < model_->shownColumns.size(); ++c)
        popup_->resizeColumnToContents(c);
}

void LookupBox::setQuery(db::Session& session, const QString& sql, const db::Params& params,
                         const QString& displayColumn, const QStringList& popupColumns)
{
    db::RowSet rows;
    try {
        rows = session.select(sql, params);
    } catch (const db::Error& e) {
        dialogs::error(this, e.text());
    }
    setRows(std::move(rows), displayColumn, popupColumns);
}

const db::RowSet& LookupBox::rows() const
{
    return model_->rows;
}

void LookupBox::setMaxShown(int count)
{
    model_->maxShown = qMax(1, count);
}

std::optional<db::Row> LookupBox::row() const
{
    if (picked_ < 0 || picked_ >= model_->rows.size())
        return std::nullopt;
    return model_->rows[picked_];
}

bool LookupBox::pick(const QString& column, const QVariant& value)
{
    const int c = model_->rows.columns ? model_->rows.columns->indexOf(column) : -1;
    if (c < 0)
        return false;
    for (int i = 0; i < model_->rows.size(); ++i) {
        if (model_->rows[i].at(c) == value) {
            choose(i);
            return true;
        }
    }
    return false;
}

void LookupBox::clearPick()
{
    if (picked_ < 0)
        return;
    picked_ = -1;
    Q_EMIT pickCleared();
}

QList<db::Row> LookupBox::matches() const
{
    QList<db::Row> out;
    for (int i : model_->matches)
        out << model_->rows[i];
    return out;
}

void LookupBox::onEdited(const QString& text)
{
    clearPick();
    model_->filter(text);
    if (model_->matches.empty() || text.trimmed().isEmpty()) {
        popup_->hide();
        return;
    }
    completer_->complete();
    popup_->setCurrentIndex(completer_->completionModel()->index(0, 0));
}

void LookupBox::onActivated(const QModelIndex& index)
{
    if (!index.isValid() || index.row() >= int(model_->matches.size()))
        return;
    choose(model_->matches[size_t(index.row())]);
}

void LookupBox::choose(int rowIndex)
{
    picked_ = rowIndex;
    const db::Row& r = model_->rows[rowIndex];
    setText(formatValue(r.at(model_->displayColumn), {}));
    popup_->hide();
    Q_EMIT picked(r);
}

void LookupBox::onEditingFinished()
{
    if (picked_ >= 0 || model_->displayColumn < 0)
        return;
    // A value typed in full picks its row without the popup.
    const QString typed = db::turkishLower(text().trimmed());
    if (typed.isEmpty())
        return;
    for (int i = 0; i < model_->rows.size(); ++i) {
        if (db::turkishLower(formatValue(model_->rows[i].at(model_->displayColumn), {})) == typed) {
            choose(i);
            return;
        }
    }
}

void LookupBox::keyPressEvent(QKeyEvent* event)
{
    // Down opens the list for what is typed (all rows when empty).
    if (event->key() == Qt::Key_Down && !popup_->isVisible() && model_->rows.size() > 0) {
        model_->filter(picked_ >= 0 ? QString() : text());
        if (!model_->matches.empty()) {
            completer_->complete();
            popup_->setCurrentIndex(completer_->completionModel()->index(0, 0));
        }
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace ui
