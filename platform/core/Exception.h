#pragma once

#include <QString>

#include <exception>

namespace platform {

// The program's error: a message meant for the operator. Handlers throw it; the event
// boundary shows its message in the error box and lets the program go on.
class Exception : public std::exception {
public:
    explicit Exception(QString message);

    const QString& message() const noexcept { return fMessage; }
    const char* what() const noexcept override { return fUtf8.constData(); }

private:
    QString fMessage;
    QByteArray fUtf8;
};

// A text could not be turned into a number (or back).
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

} // namespace platform
