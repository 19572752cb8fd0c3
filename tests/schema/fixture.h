#pragma once

// Small helpers for the schema tests: insert a row given as column -> value.

#include "db/session.h"

#include <QDate>
#include <QStringList>

namespace schematest {

// INSERT INTO table (keys...) VALUES (:keys...); dates are bound as canonical
// text by the session.
inline void put(db::Session& s, const QString& table, const db::Params& values)
{
    QStringList cols;
    QStringList marks;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        cols << it.key();
        marks << ":" + it.key();
    }
    s.exec("INSERT INTO " + table + " (" + cols.join(", ") + ") VALUES (" + marks.join(", ") + ")", values);
}

inline QDate day(int y, int m, int d)
{
    return QDate(y, m, d);
}

}  // namespace schematest
