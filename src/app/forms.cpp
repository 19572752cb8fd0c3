#include "app/forms.h"

#include "app/anamenu_frm.h"
#include "app/bugs_frm.h"
#include "app/constant_frm.h"
#include "app/merkez_frm.h"
#include "app/mudy_frm.h"
#include "app/switchmode_frm.h"
#include "app/useredit_frm.h"
#include "app/useredit_frm1.h"
#include "app/userlogin_frm.h"
#include "inventory/code_list_frms.h"
#include "inventory/kdvorani_frm.h"
#include "inventory/kurgiris_frm.h"
#include "inventory/stok_frm.h"
#include "inventory/stokgrup_frm.h"
#include "inventory/stoksec_frm.h"

namespace app {

Forms& forms()
{
    static Forms instance;
    return instance;
}

void Forms::createAll(ui::AppContext& context)
{
    // The order of creation is the program's fixed window order; the login
    // window comes last.
    useredit_frm1 = new UsereditFrm1(context);
    add(QStringLiteral("useredit_frm1"), useredit_frm1);
    useredit_frm = new UsereditFrm(context);
    add(QStringLiteral("useredit_frm"), useredit_frm);
    mudy_frm = new MudyFrm(context);
    add(QStringLiteral("mudy_frm"), mudy_frm);
    bugs_frm = new BugsFrm(context);
    add(QStringLiteral("bugs_frm"), bugs_frm);
    merkez_frm = new MerkezFrm(context);
    add(QStringLiteral("merkez_frm"), merkez_frm);
    switchmode_frm = new SwitchmodeFrm(context);
    add(QStringLiteral("switchmode_frm"), switchmode_frm);
    constant_frm = new ConstantFrm(context);
    add(QStringLiteral("constant_frm"), constant_frm);
    // Inventory: the stock picker first, then the stock card window that uses it.
    stoksec_frm = new inventory::StoksecFrm(context);
    add(QStringLiteral("stoksec_frm"), stoksec_frm);
    stok_frm = new inventory::StokFrm(context, *stoksec_frm);
    add(QStringLiteral("stok_frm"), stok_frm);
    stokgrup_frm = new inventory::StokgrupFrm(context);
    add(QStringLiteral("stokgrup_frm"), stokgrup_frm);
    kategori_frm = new inventory::KategoriFrm(context);
    add(QStringLiteral("kategori_frm"), kategori_frm);
    tip_frm = new inventory::TipFrm(context);
    add(QStringLiteral("tip_frm"), tip_frm);
    birim_frm = new inventory::BirimFrm(context);
    add(QStringLiteral("birim_frm"), birim_frm);
    departman_frm = new inventory::DepartmanFrm(context);
    add(QStringLiteral("departman_frm"), departman_frm);
    kdvorani_frm = new inventory::KdvoraniFrm(context);
    add(QStringLiteral("kdvorani_frm"), kdvorani_frm);
    kurgiris_frm = new inventory::KurgirisFrm(context);
    add(QStringLiteral("kurgiris_frm"), kurgiris_frm);
    userlogin_frm = new UserloginFrm(context);
    add(QStringLiteral("userlogin_frm"), userlogin_frm);
    if (anamenu_frm)
        anamenu_frm->setWindowFinder([this](const QString& name) { return byName(name); });
}

ui::FormBase* Forms::byName(const QString& name) const
{
    return byName_.value(name, nullptr);
}

void Forms::add(const QString& name, ui::FormBase* window)
{
    window->setObjectName(name);
    byName_.insert(name, window);
}

void Forms::destroyAll()
{
    for (ui::FormBase* w : std::as_const(byName_))
        delete w;
    byName_.clear();
    delete anamenu_frm;
    anamenu_frm = nullptr;
    userlogin_frm = nullptr;
    stoksec_frm = nullptr;
    stok_frm = nullptr;
    stokgrup_frm = nullptr;
    kategori_frm = nullptr;
    tip_frm = nullptr;
    birim_frm = nullptr;
    departman_frm = nullptr;
    kdvorani_frm = nullptr;
    kurgiris_frm = nullptr;
    useredit_frm1 = nullptr;
    useredit_frm = nullptr;
    mudy_frm = nullptr;
    bugs_frm = nullptr;
    merkez_frm = nullptr;
    switchmode_frm = nullptr;
    constant_frm = nullptr;
}

}  // namespace app
