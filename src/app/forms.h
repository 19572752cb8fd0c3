#pragma once

#include "ui/app_context.h"

#include <QHash>
#include <QString>

namespace ui {
class FormBase;
}

namespace inventory {
class StoksecFrm;
class StokFrm;
class StokgrupFrm;
class KategoriFrm;
class TipFrm;
class BirimFrm;
class DepartmanFrm;
class KdvoraniFrm;
class KurgirisFrm;
}  // namespace inventory

namespace app {

class AnamenuFrm;
class UserloginFrm;
class UsereditFrm1;
class UsereditFrm;
class MudyFrm;
class BugsFrm;
class MerkezFrm;
class SwitchmodeFrm;
class ConstantFrm;

// The window set of a run: every window exists once, created at start-up in
// a fixed order after the session is open, and is reached through its name
// (forms().stok_frm). Windows of later subsystems are added here as they come.
struct Forms {
    AnamenuFrm* anamenu_frm = nullptr;
    UserloginFrm* userlogin_frm = nullptr;
    inventory::StoksecFrm* stoksec_frm = nullptr;
    inventory::StokFrm* stok_frm = nullptr;
    inventory::StokgrupFrm* stokgrup_frm = nullptr;
    inventory::KategoriFrm* kategori_frm = nullptr;
    inventory::TipFrm* tip_frm = nullptr;
    inventory::BirimFrm* birim_frm = nullptr;
    inventory::DepartmanFrm* departman_frm = nullptr;
    inventory::KdvoraniFrm* kdvorani_frm = nullptr;
    inventory::KurgirisFrm* kurgiris_frm = nullptr;
    UsereditFrm1* useredit_frm1 = nullptr;
    UsereditFrm* useredit_frm = nullptr;
    MudyFrm* mudy_frm = nullptr;
    BugsFrm* bugs_frm = nullptr;
    MerkezFrm* merkez_frm = nullptr;
    SwitchmodeFrm* switchmode_frm = nullptr;
    ConstantFrm* constant_frm = nullptr;

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
