#include "app/program.h"

#include "app/anamenu_frm.h"
#include "app/connection_dialog.h"
#include "app/forms.h"
#include "app/login.h"
#include "app/permissions.h"
#include "app/splash.h"
#include "app/tooltip_duration.h"
#include "app/userlogin_frm.h"
#include "db/schema.h"
#include "reports/grid_printer.h"
#include "reports/report.h"
#include "ui/dialogs.h"
#include "ui/form_base.h"
#include "ui/grid_print.h"

#include <QApplication>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

namespace app {

Program::Program(QString workingDir) : workingDir_(std::move(workingDir)) {}

Program::~Program()
{
    forms().destroyAll();
}

bool Program::start()
{
    auto& f = forms();
    f.anamenu_frm = new AnamenuFrm(context_);
    context_.setCurrentUserSource([] { return forms().anamenu_frm ? forms().anamenu_frm->currentUser() : QString(); });
    auto* splash = new Splash;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    splash->setProgress(40);

    opening_ = openSession(workingDir_);
    if (!opening_.fatal.isEmpty()) {
        splash->close();
        ui::dialogs::message(nullptr, opening_.fatal);
        return false;
    }
    if (!opening_.session) {
        std::fprintf(stderr, "%s\n", qPrintable(opening_.connectError));
        ui::dialogs::message(nullptr, QStringLiteral("Bağlantı Hatası"));
        ConnectionDialog dialog(opening_.settings);
        if (dialog.exec() == QDialog::Accepted)
            connectWith(opening_, dialog.settings(workingDir_));
    }
    // The main window owns the grid print preview: every grid prints through
    // the report engine.
    ui::setGridPrinter([](QWidget* parent, const ui::GridPrintJob& job, bool preview) {
        reports::GridTable table;
        table.title = job.title;
        table.captions = job.captions;
        table.widths = job.widths;
        table.alignments = job.alignments;
        table.rows = job.rows;
        table.footer = job.footer;
        table.filter = job.filter;
        reports::printGrid(parent, table, preview);
    });
    if (opening_.session) {
        context_.setSession(opening_.session.get());
        reports::mudy().setSession(opening_.session.get());
        // A database installed just now gets an administrator, so that someone can log in.
        if (opening_.schemaStepsApplied == int(db::schemaSteps().size()))
            createFirstAdministrator(*opening_.session);
        std::printf("Manager: %s%s, şema sürümü %d\n", qPrintable(opening_.settings.describe()),
                    opening_.createdDatabase ? " (yeni oluşturuldu)" : "",
                    db::installedSchemaVersion(*opening_.session));
        std::fflush(stdout);
    }
    f.createAll(context_);
    splash->setProgress(100);
    return true;
}

bool Program::login()
{
    auto& f = forms();
    f.userlogin_frm->setOnLogin([](const QString& user) { forms().anamenu_frm->showForUser(user); });
    f.userlogin_frm->showModal();
    if (f.userlogin_frm->endRequested() || f.userlogin_frm->result() != QDialog::Accepted)
        return false;
    qApp->installEventFilter(new ToolTipDuration(4000, qApp));
    return true;
}

int Program::exec()
{
    return QApplication::exec();
}

bool saveWindowPicture(ui::AppContext& context, const PictureRequest& r, QString* error)
{
    auto& f = forms();
    QWidget* target = nullptr;
    if (r.window == QLatin1String("anamenu_frm")) {
        f.anamenu_frm->showForUser(r.user);
        if (r.category >= 0)
            f.anamenu_frm->categoryClicked(r.category);
        else if (r.tab >= 0)
            f.anamenu_frm->dashboardTabs()->setCurrentIndex(r.tab);
        target = f.anamenu_frm;
    } else if (ui::FormBase* w = f.byName(r.window)) {
        w->showWindow();
        target = w;
    }
    if (!target) {
        if (error)
            *error = "Pencere yok: " + r.window;
        return false;
    }
    (void)context;
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    const bool ok = target->grab().save(r.file);
    if (!ok && error)
        *error = "Kaydedilemedi: " + r.file;
    return ok;
}

namespace {

class FirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Let the paint finish, then report and leave.
            QTimer::singleShot(0, [] {
                std::printf("painted\n");
                std::fflush(stdout);
                QApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};

}  // namespace

int benchLogin(ui::AppContext& context, const QString& user, const QString& password)
{
    auto& f = forms();
    if (!f.anamenu_frm || !context.hasSession())
        return 1;
    if (checkLogin(context.session(), user, password) != LoginResult::Ok) {
        std::fprintf(stderr, "login refused\n");
        return 1;
    }
    f.anamenu_frm->installEventFilter(new FirstPaint(f.anamenu_frm));
    f.anamenu_frm->showForUser(user);
    return QApplication::exec();
}

}  // namespace app
