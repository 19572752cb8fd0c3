#pragma once

#include "db/session.h"

#include <QList>
#include <QSet>
#include <QString>
#include <optional>

namespace app {

// One permission row of Q_FRM.
struct PermissionRow {
    int id = 0;
    std::optional<int> parent;
    QString name;
};

// What one user may open: the rows of Q_FRM whose PR_INFO is the user's name
// (compared for equality, so that "_" or "%" in a name matches nothing else).
class UserPermissions {
public:
    UserPermissions(db::Session& session, QString user);

    QList<PermissionRow> all();  // every row, by PR_ID
    // Category numbers whose category row exists.
    QSet<int> categories();
    // Rows listed under a category, by PR_ID; "Parametreler" (8) also lists
    // the hall settings' sub-entries (601).
    QList<PermissionRow> entriesOf(int category);

private:
    QList<PermissionRow> read(const QString& where, const db::Params& params);
    db::Session& session_;
    QString user_;
};

// The code of the first row (in PR_ID order) captioned `caption`.
std::optional<int> codeForCaption(const QList<PermissionRow>& rows, const QString& caption);

// Gives `user` every category and every entry of the master catalogue
// ("Full Modül"), replacing what the user had. One transaction.
void grantFullModule(db::Session& session, const QString& user);

// A database installed just now has no users: the program creates one
// administrator with every permission so that someone can log in. Returns
// true when it did.
inline constexpr const char* kFirstAdminName = "admin";
inline constexpr const char* kFirstAdminCode = "1234";
bool createFirstAdministrator(db::Session& session);

}  // namespace app
