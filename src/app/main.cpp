// Manager: the back-office client. Start-up: read setup.INI, open the one
// database session, install or upgrade the schema, then hand over to the windows.
#include "app/connection_dialog.h"
#include "app/startup.h"
#include "db/schema.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("PellantraMgr"));
    QApplication::setApplicationDisplayName(QStringLiteral("PellantraMgr"));

    const QString workingDir = QDir::currentPath();
    app::SessionOpening opening = app::openSession(workingDir);
    if (!opening.fatal.isEmpty()) {
        ui::dialogs::message(nullptr, opening.fatal);
        return 1;
    }
    if (!opening.session) {
        std::fprintf(stderr, "%s\n", qPrintable(opening.connectError));
        ui::dialogs::message(nullptr, QStringLiteral("Bağlantı Hatası"));
        app::ConnectionDialog dialog(opening.settings);
        if (dialog.exec() == QDialog::Accepted)
            app::connectWith(opening, dialog.settings(workingDir));
    }
    if (opening.session) {
        std::printf("Manager: opened %s%s (schema version %d, %d step(s) installed now)\n",
                    qPrintable(opening.settings.describe()), opening.createdDatabase ? " (created)" : "",
                    db::installedSchemaVersion(*opening.session), opening.schemaStepsApplied);
    } else {
        std::printf("Manager: no database session (%s)\n", qPrintable(opening.connectError));
    }
    std::fflush(stdout);
    return 0;
}
