#pragma once

#include "db/session.h"

#include <QString>
#include <memory>

namespace testsupport {

// The engine the database tests run on: PostgreSQL when MANAGER_TEST_PG_HOST
// names a server (a socket folder or host), otherwise SQLite.
db::Engine testEngine();

// A database of its own for one test, dropped when the object goes away.
// fresh(): the whole schema installed (copied from a template made once per
// test process); empty(): no schema at all.
class TestDatabase {
public:
    static std::unique_ptr<TestDatabase> fresh();
    static std::unique_ptr<TestDatabase> empty();
    ~TestDatabase();

    db::Session& session() { return *session_; }
    db::Session* operator->() { return session_.get(); }
    const db::ConnectionSettings& settings() const { return settings_; }
    // Opens a second session on the same database (a second workstation).
    std::unique_ptr<db::Session> openAnother() const;

private:
    TestDatabase() = default;
    db::ConnectionSettings settings_;
    std::unique_ptr<db::Session> session_;
    QString dropName_;
};

// Prints "database tests on <engine>" once per process (called by the fixtures).
void announceEngine();

}  // namespace testsupport
