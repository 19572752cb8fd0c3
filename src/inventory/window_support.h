#pragma once

#include "db/error.h"
#include "inventory/refusal.h"
#include "ui/dialogs.h"

#include <QWidget>

namespace inventory {

// Shows why a command wrote nothing, the way the window's messages look.
inline void showRefusal(QWidget* parent, const Refusal& refusal)
{
    if (refusal.style == Refusal::Style::Warning)
        ui::dialogs::warn(parent, refusal.caption, refusal.message, ui::Icon::Warning);
    else
        ui::dialogs::message(parent, refusal.message);
}

// Runs a handler's database work; a database error shows in the error box
// and ends the handler (false).
template <class Work>
bool guarded(QWidget* parent, Work&& work)
{
    try {
        work();
        return true;
    } catch (const db::Error& e) {
        ui::dialogs::error(parent, e.text());
        return false;
    }
}

}  // namespace inventory
