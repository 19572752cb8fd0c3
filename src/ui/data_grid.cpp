#include "ui/data_grid.h"

#include "ui/busy_cursor.h"
#include "ui/dialogs.h"
#include "ui/format.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/kit_texts.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMetaMethod>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace ui {

namespace {

// Above this many rows a filter waits for a pause in the typing.
constexpr int instantFilterRows = 20000;
constexpr int widthRowsMeasured = 1000;
constexpr int maxAutoWidth = 360;

}  // namespace

DataGrid::DataGrid(QWidget* parent) : QWidget(parent), model_(new GridModel(this))
{
    view_ = new GridView(this, model_);
    header_ = view_->gridHeader();
    view_->setItemDelegate(new GridDelegate(model_, view_));

    filterBox_ = new QLineEdit(this);
    filterBox_->setClearButtonEnabled(true);
    filterBox_->hide();
    groupPanel_ = new GroupPanel(header_, this);
    groupPanel_->hide();

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* inner = new QVBoxLayout(frame);
    inner->setContentsMargins(1, 1, 1, 1);
    inner->setSpacing(0);
    footer_ = new GridFooter(
        header_, [this](int c) { return footerTextFor(c); }, [this](int c) { return alignmentOf(c); }, frame);
    footer_->hide();
    hbar_ = new QScrollBar(Qt::Horizontal, frame);
    hbar_->hide();
    inner->addWidget(view_, 1);
    inner->addWidget(footer_);
    inner->addWidget(hbar_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(filterBox_);
    layout->addWidget(groupPanel_);
    layout->addWidget(frame, 1);
    setFocusProxy(view_);

    // The footer sits between the rows and the horizontal scroll bar, so the
    // view's own bar is replaced by one below the footer.
    QScrollBar* own = view_->horizontalScrollBar();
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(own, &QScrollBar::rangeChanged, this, [this, own](int min, int max) {
        hbar_->setRange(min, max);
        hbar_->setPageStep(own->pageStep());
        hbar_->setSingleStep(own->singleStep());
        hbar_->setVisible(max > min);
    });
    connect(own, &QScrollBar::valueChanged, hbar_, &QScrollBar::setValue);
    connect(own, &QScrollBar::valueChanged, footer_, qOverload<>(&QWidget::update));
    connect(hbar_, &QScrollBar::valueChanged, own, &QScrollBar::setValue);

    filterTimer_ = new QTimer(this);
    filterTimer_->setSingleShot(true);
    filterTimer_->setInterval(250);
    connect(filterTimer_, &QTimer::timeout, this, [this] {
        if (!structureChangeAllowed())
            return;
        BusyCursor busy;
        model_->setFilterText(filterBox_->text());
        for (auto it = typedFilters_.cbegin(); it != typedFilters_.cend(); ++it)
            model_->setColumnFilter(it.key(), it.value());
        typedFilters_.clear();
    });
    connect(filterBox_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (model_->allFetched() && model_->fetchedCount() <= instantFilterRows) {
            if (structureChangeAllowed())
                model_->setFilterText(text);
        } else {
            filterTimer_->start();
        }
    });
    connect(header_, &GridHeader::filterEdited, this, &DataGrid::applyColumnFilter);
    connect(header_, &GridHeader::filterLeft, view_, [this] { view_->setFocus(); });
    connect(header_, &QHeaderView::sectionClicked, this, &DataGrid::onHeaderClicked);
    connect(header_, &QWidget::customContextMenuRequested, this, &DataGrid::onHeaderMenu);
    connect(view_, &QWidget::customContextMenuRequested, this, &DataGrid::onViewMenu);
    connect(view_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!(model_->flags(index) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)))
            activate(index);
    });
    connect(groupPanel_, &GroupPanel::groupRequested, this, [this](int c) { groupBy(model_->column(c).field); });
    connect(groupPanel_, &GroupPanel::ungroupRequested, this, &DataGrid::ungroup);

    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, &DataGrid::rememberCurrent);
    connect(model_, &QAbstractItemModel::modelReset, this, &DataGrid::restoreCurrent);
    connect(model_, &GridModel::footerChanged, this, [this] {
        footer_->update();
        footerMaybeNeedsRows();
    });
    // Shown once the model is done with whatever it was doing.
    connect(
        model_, &GridModel::fetchFailed, this, [this](const QString& text) { dialogs::error(this, text); },
        Qt::QueuedConnection);
    connect(&kitTextsNotifier(), &KitTextsNotifier::changed, this, &DataGrid::retranslate);
    retranslate();
}

