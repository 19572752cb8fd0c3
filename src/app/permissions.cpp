#include "app/permissions.h"

#include "app/catalogue.h"

namespace app {

UserPermissions::UserPermissions(db::Session& session, QString user) : session_(session), user_(std::move(user)) {}

QList<PermissionRow> UserPermissions::read(const QString& where, const db::Params& params)
{
    QList<PermissionRow> out;
    for (const auto& r :
         session_.select("select * from Q_FRM where PR_INFO = :user" + where + " ORDER BY PR_ID", params)) {
        PermissionRow p;
        p.id = int(r.integer("PR_ID"));
        if (!r.isNull("PR_PARENT"))
            p.parent = int(r.integer("PR_PARENT"));
        p.name = r.text("PR_NAME");
        out << p;
    }
    return out;
}

QList<PermissionRow> UserPermissions::all()
{
    return read({}, {{"user", user_}});
}

QSet<int> UserPermissions::categories()
{
    QSet<int> out;
    for (const auto& r : all())
        if (!r.parent)
            for (const auto& c : categoryRows())
                if (c.first == r.id)
                    out.insert(r.id);
    return out;
}

QList<PermissionRow> UserPermissions::entriesOf(int category)
{
    if (category == 8)
        return read(" and (PR_PARENT = 8 or PR_PARENT = 601)", {{"user", user_}});
    return read(" and PR_PARENT = :c", {{"user", user_}, {"c", category}});
}

std::optional<int> codeForCaption(const QList<PermissionRow>& rows, const QString& caption)
{
    for (const auto& r : rows)
        if (r.name == caption)
            return r.id;
    return std::nullopt;
}

void grantFullModule(db::Session& session, const QString& user)
{
    db::Transaction tx(session);
    session.exec("delete from Q_FRM where PR_INFO = :u", {{"u", user}});
    for (const auto& [id, name] : categoryRows())
        session.exec("INSERT INTO Q_FRM (PR_ID, PR_NAME, PR_INFO) VALUES (:id, :n, :u)",
                     {{"id", id}, {"n", name}, {"u", user}});
    // Master nodes 520 and 521 stand for the entries 9520 and 9521; a user
    // given the node numbers would see two entries that open nothing.
    session.exec(
        "INSERT INTO Q_FRM (PR_ID, PR_PARENT, PR_NAME, PR_INFO) "
        "SELECT CASE PR_ID WHEN 520 THEN 9520 WHEN 521 THEN 9521 ELSE PR_ID END, PR_PARENT, PR_NAME, :u "
        "FROM Q_frmmaster WHERE PR_INFO = 'ADMIN' AND PR_PARENT >= 0 ORDER BY PR_ID",
        {{"u", user}});
    tx.commit();
}

bool createFirstAdministrator(db::Session& session)
{
    db::Transaction tx(session);
    if (session.scalar("SELECT COUNT(*) FROM Q_userkontrol").toInt() > 0)
        return false;
    session.exec("INSERT INTO Q_userkontrol (username, pwd, bolum, yonetim) VALUES (:u, :p, 'Admin', 1)",
                 {{"u", QString::fromLatin1(kFirstAdminName)}, {"p", QString::fromLatin1(kFirstAdminCode)}});
    grantFullModule(session, QString::fromLatin1(kFirstAdminName));
    tx.commit();
    return true;
}

}  // namespace app
