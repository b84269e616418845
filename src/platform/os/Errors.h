#pragma once
// The kinds of error that travel up to the application-wide error handler.
// Only the message is shown and logged; the kind lets callers tell them apart.
#include <QString>
#include <stdexcept>

namespace meridox {

class Error : public std::runtime_error {
public:
    explicit Error(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// Raised by the database layer, worded as the classic server worded it.
class DatabaseError : public Error {
public:
    using Error::Error;
};

// A text that cannot be read as a number or a date.
class ConversionError : public Error {
public:
    using Error::Error;
};

// The printer is missing or refused the job.
class PrinterError : public Error {
public:
    using Error::Error;
};

} // namespace meridox
