#include "ui/grid_model.h"

#include "db/values.h"
#include "ui/format.h"
#include "ui/kit_texts.h"

#include <QCollator>
#include <QColor>
#include <QFont>
#include <algorithm>
#include <numeric>

namespace ui {

namespace {

constexpr int kindRowsScanned = 200;

QCollator& collator()
{
    static QCollator c = [] {
        QCollator t(QLocale(QLocale::Turkish, QLocale::Turkey));
        t.setCaseSensitivity(Qt::CaseInsensitive);
        return t;
    }();
    return c;
}

// A secret column shows one dot per character, trailing blanks left out.
QString maskedText(const QVariant& v)
{
    QString text = v.toString();
    while (text.endsWith(u' '))
        text.chop(1);
    return QString(text.size(), QChar(0x2022));
}

bool truthy(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return false;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        return s == QLatin1String("1") || s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
               s == QLatin1String("-1");
    }
    if (const auto n = numberOf(v))
        return *n != 0.0;
    return v.toBool();
}

// A number typed into a filter: "1234.5", or the shown form "1.234,5".
std::optional<double> typedNumber(QString t)
{
    t = t.trimmed();
    if (t.contains(',')) {
        t.remove('.');
        t.replace(',', '.');
    }
    return db::parseNumber(t);
}

bool hasOperator(const QString& text)
{
    const QString t = text.trimmed();
    return t.startsWith('=') || t.startsWith('<') || t.startsWith('>');
}

}  // namespace

struct GridModel::Condition {
    enum Op { Contains, Eq, Ne, Lt, Le, Gt, Ge };
    int column = -1;  // -1: the filter box, every visible column
    Op op = Contains;
    QString needle;  // folded
    std::optional<double> number;
    QDate date;
};

GridModel::GridModel(QObject* parent) : QAbstractItemModel(parent) {}

GridModel::~GridModel() = default;

// ---------------------------------------------------------------- columns

void GridModel::setColumns(const QList<GridColumn>& columns)
{
    beginResetModel();
    columns_ = columns;
    for (auto& c : columns_)
        if (c.caption.isEmpty())
            c.caption = c.field;
    configuredColumns_ = int(columns_.size());
    pending_.reset();
    sort_.clear();
    groupColumn_ = -1;
    columnFilters_.clear();
    appliedColumnFilters_.clear();
    resolveColumns();
    guessKinds();
    rebuild(false);
    endResetModel();
    Q_EMIT footerChanged();
}

