#include "db/session.h"

#include "db/values.h"

#include <sqlite3.h>
#include <QAtomicInt>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>

namespace db {

namespace {

QString errorText(const QSqlError& e)
{
    const QString dbText = e.databaseText().trimmed();
    return dbText.isEmpty() ? e.text().trimmed() : dbText;
}

QVariant toBound(const QVariant& v)
{
    switch (v.typeId()) {
        case QMetaType::QDateTime:
            return v.toDateTime().isValid() ? QVariant(toDbText(v.toDateTime()))
                                            : QVariant(QMetaType(QMetaType::QString));
        case QMetaType::QDate:
            return v.toDate().isValid() ? QVariant(toDbText(v.toDate())) : QVariant(QMetaType(QMetaType::QString));
        case QMetaType::Bool:
            return QVariant(v.toBool() ? 1 : 0);
        default:
            return v;
    }
}

// Turkish lower case for SQLite, registered as trlower(); PostgreSQL gets the
// same function from the schema (ICU collation).
void sqliteTrLower(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (argc != 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const QByteArray out = turkishLower(QString::fromUtf8(text)).toUtf8();
    sqlite3_result_text(ctx, out.constData(), int(out.size()), SQLITE_TRANSIENT);
}

QAtomicInt connectionCounter;

}  // namespace

QString ConnectionSettings::describe() const
{
    if (engine == Engine::Sqlite)
        return "SQLite " + sqliteFile;
    QString where = host.isEmpty() ? QStringLiteral("localhost") : host;
    if (port)
        where += ":" + QString::number(port);
    return "PostgreSQL " + database + " on " + where;
}

Cursor::Cursor(QSqlQuery query) : query_(std::move(query))
{
    const QSqlRecord rec = query_.record();
    QStringList names;
    for (int i = 0; i < rec.count(); ++i)
        names << rec.fieldName(i);
    columns_ = std::make_shared<const Columns>(names);
}

bool Cursor::next()
{
    return query_.next();
}

Row Cursor::row() const
{
    QVariantList values;
    values.reserve(columns_->size());
    for (int i = 0; i < columns_->size(); ++i)
        values << query_.value(i);
    return Row(columns_, std::move(values));
}

Session::Session(ConnectionSettings settings, QString connectionName)
    : settings_(std::move(settings)),
      connectionName_(std::move(connectionName)),
      dialect_(Dialect::create(settings_.engine))
{
}

std::unique_ptr<Session> Session::open(const ConnectionSettings& settings, const QString& connectionName)
{
    const QString name = connectionName.isEmpty()
                             ? QStringLiteral("manager-%1").arg(connectionCounter.fetchAndAddRelaxed(1))
                             : connectionName;
    std::unique_ptr<Session> session(new Session(settings, name));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(
            settings.engine == Engine::Sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), name);
        if (settings.engine == Engine::Sqlite) {
            db.setDatabaseName(settings.sqliteFile);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        } else {
            db.setHostName(settings.host);
            if (settings.port)
                db.setPort(settings.port);
            db.setDatabaseName(settings.database);
            db.setUserName(settings.user);
            db.setPassword(settings.password);
            db.setConnectOptions(QStringLiteral("connect_timeout=10"));
        }
        if (!db.open())
            throw Error(errorText(db.lastError()));
        if (settings.engine == Engine::Sqlite) {
            const QVariant handle = db.driver()->handle();
            auto* raw = handle.isValid() ? *static_cast<sqlite3* const*>(handle.data()) : nullptr;
            if (!raw)
                throw Error(QStringLiteral("SQLite handle not available"));
            sqlite3_create_function_v2(raw, "trlower", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, &sqliteTrLower,
                                       nullptr, nullptr, nullptr);
        }
    }
    if (settings.engine == Engine::Sqlite) {
        session->execRaw(QStringLiteral("PRAGMA journal_mode=WAL"));
        session->execRaw(QStringLiteral("PRAGMA synchronous=NORMAL"));
        // Years of ledger rows: a larger page cache and memory-mapped reads keep
        // the stock indexes in memory; fewer, larger checkpoints keep the
        // point-of-sale writes from waiting on the disk after every few bills.
        session->execRaw(QStringLiteral("PRAGMA cache_size=-65536"));
        session->execRaw(QStringLiteral("PRAGMA mmap_size=1073741824"));
        session->execRaw(QStringLiteral("PRAGMA wal_autocheckpoint=8192"));
        session->execRaw(QStringLiteral("PRAGMA temp_store=MEMORY"));
        session->execRaw(QStringLiteral("PRAGMA foreign_keys=OFF"));
    } else {
        session->execRaw(QStringLiteral("SET client_min_messages TO WARNING"));
        session->execRaw(QStringLiteral("SET DateStyle TO ISO, DMY"));
    }
    return session;
}

Session::~Session()
{
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(connectionName_);
}

QSqlDatabase Session::connection() const
{
    return QSqlDatabase::database(connectionName_, false);
}

bool Session::isOpen() const
{
    return connection().isOpen();
}

