#pragma once
// A target text file in the making. The text goes to a hidden temporary file first and is put
// in place in one step when it is whole, so a full disk, a write error or a killed program
// leaves the old target or the new one, never neither and never half of one. Nothing is ever
// written through a symbolic link: a link where the target goes is replaced, not followed.
#include "conversion/Failure.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <functional>

class TargetFile {
public:
    TargetFile() = default;
    TargetFile(const TargetFile &) = delete;
    TargetFile &operator=(const TargetFile &) = delete;
    ~TargetFile(); // removes the temporary file unless it was put in place

    // Opens the temporary file in the folder, made first if need be; only the user may read it
    // until commit. Returns errno, 0 on success.
    int create(const QString &folder);
    // Appends; the first error sticks. Returns errno, 0 on success.
    int write(QByteArrayView bytes);
    // Appends the whole text of another one.
    int append(const TargetFile &other);
    // Closes the descriptor; the text stays until commit or destruction.
    int close();

    qint64 size() const { return written; }
    // Where the text waits until commit; empty once it is in place, or when it could not be made.
    QString temporaryPath() const;
    int createError() const { return openError; }
    int writeError() const { return error; }

    // Puts the text in place as target, making missing folders. When replace is false the name
    // must still be free; when true, whatever holds the name (a file, a link) is replaced, and
    // the new file keeps the permissions of the file it replaces.
    Failure commit(const QString &target, bool replace);
    // The same, but when replace is false and the name is taken at the moment the text goes
    // there (another run may have taken it since the name was chosen), the text goes to
    // nextName(target) instead, and so on; target tells where it went.
    Failure commit(QString &target, bool replace, const std::function<QString(const QString &)> &nextName);

    // The name a killed program may have left behind: removed at the next start.
    static bool isTemporaryName(const QString &fileName);
    // Every temporary file this program creates is recorded in the journal first.
    static void setJournal(const QString &path);
    // Removes the temporary files a killed program left: those in the journal, and those in
    // the folders given, by their names; then empties the journal.
    static void removeLeftovers(const QStringList &folders);

private:
    Failure commitAs(const QString &target, bool replace, bool &nameTaken);

    QByteArray path;   // of the temporary file
    int fd = -1;
    int openError = 0;
    int error = 0;
    qint64 written = 0;
};
