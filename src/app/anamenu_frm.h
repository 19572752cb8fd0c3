#pragma once

#include "app/permissions.h"
#include "ui/app_context.h"

#include <QMainWindow>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace ui {
class DataGrid;
class FormBase;
}  // namespace ui

namespace app {

class WeekCalendar;

// The main window: the categories the user was granted on the left, the
// chosen category's entries, and the dashboard (calendar, open invoices,
// account balances, critical stock). Every other window opens from here by
// its entry code.
class AnamenuFrm : public QMainWindow {
    Q_OBJECT
public:
    explicit AnamenuFrm(ui::AppContext& context, QWidget* parent = nullptr);

    // How the main window reaches the other windows (the window registry).
    using WindowFinder = std::function<ui::FormBase*(const QString& name)>;
    void setWindowFinder(WindowFinder finder) { findWindow_ = std::move(finder); }
    // What "Programı Kapat" does after Yes (default: end the event loop).
    void setOnExit(std::function<void()> onExit) { onExit_ = std::move(onExit); }
    // The two management commands, wired by the subsystems that own them.
    void setRecipeCostUpdate(std::function<void()> f) { recipeCostUpdate_ = std::move(f); }
    void setAccountBalanceUpdate(std::function<void()> f) { accountBalanceUpdate_ = std::move(f); }
    // Called before the login window closes: builds the navigation and the
    // dashboard for `user`, then shows the window.
    void showForUser(const QString& user);
    QString currentUser() const;

    // Commands and clicks, as the controls call them.
    void categoryClicked(int category);
    void entrySelected(const QString& caption);  // stores the caption (edt1)
    void entryDoubleClicked();                   // opens the stored entry
    void tikla();                                // opens the code in dbedt_id
    void exitCommand();
    void systemConfiguration();
    void openPrivateDesks();
    void refreshDashboard();

    // What the window shows (tests and the screenshot helper read these).
    bool categoryVisible(int category) const;
    int shownCategory() const { return category_; }
    QStringList listedEntries() const;
    bool dashboardTabVisible(int index) const;
    bool commandsVisible() const;
    QTabWidget* navigation() const { return nav_; }
    QTabWidget* dashboardTabs() const { return dash_; }

    QLabel* lblusername = nullptr;
    QLineEdit* edt1 = nullptr;
    QLineEdit* dbedt_id = nullptr;
    QLabel* sayfa = nullptr;
    QListWidget* lv1 = nullptr;
    ui::DataGrid* invoicesGrid = nullptr;
    ui::DataGrid* balancesGrid = nullptr;
    ui::DataGrid* criticalGrid = nullptr;
    WeekCalendar* calendar = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildPanel();
    QWidget* buildDashboard();
    void applyPermissions();
    ui::FormBase* openWindow(const QString& name, bool modal);

    ui::AppContext& context_;
    WindowFinder findWindow_;
    std::function<void()> onExit_;
    std::function<void()> recipeCostUpdate_;
    std::function<void()> accountBalanceUpdate_;
    QHash<int, QToolButton*> categoryItems_;
    QList<QWidget*> managementCommands_;
    QTabWidget* nav_ = nullptr;
    QTabWidget* dash_ = nullptr;
    QList<PermissionRow> menuler_;  // MENULER: the rows of the category on show
    QSet<int> granted_;
    int category_ = -1;
    bool dashboardTabsShown_[4] = {true, true, true, true};
};

}  // namespace app
