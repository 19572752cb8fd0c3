#include "db/session.h"

#include "db/values.h"
#include "db/wal_checkpointer.h"

#include <sqlite3.h>
#include <QAtomicInt>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <vector>

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

// How long a SQLite statement waits for another connection's lock.
constexpr int kSqliteBusyMs = 10000;

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
    if (settings.engine == Engine::Sqlite) {
        // SQLite's allocation statistics take one process-wide lock on every
        // allocation; with a report reading on one connection while the
        // terminals' bills are written on another, the two would queue on it.
        // Only possible before the library's first use; later calls are refused
        // harmlessly.
        static const int memstatus = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        Q_UNUSED(memstatus);
    }
    sqlite3* raw = nullptr;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(
            settings.engine == Engine::Sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), name);
        if (settings.engine == Engine::Sqlite) {
            db.setDatabaseName(settings.sqliteFile);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kSqliteBusyMs));
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
            raw = handle.isValid() ? *static_cast<sqlite3* const*>(handle.data()) : nullptr;
            if (!raw)
                throw Error(QStringLiteral("SQLite handle not available"));
            sqlite3_create_function_v2(raw, "trlower", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, &sqliteTrLower,
                                       nullptr, nullptr, nullptr);
        }
    }
    if (settings.engine == Engine::Sqlite) {
        const bool wal =
            session->scalar(QStringLiteral("PRAGMA journal_mode=WAL")).toString().compare("wal", Qt::CaseInsensitive) == 0;
        session->execRaw(QStringLiteral("PRAGMA synchronous=NORMAL"));
        // Years of ledger rows: a larger page cache and memory-mapped reads keep
        // the stock indexes in memory.
        session->execRaw(QStringLiteral("PRAGMA cache_size=-65536"));
        session->execRaw(QStringLiteral("PRAGMA mmap_size=1073741824"));
        // Fewer, larger checkpoints, run beside the writer: the point-of-sale
        // writes seldom wait for the disk flush a checkpoint ends with.
        session->sqlite_ = raw;
        if (wal && settings.sqliteCheckpointPages > 0)
            session->checkpointer_ =
                std::make_unique<WalCheckpointer>(raw, settings.sqliteFile, settings.sqliteCheckpointPages,
                                                  kSqliteBusyMs);
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
    checkpointer_.reset();
    for (void*& st : control_) {
        sqlite3_finalize(static_cast<sqlite3_stmt*>(st));
        st = nullptr;
    }
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(connectionName_);
}

int Session::backgroundCheckpoints() const
{
    return checkpointer_ ? checkpointer_->completed() : 0;
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

// On SQLite the three statements of a transaction are prepared once and
// stepped directly: the point-of-sale writer runs them for every bill.
void Session::control(int which, const char* sql)
{
    if (!sqlite_) {
        execRaw(QString::fromLatin1(sql));
        return;
    }
    auto* db = static_cast<sqlite3*>(sqlite_);
    auto*& st = reinterpret_cast<sqlite3_stmt*&>(control_[which]);
    if (!st && sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(st);
        st = nullptr;
        throw Error(message, QString::fromLatin1(sql));
    }
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE)
        throw Error(QString::fromUtf8(sqlite3_errmsg(db)), QString::fromLatin1(sql));
}

void Session::begin()
{
    control(0, engine() == Engine::Sqlite ? "BEGIN IMMEDIATE" : "BEGIN");
}

void Session::commit()
{
    control(1, "COMMIT");
}

void Session::rollback()
{
    control(2, "ROLLBACK");
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
    if (session.engine() == Engine::Sqlite) {
        const QVariant handle = session.connection().driver()->handle();
        auto* db = handle.isValid() ? *static_cast<sqlite3* const*>(handle.data()) : nullptr;
        sqlite3_stmt* stmt = nullptr;
        const QByteArray utf8 = positional.toUtf8();
        if (!db || sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt, nullptr) != SQLITE_OK) {
            const QString message =
                db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("SQLite handle not available");
            sqlite3_finalize(stmt);
            throw Error(message, sql);
        }
        native_ = stmt;
        nativeDb_ = db;
        return;
    }
    query_.setForwardOnly(true);
    if (!query_.prepare(positional))
        throw Error(errorText(query_.lastError()), sql);
}

Statement::~Statement()
{
    if (native_)
        sqlite3_finalize(static_cast<sqlite3_stmt*>(native_));
}

QVariantList Statement::ordered(const Params& params) const
{
    QVariantList values;
    values.reserve(placeholders_.size());
    for (const QString& name : placeholders_)
        values << params.value(name);
    return values;
}

namespace {

// Text and blobs are bound without a copy: `keep` holds their bytes until the
// statement has run and its bindings are cleared.
void bindNative(sqlite3_stmt* st, int index, const QVariant& raw, std::vector<QByteArray>& keep)
{
    const QVariant v = toBound(raw);
    if (v.isNull()) {
        sqlite3_bind_null(st, index);
        return;
    }
    switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            sqlite3_bind_int64(st, index, v.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            sqlite3_bind_double(st, index, v.toDouble());
            break;
        case QMetaType::QByteArray: {
            keep.push_back(v.toByteArray());
            sqlite3_bind_blob(st, index, keep.back().constData(), int(keep.back().size()), SQLITE_STATIC);
            break;
        }
        case QMetaType::QString:
            keep.push_back(static_cast<const QString*>(v.constData())->toUtf8());
            sqlite3_bind_text(st, index, keep.back().constData(), int(keep.back().size()), SQLITE_STATIC);
            break;
        default:
            keep.push_back(v.toString().toUtf8());
            sqlite3_bind_text(st, index, keep.back().constData(), int(keep.back().size()), SQLITE_STATIC);
            break;
    }
}

}  // namespace

bool Statement::run(const QVariantList& values, qint64* key)
{
    if (native_) {
        auto* st = static_cast<sqlite3_stmt*>(native_);
        std::vector<QByteArray> keep;
        keep.reserve(size_t(values.size()));
        for (int i = 0; i < values.size(); ++i)
            bindNative(st, i + 1, values[i], keep);
        int rc = sqlite3_step(st);
        bool row = false;
        if (rc == SQLITE_ROW) {
            row = true;
            if (key)
                *key = sqlite3_column_int64(st, 0);
            while (rc == SQLITE_ROW)
                rc = sqlite3_step(st);
        }
        if (rc != SQLITE_DONE) {
            const QString message = QString::fromUtf8(sqlite3_errmsg(static_cast<sqlite3*>(nativeDb_)));
            sqlite3_reset(st);
            sqlite3_clear_bindings(st);
            throw Error(message, sql_);
        }
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
        return row;
    }
    for (int i = 0; i < values.size(); ++i)
        query_.bindValue(i, toBound(values[i]));
    if (!query_.exec())
        throw Error(errorText(query_.lastError()), sql_);
    bool row = false;
    if (query_.isSelect() && query_.next()) {
        row = true;
        if (key)
            *key = query_.value(0).toLongLong();
    }
    query_.finish();
    return row;
}

int Statement::exec(const Params& params)
{
    return execValues(ordered(params));
}

int Statement::execValues(const QVariantList& values)
{
    if (native_) {
        run(values, nullptr);
        return sqlite3_changes(static_cast<sqlite3*>(nativeDb_));
    }
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
    qint64 key = 0;
    if (!run(ordered(params), &key))
        throw Error(QStringLiteral("The insert returned no key"), sql_);
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
