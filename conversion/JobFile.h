#pragma once
// The job file's bytes: the current format, UTF-16 texts behind the marker "LFW", and the
// old one, 8-bit texts in the system code page behind "LVF". Both hold a 16-bit entry count,
// then per entry its text count, its state, its caption and its texts, each text behind its
// 16-bit byte count, all little-endian. The program writes the current format only.
#include "conversion/JobList.h"
#include "platform/IoError.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <optional>

namespace JobFile {

enum class Format { Wide, EightBit };

// The job file on disk, read and written whole. A file that cannot be read in full gives
// what could be read; the program keeps the file aside (keepDamagedFile) before it is
// replaced, so nothing of it is lost.
enum class LoadResult { Loaded, Missing, UnknownMarker, Damaged, Unreadable };
struct Loaded {
    LoadResult result = LoadResult::Missing;
    QList<JobList::Entry> entries;
};
Loaded LoadJobFile(const QString &fileName); // either format, by its marker
Loaded LoadOldJobFile(const QString &fileName);
[[nodiscard]] IoResult<void> SaveJobFile(const QString &fileName, const QList<JobList::Entry> &entries);
// Moves a job file that could not be read in full to the first free backup name
// (name.bak, name.1.bak, ...). Returns that name, or an empty text when it cannot.
QString keepDamagedFile(const QString &fileName);

// The format the file's marker names; none for a file of neither.
std::optional<Format> formatOf(QByteArrayView bytes);

// The first MaxEntries entries in the current format, each text cut at MaxTextUnits.
QByteArray encode(const QList<JobList::Entry> &entries);

// An entry as the job file holds it: its state, caption and texts (the message in English).
// What the entry's fields cannot say as it stands stays beside them, to be written back the same.
JobList::Entry entryOf(qint32 state, const QString &caption, QStringList texts);

struct Decoded {
    QList<JobList::Entry> entries; // none selected
    bool damaged = false;          // something was cut short, missing, left over or odd
};
// Reads what can be read, whatever the bytes; the marker is not checked.
Decoded decode(QByteArrayView bytes, Format format);

} // namespace JobFile
