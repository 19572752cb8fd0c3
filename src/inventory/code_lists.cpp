#include "inventory/code_lists.h"

#include <QMetaType>

namespace inventory {

namespace {

struct Column {
    const char* name;
    const char* caption;
    int length;  // 0: not a text
};

struct Definition {
    const char* table;
    const char* key;
    QList<Column> columns;
    int stock;  // -1: no STOK column
};

const Definition& definition(CodeList list)
{
    static const Definition productGroups{"Q_GRUPS",
                                          "GRUP_ID",
                                          {{"GRUP", "Grup", 30},
                                           {"CATEGORY", "Kategori", 20},
                                           {"TYPE", "Tip", 10},
                                           {"xchol", "Alkol", 0},
                                           {"fatura", "Fatura/Kasa", 20}},
                                          0};
    static const Definition stockGroups{"Q_GRUPS", "GRUP_ID", productGroups.columns, 1};
    static const Definition categories{"Q_CATEGORY", "CATEGORY_ID", {{"CATEGORY", "Kategori", 20}}, -1};
    static const Definition types{"Q_TYPES", "TYPE_ID", {{"TYPE", "Tip", 10}}, -1};
    static const Definition units{"Q_BIRIMS", "", {{"Olcu", "Ölçü", 10}, {"Birim", "Birim", 10}}, -1};
    static const Definition departments{"Q_DEPARTMENT", "DEPO_ID", {{"DEPARTMENT", "Departman", 20}}, -1};
    switch (list) {
        case CodeList::ProductGroups:
            return productGroups;
        case CodeList::StockGroups:
            return stockGroups;
        case CodeList::Categories:
            return categories;
        case CodeList::Types:
            return types;
        case CodeList::Units:
            return units;
        case CodeList::Departments:
            break;
    }
    return departments;
}

QVariant valueOf(const Column& c, const QVariantMap& values)
{
    const QVariant v = values.value(QString::fromLatin1(c.name));
    if (c.length == 0)  // a flag
        return v.toBool() || v.toString() == QLatin1String("1") ? 1 : 0;
    if (v.isNull())
        return QVariant(QMetaType(QMetaType::QString));
    return v.toString();
}

// The unit pairs have no key: a row is found by its two values (NULL and
// empty alike).
QString unitMatch()
{
    return QStringLiteral("COALESCE(Olcu, '') = COALESCE(:o0, '') AND COALESCE(Birim, '') = COALESCE(:o1, '')");
}

db::Params unitMatchParams(const db::Row& row)
{
    return {{"o0", row.text("Olcu")}, {"o1", row.text("Birim")}};
}

}  // namespace

QStringList CodeListService::columns(CodeList list)
{
    QStringList out;
    for (const Column& c : definition(list).columns)
        out << QString::fromLatin1(c.name);
    return out;
}

QString CodeListService::keyColumn(CodeList list)
{
    return QString::fromLatin1(definition(list).key);
}

db::RowSet CodeListService::rows(CodeList list)
{
    const Definition& d = definition(list);
    QString sql = QStringLiteral("SELECT * FROM ") + QLatin1String(d.table);
    db::Params params;
    if (d.stock >= 0) {
        sql += QStringLiteral(" WHERE STOK = :stok");
        params.insert("stok", d.stock);
    }
    sql += QStringLiteral(" ORDER BY ") + (*d.key ? QLatin1String(d.key) : QLatin1String("Olcu, Birim"));
    return session_.select(sql, params);
}

WriteResult CodeListService::save(CodeList list, const std::optional<db::Row>& before, const QVariantMap& values)
{
    const Definition& d = definition(list);
    for (const Column& c : d.columns) {
        const QString text = values.value(QString::fromLatin1(c.name)).toString();
        if (c.length > 0 && text.size() > c.length)
            return WriteResult::refused(Refusal::plain(
                QString::fromUtf8(c.caption) + " En Fazla " + QString::number(c.length) + " Karakter Olabilir",
                QString::fromLatin1(c.name)));
    }
    db::Params params;
    QStringList names, holders, sets;
    for (int i = 0; i < d.columns.size(); ++i) {
        const QString name = QString::fromLatin1(d.columns[i].name);
        const QString holder = "v" + QString::number(i);
        params.insert(holder, valueOf(d.columns[i], values));
        names << name;
        holders << ":" + holder;
        sets << name + " = :" + holder;
    }
    if (d.stock >= 0) {
        // A group belongs to the list it was entered in.
        params.insert("stok", d.stock);
        names << QStringLiteral("STOK");
        holders << QStringLiteral(":stok");
        sets << QStringLiteral("STOK = :stok");
    }
    const QString table = QString::fromLatin1(d.table);
    const QString key = QString::fromLatin1(d.key);

    db::Transaction tx(session_);
    qint64 newKey = 0;
    if (!before) {
        const QString insert =
            "INSERT INTO " + table + " (" + names.join(", ") + ") VALUES (" + holders.join(", ") + ")";
        if (key.isEmpty())
            session_.exec(insert, params);
        else
            newKey = session_.insert(insert + " RETURNING " + key, params);
    } else if (key.isEmpty()) {
        params.insert(unitMatchParams(*before));
        session_.exec("UPDATE " + table + " SET " + sets.join(", ") + " WHERE " + unitMatch(), params);
    } else {
        newKey = before->integer(key);
        params.insert("key", newKey);
        session_.exec("UPDATE " + table + " SET " + sets.join(", ") + " WHERE " + key + " = :key", params);
    }
    tx.commit();
    return WriteResult::done(newKey);
}

void CodeListService::remove(CodeList list, const db::Row& row)
{
    const Definition& d = definition(list);
    const QString table = QString::fromLatin1(d.table);
    db::Transaction tx(session_);
    if (*d.key)
        session_.exec("DELETE FROM " + table + " WHERE " + QLatin1String(d.key) + " = :key",
                      {{"key", row.integer(QString::fromLatin1(d.key))}});
    else
        session_.exec("DELETE FROM " + table + " WHERE " + unitMatch(), unitMatchParams(row));
    tx.commit();
}

QStringList CodeListService::categoryNames()
{
    QStringList out;
    for (const auto& r : session_.select(QStringLiteral("SELECT CATEGORY FROM Q_CATEGORY ORDER BY CATEGORY")))
        if (!r.text("CATEGORY").isEmpty() && !out.contains(r.text("CATEGORY")))
            out << r.text("CATEGORY");
    return out;
}

QStringList CodeListService::typeNames()
{
    QStringList out;
    for (const auto& r : session_.select(QStringLiteral("SELECT TYPE FROM Q_TYPES ORDER BY TYPE")))
        if (!r.text("TYPE").isEmpty() && !out.contains(r.text("TYPE")))
            out << r.text("TYPE");
    return out;
}

double CodeListService::vatRate()
{
    return session_.scalar(QStringLiteral("SELECT KDV FROM Q_KDV")).toDouble();
}

void CodeListService::setVatRate(double rate)
{
    db::Transaction tx(session_);
    if (session_.exec(QStringLiteral("UPDATE Q_KDV SET KDV = :k"), {{"k", rate}}) == 0)
        session_.exec(QStringLiteral("INSERT INTO Q_KDV (KDV) VALUES (:k)"), {{"k", rate}});
    tx.commit();
}

}  // namespace inventory