int GridModel::columnOf(const QString& field) const
{
    for (int c = 0; c < columns_.size(); ++c)
        if (columns_[c].field.compare(field, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

GridModel::Kind GridModel::kind(int c) const
{
    return kinds_.value(c, Kind::Text);
}

void GridModel::updateColumn(int c, const GridColumn& column)
{
    if (c < 0 || c >= columns_.size())
        return;
    columns_[c] = column;
    if (columns_[c].caption.isEmpty())
        columns_[c].caption = columns_[c].field;
    guessKinds();
    footerDirty_ = true;
    if (filtered())
        rebuildWithReset(false);  // the shown texts or the searched columns changed
    Q_EMIT headerDataChanged(Qt::Horizontal, c, c);
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, c), index(rowCount() - 1, c));
    Q_EMIT footerChanged();
}

void GridModel::resolveColumns()
{
    // Columns not configured follow the rows: those still there keep their
    // settings (a column the user showed stays shown), new ones come hidden.
    QList<GridColumn> kept = columns_.mid(0, configuredColumns_);
    for (int c = configuredColumns_; c < columns_.size(); ++c)
        if (sourceColumns_ && sourceColumns_->indexOf(columns_[c].field) >= 0)
            kept << columns_[c];
    columns_ = kept;
    if (!sourceColumns_) {
        QStringList names;
        for (const auto& c : columns_)
            names << c.field;
        sourceColumns_ = std::make_shared<const db::Columns>(names);
    }
    for (const QString& name : sourceColumns_->names()) {
        if (columnOf(name) >= 0)
            continue;
        GridColumn extra;
        extra.field = name;
        extra.caption = name;
        extra.visible = configuredColumns_ == 0;
        columns_ << extra;
    }
    fieldIndex_.clear();
    for (const auto& c : columns_)
        fieldIndex_ << sourceColumns_->indexOf(c.field);
}

void GridModel::guessKinds()
{
    kinds_.clear();
    for (int c = 0; c < columns_.size(); ++c) {
        const GridColumn& col = columns_[c];
        Kind k = Kind::Text;
        if (col.check) {
            k = Kind::Check;
        } else if (isDateFormat(col.format)) {
            k = Kind::Date;
        } else if (formatDecimals(col.format) >= 0) {
            k = Kind::Number;
        } else if (fieldIndex_[c] >= 0) {
            const int scan = std::min(store_.size(), kindRowsScanned);
            for (int r = 0; r < scan; ++r) {
                const QVariant v = store_.value(r, fieldIndex_[c]);
                if (v.isNull())
                    continue;
                if (isNumeric(v))
                    k = Kind::Number;
                else if (looksLikeDate(v))
                    k = Kind::Date;
                break;
            }
        }
        kinds_ << k;
    }
}

// ---------------------------------------------------------------- data

void GridModel::setRows(db::RowSet rows)
{
    beginResetModel();
    pending_.reset();
    source_.reset();
    footerSourceRow_.reset();
    sourceColumns_ = rows.columns;
    loadFirstRows(rows.rows);
}

void GridModel::setSource(std::unique_ptr<RowSource> source, int batchSize)
{
    beginResetModel();
    pending_.reset();
    footerSourceRow_.reset();
    order_.clear();
    batchSize_ = std::max(1, batchSize);
    source_ = std::move(source);
    std::vector<db::Row> got;
    got.reserve(size_t(batchSize_));
    const bool more = guarded([&] { return source_->fetch(batchSize_, got); });
    sourceColumns_ = source_->columns();
    if (!more)
        source_.reset();
    loadFirstRows(got);
}

// The rest of a model reset: columns, the first rows, order, groups, footer.
void GridModel::loadFirstRows(const std::vector<db::Row>& rows)
{
    resolveColumns();
    store_.reset(sourceColumns_);
    for (const auto& r : rows)
        store_.append(r);
    guessKinds();
    order_.resize(size_t(store_.size()));
    std::iota(order_.begin(), order_.end(), 0);
    if (!isIdentity())
        rebuild(false);
    else
        buildGroups();
    footerDirty_ = true;
    endResetModel();
    Q_EMIT rowsReloaded();
    Q_EMIT footerChanged();
}

void GridModel::clearRows()
{
    db::RowSet empty;
    empty.columns = sourceColumns_;
    setRows(std::move(empty));
}

// A stream that fails (the connection went away) ends there: the rows read
// so far stay, and the grid shows the server's text.
bool GridModel::guarded(const std::function<bool()>& read)
{
    try {
        return read();
    } catch (const db::Error& e) {
        Q_EMIT fetchFailed(e.text());
        return false;
    }
}

bool GridModel::hasMoreRows() const
{
    return source_ && isIdentity();
}

void GridModel::fetchBatch()
{
    if (!hasMoreRows())
        return;
    std::vector<db::Row> got;
    got.reserve(size_t(batchSize_));
    if (!guarded([&] { return source_->fetch(batchSize_, got); }))
        source_.reset();
    appendFetched(std::move(got));
}

void GridModel::appendFetched(std::vector<db::Row>&& got)
{
    if (!got.empty()) {
        const int at = rowCountShown();
        const int first = store_.size();
        beginInsertRows({}, at, at + int(got.size()) - 1);
        for (const auto& r : got)
            store_.append(r);
        for (int i = first; i < store_.size(); ++i)
            order_.push_back(i);
        endInsertRows();
    }
    footerDirty_ = true;
    Q_EMIT footerChanged();
}

void GridModel::fetchAll()
{
    if (!source_)
        return;
    const int first = store_.size();
    readRest();
    if (!isIdentity()) {
        rebuildWithReset(false);
        return;
    }
    // The rows are stored already; the view learns of them in one step.
    const int added = store_.size() - first;
    if (added > 0) {
        const int at = rowCountShown();
        beginInsertRows({}, at, at + added - 1);
        for (int i = first; i < store_.size(); ++i)
            order_.push_back(i);
        endInsertRows();
    }
    footerDirty_ = true;
    Q_EMIT footerChanged();
}

// Stores the rest of the stream without showing it (callers rebuild order_).
void GridModel::readRest()
{
    if (!source_)
        return;
    guarded([&] {
        source_->fetchRest([this](std::vector<db::Row>& chunk) {
            for (const auto& r : chunk)
                store_.append(r);
        });
        return false;
    });
    source_.reset();
}

bool GridModel::isIdentity() const
{
    return groupColumn_ < 0 && sort_.isEmpty() && !filtered();
}

db::Row GridModel::sourceRow(int source) const
{
    if (pending_ && pending_->source == source)
        return pending_->after;
    return store_.row(source);
}

QVariant GridModel::cellValue(int source, int c) const
{
    const int fi = fieldIndex_.value(c, -1);
    if (fi < 0)
        return {};
    if (pending_ && pending_->source == source)
        return pending_->after.at(fi);
    return store_.value(source, fi);
}

QString GridModel::cellText(int source, int c) const
{
    return textOf(c, cellValue(source, c));
}

QString GridModel::textOf(int c, const QVariant& v) const
{
    if (kinds_.value(c) == Kind::Check)
        return truthy(v) ? QStringLiteral("1") : QStringLiteral("0");
    if (columns_[c].masked)
        return maskedText(v);
    return formatValue(v, columns_[c].format);
}

db::Row GridModel::rowAt(int position) const
{
    if (position == NewRowLine)
        return pending_ && pending_->source < 0 ? pending_->after : db::Row();
    if (position < 0 || position >= rowCountShown())
        return {};
    return sourceRow(sourceOf(position));
}

QVariant GridModel::valueAt(int position, int c) const
{
    if (position < 0 || position >= rowCountShown() || c < 0 || c >= columns_.size())
        return {};
    return cellValue(sourceOf(position), c);
}

QString GridModel::textAt(int position, int c) const
{
    if (position < 0 || position >= rowCountShown() || c < 0 || c >= columns_.size())
        return {};
    return cellText(sourceOf(position), c);
}

// ---------------------------------------------------------------- order

bool GridModel::filtered() const
{
    if (!filterText_.trimmed().isEmpty())
        return true;
    for (const auto& f : columnFilters_)
        if (!f.trimmed().isEmpty())
            return true;
    return false;
}

void GridModel::setSort(const QList<QPair<int, Qt::SortOrder>>& keys)
{
    sort_ = keys;
    rebuildWithReset(false);
}

void GridModel::setFilterText(const QString& text)
{
    const QString oldNeedle = db::turkishLower(appliedFilterText_.trimmed());
    filterText_ = text;
    const QString needle = db::turkishLower(text.trimmed());
    rebuildWithReset(needle.contains(oldNeedle) && appliedColumnFilters_ == columnFilters_);
}

void GridModel::setColumnFilter(int c, const QString& text)
{
    if (c < 0 || c >= columns_.size())
        return;
    const QString old = appliedColumnFilters_.value(c).trimmed();
    if (text.trimmed().isEmpty())
        columnFilters_.remove(c);
    else
        columnFilters_.insert(c, text);
    // Typing on narrows what is on show: only the rows left need a look.
    bool narrow = !hasOperator(old) && !hasOperator(text) &&
                  db::turkishLower(text.trimmed()).contains(db::turkishLower(old)) && appliedFilterText_ == filterText_;
    for (auto it = columnFilters_.cbegin(); narrow && it != columnFilters_.cend(); ++it)
        if (it.key() != c && appliedColumnFilters_.value(it.key()) != it.value())
            narrow = false;
    rebuildWithReset(narrow);
}

void GridModel::clearFilters()
{
    filterText_.clear();
    columnFilters_.clear();
    rebuildWithReset(false);
}

void GridModel::setGroupColumn(int c)
{
    groupColumn_ = (c >= 0 && c < columns_.size()) ? c : -1;
    rebuildWithReset(false);
}

void GridModel::rebuildWithReset(bool narrowOnly)
{
    beginResetModel();
    rebuild(narrowOnly);
    endResetModel();
    Q_EMIT footerChanged();
}

// Recomputes order_ and groups_; callers wrap it in a model reset.
void GridModel::rebuild(bool narrowOnly)
{
    if (source_ && !isIdentity()) {
        readRest();
        narrowOnly = false;
    }
    std::vector<int> base;
    if (narrowOnly) {
        base = order_;
    } else {
        base.resize(size_t(store_.size()));
        std::iota(base.begin(), base.end(), 0);
    }
    order_ = filtered() ? filterRows(base) : std::move(base);
    if (!narrowOnly && (groupColumn_ >= 0 || !sort_.isEmpty()))
        sortRows(order_);
    appliedFilterText_ = filterText_;
    appliedColumnFilters_ = columnFilters_;
    buildGroups();
    footerDirty_ = true;
}

std::vector<int> GridModel::filterRows(const std::vector<int>& candidates) const
{
    QList<Condition> conditions;
    if (!filterText_.trimmed().isEmpty()) {
        Condition box;
        box.needle = db::turkishLower(filterText_.trimmed());
        conditions << box;
    }
    for (auto it = columnFilters_.cbegin(); it != columnFilters_.cend(); ++it) {
        const QString text = it.value().trimmed();
        if (text.isEmpty())
            continue;
        Condition cond;
        cond.column = it.key();
        cond.needle = db::turkishLower(text);
        const Kind k = kind(it.key());
        if ((k == Kind::Number || k == Kind::Date) && hasOperator(text)) {
            static const std::pair<const char*, Condition::Op> ops[] = {{"<>", Condition::Ne}, {"<=", Condition::Le},
                                                                        {">=", Condition::Ge}, {"=", Condition::Eq},
                                                                        {"<", Condition::Lt},  {">", Condition::Gt}};
            for (const auto& [sign, op] : ops) {
                if (!text.startsWith(QLatin1String(sign)))
                    continue;
                const QString rest = text.mid(int(qstrlen(sign))).trimmed();
                if (k == Kind::Number)
                    cond.number = typedNumber(rest);
                else
                    cond.date = db::parseShownDate(rest);
                if (cond.number || cond.date.isValid())
                    cond.op = op;
                break;
            }
        }
        conditions << cond;
    }

    QList<int> boxColumns;
    for (int c = 0; c < columns_.size(); ++c)
        if (columns_[c].visible && fieldIndex_[c] >= 0)
            boxColumns << c;

    auto compare = [](Condition::Op op, int cmp) {
        switch (op) {
            case Condition::Eq:
                return cmp == 0;
            case Condition::Ne:
                return cmp != 0;
            case Condition::Lt:
                return cmp < 0;
            case Condition::Le:
                return cmp <= 0;
            case Condition::Gt:
                return cmp > 0;
            case Condition::Ge:
                return cmp >= 0;
            case Condition::Contains:
                break;
        }
        return false;
    };
    // Whether a shown text holds the needle is worked out once per distinct
    // value of a column: formatting every cell of a large list at every key
    // stroke would take seconds, while its distinct values are few.
    using Memo = QHash<RowStore::Key, bool>;
    std::vector<std::vector<Memo>> memos(size_t(conditions.size()), std::vector<Memo>(size_t(columns_.size())));
    auto contains = [&](int src, int c, const QString& needle, Memo& memo) {
        const int fi = fieldIndex_[c];
        if (fi < 0 || (pending_ && pending_->source == src))
            return db::turkishLower(cellText(src, c)).contains(needle);
        const RowStore::Key key = store_.key(src, fi);
        const auto it = memo.constFind(key);
        if (it != memo.cend())
            return *it;
        const bool found = db::turkishLower(textOf(c, store_.value(src, fi))).contains(needle);
        memo.insert(key, found);
        return found;
    };
    auto matches = [&](int src, int i) {
        const Condition& cond = conditions[i];
        auto& memo = memos[size_t(i)];
        if (cond.column < 0) {
            for (int c : boxColumns)
                if (contains(src, c, cond.needle, memo[size_t(c)]))
                    return true;
            return false;
        }
        if (cond.op == Condition::Contains)
            return contains(src, cond.column, cond.needle, memo[size_t(cond.column)]);
        const QVariant v = cellValue(src, cond.column);
        if (cond.number) {
            const auto n = numberOf(v);
            if (!n)
                return false;
            return compare(cond.op, *n < *cond.number ? -1 : (*n > *cond.number ? 1 : 0));
        }
        const QDate d = db::fromDb(v).date();
        if (!d.isValid())
            return false;
        return compare(cond.op, d < cond.date ? -1 : (d > cond.date ? 1 : 0));
    };

    std::vector<int> out;
    out.reserve(candidates.size());
    for (int src : candidates) {
        bool ok = true;
        for (int i = 0; i < conditions.size(); ++i) {
            if (!matches(src, i)) {
                ok = false;
                break;
            }
        }
        if (ok)
            out.push_back(src);
    }
    return out;
}

void GridModel::sortRows(std::vector<int>& rows) const
{
    QList<QPair<int, Qt::SortOrder>> keys;
    if (groupColumn_ >= 0)
        keys << qMakePair(groupColumn_, Qt::AscendingOrder);
    for (const auto& k : sort_)
        if (k.first != groupColumn_)
            keys << k;
    if (keys.isEmpty())
        return;

    // Each row gets a (kind, number) pair per key: empty values first, then
    // numbers and moments as numbers, then texts by their rank in Turkish
    // collation. Keys are worked out once per distinct value of the column.
    struct KeyData {
        std::vector<char> kind;  // 0 empty, 1 number, 2 text
        std::vector<double> number;
        bool descending = false;
    };
    std::vector<KeyData> data(size_t(keys.size()));
    for (int k = 0; k < keys.size(); ++k) {
        KeyData& d = data[size_t(k)];
        d.descending = keys[k].second == Qt::DescendingOrder;
        d.kind.assign(size_t(store_.size()), 0);
        d.number.assign(size_t(store_.size()), 0.0);
        const int c = keys[k].first;
        const int fi = fieldIndex_.value(c, -1);

        QHash<RowStore::Key, int> slotOf;
        std::vector<QVariant> distinct;
        std::vector<int> slotOfRow(size_t(store_.size()), -1);
        for (int src : rows) {
            if (fi < 0)
                continue;
            if (pending_ && pending_->source == src) {
                slotOfRow[size_t(src)] = int(distinct.size());
                distinct.push_back(cellValue(src, c));
                continue;
            }
            const RowStore::Key key = store_.key(src, fi);
            auto it = slotOf.constFind(key);
            if (it == slotOf.cend()) {
                it = slotOf.insert(key, int(distinct.size()));
                distinct.push_back(store_.value(src, fi));
            }
            slotOfRow[size_t(src)] = *it;
        }
        std::vector<char> slotKind(distinct.size(), 0);
        std::vector<double> slotNumber(distinct.size(), 0.0);
        std::vector<int> texts;
        for (size_t i = 0; i < distinct.size(); ++i) {
            const QVariant& v = distinct[i];
            if (v.isNull() || !v.isValid())
                continue;
            if (isNumeric(v) || v.typeId() == QMetaType::Bool) {
                slotKind[i] = 1;
                slotNumber[i] = v.toDouble();
            } else if (looksLikeDate(v)) {
                slotKind[i] = 1;
                slotNumber[i] = double(db::fromDb(v).toMSecsSinceEpoch());
            } else {
                slotKind[i] = 2;
                texts.push_back(int(i));
            }
        }
        std::vector<QCollatorSortKey> sortKeys;
        sortKeys.reserve(texts.size());
        for (int i : texts)
            sortKeys.push_back(collator().sortKey(distinct[size_t(i)].toString()));
        std::vector<int> byText(texts.size());
        std::iota(byText.begin(), byText.end(), 0);
        std::sort(byText.begin(), byText.end(),
                  [&](int a, int b) { return sortKeys[size_t(a)].compare(sortKeys[size_t(b)]) < 0; });
        // Texts that collate equal share a rank.
        for (size_t r = 0, rank = 0; r < byText.size(); ++r) {
            if (r > 0 && sortKeys[size_t(byText[r - 1])].compare(sortKeys[size_t(byText[r])]) != 0)
                ++rank;
            slotNumber[size_t(texts[size_t(byText[r])])] = double(rank);
        }
        for (int src : rows) {
            const int slot = slotOfRow[size_t(src)];
            if (slot < 0)
                continue;
            d.kind[size_t(src)] = slotKind[size_t(slot)];
            d.number[size_t(src)] = slotNumber[size_t(slot)];
        }
    }
    auto less = [&](int a, int b) {
        for (const KeyData& d : data) {
            const char ka = d.kind[size_t(a)];
            const char kb = d.kind[size_t(b)];
            int cmp = 0;
            if (ka != kb)
                cmp = ka < kb ? -1 : 1;
            else if (d.number[size_t(a)] != d.number[size_t(b)])
                cmp = d.number[size_t(a)] < d.number[size_t(b)] ? -1 : 1;
            if (cmp != 0)
                return d.descending ? cmp > 0 : cmp < 0;
        }
        return false;
    };
    std::stable_sort(rows.begin(), rows.end(), less);
}

void GridModel::buildGroups()
{
    groups_.clear();
    if (groupColumn_ < 0)
        return;
    // Shown texts, once per distinct value.
    const int fi = fieldIndex_.value(groupColumn_, -1);
    QHash<RowStore::Key, QString> shown;
    auto textAtPos = [&](int pos) {
        const int src = order_[size_t(pos)];
        if (fi < 0 || (pending_ && pending_->source == src))
            return cellText(src, groupColumn_);
        const RowStore::Key key = store_.key(src, fi);
        auto it = shown.constFind(key);
        if (it == shown.cend())
            it = shown.insert(key, textOf(groupColumn_, store_.value(src, fi)));
        return *it;
    };
    const int n = int(order_.size());
    int i = 0;
    while (i < n) {
        const QString text = textAtPos(i);
        int j = i + 1;
        while (j < n && textAtPos(j) == text)
            ++j;
        Group g;
        g.begin = i;
        g.end = j;
        g.text = text;
        groups_.push_back(std::move(g));
        i = j;
    }
    for (auto& g : groups_)
        for (const auto& s : groupSummaries_)
            g.sums << aggregate(s, g.begin, g.end);
}

QString GridModel::groupCaption(int g) const
{
    if (g < 0 || g >= groupCount())
        return {};
    const Group& group = groups_[size_t(g)];
    return kitText(KitText::GroupRow)
        .arg(columns_[groupColumn_].caption, groupValueText(g))
        .arg(group.end - group.begin);
}

QString GridModel::groupValueText(int g) const
{
    if (g < 0 || g >= groupCount())
        return {};
    const QString& t = groups_[size_t(g)].text;
    if (kind(groupColumn_) == Kind::Check)
        return t == QLatin1String("1") ? QStringLiteral("✓") : QStringLiteral("-");
    return t;
}

int GridModel::groupSize(int g) const
{
    if (g < 0 || g >= groupCount())
        return 0;
    return groups_[size_t(g)].end - groups_[size_t(g)].begin;
}

int GridModel::groupOfPosition(int position) const
{
    auto it = std::upper_bound(groups_.begin(), groups_.end(), position,
                               [](int pos, const Group& g) { return pos < g.begin; });
    if (it == groups_.begin())
        return -1;
    const int g = int(it - groups_.begin()) - 1;
    return position < groups_[size_t(g)].end ? g : -1;
}

QModelIndex GridModel::groupIndex(int g) const
{
    if (g < 0 || g >= groupCount())
        return {};
    return createIndex(g, 0, quintptr(0));
}

// ---------------------------------------------------------------- summaries

void GridModel::setFooterSummaries(const QList<GridSummary>& summaries)
{
    footer_ = summaries;
    footerDirty_ = true;
    Q_EMIT footerChanged();
}

void GridModel::setGroupSummaries(const QList<GridSummary>& summaries)
{
    groupSummaries_ = summaries;
    for (auto& g : groups_) {
        g.sums.clear();
        for (const auto& s : groupSummaries_)
            g.sums << aggregate(s, g.begin, g.end);
    }
    if (!groups_.empty())
        Q_EMIT dataChanged(index(0, 0), index(groupCount() - 1, columnCount() - 1));
}

void GridModel::setFooterSourceRow(std::optional<db::Row> row)
{
    footerSourceRow_ = std::move(row);
    footerDirty_ = true;
    Q_EMIT footerChanged();
}

bool GridModel::footerNeedsAllRows() const
{
    return !footer_.isEmpty() && source_ && !footerSourceRow_;
}

QVariant GridModel::aggregate(const GridSummary& s, int beginPos, int endPos) const
{
    if (s.kind == SummaryKind::Count)
        return QVariant(qlonglong(endPos - beginPos));
    const int c = columnOf(s.field);
    if (c < 0)
        return {};
    double sum = 0;
    int n = 0;
    std::optional<double> lo;
    std::optional<double> hi;
    QDateTime firstMoment;
    QDateTime lastMoment;
    for (int pos = beginPos; pos < endPos; ++pos) {
        const QVariant v = cellValue(order_[size_t(pos)], c);
        if (v.isNull())
            continue;
        if (const auto x = numberOf(v)) {
            sum += *x;
            ++n;
            lo = lo ? std::min(*lo, *x) : *x;
            hi = hi ? std::max(*hi, *x) : *x;
        } else if (looksLikeDate(v)) {
            const QDateTime m = db::fromDb(v);
            if (!firstMoment.isValid() || m < firstMoment)
                firstMoment = m;
            if (!lastMoment.isValid() || m > lastMoment)
                lastMoment = m;
        }
    }
    switch (s.kind) {
        case SummaryKind::Sum:
            return sum;
        case SummaryKind::Avg:
            return n ? QVariant(sum / n) : QVariant();
        case SummaryKind::Min:
            return lo ? QVariant(*lo) : (firstMoment.isValid() ? QVariant(firstMoment) : QVariant());
        case SummaryKind::Max:
            return hi ? QVariant(*hi) : (lastMoment.isValid() ? QVariant(lastMoment) : QVariant());
        case SummaryKind::Count:
            break;
    }
    return {};
}

QString GridModel::summaryText(const GridSummary& s, const QVariant& v) const
{
    if (!v.isValid() || v.isNull())
        return {};
    QString format = s.format;
    if (format.isEmpty() && s.kind != SummaryKind::Count) {
        const int c = columnOf(s.field);
        format = c >= 0 ? columns_[c].format : QString();
    }
    return formatValue(v, format);
}

void GridModel::recomputeFooter()
{
    footerValues_.clear();
    for (const auto& s : footer_) {
        if (source_) {
            QVariant v;
            if (footerSourceRow_) {
                const QString name = s.sourceField.isEmpty() ? s.field : s.sourceField;
                if (footerSourceRow_->has(name))
                    v = footerSourceRow_->value(name);
            }
            footerValues_ << v;
        } else {
            footerValues_ << aggregate(s, 0, rowCountShown());
        }
    }
    footerDirty_ = false;
}

QVariant GridModel::footerValue(int i)
{
    if (footerDirty_)
        recomputeFooter();
    return footerValues_.value(i);
}

QString GridModel::footerText(int i)
{
    if (i < 0 || i >= footer_.size())
        return {};
    return summaryText(footer_[i], footerValue(i));
}

QVariant GridModel::groupSummaryValue(int g, int i) const
{
    if (g < 0 || g >= groupCount())
        return {};
    return groups_[size_t(g)].sums.value(i);
}

QString GridModel::groupSummaryText(int g, int i) const
{
    if (i < 0 || i >= groupSummaries_.size())
        return {};
    return summaryText(groupSummaries_[i], groupSummaryValue(g, i));
}

void GridModel::markChanged()
{
    footerDirty_ = true;
    if (groupColumn_ >= 0) {
        for (auto& g : groups_) {
            g.sums.clear();
            for (const auto& s : groupSummaries_)
                g.sums << aggregate(s, g.begin, g.end);
        }
        if (!groups_.empty())
            Q_EMIT dataChanged(index(0, 0), index(groupCount() - 1, columnCount() - 1));
    }
    Q_EMIT footerChanged();
}

// ---------------------------------------------------------------- editing

void GridModel::setEditable(bool on)
{
    if (editable_ == on)
        return;
    beginResetModel();
    editable_ = on;
    if (!on)
        pending_.reset();
    endResetModel();
}

void GridModel::setNewRowAllowed(bool on)
{
    if (newRowAllowed_ == on)
        return;
    beginResetModel();
    newRowAllowed_ = on;
    if (!on && pending_ && pending_->source < 0)
        pending_.reset();
    endResetModel();
}

int GridModel::pendingPosition() const
{
    if (!pending_)
        return NoRow;
    if (pending_->source < 0)
        return NewRowLine;
    const auto it = std::find(order_.begin(), order_.end(), pending_->source);
    return it == order_.end() ? NoRow : int(it - order_.begin());
}

std::optional<RowEdit> GridModel::pendingEdit() const
{
    if (!pending_)
        return std::nullopt;
    RowEdit e;
    e.kind = pending_->source < 0 ? RowEdit::Kind::Insert : RowEdit::Kind::Update;
    e.before = pending_->before;
    e.after = pending_->after;
    for (int c : pending_->changed)
        e.changed << columns_[c].field;
    return e;
}

QModelIndex GridModel::firstIndexOfPosition(int position) const
{
    if (position == NewRowLine)
        return newRowIndex(0);
    return indexAt(position, 0);
}

void GridModel::acceptPending(const std::optional<db::Row>& stored)
{
    if (!pending_)
        return;
    // The stored row may come from another statement: take its values by name.
    db::Row row = pending_->after;
    if (stored) {
        const QStringList names = sourceColumns_->names();
        for (int i = 0; i < names.size(); ++i)
            if (stored->has(names[i]))
                row.values()[i] = stored->value(names[i]);
    }
    const int source = pending_->source;
    const bool groupEdited = groupColumn_ >= 0 && pending_->changed.contains(groupColumn_);
    if (source >= 0) {
        const int pos = pendingPosition();
        store_.setRow(source, row);
        pending_.reset();
        if (groupEdited) {
            rebuildWithReset(false);
            return;
        }
        if (pos >= 0)
            Q_EMIT dataChanged(indexAt(pos, 0), indexAt(pos, columnCount() - 1));
    } else {
        pending_.reset();
        const int src = store_.size();
        if (groupColumn_ >= 0) {
            store_.append(row);
            order_.push_back(src);
            rebuildWithReset(false);
            return;
        }
        const int pos = rowCountShown();
        beginInsertRows({}, pos, pos);
        store_.append(row);
        order_.push_back(src);
        endInsertRows();
        Q_EMIT dataChanged(newRowIndex(0), newRowIndex(columnCount() - 1));
    }
    markChanged();
}

void GridModel::revertPending()
{
    if (!pending_)
        return;
    const int pos = pendingPosition();
    pending_.reset();
    const QModelIndex first = firstIndexOfPosition(pos);
    if (first.isValid())
        Q_EMIT dataChanged(first, first.siblingAtColumn(columnCount() - 1));
    markChanged();
}

void GridModel::replaceRow(int position, const db::Row& row)
{
    if (position < 0 || position >= rowCountShown())
        return;
    const int src = sourceOf(position);
    db::Row mapped = store_.row(src);
    const QStringList names = sourceColumns_->names();
    for (int i = 0; i < names.size(); ++i)
        if (row.has(names[i]))
            mapped.values()[i] = row.value(names[i]);
    store_.setRow(src, mapped);
    if (pending_ && pending_->source == src)
        pending_.reset();
    Q_EMIT dataChanged(indexAt(position, 0), indexAt(position, columnCount() - 1));
    markChanged();
}

void GridModel::removeRowAt(int position)
{
    if (position < 0 || position >= rowCountShown())
        return;
    const int src = sourceOf(position);
    if (pending_ && pending_->source == src)
        pending_.reset();
    auto forget = [&] {
        store_.remove(src);
        order_.erase(order_.begin() + position);
        for (int& s : order_)
            if (s > src)
                --s;
        if (pending_ && pending_->source > src)
            --pending_->source;
    };
    if (groupColumn_ >= 0) {
        beginResetModel();
        forget();
        rebuild(true);
        endResetModel();
        Q_EMIT footerChanged();
        return;
    }
    beginRemoveRows({}, position, position);
    forget();
    endRemoveRows();
    markChanged();
}

QVariant GridModel::converted(int c, const QVariant& typed, const QVariant& original) const
{
    switch (kind(c)) {
        case Kind::Check: {
            const bool on = typed.toBool();
            if (original.typeId() == QMetaType::QString)
                return QString(on ? QStringLiteral("1") : QStringLiteral("0"));
            if (original.typeId() == QMetaType::Bool)
                return on;
            return on ? 1 : 0;
        }
        case Kind::Number: {
            if (typed.isNull() || (typed.typeId() == QMetaType::QString && typed.toString().trimmed().isEmpty()))
                return QVariant(QMetaType(QMetaType::Double));
            const auto n = numberOf(typed);
            if (!n)
                return QVariant(QMetaType(QMetaType::Double));
            const bool integral = original.typeId() == QMetaType::LongLong || original.typeId() == QMetaType::Int;
            if (integral && *n == std::floor(*n))
                return qlonglong(*n);
            return *n;
        }
        case Kind::Date: {
            if (typed.typeId() == QMetaType::QDate)
                return typed.toDate().isValid() ? QVariant(QDateTime(typed.toDate(), QTime(0, 0)))
                                                : QVariant(QMetaType(QMetaType::QDateTime));
            if (typed.typeId() == QMetaType::QDateTime)
                return typed;
            const QDate d = db::parseShownDate(typed.toString());
            return d.isValid() ? QVariant(QDateTime(d, QTime(0, 0))) : QVariant(QMetaType(QMetaType::QDateTime));
        }
        case Kind::Text:
            break;
    }
    return typed.toString();
}

// ---------------------------------------------------------------- model

QModelIndex GridModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column < 0 || column >= columnCount() || row < 0)
        return {};
    if (!parent.isValid())
        return row < rowCount() ? createIndex(row, column, quintptr(0)) : QModelIndex();
    if (groupColumn_ >= 0 && parent.internalId() == 0 && parent.column() == 0 && parent.row() < groupCount()) {
        if (row < groupSize(parent.row()))
            return createIndex(row, column, quintptr(parent.row() + 1));
    }
    return {};
}

