#pragma once

#include <QString>
#include <stdexcept>

namespace db {

// A statement the database refused, or a session that could not be opened.
// text() is the server's own message; the window shows it in the error box.
class Error : public std::runtime_error {
public:
    Error(const QString& text, const QString& statement = {})
        : std::runtime_error(text.toStdString()), text_(text), statement_(statement)
    {
    }
    const QString& text() const { return text_; }
    const QString& statement() const { return statement_; }

private:
    QString text_;
    QString statement_;
};

}  // namespace db
