#pragma once

#include "db/row.h"

#include <QHash>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

namespace ui {

// The rows a grid has read, kept column by column in a compact form: a kind
// byte and eight bytes per value, each distinct text once per column. A month
// of ledger movements (170,000 rows) then takes tens of megabytes, not the
// hundreds that one QVariant list per row would.
class RowStore {
public:
    void reset(std::shared_ptr<const db::Columns> columns);
    const std::shared_ptr<const db::Columns>& columns() const { return columns_; }
    int size() const { return rows_; }
    int columnCount() const { return int(cols_.size()); }

    void append(const db::Row& row);
    QVariant value(int row, int column) const;
    // Equal keys mean equal values (within one column): lets callers work
    // something out once per distinct value.
    struct Key {
        quint8 kind;
        quint64 bits;
        friend bool operator==(const Key& a, const Key& b) { return a.kind == b.kind && a.bits == b.bits; }
        friend size_t qHash(const Key& k, size_t seed = 0) { return qHashMulti(seed, k.kind, k.bits); }
    };
    Key key(int row, int column) const
    {
        const Column& col = cols_[size_t(column)];
        return {col.kind[size_t(row)], col.bits[size_t(row)]};
    }
    db::Row row(int row) const;
    void setRow(int row, const db::Row& values);
    void remove(int row);

private:
    enum Kind : quint8 { Null, Integer, Real, Text, Other };
    struct Column {
        std::vector<quint8> kind;
        std::vector<quint64> bits;  // integer, real (bit pattern), text number or other's index
        QStringList texts;
        QHash<QString, quint32> textNumbers;
        std::vector<QVariant> others;
        QMetaType nullType;  // how the driver typed this column's NULLs
    };
    void put(Column& col, size_t at, const QVariant& v);

    std::shared_ptr<const db::Columns> columns_;
    std::vector<Column> cols_;
    int rows_ = 0;
};

}  // namespace ui
