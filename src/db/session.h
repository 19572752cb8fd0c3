#pragma once

#include "db/dialect.h"
#include "db/error.h"
#include "db/row.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantMap>
#include <memory>
#include <optional>

namespace db {

class WalCheckpointer;

// Named parameters: {{"kod", code}, {"dpt", department}} for ":kod" and ":dpt".
// QDate and QDateTime values are bound as canonical text (see db/datetime.h),
// booleans as 0/1; every other value goes to the driver unchanged.
using Params = QVariantMap;

struct ConnectionSettings {
    Engine engine = Engine::Sqlite;
    QString sqliteFile;  // SQLite: the database file
    QString host;        // PostgreSQL: host name or socket folder
    int port = 0;        // PostgreSQL: 0 for the default port
    QString database;
    QString user;
    QString password;
    // SQLite: log pages (4 kB each) after which a commit hands a checkpoint
    // to a background thread; 0 leaves checkpoints to the engine (1000 pages,
    // run by the committing connection). Large checkpoints copy a page written
    // by many bills once.
    int sqliteCheckpointPages = 16384;

    QString describe() const;  // "SQLite ruvobase.db" / "PostgreSQL ruvobase on host:port"
};

// A forward-only reader over a large result; rows are read one at a time.
class Cursor {
public:
    explicit Cursor(QSqlQuery query);
    bool next();
    Row row() const;
    QVariant value(int index) const { return query_.value(index); }
    const std::shared_ptr<const Columns>& columns() const { return columns_; }

private:
    QSqlQuery query_;
    std::shared_ptr<const Columns> columns_;
};

class Session;

// A statement prepared once and run many times (bulk writers, hot loops).
class Statement {
public:
    Statement(Session& session, const QString& sql);
    int exec(const Params& params = {});       // rows affected
    qint64 insert(const Params& params = {});  // INSERT ... RETURNING key
    // Binds `values` in the order of the placeholders ("?" or named) and runs
    // the statement: for hot loops that build their values once.
    int execValues(const QVariantList& values);

    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

private:
    // Binds and runs; true when the statement returned a row (`key` then holds
    // its first column).
    bool run(const QVariantList& values, qint64* key);
    QVariantList ordered(const Params& params) const;
    QSqlQuery query_;
    QString sql_;
    QStringList placeholders_;
    // On SQLite the statement is bound and stepped through the engine's own
    // interface: the point-of-sale writes go through here thousands of times a
    // second, and the generic layer's per-value cost would dominate.
    void* native_ = nullptr;    // sqlite3_stmt*
    void* nativeDb_ = nullptr;  // sqlite3*
};

// The one database session of a run. Every service takes it by reference.
class Session {
public:
    // Opens the connection; throws db::Error with the driver's text on failure.
    static std::unique_ptr<Session> open(const ConnectionSettings& settings, const QString& connectionName = {});
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Engine engine() const { return settings_.engine; }
    const Dialect& dialect() const { return *dialect_; }
    const ConnectionSettings& settings() const { return settings_; }
    QSqlDatabase connection() const;
    bool isOpen() const;

    RowSet select(const QString& sql, const Params& params = {});
    std::optional<Row> selectOne(const QString& sql, const Params& params = {});
    QVariant scalar(const QString& sql, const Params& params = {});  // null when no row
    int exec(const QString& sql, const Params& params = {});         // rows affected
    // Runs an INSERT ... RETURNING <key> and returns the new key.
    qint64 insert(const QString& sql, const Params& params = {});
    Cursor cursor(const QString& sql, const Params& params = {});
    // Runs a statement with no parameters as written (DDL, maintenance).
    void execRaw(const QString& sql);

    bool tableExists(const QString& name);
    // Checkpoints the background thread has completed (SQLite in WAL mode).
    int backgroundCheckpoints() const;
    bool inTransaction() const { return transactionDepth_ > 0; }

private:
    friend class Transaction;
    Session(ConnectionSettings settings, QString connectionName);
    QSqlQuery run(const QString& sql, const Params& params);
    void begin();
    void commit();
    void rollback();
    void control(int which, const char* sql);  // BEGIN (0), COMMIT (1), ROLLBACK (2)

    ConnectionSettings settings_;
    QString connectionName_;
    std::unique_ptr<Dialect> dialect_;
    int transactionDepth_ = 0;
    bool rollbackOnly_ = false;
    std::unique_ptr<WalCheckpointer> checkpointer_;  // SQLite in WAL mode
    void* sqlite_ = nullptr;                           // sqlite3*, SQLite only
    void* control_[3] = {nullptr, nullptr, nullptr};   // sqlite3_stmt* of control()
};

// One unit of work: rolls back unless commit() was called. Nested scopes join
// the outer transaction; only the outermost one commits or rolls back.
class Transaction {
public:
    explicit Transaction(Session& session);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Session& session_;
    bool done_ = false;
    bool outermost_ = false;
};

}  // namespace db
