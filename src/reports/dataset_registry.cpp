#include "reports/dataset_registry.h"

#include <algorithm>

namespace reports {

namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

DatasetEntry* DatasetRegistry::findExact(const QString& owner, const QString& name)
{
    for (auto& e : entries_)
        if (e->owner == owner && sameName(e->name, name))
            return e.get();
    return nullptr;
}

void DatasetRegistry::define(const QString& owner, const QString& name, const QString& sql, const db::Params& params)
{
    DatasetEntry* e = findExact(owner, name);
    if (!e) {
        entries_.push_back(std::make_unique<DatasetEntry>());
        e = entries_.back().get();
        e->owner = owner;
        e->name = name;
    }
    e->sql = sql;
    e->params = params;
    e->rows.reset();
    e->serial = nextSerial_++;
}

void DatasetRegistry::setParams(const QString& owner, const QString& name, const db::Params& params)
{
    if (DatasetEntry* e = findExact(owner, name)) {
        e->params = params;
        e->rows.reset();
    }
}

void DatasetRegistry::setRows(const QString& owner, const QString& name, db::RowSet rows)
{
    DatasetEntry* e = findExact(owner, name);
    if (!e) {
        entries_.push_back(std::make_unique<DatasetEntry>());
        e = entries_.back().get();
        e->owner = owner;
        e->name = name;
        e->serial = nextSerial_++;
    }
    e->rows = std::make_shared<const db::RowSet>(std::move(rows));
}

void DatasetRegistry::open(const QString& owner, const QString& name, db::Session& session)
{
    DatasetEntry* e = findExact(owner, name);
    if (!e || e->sql.isEmpty())
        return;
    e->rows = std::make_shared<const db::RowSet>(session.select(e->sql, e->params));
}

void DatasetRegistry::close(const QString& owner, const QString& name)
{
    if (DatasetEntry* e = findExact(owner, name); e && !e->sql.isEmpty())
        e->rows.reset();
}

void DatasetRegistry::remove(const QString& owner, const QString& name)
{
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [&](const auto& e) { return e->owner == owner && sameName(e->name, name); }),
                   entries_.end());
}

void DatasetRegistry::removeOwner(const QString& owner)
{
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(), [&](const auto& e) { return e->owner == owner; }),
                   entries_.end());
}

void DatasetRegistry::clear()
{
    entries_.clear();
}

const DatasetEntry* DatasetRegistry::find(const QString& name, const QString& caller) const
{
    const DatasetEntry* best = nullptr;
    for (const auto& e : entries_) {
        if (!sameName(e->name, name))
            continue;
        if (!caller.isEmpty() && e->owner == caller)
            return e.get();
        if (!best || e->serial > best->serial)
            best = e.get();
    }
    return best;
}

std::shared_ptr<const db::RowSet> DatasetRegistry::rowsOf(const DatasetEntry& entry, db::Session* session,
                                                          const db::Params& extraParams) const
{
    if (entry.rows)
        return entry.rows;
    if (entry.sql.isEmpty() || !session)
        return std::make_shared<const db::RowSet>();
    db::Params params = extraParams;
    // The dataset's own parameters win over the report's.
    for (auto it = entry.params.cbegin(); it != entry.params.cend(); ++it)
        params.insert(it.key(), it.value());
    return std::make_shared<const db::RowSet>(session->select(entry.sql, params));
}

QList<const DatasetEntry*> DatasetRegistry::entriesOf(const QString& owner) const
{
    QList<const DatasetEntry*> out;
    for (const auto& e : entries_)
        if (e->owner == owner)
            out << e.get();
    return out;
}

QList<const DatasetEntry*> DatasetRegistry::openEntries() const
{
    QList<const DatasetEntry*> out;
    for (const auto& e : entries_)
        if (e->rows)
            out << e.get();
    return out;
}

QStringList DatasetRegistry::names() const
{
    QStringList out;
    for (const auto& e : entries_)
        if (!out.contains(e->name, Qt::CaseInsensitive))
            out << e->name;
    out.sort(Qt::CaseInsensitive);
    return out;
}

db::RowSet makeRowSet(const QStringList& columns, const QList<QVariantList>& rows)
{
    db::RowSet rs;
    rs.columns = std::make_shared<const db::Columns>(columns);
    rs.rows.reserve(size_t(rows.size()));
    for (const QVariantList& values : rows) {
        QVariantList v = values;
        while (v.size() < columns.size())
            v << QVariant();
        rs.rows.emplace_back(rs.columns, std::move(v));
    }
    return rs;
}

}  // namespace reports
