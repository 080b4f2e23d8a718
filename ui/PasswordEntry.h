#pragma once
// Enter Password: the passwords of the selected files that need one. The keyring is asked
// first, for all of them at once and without waiting on it: the window goes on meanwhile,
// and Esc, or a store that has not answered within a few seconds, goes on without it. The
// passwords it holds are tried; then the password dialog asks, and each password given is
// tried on all those files at once, until they are open or the user cancels. A password that
// opened a file stays with the converter binding for the session; one the user asks to
// remember goes to the keyring.
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

class JobList;
namespace Keyring {
class Lookup;
}

class PasswordEntry : public QObject {
    Q_OBJECT

public:
    struct Window {
        // Converts these rows again, they alone; done gets those still locked, after the run.
        std::function<void(const QList<int> &rows, const std::function<void(const QList<int> &still)> &done)> convert;
        std::function<bool()> busy;      // a run or a search is under way: the dialog waits
        std::function<bool()> cancelled; // the program is ending
        std::function<void(const QString &)> say;
    };
    // How long the keyring may take before the dialog asks all the same.
    static constexpr int KeyringBoundMs = 4000;

    PasswordEntry(JobList &jobs, Window window, QObject *parent = nullptr);

    void start();
    bool waitingForKeyring() const { return !lookup.isNull(); }
    void stopWaiting(); // the dialog asks at once

private:
    void keyringAnswered(const QHash<QString, QByteArray> &found);
    // Asks for a password of the rows still locked, tries it, and asks again until they are
    // open or the user cancels; then the selection is as it was.
    void ask(bool wrong = false);
    void tried(const QList<int> &rows, const QList<int> &still, const QByteArray &password, bool remember, bool added);
    void restoreSelection();
    QList<int> lockedRows() const;
    static void wipe(const QByteArray &password);

    JobList &jobs;
    Window window;
    QPointer<Keyring::Lookup> lookup;
    // By path, not row: the list may change while the keyring is asked.
    QStringList locked, selected;
    bool canRemember = false;
};