DataGrid::~DataGrid() = default;

QTreeView* DataGrid::view() const
{
    return view_;
}

void DataGrid::retranslate()
{
    filterBox_->setPlaceholderText(kitText(KitText::FilterBox));
    header_->setPlaceholder(kitText(KitText::FilterRow));
    groupPanel_->retranslate();
    view_->viewport()->update();
}

// ================================================================ columns

int DataGrid::columnIndex(const QString& field) const
{
    return model_->columnOf(field);
}

QList<int> DataGrid::shownColumns() const
{
    QList<int> out;
    for (int v = 0; v < header_->count(); ++v) {
        const int logical = header_->logicalIndex(v);
        if (!header_->isSectionHidden(logical))
            out << logical;
    }
    return out;
}

QStringList DataGrid::visibleFields() const
{
    QStringList out;
    for (int c : shownColumns())
        out << model_->column(c).field;
    return out;
}

void DataGrid::setColumns(const QList<GridColumn>& columns)
{
    model_->setColumns(columns);
    widthsPending_ = true;
    applyColumnStates();
    autoSizeColumns();
    updateGroupPanel();
}

QList<GridColumn> DataGrid::columns() const
{
    return model_->columns();
}

void DataGrid::setCaption(const QString& field, const QString& caption)
{
    const int c = columnIndex(field);
    if (c < 0)
        return;
    GridColumn col = model_->column(c);
    col.caption = caption;
    model_->updateColumn(c, col);
}

void DataGrid::setFormat(const QString& field, const QString& format)
{
    const int c = columnIndex(field);
    if (c < 0)
        return;
    GridColumn col = model_->column(c);
    col.format = format;
    model_->updateColumn(c, col);
}

void DataGrid::setColumnVisible(const QString& field, bool visible)
{
    const int c = columnIndex(field);
    if (c < 0)
        return;
    GridColumn col = model_->column(c);
    col.visible = visible;
    model_->updateColumn(c, col);
    applyColumnStates();
    if (visible && header_->sectionSize(c) < 24)
        header_->resizeSection(c, 100);
}

bool DataGrid::isColumnVisible(const QString& field) const
{
    const int c = columnIndex(field);
    return c >= 0 && !header_->isSectionHidden(c);
}

void DataGrid::setColumnEditable(const QString& field, bool editable)
{
    const int c = columnIndex(field);
    if (c < 0)
        return;
    GridColumn col = model_->column(c);
    col.editable = editable;
    model_->updateColumn(c, col);
}

void DataGrid::setCheckColumn(const QString& field, bool check)
{
    const int c = columnIndex(field);
    if (c < 0)
        return;
    GridColumn col = model_->column(c);
    col.check = check;
    model_->updateColumn(c, col);
}

void DataGrid::setColumnWidth(const QString& field, int pixels)
{
    const int c = columnIndex(field);
    if (c < 0)
        return;
    GridColumn col = model_->column(c);
    col.width = pixels;
    model_->updateColumn(c, col);
    header_->resizeSection(c, pixels);
}

int DataGrid::columnWidth(const QString& field) const
{
    const int c = columnIndex(field);
    return c < 0 ? 0 : header_->sectionSize(c);
}

void DataGrid::applyColumnStates()
{
    for (int c = 0; c < model_->columnCount(); ++c) {
        const bool hidden = !model_->column(c).visible || c == model_->groupColumn();
        if (header_->isSectionHidden(c) != hidden)
            view_->setColumnHidden(c, hidden);
    }
    header_->layoutEditors();
    footer_->update();
}

Qt::Alignment DataGrid::alignmentOf(int column) const
{
    if (column < 0 || column >= model_->columnCount())
        return Qt::AlignLeft;
    const GridColumn& col = model_->column(column);
    if (col.alignment)
        return col.alignment;
    switch (model_->kind(column)) {
        case GridModel::Kind::Number:
            return Qt::AlignRight;
        case GridModel::Kind::Check:
            return Qt::AlignHCenter;
        default:
            return Qt::AlignLeft;
    }
}

