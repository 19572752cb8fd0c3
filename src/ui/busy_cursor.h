#pragma once

namespace ui {

// Shows the wait cursor for the lifetime of the object. Scopes nest; without a
// GUI application (services run from the command line) it does nothing.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

    // How many scopes are open right now (tests and nested long work).
    static int depth();

private:
    bool active_ = false;
};

}  // namespace ui