QModelIndex GridModel::parent(const QModelIndex& child) const
{
    if (!child.isValid() || child.internalId() == 0)
        return {};
    return createIndex(int(child.internalId() - 1), 0, quintptr(0));
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid()) {
        if (groupColumn_ >= 0)
            return groupCount();
        return rowCountShown() + (newRowAllowed_ && editable_ ? 1 : 0);
    }
    if (groupColumn_ >= 0 && parent.internalId() == 0 && parent.column() == 0)
        return groupSize(parent.row());
    return 0;
}

int GridModel::columnCount(const QModelIndex&) const
{
    return int(columns_.size());
}

bool GridModel::hasChildren(const QModelIndex& parent) const
{
    return rowCount(parent) > 0;
}

int GridModel::positionOf(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return NoRow;
    if (groupColumn_ >= 0) {
        if (index.internalId() == 0)
            return GroupRow;
        const int g = int(index.internalId() - 1);
        if (g >= groupCount())
            return NoRow;
        return groups_[size_t(g)].begin + index.row();
    }
    if (index.row() < rowCountShown())
        return index.row();
    if (index.row() == rowCountShown() && newRowAllowed_ && editable_)
        return NewRowLine;
    return NoRow;
}

QModelIndex GridModel::indexAt(int position, int c) const
{
    if (position < 0 || position >= rowCountShown())
        return {};
    if (groupColumn_ >= 0) {
        const int g = groupOfPosition(position);
        if (g < 0)
            return {};
        return createIndex(position - groups_[size_t(g)].begin, c, quintptr(g + 1));
    }
    return createIndex(position, c, quintptr(0));
}

