#pragma once

#include "db/row.h"
#include "db/session.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace reports {

// A named report dataset: one query of some window (its statement and bound
// parameters), or an in-memory table. The window that defines it is its
// owner; every template sees every dataset, and when two owners define the
// same name the calling window's own definition wins (it shadows the others),
// then the most recent one.
struct DatasetEntry {
    QString owner;
    QString name;
    QString sql;
    db::Params params;
    // The rows, once the caller (or the engine) has read them; null when the
    // query is not open.
    std::shared_ptr<const db::RowSet> rows;
    quint64 serial = 0;  // definition order
};

class DatasetRegistry {
public:
    // Defines (or redefines) a dataset over a statement; closes it.
    void define(const QString& owner, const QString& name, const QString& sql, const db::Params& params = {});
    // Changes the parameters of a defined dataset; closes it.
    void setParams(const QString& owner, const QString& name, const db::Params& params);
    // An in-memory dataset (a window's memory table), open at once.
    void setRows(const QString& owner, const QString& name, db::RowSet rows);
    // Reads the statement now, as a window opens its query before the preview.
    // Throws db::Error.
    void open(const QString& owner, const QString& name, db::Session& session);
    void close(const QString& owner, const QString& name);
    void remove(const QString& owner, const QString& name);
    void removeOwner(const QString& owner);
    void clear();

    // Name lookup (case-insensitive): the caller's own entry, else the most
    // recently defined one of any owner; null when no one defined it.
    const DatasetEntry* find(const QString& name, const QString& caller = {}) const;
    // Rows of a resolved entry, reading its statement when it is not open.
    // Throws db::Error; without a session an unopened statement gives no rows.
    std::shared_ptr<const db::RowSet> rowsOf(const DatasetEntry& entry, db::Session* session,
                                             const db::Params& extraParams = {}) const;

    QList<const DatasetEntry*> entriesOf(const QString& owner) const;
    QList<const DatasetEntry*> openEntries() const;
    QStringList names() const;  // distinct, sorted

private:
    DatasetEntry* findExact(const QString& owner, const QString& name);
    std::vector<std::unique_ptr<DatasetEntry>> entries_;
    quint64 nextSerial_ = 1;
};

// A RowSet built from plain values (memory tables, grids, tests).
db::RowSet makeRowSet(const QStringList& columns, const QList<QVariantList>& rows);

}  // namespace reports
