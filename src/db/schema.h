#pragma once

#include "db/session.h"

#include <QString>
#include <vector>

namespace db {

// One numbered step of the schema: tables, views, triggers or installation data.
struct SchemaStep {
    int version = 0;
    QString name;
    QString source;  // before token expansion
};

// The steps compiled into the program, in order.
const std::vector<SchemaStep>& schemaSteps();
int latestSchemaVersion();

// Version recorded in the database; 0 for an empty database.
int installedSchemaVersion(Session& session);

// Brings the database up to `target` (default: the latest), each step in its
// own transaction. An empty database gets the whole schema. Returns the number
// of steps applied. Throws db::Error naming the step that failed.
int upgradeSchema(Session& session, int target = -1);

// Names of the tables and views the schema defines (for checks and tools).
QStringList schemaObjects(Session& session);

}  // namespace db
