#include "ui/PasswordEntry.h"

#include "conversion/JobList.h"
#include "conversion/MyPdfCvt.h"
#include "desktop/Keyring.h"
#include "forms/UnPassword.h"

#include <QScopeGuard>
#include <QTimer>
#include <string.h>

PasswordEntry::PasswordEntry(JobList &jobs, Window window, QObject *parent) : QObject(parent), jobs(jobs), window(std::move(window))
{
}

void PasswordEntry::start()
{
    if (waitingForKeyring())
        return;
    locked.clear();
    selected.clear();
    for (int row = 0; row < jobs.count(); ++row) {
        if (!jobs.isSelected(row))
            continue;
        selected << jobs.entry(row).source;
        if (jobs.needsPassword(row))
            locked << jobs.entry(row).source;
    }
    if (locked.isEmpty()) {
        window.say(tr("None of the selected files needs a password."));
        return;
    }
    canRemember = Keyring::available();
    if (!canRemember) {
        ask();
        return;
    }
    QStringList keys;
    for (const QString &source : std::as_const(locked))
        keys << Keyring::keyOf(source) << Keyring::legacyKeyOf(source);
    lookup = new Keyring::Lookup(keys, KeyringBoundMs, this);
    connect(lookup, &Keyring::Lookup::finished, this, &PasswordEntry::keyringAnswered);
    window.say(tr("Asking the keyring for the passwords... Esc types them in instead."));
}

void PasswordEntry::stopWaiting()
{
    if (lookup)
        lookup->cancel();
}

void PasswordEntry::keyringAnswered(const QHash<QString, QByteArray> &found)
{
    if (lookup) {
        lookup->deleteLater();
        lookup = nullptr;
    }
    if (window.cancelled())
        return;
    if (window.busy()) { // a run or a search began meanwhile: the dialog waits for its end
        QTimer::singleShot(200, this, [this, found] { keyringAnswered(found); });
        return;
    }
    window.say({});
    bool any = false;
    for (const QString &source : std::as_const(locked)) {
        const QString key = Keyring::keyOf(source), legacy = Keyring::legacyKeyOf(source);
        const QByteArray password = found.value(key, found.value(legacy));
        if (password.isEmpty())
            continue;
        if (!found.contains(key) && found.contains(legacy)) { // kept by an earlier version, the path in clear
            Keyring::storeLater(key, password, this, [legacy](bool kept) {
                if (kept)
                    Keyring::removeLater(legacy);
            });
        }
        MyPdfCvt::AddPassword(password);
        any = true;
    }
    for (const QByteArray &password : found)
        wipe(password);
    if (any)
        window.convert(lockedRows(), [this](const QList<int> &) { ask(); });
    else
        ask();
}

QList<int> PasswordEntry::lockedRows() const
{
    QList<int> rows;
    for (int row = 0; row < jobs.count(); ++row)
        if (jobs.needsPassword(row) && locked.contains(jobs.entry(row).source))
            rows << row;
    return rows;
}

void PasswordEntry::ask(bool wrong)
{
    const QList<int> rows = lockedRows();
    if (rows.isEmpty() || window.cancelled())
        return restoreSelection();
    std::optional<TFmPassword::Answer> answer = FmPassword->AskPassword(jobs.entry(rows.first()).name, int(rows.size()), wrong, canRemember);
    if (!answer)
        return restoreSelection();
    const bool added = MyPdfCvt::AddPassword(answer->password);
    const QByteArray password = answer->password;
    const bool remember = answer->remember;
    window.convert(rows, [this, rows, password, remember, added](const QList<int> &still) { tried(rows, still, password, remember, added); });
}

void PasswordEntry::tried(const QList<int> &rows, const QList<int> &still, const QByteArray &password, bool remember, bool added)
{
    const auto forget = qScopeGuard([&password] { wipe(password); });
    for (const int row : rows) {
        if (still.contains(row) || !remember || jobs.entry(row).state != JobList::Converted)
            continue;
        Keyring::storeLater(Keyring::keyOf(jobs.entry(row).source), password, this, [this](bool kept) {
            if (!kept)
                window.say(tr("The keyring did not take the password: it is known only until KV-Ordvane ends."));
        });
    }
    if (added && still.size() == rows.size()) // it opened nothing: not kept
        MyPdfCvt::ForgetPassword(password);
    ask(!still.isEmpty());
}

void PasswordEntry::restoreSelection()
{
    jobs.clearSelection();
    for (int row = 0; row < jobs.count(); ++row)
        if (selected.contains(jobs.entry(row).source))
            jobs.setSelected(row, true);
}

// Overwrites the bytes where they are, shared or not: a detached copy would leave them.
void PasswordEntry::wipe(const QByteArray &password)
{
    explicit_bzero(const_cast<char *>(password.constData()), size_t(password.size()));
}
