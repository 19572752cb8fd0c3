#pragma once

#include "db/session.h"
#include "db/setup_file.h"

#include <QString>
#include <memory>

namespace app {

// What opening the session at start-up came to.
struct SessionOpening {
    std::unique_ptr<db::Session> session;  // null when it could not be opened
    std::optional<db::SetupFile> setup;
    db::ConnectionSettings settings;
    QString fatal;         // setup file missing or unusable: the program stops
    QString connectError;  // the driver's text when connecting failed
    int schemaStepsApplied = 0;
    bool createdDatabase = false;  // the embedded file did not exist before
};

// Reads setup.INI in `workingDir`, opens the session and brings an empty (or
// older) database up to the current schema.
SessionOpening openSession(const QString& workingDir);
// Tries the given settings (the connection dialog) and installs the schema.
void connectWith(SessionOpening& opening, const db::ConnectionSettings& settings);

}  // namespace app
