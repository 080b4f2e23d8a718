#include "conversion/JobList.h"

#include "conversion/ActivityLog.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <variant>

namespace {

const char *const ConvertSuccessfully = QT_TRANSLATE_NOOP("ConversionRun", "Convert successfully");
const char *const UpToDate = QT_TRANSLATE_NOOP("ConversionRun", "Target file is up to date");

// Sort keys: the state number, the size as a number, or the text as 8-bit text in the
// system code page with a to z taken as capitals.
using SortKey = std::variant<qint64, QByteArray>;

SortKey sortKeyOf(const JobList::Entry &entry, int column)
{
    if (column == 0)
        return qint64(entry.state);
    const QString text = JobList::storedText(entry, JobList::Text(column - 1));
    if (column - 1 == JobList::Size) {
        bool ok = false;
        const qint64 size = text.toLongLong(&ok, 10);
        return ok ? size : std::numeric_limits<qint64>::min(); // damaged sizes come first
    }
    QByteArray key = CodePage::fromUnicode(text, CodePage::System);
    for (char &c : key)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return key;
}

bool keyLess(const SortKey &a, const SortKey &b)
{
    if (const auto *x = std::get_if<qint64>(&a))
        return *x < std::get<qint64>(b);
    // Byte by byte by code, as unsigned; a text that begins the other comes first.
    const QByteArray &x = std::get<QByteArray>(a), &y = std::get<QByteArray>(b);
    return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(),
                                        [](char l, char r) { return uchar(l) < uchar(r); });
}

} // namespace

QString JobList::Outcome::english() const
{
    switch (kind) {
    case Kind::None: return {};
    case Kind::Converted: return QString::fromLatin1(ConvertSuccessfully);
    case Kind::UpToDate: return QString::fromLatin1(UpToDate);
    case Kind::Failed: return failureText(failure);
    case Kind::Other: return text;
    }
    return {};
}

QString JobList::Outcome::shownText() const
{
    return kind == Kind::Other && !shown.isEmpty() ? shown : shownMessage(english());
}

JobList::Outcome JobList::Outcome::of(const QString &english)
{
    if (english.isEmpty())
        return {};
    if (english == QLatin1String(ConvertSuccessfully))
        return converted();
    if (english == QLatin1String(UpToDate))
        return upToDate();
    if (const Failure failure = failureOfText(english); failure != Failure::None)
        return failed(failure);
    return other(english);
}

QString JobList::storedText(const Entry &e, Text which)
{
    switch (which) {
    case Name: return e.name;
    case Source: return e.source;
    case Size: return e.sizeText.value_or(QString::number(e.size));
    case Type: return e.typeText.value_or(e.type > 0 ? QString::fromLatin1(DocumentType(e.type).TypeName) : QString());
    case Target: return e.target;
    case Message: return e.outcome.english();
    case TextCount: break;
    }
    return {};
}

JobList::JobList(QObject *parent) : JobList(Setup(), parent) {}

JobList::JobList(Setup setup, QObject *parent) : QObject(parent), setup(std::move(setup))
{
}

QString JobList::stateName(qint32 state)
{
    switch (state) {
    case Waiting: return tr("Waiting");
    case Converted: return tr("Converted");
    case Failed: return tr("Failed");
    default: return tr("State %1").arg(state);
    }
}

void JobList::setState(int row, qint32 state)
{
    entries[row].state = state;
    entries[row].withoutText = false;
    emit entryChanged(row);
    emit contentChanged();
}

void JobList::setTarget(int row, const QString &target)
{
    entries[row].target = target;
    emit entryChanged(row);
    emit contentChanged();
}

void JobList::setOutcome(int row, const Outcome &outcome)
{
    entries[row].outcome = outcome;
    emit entryChanged(row);
    emit contentChanged();
}

void JobList::setEntry(int row, Entry entry)
{
    entry.source = entries[row].source;
    entry.selected = entries[row].selected;
    entries[row] = std::move(entry);
    emit entryChanged(row);
    emit contentChanged();
}

void JobList::setWithoutText(int row)
{
    entries[row].withoutText = true;
    emit entryChanged(row);
}

bool JobList::needsPassword(int row) const
{
    const Entry &e = entries[row];
    return e.state == Failed && e.outcome.kind == Outcome::Kind::Failed
        && (e.outcome.failure == Failure::PasswordRequired || e.outcome.failure == Failure::NotPermitted);
}

JobList::AddResult JobList::addable(const QString &path, int extra, Presence presence, qint64 *size) const
{
    if (pathCounts.contains(FileSystem::pathKey(path)))
        return AddResult::AlreadyAdded;
    if (setup.types.FindDocumentType(path) == 0)
        return AddResult::TypeNotSupported;
    qint64 bytes = 0; // 0 for a file that cannot be found
    const FileSystem::Kind kind = FileSystem::kindOf(path, &bytes);
    // A pipe or a device named like a PDF would block its conversion, or never end.
    if (kind == FileSystem::Kind::Special)
        return AddResult::TypeNotSupported;
    if (presence == Presence::Required && kind != FileSystem::Kind::File)
        return AddResult::NotFound;
    if (count() + extra >= MaxEntries) // the job file could not hold another one
        return AddResult::ListFull;
    if (size)
        *size = kind == FileSystem::Kind::File ? bytes : 0;
    return AddResult::Added;
}

