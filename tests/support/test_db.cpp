#include "test_db.h"

#include "db/schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUuid>
#include <cstdio>

namespace testsupport {

namespace {

QString env(const char* name)
{
    return qEnvironmentVariable(name);
}

db::ConnectionSettings pgSettings(const QString& database)
{
    db::ConnectionSettings s;
    s.engine = db::Engine::Postgres;
    s.host = env("MANAGER_TEST_PG_HOST");
    s.port = env("MANAGER_TEST_PG_PORT").toInt();
    s.user = env("MANAGER_TEST_PG_USER").isEmpty() ? QStringLiteral("postgres") : env("MANAGER_TEST_PG_USER");
    s.database = database;
    return s;
}

QTemporaryDir& scratch()
{
    static QTemporaryDir dir;
    return dir;
}

QString uniqueName(const char* prefix)
{
    return QString("%1_%2").arg(QLatin1String(prefix), QUuid::createUuid().toString(QUuid::Id128).left(16));
}

// Admin session on PostgreSQL's maintenance database.
db::Session& pgAdmin()
{
    static std::unique_ptr<db::Session> admin = db::Session::open(pgSettings(QStringLiteral("postgres")));
    return *admin;
}

// The migrated template, made once per process.
const QString& templateName()
{
    static QString name = [] {
        if (testEngine() == db::Engine::Sqlite) {
            const QString file = scratch().filePath(QStringLiteral("template.db"));
            {
                auto s = db::Session::open({db::Engine::Sqlite, file});
                db::upgradeSchema(*s);
                s->execRaw(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
                s->execRaw(QStringLiteral("PRAGMA journal_mode=DELETE"));
            }
            return file;
        }
        const QString db = uniqueName("mgr_tmpl");
        pgAdmin().execRaw("CREATE DATABASE " + db);
        {
            auto s = db::Session::open(pgSettings(db));
            db::upgradeSchema(*s);
        }
        // Drop the template when the application object goes away, while
        // the admin connection is still usable.
        qAddPostRoutine([] {
            try {
                pgAdmin().execRaw("DROP DATABASE IF EXISTS " + templateName() + " WITH (FORCE)");
            } catch (...) {
            }
        });
        return db;
    }();
    return name;
}

std::unique_ptr<TestDatabase> make(bool withSchema, db::ConnectionSettings& settings, QString& dropName)
{
    announceEngine();
    if (testEngine() == db::Engine::Sqlite) {
        const QString file = scratch().filePath(uniqueName("test") + ".db");
        if (withSchema && !QFile::copy(templateName(), file))
            throw db::Error("Cannot copy the template database");
        settings = {db::Engine::Sqlite, file};
        return nullptr;
    }
    const QString name = uniqueName("mgr_test");
    if (withSchema)
        pgAdmin().execRaw("CREATE DATABASE " + name + " TEMPLATE " + templateName());
    else
        pgAdmin().execRaw("CREATE DATABASE " + name);
    settings = pgSettings(name);
    dropName = name;
    return nullptr;
}

}  // namespace

db::Engine testEngine()
{
    return env("MANAGER_TEST_PG_HOST").isEmpty() ? db::Engine::Sqlite : db::Engine::Postgres;
}

void announceEngine()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    std::printf("database tests on %s\n", qPrintable(db::engineName(testEngine())));
    std::fflush(stdout);
}

std::unique_ptr<TestDatabase> TestDatabase::fresh()
{
    std::unique_ptr<TestDatabase> t(new TestDatabase);
    make(true, t->settings_, t->dropName_);
    t->session_ = db::Session::open(t->settings_);
    return t;
}

std::unique_ptr<TestDatabase> TestDatabase::empty()
{
    std::unique_ptr<TestDatabase> t(new TestDatabase);
    make(false, t->settings_, t->dropName_);
    t->session_ = db::Session::open(t->settings_);
    return t;
}

std::unique_ptr<db::Session> TestDatabase::openAnother() const
{
    return db::Session::open(settings_);
}

TestDatabase::~TestDatabase()
{
    session_.reset();
    if (!dropName_.isEmpty()) {
        try {
            pgAdmin().execRaw("DROP DATABASE IF EXISTS " + dropName_ + " WITH (FORCE)");
        } catch (...) {
        }
    } else if (settings_.engine == db::Engine::Sqlite) {
        QFile::remove(settings_.sqliteFile);
        QFile::remove(settings_.sqliteFile + "-wal");
        QFile::remove(settings_.sqliteFile + "-shm");
    }
}

}  // namespace testsupport
