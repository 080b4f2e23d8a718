#pragma once
// Passwords of locked PDF files kept in the desktop's secret store (the Secret Service of
// GNOME and KDE), for the user who asks for it. Nothing is kept where there is no store:
// there is no fallback file. Nothing here waits for the store: one that does not answer (it
// hangs, or asks the user to unlock it) never holds up the window.
#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

namespace Keyring {

// Whether the session has a secret store to keep passwords in.
bool available();

// The name a file's password is kept under: a digest of its path and of what tells this file
// from another put in its place, so that the store's attributes, which anyone who may list
// them reads in clear, show no path.
QString keyOf(const QString &path);
// The name an earlier version kept it under, the path in clear; moved to keyOf when found.
QString legacyKeyOf(const QString &path);

// Looks every key up at once. finished comes once, with the passwords found by key, when all
// have been answered, after boundMs, or at cancel(), whichever is first; later answers are
// dropped.
class Lookup : public QObject {
    Q_OBJECT

public:
    Lookup(const QStringList &keys, int boundMs, QObject *parent = nullptr);
    void cancel();

signals:
    void finished(const QHash<QString, QByteArray> &found);

private:
    void end();

    QHash<QString, QByteArray> found;
    QSet<QString> waiting;
    QTimer bound;
    bool ended = false;
};

// Keeps the password under the key; done tells whether the store took it, when it answers.
void storeLater(const QString &key, const QByteArray &password, QObject *context, const std::function<void(bool)> &done);
// Removes the key's password, without waiting.
void removeLater(const QString &key);

}
