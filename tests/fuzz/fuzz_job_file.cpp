// The job file reader on any bytes, in both formats. Beyond not crashing, what it reads must
// hold what the rest of the program counts on, and survive a save and a load unchanged.
#include "conversion/JobFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void require(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "job file: %s\n", what);
        std::abort();
    }
}

// An entry's texts as the file holds them, those beyond the six included.
QStringList textsOf(const JobList::Entry &e)
{
    QStringList texts;
    for (int i = 0; i < JobList::TextCount; ++i)
        texts << JobList::storedText(e, JobList::Text(i));
    return texts + e.moreTexts;
}

bool sameEntries(const QList<JobList::Entry> &a, const QList<JobList::Entry> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i].state != b[i].state || a[i].caption != b[i].caption || textsOf(a[i]) != textsOf(b[i]))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const JobFile::Format format : {JobFile::Format::Wide, JobFile::Format::EightBit}) {
        const JobFile::Decoded decoded = JobFile::decode(bytes, format);
        require(decoded.entries.size() <= JobList::MaxEntries, "more entries than the file can count");
        for (const JobList::Entry &e : decoded.entries) {
            require(e.type >= 0 && e.type <= DocumentTypeCount, "a type outside the table");
            require(!e.selected, "an entry read as selected");
        }
        if (format == JobFile::Format::Wide) {
            // Every text of the current format fits its 16-bit count, so nothing is cut.
            const JobFile::Decoded again = JobFile::decode(JobFile::encode(decoded.entries), format);
            require(!again.damaged, "a saved list reads as damaged");
            require(sameEntries(again.entries, decoded.entries), "a saved list reads back changed");
        }
    }
    return 0;
}
