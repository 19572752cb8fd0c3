#pragma once

#include "db/session.h"

#include <QString>
#include <functional>

namespace ui {

// What every window of a run shares: the one database session and the name of
// the user who logged in (held by the main window).
class AppContext {
public:
    db::Session& session() const { return *session_; }
    bool hasSession() const { return session_ != nullptr; }
    void setSession(db::Session* session) { session_ = session; }

    QString currentUser() const { return currentUser_ ? currentUser_() : QString(); }
    void setCurrentUserSource(std::function<QString()> source) { currentUser_ = std::move(source); }

private:
    db::Session* session_ = nullptr;
    std::function<QString()> currentUser_;
};

}  // namespace ui