// Widths from the captions and the rows read so far (at most one batch): never
// from the whole result.
void DataGrid::autoSizeColumns()
{
    const QFontMetrics cellFont = view_->fontMetrics();
    QFont headerFont = header_->font();
    const QFontMetrics captionFont(headerFont);
    const int rows = qMin(model_->rowCountShown(), widthRowsMeasured);
    for (int c = 0; c < model_->columnCount(); ++c) {
        const GridColumn& col = model_->column(c);
        if (col.width > 0) {
            header_->resizeSection(c, col.width);
            continue;
        }
        int w = captionFont.horizontalAdvance(col.caption) + 28;  // room for the sort arrow
        if (model_->kind(c) == GridModel::Kind::Check) {
            w = qMax(w, 36);
        } else {
            for (int r = 0; r < rows; ++r)
                w = qMax(w, cellFont.horizontalAdvance(model_->textAt(r, c)) + 14);
        }
        header_->resizeSection(c, qBound(40, w, maxAutoWidth));
    }
    widthsPending_ = model_->fetchedCount() == 0;
    widenForFooter();
}

// Footer figures (bold, totals of a whole column) are often wider than any
// cell: columns grow to show them whole.
void DataGrid::widenForFooter()
{
    if (model_->footerSummaries().isEmpty() || model_->footerNeedsAllRows())
        return;
    QFont bold = footer_->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    for (int c = 0; c < model_->columnCount(); ++c) {
        const QString text = footerTextFor(c);
        if (text.isEmpty())
            continue;
        const int wanted = metrics.horizontalAdvance(text) + 18;
        if (header_->sectionSize(c) < wanted)
            header_->resizeSection(c, qMin(wanted, maxAutoWidth));
    }
}

// ================================================================ data

void DataGrid::setRows(db::RowSet rows)
{
    filterTimer_->stop();
    view_->discardOpenEditor();
    rememberedFetchIndex_ = -1;
    loading_ = true;
    model_->setRows(std::move(rows));
    loading_ = false;
    afterLoad();
}

void DataGrid::setQuery(db::Session& session, const QString& sql, const db::Params& params)
{
    setSource(std::make_unique<QuerySource>(session, sql, params));
}

void DataGrid::setSource(db::Cursor cursor)
{
    setSource(std::make_unique<CursorSource>(std::move(cursor)));
}

void DataGrid::setSource(std::unique_ptr<RowSource> source)
{
    filterTimer_->stop();
    view_->discardOpenEditor();
    rememberedFetchIndex_ = -1;
    {
        std::optional<BusyCursor> busy;
        if (model_->groupColumn() >= 0 || !model_->sort().isEmpty() || model_->filtered())
            busy.emplace();  // these read the whole stream
        loading_ = true;
        model_->setSource(std::move(source), batchSize_);
        loading_ = false;
    }
    afterLoad();
}

void DataGrid::clear()
{
    view_->discardOpenEditor();
    model_->clearRows();
    afterLoad();
}

void DataGrid::setBatchSize(int rows)
{
    batchSize_ = qMax(1, rows);
}

int DataGrid::fetchedCount() const
{
    return model_->fetchedCount();
}

bool DataGrid::allFetched() const
{
    return model_->allFetched();
}

void DataGrid::fetchAll()
{
    if (model_->allFetched())
        return;
    BusyCursor busy;
    model_->fetchAll();
}

void DataGrid::afterLoad()
{
    applyColumnStates();
    if (widthsPending_)
        autoSizeColumns();
    refreshFooterSource();
    updateFooter();
    widenForFooter();
    if (model_->groupColumn() >= 0)
        view_->expandAll();
    Q_EMIT rowsLoaded();
}

void DataGrid::refreshFooterSource()
{
    if (!footerSource_ || model_->allFetched() || model_->footerSummaries().isEmpty())
        return;
    try {
        model_->setFooterSourceRow(footerSource_());
    } catch (const db::Error& e) {
        model_->setFooterSourceRow(db::Row());
        dialogs::error(this, e.text());
    }
}

