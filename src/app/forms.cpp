#include "app/forms.h"

#include "app/anamenu_frm.h"
#include "app/userlogin_frm.h"

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
}

}  // namespace app
