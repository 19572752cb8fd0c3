#include "app/user_accounts.h"

namespace app {

namespace {

QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

}  // namespace

QStringList UserAccounts::roles()
{
    return {QStringLiteral("Admin"),  QStringLiteral("iade"),         QStringLiteral("Kasiyer"),
            QStringLiteral("Garson"), QStringLiteral("Cost Control"), QString()};
}

QString UserAccounts::storedCode(const QVariant& value)
{
    return withoutTrailingBlanks(value.toString());
}

db::RowSet UserAccounts::users()
{
    return session_.select(QStringLiteral("SELECT * FROM Q_userkontrol ORDER BY username, auto_no"));
}

bool UserAccounts::exists(const QString& name)
{
    // Compared here, exactly, whatever the engine's collation.
    for (const auto& r : users())
        if (r.text(QStringLiteral("username")) == name)
            return true;
    return false;
}

CheckResult UserAccounts::checkCode(const QString& code, const std::optional<qint64>& except)
{
    if (code.trimmed().isEmpty())
        return CheckResult::refused(usermsg::kEmptyCode, userfield::kCode);
    // The database of the terminals holds 15 characters; SQLite would keep more.
    if (code.size() > kUserCodeMaxLength)
        return CheckResult::refused(usermsg::kCodeTooLong, userfield::kCode);
    for (const auto& r : users()) {
        if (except && r.integer(QStringLiteral("auto_no")) == *except)
            continue;
        if (storedCode(r.value(QStringLiteral("pwd"))) == code)
            return CheckResult::refused(usermsg::kDuplicateCode, userfield::kCode);
    }
    return CheckResult::passed();
}

CheckResult UserAccounts::add(const NewUser& user)
{
    const QString name = user.name;
    // Trailing blanks are not part of a code: the terminals compare without them.
    const QString code = withoutTrailingBlanks(user.code);
    if (name.trimmed().isEmpty())
        return CheckResult::refused(usermsg::kEmptyName, userfield::kName);
    if (name == QLatin1String(kReservedUserName))
        return CheckResult::refused(usermsg::kReservedName, userfield::kName);
    if (code.trimmed().isEmpty())
        return CheckResult::refused(usermsg::kEmptyCode, userfield::kCode);
    if (name.size() > kUserNameMaxLength)
        return CheckResult::refused(usermsg::kNameTooLong, userfield::kName);
    if (user.role.size() > kUserNameMaxLength)
        return CheckResult::refused(usermsg::kRoleTooLong, userfield::kRole);

    db::Transaction tx(session_);
    if (exists(name))
        return CheckResult::refused(name + QString::fromUtf8(usermsg::kDuplicateNameSuffix), userfield::kName);
    if (const CheckResult c = checkCode(code, std::nullopt); !c.ok())
        return c;
    // A cash desk of that name would take the new user's movements for its own,
    // whatever the user's role.
    if (session_.scalar(QStringLiteral("SELECT COUNT(*) FROM Q_Kasa WHERE KASAADI = :n"), {{"n", name}}).toInt() > 0)
        return CheckResult::refused(usermsg::kDeskNameTaken, userfield::kName);

    session_.exec(QStringLiteral("INSERT INTO Q_userkontrol (username, pwd, bolum) VALUES (:u, :p, :b)"),
                  {{"u", name}, {"p", code}, {"b", user.role}});
    if (user.role == QLatin1String(kCashierRole))
        session_.exec(QStringLiteral("INSERT INTO Q_Kasa (KASAADI, ACIKLAMA) VALUES (:n, :a)"),
                      {{"n", name}, {"a", QString::fromLatin1(kCashierRole)}});
    tx.commit();
    return CheckResult::passed();
}

bool UserAccounts::remove(const QString& name)
{
    db::Transaction tx(session_);
    session_.exec(QStringLiteral("DELETE FROM Q_userkontrol WHERE username = :u"), {{"u", name}});
    const int permissions = session_.exec(QStringLiteral("DELETE FROM Q_FRM WHERE PR_INFO = :u"), {{"u", name}});
    tx.commit();
    return permissions > 0;
}

CheckResult UserAccounts::changeInPlace(qint64 autoNo, const std::optional<QString>& code,
                                        const std::optional<bool>& management)
{
    db::Transaction tx(session_);
    if (code) {
        const QString c = withoutTrailingBlanks(*code);
        if (const CheckResult r = checkCode(c, autoNo); !r.ok())
            return r;
        session_.exec(QStringLiteral("UPDATE Q_userkontrol SET pwd = :p WHERE auto_no = :id"),
                      {{"p", c}, {"id", autoNo}});
    }
    if (management)
        session_.exec(QStringLiteral("UPDATE Q_userkontrol SET yonetim = :y WHERE auto_no = :id"),
                      {{"y", *management ? 1 : 0}, {"id", autoNo}});
    tx.commit();
    return CheckResult::passed();
}

db::RowSet UserAccounts::staff()
{
    return session_.select(QStringLiteral("SELECT * FROM Q_U_Arac ORDER BY Q_UID"));
}

CheckResult UserAccounts::saveStaff(const std::optional<qint64>& id, const QString& name, qint64* newId)
{
    if (name.trimmed().isEmpty())
        return CheckResult::refused(usermsg::kEmptyStaffName, QStringLiteral("ARACNO"));
    if (name.size() > kStaffNameMaxLength)
        return CheckResult::refused(usermsg::kStaffNameTooLong, QStringLiteral("ARACNO"));
    db::Transaction tx(session_);
    if (id) {
        session_.exec(QStringLiteral("UPDATE Q_U_Arac SET ARACNO = :n WHERE Q_UID = :id"), {{"n", name}, {"id", *id}});
    } else {
        const qint64 key =
            session_.insert(QStringLiteral("INSERT INTO Q_U_Arac (ARACNO) VALUES (:n) RETURNING Q_UID"), {{"n", name}});
        if (newId)
            *newId = key;
    }
    tx.commit();
    return CheckResult::passed();
}

}  // namespace app
