#pragma once
// The program's temporary files: each is made private beside where its text goes, and named
// so that the process that made it is known for good, so that only a provably ended
// process's file is ever taken for a leftover.
#include <QByteArray>
#include <QByteArrayView>
#include <sys/types.h>

namespace FileSystem {

// Creates a hidden temporary file of this program in the folder (its bytes, ending in "/"),
// readable and writable by the user alone until it is put in place. Returns the descriptor
// and sets path; -1 with errno when it cannot.
int createTemporary(const QByteArray &folder, QByteArray &path);
// The mode a new file of the user's gets: 0666 less the creation mask the program started with.
mode_t newFileMode();
// A file name that createTemporary makes, or that the program's own files are replaced
// through: ".kv-ordvane-<machine>.<pid namespace>.<pid>.<start>-XXXXXX.part", naming the
// process by this boot of the machine, its PID namespace, its id and its start time; or an
// older program's ".kv-ordvane-<pid>.<start>-XXXXXX.part" or ".kv-ordvane-XXXXXX.part".
bool isTemporaryName(QByteArrayView fileName);
// Such a name of a process that has provably ended: one of this boot and PID namespace that
// is gone. Nobody will finish or remove its file.
bool isLeftoverTemporary(QByteArrayView fileName);

}
