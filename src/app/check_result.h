#pragma once

#include <QString>

namespace app {

// The outcome of a service's checks: empty when the input may be written,
// otherwise the message to show and the box to put the focus on.
struct CheckResult {
    QString message;
    QString field;

    bool ok() const { return message.isEmpty(); }
    static CheckResult passed() { return {}; }
    static CheckResult refused(QString message, QString field = {}) { return {std::move(message), std::move(field)}; }
};

}  // namespace app
