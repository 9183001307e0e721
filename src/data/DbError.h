#pragma once

#include <QString>
#include <stdexcept>

namespace tavolin {

// A database error carrying the server's or driver's own text. Commands do not catch it: the command
// stops where it arose and the text reaches the user (see runCommand).
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

}  // namespace tavolin
