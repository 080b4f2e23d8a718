#pragma once
// Errors that end the current operation and reach the application's one top-level error
// box. File failures carry the operating system's reason.
#include <QString>
#include <stdexcept>

class OrdvaneError : public std::runtime_error {
public:
    explicit OrdvaneError(const QString &message);
    QString message() const { return text; }

private:
    QString text;
};

class IoError : public OrdvaneError {
public:
    IoError(int errorNumber, const QString &path);
    int errorNumber() const { return code; }

private:
    int code;
};
