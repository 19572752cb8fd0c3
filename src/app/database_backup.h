#pragma once

#include "db/session.h"

#include <QString>

namespace app {

struct BackupResult {
    bool ok = false;
    QString file;    // the backup written (also when it failed a check)
    QString reason;  // why it failed, for the user
};

// A real, restorable copy of the database in use, written into a folder with
// a label (the clock text) in its file name:
//  - SQLite: an online copy of the database file (VACUUM INTO), which opens as
//    a database of its own;
//  - PostgreSQL: a plain SQL dump by pg_dump with the session's connection
//    settings, which psql replays into an empty database.
// A backup counts as done only once the file exists and reads back whole.
class DatabaseBackup {
public:
    explicit DatabaseBackup(db::Session& session) : session_(session) {}

    BackupResult run(const QString& folder, const QString& label);

    // The file name a backup gets: "<database>_<label>.db" / ".sql".
    QString fileName(const QString& label) const;
    // The folder a workstation backs up into unless told otherwise.
    static QString defaultFolder();
    // The folder chosen on this workstation (kept in "yedekleme.ini" in the
    // working directory), or the default one.
    static QString configuredFolder();
    static void setConfiguredFolder(const QString& folder);
    // The PostgreSQL client programs ("pg_dump", "psql"): on the PATH, or the
    // newest of the installed server versions.
    static QString clientProgram(const QString& name);
    // Checks a written backup; empty when it is whole, otherwise the reason.
    QString verify(const QString& file) const;

private:
    BackupResult sqliteBackup(const QString& file);
    BackupResult postgresBackup(const QString& file);
    QString databaseName() const;

    db::Session& session_;
};

}  // namespace app