void JobList::logRefusal(const QString &message, const QString &logText)
{
    emit statusMessage(message);
    if (setup.log)
        setup.log->AppendLog(logText);
}

JobList::AddResult JobList::AddOneFile(const QString &path, Presence presence)
{
    qint64 size = 0;
    switch (const AddResult result = addable(path, 0, presence, &size)) {
    case AddResult::AlreadyAdded:
        logRefusal(tr("File [%1] already added!").arg(path), QStringLiteral("Add file failed: already added (") + path + u')');
        return result;
    case AddResult::TypeNotSupported:
        logRefusal(tr("File [%1] type not support!").arg(path), QStringLiteral("Add file failed: type not support (") + path + u')');
        return result;
    case AddResult::NotFound:
        logRefusal(tr("File [%1] not found!").arg(path), QStringLiteral("Add file failed: not found (") + path + u')');
        return result;
    case AddResult::ListFull:
        logRefusal(tr("File [%1] not added: the list is full!").arg(path), QStringLiteral("Add file failed: list is full (") + path + u')');
        return result;
    case AddResult::Added:
        break;
    }
    Entry e;
    e.name = FileSystem::fileNamePart(path);
    e.source = path;
    e.size = size;
    e.type = setup.types.FindDocumentType(path);
    e.target = setup.target.targetOf(path);
    e.selected = true;
    entries.append(std::move(e));
    ++pathCounts[FileSystem::pathKey(path)];
    ++selected;
    focus = count() - 1;
    emit entriesAdded(focus, focus);
    emit selectionChanged(focus, focus);
    emit focusChanged(focus);
    emit contentChanged();
    return AddResult::Added;
}

void JobList::DeleteSelectedEntries()
{
    if (selected == 0)
        return;
    // From the last row to the first, a run of selected rows at a time.
    for (int last = count() - 1; last >= 0;) {
        if (!entries[last].selected) {
            --last;
            continue;
        }
        int first = last;
        while (first > 0 && entries[first - 1].selected)
            --first;
        for (int row = first; row <= last; ++row) {
            const QString key = FileSystem::pathKey(entries[row].source);
            if (--pathCounts[key] == 0)
                pathCounts.remove(key);
        }
        entries.remove(first, last - first + 1);
        if (focus > last)
            focus -= last - first + 1;
        else if (focus >= first)
            focus = -1;
        emit entriesRemoved(first, last);
        last = first - 1;
    }
    selected = 0;
    emit selectionChanged(0, -1);
    emit focusChanged(focus);
    emit contentChanged();
}

void JobList::SelectAllEntries()
{
    setRangeSelected(0, count() - 1, true);
}

void JobList::clearSelection()
{
    setRangeSelected(0, count() - 1, false);
}

void JobList::setSelected(int row, bool selectedNow)
{
    setRangeSelected(row, row, selectedNow);
}

void JobList::setRangeSelected(int first, int last, bool selectedNow)
{
    first = std::max(first, 0);
    last = std::min(last, count() - 1);
    int changedFirst = -1, changedLast = -1;
    for (int row = first; row <= last; ++row) {
        if (entries[row].selected == selectedNow)
            continue;
        entries[row].selected = selectedNow;
        selected += selectedNow ? 1 : -1;
        if (changedFirst < 0)
            changedFirst = row;
        changedLast = row;
    }
    if (changedFirst >= 0)
        emit selectionChanged(changedFirst, changedLast);
}

int JobList::firstSelected() const
{
    if (selected == 0)
        return -1;
    const auto it = std::find_if(entries.begin(), entries.end(), [](const Entry &e) { return e.selected; });
    return int(it - entries.begin());
}

void JobList::setFocusRow(int row)
{
    if (row < -1 || row >= count() || row == focus)
        return;
    focus = row;
    emit focusChanged(row);
}

void JobList::replaceEntries(QList<Entry> loaded)
{
    entries = std::move(loaded);
    pathCounts.clear();
    selected = 0;
    for (Entry &e : entries) {
        e.selected = false;
        ++pathCounts[FileSystem::pathKey(e.source)];
    }
    focus = -1;
    emit entriesReset();
    emit selectionChanged(0, -1);
    emit focusChanged(focus);
}

void JobList::sortBy(int column, bool ascending)
{
    std::vector<SortKey> keys;
    keys.reserve(size_t(count()));
    for (const Entry &e : entries)
        keys.push_back(sortKeyOf(e, column));
    std::vector<int> order(static_cast<size_t>(count()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return ascending ? keyLess(keys[size_t(a)], keys[size_t(b)]) : keyLess(keys[size_t(b)], keys[size_t(a)]);
    });
    std::vector<int> newRowOf(order.size());
    QList<Entry> sorted;
    sorted.reserve(count());
    for (size_t i = 0; i < order.size(); ++i) {
        newRowOf[size_t(order[i])] = int(i);
        sorted.append(std::move(entries[order[i]]));
    }
    entries = std::move(sorted);
    if (focus >= 0)
        focus = newRowOf[size_t(focus)];
    emit entriesMoved(newRowOf);
    emit focusChanged(focus);
    emit contentChanged();
}