// Without a footer source the footer is only known once every row is read:
// read them when the event loop is free (the first screen shows first).
void DataGrid::footerMaybeNeedsRows()
{
    if (fetchScheduled_ || !model_->footerNeedsAllRows())
        return;
    fetchScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        fetchScheduled_ = false;
        if (model_->footerNeedsAllRows()) {
            fetchAll();
            widenForFooter();
        }
    });
}

void DataGrid::updateFooter()
{
    footer_->setVisible(!model_->footerSummaries().isEmpty());
    footer_->update();
}

QString DataGrid::footerTextFor(int column)
{
    QStringList parts;
    const auto& summaries = model_->footerSummaries();
    for (int i = 0; i < summaries.size(); ++i)
        if (model_->columnOf(summaries[i].field) == column)
            parts << model_->footerText(i);
    parts.removeAll(QString());
    return parts.join(QStringLiteral("  "));
}

void DataGrid::rememberCurrent()
{
    if (loading_)
        return;  // new rows start on the first one
    const int pos = currentPosition();
    if (pos >= 0) {
        rememberedFetchIndex_ = model_->fetchIndexAt(pos);
        rememberedColumn_ = view_->currentIndex().column();
    }
}

void DataGrid::restoreCurrent()
{
    applyColumnStates();
    if (model_->groupColumn() >= 0) {
        view_->setRootIsDecorated(false);
        view_->expandAll();
    }
    int pos = rememberedFetchIndex_ >= 0 ? model_->positionOfFetchIndex(rememberedFetchIndex_) : -1;
    if (pos < 0 && model_->rowCountShown() > 0)
        pos = 0;
    const int column = rememberedColumn_ >= 0 && !header_->isSectionHidden(rememberedColumn_)
                           ? rememberedColumn_
                           : view_->firstVisibleColumn();
    rememberedFetchIndex_ = -1;
    if (pos >= 0) {
        const QModelIndex index = model_->indexAt(pos, column);
        view_->selectionModel()->setCurrentIndex(index,
                                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        view_->scrollTo(index);
    }
    // The filter boxes show what is applied (plus what waits for a pause).
    QHash<int, QString> texts;
    for (int c = 0; c < model_->columnCount(); ++c)
        if (!model_->columnFilter(c).isEmpty())
            texts.insert(c, model_->columnFilter(c));
    for (auto it = typedFilters_.cbegin(); it != typedFilters_.cend(); ++it)
        texts.insert(it.key(), it.value());
    header_->setFilterTexts(texts);
    updateFooter();
}

// ================================================================ rows

int DataGrid::rowCount() const
{
    return model_->rowCountShown();
}

db::Row DataGrid::rowAt(int position) const
{
    return model_->rowAt(position);
}

QVariant DataGrid::valueAt(int position, const QString& field) const
{
    return model_->valueAt(position, columnIndex(field));
}

QString DataGrid::textAt(int position, const QString& field) const
{
    return model_->textAt(position, columnIndex(field));
}

int DataGrid::currentPosition() const
{
    const int pos = model_->positionOf(view_->currentIndex());
    return pos >= 0 ? pos : -1;
}

std::optional<db::Row> DataGrid::currentRow() const
{
    const int pos = currentPosition();
    if (pos < 0)
        return std::nullopt;
    return model_->rowAt(pos);
}

bool DataGrid::setCurrentPosition(int position)
{
    if (position < 0 || position >= rowCount())
        return false;
    const int column = view_->currentIndex().isValid() ? view_->currentIndex().column() : view_->firstVisibleColumn();
    const QModelIndex index = model_->indexAt(position, column);
    view_->setCurrentIndex(index);
    view_->scrollTo(index);
    return currentPosition() == position;
}

bool DataGrid::locate(const QString& field, const QVariant& value)
{
    const int c = columnIndex(field);
    if (c < 0)
        return false;
    const bool numeric = numberOf(value).has_value() && isNumeric(value);
    for (int pos = 0; pos < rowCount(); ++pos) {
        const QVariant v = model_->valueAt(pos, c);
        const bool same = numeric ? (numberOf(v) && *numberOf(v) == *numberOf(value))
                                  : v.toString().compare(value.toString(), Qt::CaseSensitive) == 0;
        if (same)
            return setCurrentPosition(pos);
    }
    return false;
}

// ================================================================ sorting

bool DataGrid::structureChangeAllowed()
{
    return commitEdit();
}

void DataGrid::onHeaderClicked(int logical)
{
    if (header_->clickSuppressed() || !structureChangeAllowed())
        return;
    const Qt::KeyboardModifiers mods = QApplication::keyboardModifiers();
    auto keys = model_->sort();
    int found = -1;
    for (int i = 0; i < keys.size(); ++i)
        if (keys[i].first == logical)
            found = i;
    auto flipped = [](Qt::SortOrder o) { return o == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder; };
    if (mods & Qt::ControlModifier) {
        if (found >= 0)
            keys.removeAt(found);
    } else if (mods & Qt::ShiftModifier) {
        if (found >= 0)
            keys[found].second = flipped(keys[found].second);
        else
            keys << qMakePair(logical, Qt::AscendingOrder);
    } else {
        const Qt::SortOrder order = found >= 0 ? flipped(keys[found].second) : Qt::AscendingOrder;
        keys = {qMakePair(logical, order)};
    }
    BusyCursor busy;
    model_->setSort(keys);
    if (keys.isEmpty())
        header_->setSortIndicator(-1, Qt::AscendingOrder);
    else
        header_->setSortIndicator(keys.first().first, keys.first().second);
}

void DataGrid::sortBy(const QString& field, Qt::SortOrder order, bool add)
{
    const int c = columnIndex(field);
    if (c < 0 || !structureChangeAllowed())
        return;
    auto keys = add ? model_->sort() : QList<QPair<int, Qt::SortOrder>>{};
    keys.removeIf([c](const auto& k) { return k.first == c; });
    keys << qMakePair(c, order);
    BusyCursor busy;
    model_->setSort(keys);
    header_->setSortIndicator(keys.first().first, keys.first().second);
}

void DataGrid::clearSort()
{
    if (!structureChangeAllowed())
        return;
    model_->setSort({});
    header_->setSortIndicator(-1, Qt::AscendingOrder);
}

// ================================================================ filtering

void DataGrid::setFilterBoxVisible(bool on)
{
    filterBox_->setVisible(on);
    if (on)
        setTabOrder(filterBox_, view_);
}

void DataGrid::setFilterText(const QString& text)
{
    filterTimer_->stop();
    filterBox_->blockSignals(true);
    filterBox_->setText(text);
    filterBox_->blockSignals(false);
    if (!structureChangeAllowed())
        return;
    BusyCursor busy;
    model_->setFilterText(text);
}

void DataGrid::setFilterRowVisible(bool on)
{
    header_->setFilterRowVisible(on);
    header_->setPlaceholder(kitText(KitText::FilterRow));
    header_->layoutEditors();
}

bool DataGrid::filterRowVisible() const
{
    return header_->filterRowVisible();
}

QLineEdit* DataGrid::filterRowEditor(const QString& field) const
{
    return header_->filterEditor(columnIndex(field));
}

void DataGrid::applyColumnFilter(int logical, const QString& text)
{
    if (model_->allFetched() && model_->fetchedCount() <= instantFilterRows) {
        if (structureChangeAllowed())
            model_->setColumnFilter(logical, text);
        return;
    }
    typedFilters_.insert(logical, text);
    filterTimer_->start();
}

void DataGrid::setColumnFilter(const QString& field, const QString& text)
{
    const int c = columnIndex(field);
    if (c < 0 || !structureChangeAllowed())
        return;
    typedFilters_.remove(c);
    if (QLineEdit* e = header_->filterEditor(c))
        e->setText(text);
    BusyCursor busy;
    model_->setColumnFilter(c, text);
}

void DataGrid::clearFilters()
{
    if (!structureChangeAllowed())
        return;
    filterTimer_->stop();
    typedFilters_.clear();
    filterBox_->blockSignals(true);
    filterBox_->clear();
    filterBox_->blockSignals(false);
    header_->setFilterTexts({});
    model_->clearFilters();
}

// ================================================================ grouping

void DataGrid::setGroupPanelVisible(bool on)
{
    groupPanel_->setVisible(on);
    header_->setGroupDragEnabled(on);
}

void DataGrid::groupBy(const QString& field)
{
    const int c = columnIndex(field);
    if (c < 0 || !structureChangeAllowed())
        return;
    BusyCursor busy;
    model_->setGroupColumn(c);
    updateGroupPanel();
}

void DataGrid::ungroup()
{
    if (model_->groupColumn() < 0 || !structureChangeAllowed())
        return;
    model_->setGroupColumn(-1);
    updateGroupPanel();
}

void DataGrid::updateGroupPanel()
{
    const int g = model_->groupColumn();
    groupPanel_->setGrouped(g >= 0 ? model_->column(g).caption : QString());
}

QString DataGrid::groupField() const
{
    const int g = model_->groupColumn();
    return g >= 0 ? model_->column(g).field : QString();
}

int DataGrid::groupCount() const
{
    return model_->groupCount();
}

QString DataGrid::groupText(int g) const
{
    return model_->groupValueText(g);
}

int DataGrid::groupSize(int g) const
{
    return model_->groupSize(g);
}

QString DataGrid::groupSummaryText(int g, const QString& field) const
{
    const auto& summaries = model_->groupSummaries();
    for (int i = 0; i < summaries.size(); ++i)
        if (summaries[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return model_->groupSummaryText(g, i);
    return {};
}

void DataGrid::expandAll()
{
    view_->expandAll();
}

void DataGrid::collapseAll()
{
    view_->collapseAll();
}

// ================================================================ summaries

void DataGrid::addFooterSummary(const QString& field, SummaryKind kind, const QString& format,
                                const QString& sourceField)
{
    auto list = model_->footerSummaries();
    list << GridSummary{field, kind, format, sourceField};
    model_->setFooterSummaries(list);
    refreshFooterSource();
    updateFooter();
}

void DataGrid::addGroupSummary(const QString& field, SummaryKind kind, const QString& format)
{
    auto list = model_->groupSummaries();
    list << GridSummary{field, kind, format, {}};
    model_->setGroupSummaries(list);
    view_->viewport()->update();
}

void DataGrid::clearSummaries()
{
    model_->setFooterSummaries({});
    model_->setGroupSummaries({});
    updateFooter();
}

void DataGrid::setFooterSource(FooterSource source)
{
    footerSource_ = std::move(source);
    refreshFooterSource();
}

QVariant DataGrid::footerValue(const QString& field)
{
    if (model_->footerNeedsAllRows())
        fetchAll();
    const auto& summaries = model_->footerSummaries();
    for (int i = 0; i < summaries.size(); ++i)
        if (summaries[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return model_->footerValue(i);
    return {};
}

QString DataGrid::footerText(const QString& field)
{
    if (model_->footerNeedsAllRows())
        fetchAll();
    return footerTextFor(columnIndex(field));
}

// ================================================================ editing

void DataGrid::setReadOnly(bool on)
{
    readOnly_ = on;
    model_->setEditable(!on);
    view_->setEditTriggers(on ? QAbstractItemView::NoEditTriggers
                              : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    view_->setTabKeyNavigation(!on);
}

bool DataGrid::isReadOnly() const
{
    return readOnly_;
}

void DataGrid::setRowWriter(RowWriter writer)
{
    writer_ = std::move(writer);
}

void DataGrid::setNewRowAllowed(bool on)
{
    if (on && !model_->allFetched())
        fetchAll();  // the new row goes after the last one
    model_->setNewRowAllowed(on);
}

bool DataGrid::setValueAt(int position, const QString& field, const QVariant& value)
{
    const int c = columnIndex(field);
    const QModelIndex index = model_->indexAt(position, c);
    if (!index.isValid())
        return false;
    if (model_->hasPending() && !index.data(GridModel::PendingRole).toBool() && !commitEdit())
        return false;
    if (model_->kind(c) == GridModel::Kind::Check) {
        const bool on = value.toBool() || value.toString() == QLatin1String("1");
        return model_->setData(index, on ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    }
    return model_->setData(index, value, Qt::EditRole);
}

bool DataGrid::setNewRowValue(const QString& field, const QVariant& value)
{
    const QModelIndex index = model_->newRowIndex(columnIndex(field));
    if (!index.isValid())
        return false;
    if (model_->hasPending() && model_->pendingPosition() != GridModel::NewRowLine && !commitEdit())
        return false;
    if (model_->kind(index.column()) == GridModel::Kind::Check)
        return model_->setData(index, value.toBool() ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    return model_->setData(index, value, Qt::EditRole);
}

bool DataGrid::hasPendingEdit() const
{
    return model_->hasPending();
}

bool DataGrid::commitEdit()
{
    if (committing_)
        return false;
    view_->commitOpenEditor();
    const auto edit = model_->pendingEdit();
    if (!edit)
        return true;
    if (edit->changed.isEmpty()) {
        model_->revertPending();
        return true;
    }
    if (!writer_) {
        model_->acceptPending(std::nullopt);
        return true;
    }
    EditResult result;
    committing_ = true;
    try {
        result = writer_(*edit);
    } catch (const db::Error& e) {
        committing_ = false;
        dialogs::error(this, e.text());
        return false;
    }
    committing_ = false;
    if (!result.accepted) {
        if (!result.message.isEmpty())
            dialogs::message(this, result.message);
        if (result.revert) {
            model_->revertPending();
            return true;
        }
        return false;
    }
    model_->acceptPending(result.stored);
    refreshFooterSource();
    return true;
}

void DataGrid::cancelEdit()
{
    view_->discardOpenEditor();
    model_->revertPending();
}

void DataGrid::replaceRow(int position, const db::Row& row)
{
    model_->replaceRow(position, row);
    refreshFooterSource();
}

void DataGrid::removeRow(int position)
{
    model_->removeRowAt(position);
    refreshFooterSource();
}

bool DataGrid::leavingRow(const QModelIndex& from, const QModelIndex&)
{
    if (committing_ || !model_->hasPending() || !from.data(GridModel::PendingRole).toBool())
        return true;
    return commitEdit();
}

bool DataGrid::wantsEnter() const
{
    if (!readOnly_)
        return true;
    return isSignalConnected(QMetaMethod::fromSignal(&DataGrid::rowActivated));
}

void DataGrid::activate(const QModelIndex& index)
{
    const int pos = model_->positionOf(index);
    if (pos >= 0)
        Q_EMIT rowActivated(pos);
}

// ================================================================ output

void DataGrid::setTitle(const QString& title)
{
    title_ = title;
}

QString DataGrid::title() const
{
    return title_.isEmpty() ? window()->windowTitle() : title_;
}

GridPrintJob DataGrid::printJob() const
{
    auto* self = const_cast<DataGrid*>(this);
    self->fetchAll();  // the printout holds every row
    GridPrintJob job;
    job.title = title();
    const QList<int> cols = shownColumns();
    for (int c : cols) {
        job.captions << model_->column(c).caption;
        job.widths << header_->sectionSize(c);
        job.alignments << alignmentOf(c);
    }
    for (int pos = 0; pos < model_->rowCountShown(); ++pos) {
        QStringList texts;
        for (int c : cols) {
            if (model_->kind(c) == GridModel::Kind::Check)
                texts << (model_->textAt(pos, c) == QLatin1String("1") ? QStringLiteral("✓") : QString());
            else
                texts << model_->textAt(pos, c);
        }
        job.rows << texts;
    }
    if (!model_->footerSummaries().isEmpty())
        for (int c : cols)
            job.footer << self->footerTextFor(c);
    // The printout says which rows it holds.
    QStringList filters;
    for (int c = 0; c < model_->columnCount(); ++c)
        if (!model_->columnFilter(c).isEmpty())
            filters << model_->column(c).caption + ": " + model_->columnFilter(c);
    if (!model_->filterText().isEmpty())
        filters << kitText(KitText::FilterBox).remove(QStringLiteral("...")) + ": " + model_->filterText();
    job.filter = filters.join(QStringLiteral("; "));
    return job;
}

void DataGrid::print(bool preview)
{
    if (!commitEdit())
        return;
    GridPrintJob job;
    {
        BusyCursor busy;
        job = printJob();
    }
    printGrid(window(), job, preview);
}

void DataGrid::exportInteractive(bool xlsx)
{
    if (!commitEdit())
        return;
    QString name = title();
    for (QChar bad : QStringLiteral("\\/:*?\"<>|"))
        name.replace(bad, '_');
    if (name.isEmpty())
        name = QStringLiteral("liste");
    const auto path = dialogs::saveFileName(this, kitText(KitText::ExportTitle),
                                            name + (xlsx ? QStringLiteral(".xlsx") : QStringLiteral(".csv")),
                                            kitText(xlsx ? KitText::XlsxFiles : KitText::CsvFiles));
    if (!path)
        return;
    bool ok = false;
    {
        BusyCursor busy;
        ok = xlsx ? exportXlsx(*path) : exportCsv(*path);
    }
    if (!ok)
        dialogs::error(this, kitText(KitText::ExportFailed).arg(QFileInfo(*path).fileName()));
}

// ================================================================ menus

void DataGrid::showColumnChooser(const QPoint& globalPos)
{
    QMenu menu(this);
    menu.setTitle(kitText(KitText::Columns));
    for (int c = 0; c < model_->columnCount(); ++c) {
        const GridColumn& col = model_->column(c);
        QAction* a = menu.addAction(col.caption);
        a->setCheckable(true);
        a->setChecked(col.visible);
        connect(a, &QAction::toggled, this, [this, field = col.field](bool on) { setColumnVisible(field, on); });
    }
    menu.addSeparator();
    menu.addAction(kitText(KitText::ShowAllColumns), this, [this] {
        for (const auto& col : model_->columns())
            setColumnVisible(col.field, true);
    });
    menu.exec(globalPos);
}

void DataGrid::onHeaderMenu(const QPoint& pos)
{
    const int logical = header_->logicalIndexAt(pos);
    QMenu menu(this);
    if (logical >= 0) {
        const QString field = model_->column(logical).field;
        menu.addAction(kitText(KitText::SortAscending), this, [this, field] { sortBy(field, Qt::AscendingOrder); });
        menu.addAction(kitText(KitText::SortDescending), this, [this, field] { sortBy(field, Qt::DescendingOrder); });
    }
    menu.addAction(kitText(KitText::ClearSort), this, &DataGrid::clearSort)->setEnabled(!model_->sort().isEmpty());
    menu.addSeparator();
    if (logical >= 0) {
        const QString field = model_->column(logical).field;
        menu.addAction(kitText(KitText::GroupByColumn), this, [this, field] { groupBy(field); });
    }
    menu.addAction(kitText(KitText::Ungroup), this, &DataGrid::ungroup)->setEnabled(model_->groupColumn() >= 0);
    menu.addSeparator();
    if (logical >= 0) {
        const QString field = model_->column(logical).field;
        menu.addAction(kitText(KitText::HideColumn), this, [this, field] { setColumnVisible(field, false); });
    }
    QMenu* columns = menu.addMenu(kitText(KitText::Columns));
    for (int c = 0; c < model_->columnCount(); ++c) {
        const GridColumn& col = model_->column(c);
        QAction* a = columns->addAction(col.caption);
        a->setCheckable(true);
        a->setChecked(col.visible);
        connect(a, &QAction::toggled, this, [this, field = col.field](bool on) { setColumnVisible(field, on); });
    }
    QAction* filterRow = menu.addAction(kitText(KitText::FilterRow));
    filterRow->setCheckable(true);
    filterRow->setChecked(filterRowVisible());
    connect(filterRow, &QAction::toggled, this, &DataGrid::setFilterRowVisible);
    menu.addAction(kitText(KitText::ClearFilter), this, &DataGrid::clearFilters)->setEnabled(model_->filtered());
    menu.exec(header_->mapToGlobal(pos));
}

void DataGrid::onViewMenu(const QPoint& pos)
{
    QMenu menu(this);
    menu.addAction(kitText(KitText::ExportXlsx), this, [this] { exportInteractive(true); });
    menu.addAction(kitText(KitText::ExportCsv), this, [this] { exportInteractive(false); });
    menu.addSeparator();
    menu.addAction(kitText(KitText::PrintPreview), this, [this] { print(true); });
    menu.addAction(kitText(KitText::Print), this, [this] { print(false); });
    if (model_->groupColumn() >= 0) {
        menu.addSeparator();
        menu.addAction(kitText(KitText::ExpandAll), this, &DataGrid::expandAll);
        menu.addAction(kitText(KitText::CollapseAll), this, &DataGrid::collapseAll);
    }
    menu.addSeparator();
    menu.addAction(kitText(KitText::Columns), this,
                   [this, global = view_->viewport()->mapToGlobal(pos)] { showColumnChooser(global); });
    menu.exec(view_->viewport()->mapToGlobal(pos));
}

}  // namespace ui
