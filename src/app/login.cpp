#include "app/login.h"

namespace app {

LoginResult checkLogin(db::Session& session, const QString& user, const QString& password)
{
    if (user.isEmpty())
        return LoginResult::EmptyUser;
    // The table is small (staff of one operation); read it and compare here,
    // so that the comparison is exact on both engines whatever their collation.
    for (const auto& row : session.select(QStringLiteral("select * from Q_userkontrol"))) {
        QString stored = row.text(QStringLiteral("pwd"));
        while (stored.endsWith(' '))
            stored.chop(1);
        if (row.text(QStringLiteral("username")) == user && stored == password)
            return LoginResult::Ok;
    }
    return LoginResult::NoMatch;
}

}  // namespace app