QModelIndex GridModel::newRowIndex(int c) const
{
    if (groupColumn_ >= 0 || !newRowAllowed_ || !editable_)
        return {};
    return createIndex(rowCountShown(), c, quintptr(0));
}

int GridModel::fetchIndexAt(int position) const
{
    return position >= 0 && position < rowCountShown() ? sourceOf(position) : NoRow;
}

int GridModel::positionOfFetchIndex(int fetchIndex) const
{
    const auto it = std::find(order_.begin(), order_.end(), fetchIndex);
    return it == order_.end() ? NoRow : int(it - order_.begin());
}

bool GridModel::isGroupRow(const QModelIndex& index) const
{
    return positionOf(index) == GroupRow;
}

bool GridModel::isNewRowLine(const QModelIndex& index) const
{
    return positionOf(index) == NewRowLine;
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    const int pos = positionOf(index);
    if (pos == NoRow)
        return {};
    const int c = index.column();
    if (pos == GroupRow) {
        if (role == GroupRowRole)
            return true;
        if (role == Qt::DisplayRole) {
            if (c == 0)
                return groupCaption(index.row());
            for (int i = 0; i < groupSummaries_.size(); ++i)
                if (columnOf(groupSummaries_[i].field) == c)
                    return groupSummaryText(index.row(), i);
        }
        return {};
    }
    switch (role) {
        case GroupRowRole:
            return false;
        case NewRowRole:
            return pos == NewRowLine;
        case PendingRole:
            return pending_ && (pos == NewRowLine ? pending_->source < 0 : pending_->source == sourceOf(pos));
        default:
            break;
    }
    QVariant value;
    if (pos == NewRowLine) {
        if (!pending_ || pending_->source >= 0)
            return {};
        const int fi = fieldIndex_.value(c, -1);
        value = fi < 0 ? QVariant() : pending_->after.at(fi);
    } else {
        value = cellValue(sourceOf(pos), c);
    }
    const GridColumn& col = columns_[c];
    switch (role) {
        case Qt::DisplayRole:
            if (kind(c) == Kind::Check)
                return {};
            if (col.masked)
                return maskedText(value);
            return formatValue(value, col.format);
        case Qt::EditRole:
            return value;
        case Qt::CheckStateRole:
            if (kind(c) != Kind::Check)
                return {};
            return truthy(value) ? Qt::Checked : Qt::Unchecked;
        case Qt::TextAlignmentRole:
            if (col.alignment)
                return int(col.alignment);
            if (kind(c) == Kind::Number)
                return int(Qt::AlignRight | Qt::AlignVCenter);
            if (kind(c) == Kind::Check)
                return int(Qt::AlignCenter);
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::BackgroundRole:
            if (pending_ && (pos == NewRowLine ? pending_->source < 0 : pending_->source == sourceOf(pos)))
                return QColor(255, 248, 214);
            return {};
        default:
            return {};
    }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole && role != Qt::CheckStateRole)
        return false;
    const Qt::ItemFlags f = flags(index);
    if (!(f & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)))
        return false;
    const int pos = positionOf(index);
    const int c = index.column();
    const int fi = fieldIndex_.value(c, -1);
    if (fi < 0 || (pos < 0 && pos != NewRowLine))
        return false;
    const int src = pos == NewRowLine ? -1 : sourceOf(pos);
    if (pending_ && pending_->source != src)
        return false;  // the grid posts the other row first
    if (!pending_) {
        Pending p;
        p.source = src;
        if (src >= 0) {
            p.before = store_.row(src);
        } else {
            QVariantList nulls;
            for (int i = 0; i < sourceColumns_->size(); ++i)
                nulls << QVariant();
            p.before = db::Row(sourceColumns_, nulls);
        }
        p.after = p.before;
        pending_ = std::move(p);
    }
    const QVariant typed = role == Qt::CheckStateRole ? QVariant(value.toInt() == Qt::Checked) : value;
    pending_->after.values()[fi] = converted(c, typed, pending_->before.at(fi));
    if (!pending_->changed.contains(c))
        pending_->changed << c;
    const QModelIndex first = index.siblingAtColumn(0);
    Q_EMIT dataChanged(first, index.siblingAtColumn(columnCount() - 1));
    return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    const int pos = positionOf(index);
    if (pos == NoRow)
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (pos == GroupRow)
        return f;
    const int c = index.column();
    if (editable_ && columns_[c].editable && fieldIndex_.value(c, -1) >= 0)
        f |= kind(c) == Kind::Check ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable;
    return f | Qt::ItemNeverHasChildren;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_.size())
        return {};
    if (role == Qt::DisplayRole)
        return columns_[section].caption;
    return {};
}

}  // namespace ui
