// Manager: the back-office client.
#include "app/program.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("PellantraMgr"));
    QApplication::setApplicationDisplayName(QStringLiteral("PellantraMgr"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));

    // A hidden option for looking at a window without clicking:
    //   Manager --picture WINDOW FILE.png [--user NAME] [--category N] [--tab N]
    QCommandLineParser p;
    p.addOptions({{"picture", "", "window"},
                  {"file", "", "png"},
                  {"user", "", "name"},
                  {"category", "", "n"},
                  {"tab", "", "n"},
                  // and one for the benchmarks: log in and quit as soon as the
                  // main window is painted: Manager --bench-login NAME --password CODE
                  {"bench-login", "", "name"},
                  {"password", "", "code"}});
    p.parse(QApplication::arguments());

    app::Program program(QDir::currentPath());
    if (!program.start())
        return 1;
    if (p.isSet("picture")) {
        app::PictureRequest r;
        r.window = p.value("picture");
        r.file = p.value("file");
        if (p.isSet("user"))
            r.user = p.value("user");
        r.category = p.isSet("category") ? p.value("category").toInt() : -1;
        r.tab = p.isSet("tab") ? p.value("tab").toInt() : -1;
        QString error;
        if (!app::saveWindowPicture(program.context(), r, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        return 0;
    }
    if (p.isSet("bench-login"))
        return app::benchLogin(program.context(), p.value("bench-login"), p.value("password"));
    if (!program.login())
        return 0;
    return program.exec();
}
