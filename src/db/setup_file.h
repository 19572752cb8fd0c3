#pragma once

#include "db/session.h"

#include <QString>
#include <optional>

namespace db {

// The workstation's setup.INI: plain lines, each value cut out at fixed
// character positions, unchanged (no trimming).
struct SetupFile {
    QString modul;     // line 2, characters 7-15
    QString server;    // line 3, characters 8-37
    QString database;  // line 5, characters 10-34
    QString user;      // line 6, characters 10-12
    QString password;  // line 7, characters 10-12
    QString sube;      // line 8, characters 10-59: "0" means no branch
};

struct SetupResult {
    std::optional<SetupFile> file;
    QString error;  // the message to show when file is empty
    bool missing = false;
};

inline constexpr const char* kSetupFileName = "setup.INI";
inline constexpr const char* kDefaultDatabase = "ruvobase";
inline constexpr const char* kDefaultLogin = "ruvo";
inline constexpr const char* kDefaultPassword = "rv9";

// Cuts the values out of the file's lines.
SetupResult parseSetupLines(const QStringList& lines);
// Reads `path`; a missing file gives missing = true and "File %s  BULUNAMADI".
SetupResult readSetupFile(const QString& path = QString::fromLatin1(kSetupFileName));

// Empty server: the embedded SQLite file <database>.db in `workingDir`;
// otherwise PostgreSQL at host[:port]. Empty login and password take the
// built-in defaults.
ConnectionSettings connectionFor(const SetupFile& setup, const QString& workingDir);

}  // namespace db
