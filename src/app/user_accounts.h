#pragma once

#include "app/check_result.h"
#include "db/session.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace app {

// The master catalogue is stored under this name; no user may have it.
inline constexpr const char* kReservedUserName = "ADMIN";
// The role whose users get a cash desk of their own.
inline constexpr const char* kCashierRole = "Kasiyer";
// The user code is a fixed 15-character column shared with the terminals.
inline constexpr int kUserCodeMaxLength = 15;
inline constexpr int kUserNameMaxLength = 50;
inline constexpr int kStaffNameMaxLength = 50;

namespace usermsg {
inline constexpr const char* kEmptyName = "Lütfen Kullanıcı Adını Boş Bırakmayınız";
inline constexpr const char* kReservedName = "Kullanıcı Adı ADMIN OLAMAZ";
inline constexpr const char* kEmptyCode = "Lütfen Şifreyi Boş Bırakmayınız";
inline constexpr const char* kCodeTooLong = "Kullanıcı Kodu En Fazla 15 Karakter Olabilir";
inline constexpr const char* kNameTooLong = "Kullanıcı Adı En Fazla 50 Karakter Olabilir";
inline constexpr const char* kRoleTooLong = "Görevi En Fazla 50 Karakter Olabilir";
inline constexpr const char* kDuplicateNameSuffix = "   İsimli Kullanıcı Zaten Mevcut (Mükerrer Kayıt)";
inline constexpr const char* kDuplicateCode = "Kullanıcı Kodu Zaten Mevcut (Mükerrer Kayıt)";
inline constexpr const char* kDeskNameTaken = "Kasa İşlemleri İçin İsim Mükrerrer";
inline constexpr const char* kEmptyStaffName = "Lütfen Personel Adını Boş Bırakmayınız";
inline constexpr const char* kStaffNameTooLong = "Personel Adı En Fazla 50 Karakter Olabilir";
}  // namespace usermsg

// Field names a refusal points at (the boxes and grid columns of the user window).
namespace userfield {
inline constexpr const char* kName = "username";
inline constexpr const char* kCode = "pwd";
inline constexpr const char* kRole = "bolum";
}  // namespace userfield

struct NewUser {
    QString name;
    QString code;  // the password, shown as "Kodu"
    QString role;
};

// Users of this program and of the point-of-sale terminals (Q_userkontrol)
// and the service staff list (Q_U_Arac). The terminals log users in by their
// code, so a code is readable text and unique among users.
class UserAccounts {
public:
    explicit UserAccounts(db::Session& session) : session_(session) {}

    // The roles offered by the "Görevi" box (any other text may be typed).
    static QStringList roles();
    // A stored code without the blanks that pad the fixed-width column.
    static QString storedCode(const QVariant& value);

    db::RowSet users();
    bool exists(const QString& name);
    // Checks and saves a new user; a cashier also gets a cash desk named
    // after the user. Nothing is written when a check fails.
    CheckResult add(const NewUser& user);
    // Deletes the user's rows; the user's permission rows go with them, the
    // cash desk stays. True when permission rows were deleted.
    bool remove(const QString& name);
    // An edit in the users grid: a new code (checked like a new user's) and/or
    // the management flag.
    CheckResult changeInPlace(qint64 autoNo, const std::optional<QString>& code, const std::optional<bool>& management);

    db::RowSet staff();
    // Adds (no id) or renames a service staff member; `newId` receives the key
    // of an added row.
    CheckResult saveStaff(const std::optional<qint64>& id, const QString& name, qint64* newId = nullptr);

private:
    CheckResult checkCode(const QString& code, const std::optional<qint64>& except);
    db::Session& session_;
};

}  // namespace app
