#include "app/startup.h"

#include "db/schema.h"

#include <QDir>
#include <QFileInfo>

namespace app {

void connectWith(SessionOpening& opening, const db::ConnectionSettings& settings)
{
    opening.settings = settings;
    opening.connectError.clear();
    opening.session.reset();
    try {
        opening.createdDatabase = settings.engine == db::Engine::Sqlite && !QFileInfo::exists(settings.sqliteFile);
        opening.session = db::Session::open(settings);
        opening.schemaStepsApplied = db::upgradeSchema(*opening.session);
    } catch (const db::Error& e) {
        opening.session.reset();
        opening.connectError = e.text();
    }
}

SessionOpening openSession(const QString& workingDir)
{
    SessionOpening opening;
    const db::SetupResult setup = db::readSetupFile(QDir(workingDir).filePath(QString::fromLatin1(db::kSetupFileName)));
    if (!setup.file) {
        opening.fatal = setup.error;
        return opening;
    }
    opening.setup = setup.file;
    connectWith(opening, db::connectionFor(*setup.file, workingDir));
    return opening;
}

}  // namespace app
