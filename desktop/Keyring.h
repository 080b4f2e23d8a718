#pragma once
// Passwords of locked PDF files kept in the desktop's secret store (the Secret Service of
// GNOME and KDE), for the user who asks for it. Nothing is kept where there is no store:
// there is no fallback file.
#include <QByteArray>
#include <QString>
#include <optional>

namespace Keyring {

// Whether the session has a secret store to keep passwords in.
bool available();

// The name a file's password is kept under: its path and what tells this file from another
// put in its place.
QString keyOf(const QString &path);

// Both wait for the store, which may ask the user to unlock it; false or nothing when it
// cannot.
bool store(const QString &key, const QByteArray &password);
std::optional<QByteArray> find(const QString &key);

}
