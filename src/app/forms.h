#pragma once

#include "ui/app_context.h"

#include <QHash>
#include <QString>

namespace ui {
class FormBase;
}

namespace app {

class AnamenuFrm;
class UserloginFrm;

// The window set of a run: every window exists once, created at start-up in
// a fixed order after the session is open, and is reached through its name
// (forms().stok_frm). Windows of later subsystems are added here as they come.
struct Forms {
    AnamenuFrm* anamenu_frm = nullptr;
    UserloginFrm* userlogin_frm = nullptr;

    // Creates every window but the main one (which start-up creates first).
    // Creating a window opens none of its queries.
    void createAll(ui::AppContext& context);
    // A window by its name; null when it is not part of this installation yet.
    ui::FormBase* byName(const QString& name) const;
    void add(const QString& name, ui::FormBase* window);
    QStringList names() const { return byName_.keys(); }
    void destroyAll();

private:
    QHash<QString, ui::FormBase*> byName_;
};

Forms& forms();

}  // namespace app
