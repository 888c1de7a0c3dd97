#pragma once
// Errors carry the message shown to the user. Actions raise them; only the
// dispatcher catches them and hands them to the central error display.
#include <QString>

#include <memory>
#include <stdexcept>

namespace wt {

class Error : public std::runtime_error {
public:
    explicit Error(const QString& message, const QString& kind = QStringLiteral("Exception"),
                   std::shared_ptr<const Error> inner = nullptr);

    const QString& message() const { return message_; }
    // The error's class name as the start-up error box names it.
    const QString& kind() const { return kind_; }
    const std::shared_ptr<const Error>& inner() const { return inner_; }

private:
    QString message_;
    QString kind_;
    std::shared_ptr<const Error> inner_;
};

// Ends an action like any error, but the central error display shows nothing.
class SilentStop : public Error {
public:
    SilentStop();
};

// The text the central error display shows for an error: the innermost inner
// error's message when not empty, with "." appended when the last character
// sorts after ".".
QString errorDisplayText(const Error& error);
QString withFullStop(QString text);

}  // namespace wt
