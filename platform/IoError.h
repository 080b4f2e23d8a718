#pragma once
// Failures. A file operation returns what failed (IoResult); an error that ends the user's
// command is thrown (OrdvaneError) and reaches the application's one top-level error box.
// File failures carry the operating system's reason.
#include "base/Expected.h"

#include <QString>
#include <stdexcept>

class OrdvaneError : public std::runtime_error {
public:
    explicit OrdvaneError(const QString &message);
    QString message() const { return text; }

private:
    QString text;
};

// A failed file operation: the system's reason, and the file.
struct IoFailure {
    int errorNumber = 0;
    QString path;
    // The system's text for the reason, a colon, a line break and the path.
    QString message() const;
    // The system's text for the reason alone.
    QString reason() const;
};
template <typename T>
using IoResult = Expected<T, IoFailure>;
// The failure of a call that set errno, for the path.
inline Unexpected<IoFailure> ioFailure(int errorNumber, const QString &path)
{
    return {IoFailure{errorNumber, path}};
}

class IoError : public OrdvaneError {
public:
    IoError(int errorNumber, const QString &path);
    explicit IoError(const IoFailure &failure) : IoError(failure.errorNumber, failure.path) {}
    int errorNumber() const { return code; }

private:
    int code;
};
