#include "ui/row_store.h"

#include <bit>

namespace ui {

void RowStore::reset(std::shared_ptr<const db::Columns> columns)
{
    columns_ = std::move(columns);
    cols_.clear();
    cols_.resize(size_t(columns_ ? columns_->size() : 0));
    rows_ = 0;
}

void RowStore::put(Column& col, size_t at, const QVariant& v)
{
    quint8 kind = Other;
    quint64 bits = 0;
    if (v.isNull() || !v.isValid()) {
        kind = Null;
        if (!col.nullType.isValid() && v.metaType().isValid())
            col.nullType = v.metaType();
    } else {
        switch (v.typeId()) {
            case QMetaType::LongLong:
            case QMetaType::Int:
            case QMetaType::Short:
            case QMetaType::Long:
            case QMetaType::UInt:
            case QMetaType::UShort:
                kind = Integer;
                bits = quint64(v.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                kind = Real;
                bits = std::bit_cast<quint64>(v.toDouble());
                break;
            case QMetaType::QString: {
                kind = Text;
                const QString s = v.toString();
                auto it = col.textNumbers.constFind(s);
                if (it == col.textNumbers.cend()) {
                    it = col.textNumbers.insert(s, quint32(col.texts.size()));
                    col.texts << s;
                }
                bits = *it;
                break;
            }
            default:
                kind = Other;
                bits = col.others.size();
                col.others.push_back(v);
                break;
        }
    }
    if (at == col.kind.size()) {
        col.kind.push_back(kind);
        col.bits.push_back(bits);
    } else {
        col.kind[at] = kind;
        col.bits[at] = bits;
    }
}

void RowStore::append(const db::Row& row)
{
    for (size_t c = 0; c < cols_.size(); ++c)
        put(cols_[c], size_t(rows_), row.at(int(c)));
    ++rows_;
}

QVariant RowStore::value(int row, int column) const
{
    if (row < 0 || row >= rows_ || column < 0 || column >= columnCount())
        return {};
    const Column& col = cols_[size_t(column)];
    const quint64 bits = col.bits[size_t(row)];
    switch (col.kind[size_t(row)]) {
        case Null:
            return col.nullType.isValid() ? QVariant(col.nullType) : QVariant();
        case Integer:
            return QVariant(qlonglong(bits));
        case Real:
            return QVariant(std::bit_cast<double>(bits));
        case Text:
            return QVariant(col.texts[qsizetype(bits)]);
        default:
            return col.others[size_t(bits)];
    }
}

db::Row RowStore::row(int row) const
{
    QVariantList values;
    values.reserve(columnCount());
    for (int c = 0; c < columnCount(); ++c)
        values << value(row, c);
    return db::Row(columns_, std::move(values));
}

void RowStore::setRow(int row, const db::Row& values)
{
    if (row < 0 || row >= rows_)
        return;
    for (size_t c = 0; c < cols_.size(); ++c)
        put(cols_[c], size_t(row), values.at(int(c)));
}

void RowStore::remove(int row)
{
    if (row < 0 || row >= rows_)
        return;
    for (Column& col : cols_) {
        col.kind.erase(col.kind.begin() + row);
        col.bits.erase(col.bits.begin() + row);
    }
    --rows_;
}

}  // namespace ui
