#pragma once

#include "app/startup.h"
#include "ui/app_context.h"

#include <QString>

namespace app {

// One run of the program: start-up as the users know it (splash, session,
// windows, login), then the event loop.
class Program {
public:
    explicit Program(QString workingDir);
    ~Program();

    // Opens the session (messages and the connection dialog on failure) and
    // creates the windows. False when the program must stop (no setup file).
    bool start();
    // Shows the login window; false when the user chose to end the program.
    bool login();
    int exec();

    ui::AppContext& context() { return context_; }
    SessionOpening& opening() { return opening_; }

private:
    QString workingDir_;
    ui::AppContext context_;
    SessionOpening opening_;
};

// Opens one window offscreen the way a user would find it and saves a picture
// of it. `user` logs the main window in; `category` >= 0 shows that category's
// list instead of the dashboard; `tab` picks a dashboard tab.
struct PictureRequest {
    QString window;
    QString file;
    QString user = QStringLiteral("admin");
    int category = -1;
    int tab = -1;
};
bool saveWindowPicture(ui::AppContext& context, const PictureRequest& request, QString* error = nullptr);

// Logs `user` in without the login window and ends the program as soon as the
// main window has been painted, printing "painted" (the start-up benchmark).
int benchLogin(ui::AppContext& context, const QString& user, const QString& password);

}  // namespace app
