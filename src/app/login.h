#pragma once

#include "db/session.h"

#include <QString>

namespace app {

enum class LoginResult { EmptyUser, NoMatch, Ok };

inline constexpr const char* kEmptyUserMessage = "Yanlış Kullanıcı Adı ";
inline constexpr const char* kNoMatchMessage = "Yanlış Kullanıcı Adı yada Şifre !!!  Lütfen Şifrenizi Kontrol Ediniz";
inline constexpr const char* kExitQuestion = "Çıkmak İstediğinize Emin misiniz ?";

// Checks a typed user name and password against the users table: both must
// equal a row's values exactly (case-sensitive, whole value). The stored
// password is a fixed-width code whose trailing blanks are not part of it.
LoginResult checkLogin(db::Session& session, const QString& user, const QString& password);

}  // namespace app
