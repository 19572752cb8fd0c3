#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace db {

enum class Engine { Sqlite, Postgres };

QString engineName(Engine engine);  // "SQLite" / "PostgreSQL"

// Every difference between the two engines lives here: schema tokens, the few
// expressions that are written differently, and catalogue look-ups.
//
// Schema and view sources are written once, with tokens in braces:
//   {IDENTITY}        identity primary key (numbers are never reused)
//   {DATETIME}        a date-time column (ISO text on SQLite, timestamp on PostgreSQL)
//   {BLOB}            a large binary column
//   {NOW}             the current local date-time, as a column default or expression
//   {TIMENOW}         the current local time of day as "hh:mm:ss" text
//   {ZAMAN(d, t)}     the moment made of a date column d and a "hh:mm:ss" text t
//   {YEAR(x)} {MONTH(x)} {DAY(x)}   parts of a date-time as integers
//   {MONTHNAME(x)}    the Turkish month name of a date-time
//   {DATE(x)}         the date part of a date-time, as a date-time at 00:00:00
//   {ADDDAYS(x, n)}   a date-time plus n days
//   {ROUND(x, n)}     a double rounded to n decimals, still a double
// A line "-- @sqlite" or "-- @postgres" starts a block for one engine only,
// "-- @both" ends it.
class Dialect {
public:
    virtual ~Dialect() = default;
    static std::unique_ptr<Dialect> create(Engine engine);

    virtual Engine engine() const = 0;
    QString name() const { return engineName(engine()); }

    // Expands the tokens and engine blocks of a schema source.
    QString expand(const QString& source) const;
    // Splits an expanded script into statements (";" at a line end, keeping
    // trigger bodies and $$-quoted function bodies whole).
    static QStringList splitStatements(const QString& script);

    // Case-insensitive, Turkish-aware folding of a text expression for searches.
    QString fold(const QString& expression) const { return "trlower(" + expression + ")"; }
    // "<expr> LIKE :param ESCAPE '\'" with Turkish folding on both sides; bind
    // the parameter with db::likePattern().
    QString foldedLike(const QString& expression, const QString& param) const;

    virtual QString tableExistsSql() const = 0;  // one parameter :name, returns a row when it exists
    virtual QString columnsSql() const = 0;      // :name -> rows (name, type) in table order

protected:
    virtual QString token(const QString& name, const QStringList& args) const = 0;
};

}  // namespace db
