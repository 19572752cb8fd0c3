#pragma once

#include "db/session.h"

#include <QDialog>

class QLineEdit;

namespace app {

// The connection dialog shown when the session cannot be opened: "Server",
// "User Name", "Password", "Database"; "Connect" and "Cancel".
class ConnectionDialog : public QDialog {
    Q_OBJECT
public:
    explicit ConnectionDialog(const db::ConnectionSettings& current, QWidget* parent = nullptr);
    // The settings as edited (an empty server means the embedded database).
    db::ConnectionSettings settings(const QString& workingDir) const;

    QLineEdit* server = nullptr;
    QLineEdit* userName = nullptr;
    QLineEdit* password = nullptr;
    QLineEdit* database = nullptr;
};

}  // namespace app
