#pragma once

#include "ui/app_context.h"
#include "ui/form_base.h"

#include "db/row.h"

class QLineEdit;
class QMenuBar;
class QPushButton;
class QTabWidget;

namespace ui {
class TreeList;
}

namespace app {

class FormPermissions;

// "Form Tanımlama": one user's permission rows. The left tree shows what the
// user has (double-click revokes), the right one the master catalogue
// (double-click grants); the tool bar grants the ready-made sets.
class UsereditFrm : public ui::FormBase {
    Q_OBJECT
public:
    explicit UsereditFrm(ui::AppContext& context, QWidget* parent = nullptr);

    // Shows the editor modally for `user`.
    int openFor(const QString& user);

    // What showing the editor does: both trees, then the category rows.
    void startEditing();
    void grantCategoryRows();  // also the menu item "Form Tanımlamayı Başlat"
    void grantNode(const db::Row& masterRow);
    void revokeNode(const db::Row& userRow);
    void lightModule();
    void masterModule();
    void fullModule();

    QString user() const;
    // The band captions of the two trees.
    QString userBandCaption() const;
    QString masterBandCaption() const;

    QLineEdit* username = nullptr;
    ui::TreeList* mnlist = nullptr;
    ui::TreeList* cxDBTreeList1 = nullptr;
    QTabWidget* toolbar = nullptr;
    QPushButton* btnlight = nullptr;
    QPushButton* btnmaster = nullptr;
    QPushButton* btnfull = nullptr;
    QMenuBar* menu = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void reloadUser();
    void reloadMaster();
    // Asks, then replaces the user's rows with a ready-made set; false when not asked or answered No.
    bool applySet(const char* question, void (FormPermissions::*grantSet)());

    ui::AppContext& context_;
};

}  // namespace app
