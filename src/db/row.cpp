#include "db/row.h"

#include "db/error.h"
#include "db/values.h"

namespace db {

Columns::Columns(QStringList names) : names_(std::move(names))
{
    for (int i = 0; i < names_.size(); ++i) {
        byName_.insert(names_[i], i);
        byFolded_.insert(names_[i].toLower(), i);
    }
}

int Columns::indexOf(const QString& name) const
{
    // Most look-ups spell the name as the driver returns it; only the others
    // pay for folding.
    const auto it = byName_.constFind(name);
    if (it != byName_.cend())
        return *it;
    return byFolded_.value(name.toLower(), -1);
}

bool Row::has(const QString& column) const
{
    return columns_ && columns_->indexOf(column) >= 0;
}

QVariant Row::value(const QString& column) const
{
    const int i = columns_ ? columns_->indexOf(column) : -1;
    if (i < 0)
        throw Error("Unknown column " + column);
    return values_.value(i);
}

QString Row::text(const QString& column) const
{
    return value(column).toString();
}

double Row::number(const QString& column) const
{
    return value(column).toDouble();
}

qint64 Row::integer(const QString& column) const
{
    return value(column).toLongLong();
}

bool Row::flag(const QString& column) const
{
    const QVariant v = value(column);
    if (v.typeId() == QMetaType::QString)
        return v.toString().trimmed() == QLatin1String("1") || v.toString().compare("true", Qt::CaseInsensitive) == 0;
    return v.toLongLong() != 0;
}

QDateTime Row::dateTime(const QString& column) const
{
    return fromDb(value(column));
}

QDate Row::date(const QString& column) const
{
    return fromDb(value(column)).date();
}

}  // namespace db
