#pragma once

#include <QString>
#include <optional>

namespace inventory {

// Why a command wrote nothing: the user's message, how to show it and the
// field to put the cursor in.
struct Refusal {
    enum class Style {
        Message,  // a plain message box
        Warning,  // a box with its own caption and the warning icon
    };
    QString message;
    QString field;  // the column the message is about; empty: none
    Style style = Style::Message;
    QString caption;  // for Style::Warning

    static Refusal plain(const QString& message, const QString& field = {})
    {
        return {message, field, Style::Message, {}};
    }
    static Refusal warning(const QString& caption, const QString& message, const QString& field = {})
    {
        return {message, field, Style::Warning, caption};
    }
};

// The outcome of a command that writes: either refused or done (with the key
// of the row written, when there is one).
struct WriteResult {
    std::optional<Refusal> refusal;
    qint64 key = 0;

    bool ok() const { return !refusal.has_value(); }
    static WriteResult done(qint64 key = 0) { return {std::nullopt, key}; }
    static WriteResult refused(Refusal r) { return {std::move(r), 0}; }
};

}  // namespace inventory