QSqlQuery Session::run(const QString& sql, const Params& params)
{
    QSqlQuery q(connection());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw Error(errorText(q.lastError()), sql);
    for (auto it = params.cbegin(); it != params.cend(); ++it) {
        const QString placeholder = ":" + it.key();
        if (sql.contains(placeholder))
            q.bindValue(placeholder, toBound(it.value()));
    }
    if (!q.exec())
        throw Error(errorText(q.lastError()), sql);
    return q;
}

RowSet Session::select(const QString& sql, const Params& params)
{
    Cursor c(run(sql, params));
    RowSet rs;
    rs.columns = c.columns();
    while (c.next())
        rs.rows.push_back(c.row());
    return rs;
}

std::optional<Row> Session::selectOne(const QString& sql, const Params& params)
{
    Cursor c(run(sql, params));
    if (!c.next())
        return std::nullopt;
    return c.row();
}

QVariant Session::scalar(const QString& sql, const Params& params)
{
    QSqlQuery q = run(sql, params);
    if (!q.next())
        return {};
    return q.value(0);
}

int Session::exec(const QString& sql, const Params& params)
{
    return run(sql, params).numRowsAffected();
}

qint64 Session::insert(const QString& sql, const Params& params)
{
    QSqlQuery q = run(sql, params);
    if (!q.next())
        throw Error(QStringLiteral("The insert returned no key"), sql);
    return q.value(0).toLongLong();
}

Cursor Session::cursor(const QString& sql, const Params& params)
{
    return Cursor(run(sql, params));
}

void Session::execRaw(const QString& sql)
{
    QSqlQuery q(connection());
    q.setForwardOnly(true);
    if (!q.exec(sql))
        throw Error(errorText(q.lastError()), sql);
}

bool Session::tableExists(const QString& name)
{
    return selectOne(dialect().tableExistsSql(), {{"name", name}}).has_value();
}

void Session::begin()
{
    execRaw(engine() == Engine::Sqlite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
}

void Session::commit()
{
    execRaw(QStringLiteral("COMMIT"));
}

void Session::rollback()
{
    execRaw(QStringLiteral("ROLLBACK"));
}

// Named placeholders are turned into positional ones once, here, so that a
// hot loop binds by index instead of looking names up on every row.
Statement::Statement(Session& session, const QString& sql) : query_(session.connection()), sql_(sql)
{
    QString positional;
    positional.reserve(sql.size());
    QChar quote;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            positional += c;
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
            positional += c;
            continue;
        }
        const bool starts = c == ':' && i + 1 < sql.size() && (sql[i + 1].isLetter() || sql[i + 1] == '_') &&
                            (i == 0 || sql[i - 1] != ':');
        if (!starts) {
            positional += c;
            continue;
        }
        qsizetype j = i + 1;
        while (j < sql.size() && (sql[j].isLetterOrNumber() || sql[j] == '_'))
            ++j;
        placeholders_ << sql.mid(i + 1, j - i - 1);
        positional += '?';
        i = j - 1;
    }
    query_.setForwardOnly(true);
    if (!query_.prepare(positional))
        throw Error(errorText(query_.lastError()), sql);
}

void Statement::run(const Params& params)
{
    for (int i = 0; i < placeholders_.size(); ++i)
        query_.bindValue(i, toBound(params.value(placeholders_[i])));
    if (!query_.exec())
        throw Error(errorText(query_.lastError()), sql_);
}

int Statement::exec(const Params& params)
{
    run(params);
    const int n = query_.numRowsAffected();
    query_.finish();
    return n;
}

int Statement::execValues(const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i)
        query_.bindValue(i, toBound(values[i]));
    if (!query_.exec())
        throw Error(errorText(query_.lastError()), sql_);
    const int n = query_.numRowsAffected();
    query_.finish();
    return n;
}

qint64 Statement::insert(const Params& params)
{
    run(params);
    if (!query_.next())
        throw Error(QStringLiteral("The insert returned no key"), sql_);
    const qint64 key = query_.value(0).toLongLong();
    query_.finish();
    return key;
}

Transaction::Transaction(Session& session) : session_(session)
{
    outermost_ = session_.transactionDepth_ == 0;
    if (outermost_) {
        session_.begin();
        session_.rollbackOnly_ = false;
    }
    ++session_.transactionDepth_;
}

Transaction::~Transaction()
{
    if (done_)
        return;
    --session_.transactionDepth_;
    if (outermost_) {
        try {
            session_.rollback();
        } catch (const Error&) {
            // The connection is gone; nothing was committed.
        }
    } else {
        session_.rollbackOnly_ = true;  // an inner unit failed: the outer one may not commit
    }
}

void Transaction::commit()
{
    if (done_)
        return;
    if (outermost_ && session_.rollbackOnly_)
        throw Error(QStringLiteral("An inner unit of work failed; nothing was saved"));
    if (outermost_)
        session_.commit();
    done_ = true;
    --session_.transactionDepth_;
}

}  // namespace db
