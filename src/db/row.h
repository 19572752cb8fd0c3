#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

namespace db {

// Column names of a result, looked up case-insensitively: PostgreSQL returns
// unquoted names folded to lower case, SQLite returns them as written.
class Columns {
public:
    explicit Columns(QStringList names);
    const QStringList& names() const { return names_; }
    int indexOf(const QString& name) const;  // -1 when absent
    int size() const { return int(names_.size()); }

private:
    QStringList names_;
    QHash<QString, int> byName_;    // as returned by the driver
    QHash<QString, int> byFolded_;  // lower case
};

// One row of a result, copied out of the driver.
class Row {
public:
    Row() = default;
    Row(std::shared_ptr<const Columns> columns, QVariantList values)
        : columns_(std::move(columns)), values_(std::move(values))
    {
    }

    bool has(const QString& column) const;
    QVariant value(const QString& column) const;  // throws db::Error for an unknown column
    QVariant at(int index) const { return values_.value(index); }
    QVariant operator[](const QString& column) const { return value(column); }
    int size() const { return int(values_.size()); }
    bool isNull(const QString& column) const { return value(column).isNull(); }

    // Convenience readers: empty / 0 / invalid for NULL.
    QString text(const QString& column) const;
    double number(const QString& column) const;
    qint64 integer(const QString& column) const;
    bool flag(const QString& column) const;
    QDateTime dateTime(const QString& column) const;
    QDate date(const QString& column) const;

    const QVariantList& values() const { return values_; }
    QVariantList& values() { return values_; }
    const std::shared_ptr<const Columns>& columns() const { return columns_; }

private:
    std::shared_ptr<const Columns> columns_;
    QVariantList values_;
};

// A fully read result.
struct RowSet {
    std::shared_ptr<const Columns> columns;
    std::vector<Row> rows;

    int size() const { return int(rows.size()); }
    bool empty() const { return rows.empty(); }
    const Row& operator[](int i) const { return rows[size_t(i)]; }
    auto begin() const { return rows.begin(); }
    auto end() const { return rows.end(); }
    QStringList columnNames() const { return columns ? columns->names() : QStringList{}; }
};

}  // namespace db
