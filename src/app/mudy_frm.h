#pragma once

#include "ui/app_context.h"
#include "ui/form_base.h"

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTimer;

namespace ui {
class DataGrid;
}

namespace app {

class SqlEditor;

// "Admin": the administration window behind the administrator code. Page
// "SQL" runs free SQL and the maintenance, backup and wiping commands; pages
// "Yedekleme" and "Mail" keep the backup times and the report recipients.
class MudyFrm : public ui::FormBase {
    Q_OBJECT
public:
    explicit MudyFrm(ui::AppContext& context, QWidget* parent = nullptr);

    // The commands, as the buttons call them.
    void runSql();           // "ÇALIŞTI&R "
    void maintenance1();     // "BAKIM-1"
    void maintenance2();     // "BAKIM-2"
    void backup();           // "DATABASE BACKUP"
    void reportDesign();     // "Rapor Tasarım "
    void deleteSales();      // "Satışları Sil"
    void newInstallation();  // "Yeni Kurulum"
    void fixPda();           // "Fix Pda"
    void resetCounter();     // "Sayac Sıfırla"
    void tick();             // the clock label, every second

    // Where backups go: the box's folder, kept for the workstation.
    QString backupFolder() const;
    void setBackupFolder(const QString& folder);
    // The file of the last backup that was made (empty before the first).
    QString lastBackupFile() const { return lastBackup_; }

    QTabWidget* pages = nullptr;
    SqlEditor* mmo1 = nullptr;
    QLabel* lblsaat = nullptr;
    QLineEdit* yedekklasoru = nullptr;
    QLabel* lblyedek = nullptr;
    QPushButton* btncalistir = nullptr;
    QPushButton* btnbakim1 = nullptr;
    QPushButton* btnbakim2 = nullptr;
    QPushButton* btnbackup = nullptr;
    QPushButton* btnrapor = nullptr;
    QPushButton* btnsatissil = nullptr;
    QPushButton* btnkurulum = nullptr;
    QPushButton* btnfixpda = nullptr;
    QPushButton* btnsayac = nullptr;
    ui::DataGrid* backupGrid = nullptr;  // "Yedekleme"
    ui::DataGrid* mailGrid = nullptr;    // "Mail"
    QTimer* clock = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* buildSqlPage();
    void openGrids();
    void closeGrids();
    // Runs a service command with the busy cursor; a database error shows in the error box.
    bool perform(const std::function<void()>& work);

    ui::AppContext& context_;
    QString lastBackup_;
};

}  // namespace app
