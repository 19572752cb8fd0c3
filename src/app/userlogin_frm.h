#pragma once

#include "ui/app_context.h"
#include "ui/form_base.h"

class QLineEdit;
class QPushButton;
class QTabWidget;

namespace app {

// The login window: one page "Pellantra" with the user name and the masked
// password. Enter anywhere logs in; "Kapat" ends the program after asking.
class UserloginFrm : public ui::FormBase {
    Q_OBJECT
public:
    explicit UserloginFrm(ui::AppContext& context, QWidget* parent = nullptr);

    // What to do when the user name and password match: the main window takes
    // the user name and shows itself.
    void setOnLogin(std::function<void(const QString& user)> onLogin) { onLogin_ = std::move(onLogin); }
    // True once the user chose to end the program.
    bool endRequested() const { return endRequested_; }

    void login();     // "Giriş"
    void askToEnd();  // "Kapat"

    QTabWidget* page = nullptr;
    QLineEdit* username = nullptr;
    QLineEdit* pwd = nullptr;
    QPushButton* btn1 = nullptr;
    QPushButton* btn2 = nullptr;

protected:
    bool previewKey(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    ui::AppContext& context_;
    std::function<void(const QString&)> onLogin_;
    bool endRequested_ = false;
};

}  // namespace app
