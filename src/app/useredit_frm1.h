#pragma once

#include "ui/app_context.h"
#include "ui/form_base.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace ui {
class DataGrid;
}

namespace app {

// "Kullanıcı Tanımlama": the users of this program and of the terminals, and
// the service staff list. A user is saved from the boxes; a user loaded by a
// double-click can be deleted or given permissions ("Form Tanımla").
class UsereditFrm1 : public ui::FormBase {
    Q_OBJECT
public:
    explicit UsereditFrm1(ui::AppContext& context, QWidget* parent = nullptr);

    void save();                  // "&Kaydet"
    void deleteUser();            // "Kayıt &Sil"
    void dropLoaded();            // "Çıkış"
    void openPermissions();       // "Form Tanımla"
    void loadUser(int position);  // double-click in "Liste"
    void reload();

    // The user loaded into the boxes; empty in the "new" state.
    const QString& loadedUser() const { return loaded_; }

    QLineEdit* username = nullptr;
    QLineEdit* pwd = nullptr;
    QComboBox* bolum = nullptr;
    QPushButton* btnpost = nullptr;
    QPushButton* btndel = nullptr;
    QPushButton* btncancel = nullptr;
    QPushButton* btntanimla = nullptr;
    QTabWidget* pages = nullptr;
    ui::DataGrid* grid = nullptr;       // "Liste"
    ui::DataGrid* staffGrid = nullptr;  // "Servis Personeli"

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setNewState();
    void clearBoxes();
    void focusField(const QString& field);

    ui::AppContext& context_;
    QString loaded_;
};

}  // namespace app
