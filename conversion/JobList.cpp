#include "conversion/JobList.h"

#include "conversion/ActivityLog.h"
#include "conversion/Failure.h"
#include "conversion/JobFile.h"
#include "conversion/TargetPath.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/IoError.h"
#include "settings/DocumentTypes.h"
#include "settings/Settings.h"

#include <algorithm>
#include <cerrno>
#include <limits>
#include <numeric>
#include <variant>

namespace {

// Sort keys: the state number, the size as a number, or the text as 8-bit text in the
// system code page with a to z taken as capitals.
using SortKey = std::variant<qint64, QByteArray>;

SortKey sortKeyOf(const JobList::Entry &entry, int column)
{
    if (column == JobList::ColumnState)
        return qint64(entry.state);
    const QString &text = entry.texts[column - 1];
    if (column == JobList::ColumnSize) {
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

JobList::JobList(QObject *parent) : QAbstractTableModel(parent)
{
    captions = {tr("State"), tr("Name"), tr("Source file"), tr("Size(Byte)"), tr("Type"), tr("Target file"),
                tr("Convert Message")};
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

int JobList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : announced;
}

void JobList::announceRows()
{
    announcementScheduled = false;
    if (announced < count()) {
        beginInsertRows({}, announced, count() - 1);
        announced = count();
        endInsertRows();
    }
    if (selectionToAnnounce) {
        selectionToAnnounce = false;
        emit selectionChanged();
        emit focusChanged(focus);
    }
}

int JobList::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant JobList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const Entry &e = entries[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == ColumnMessage)
            return shownMessage(index.row());
        return index.column() == ColumnState ? e.caption : e.texts.value(index.column() - 1);
    case Qt::TextAlignmentRole:
        return index.column() == ColumnSize ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case Qt::AccessibleTextRole:
        if (index.column() == ColumnState)
            return e.withoutText ? tr("%1, no text").arg(stateName(e.state)) : stateName(e.state);
        return {};
    case Qt::ToolTipRole:
        if (index.column() == ColumnState && e.withoutText)
            return tr("Converted, but the file gave no text");
        return {};
    case StateRole:
        return e.state;
    case SelectedRole:
        return e.selected;
    default:
        return {};
    }
}

QVariant JobList::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount)
        return captions[section];
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole && section == ColumnSize)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void JobList::emitRowChanged(int first, int last)
{
    emit dataChanged(index(first, 0), index(last, ColumnCount - 1));
}

void JobList::setMessage(int row, const QString &english, const QString &shown)
{
    setText(row, Message, english);
    entries[row].shownMessage = shown;
}

QString JobList::shownMessage(int row) const
{
    const Entry &e = entries[row];
    return !e.shownMessage.isEmpty() ? e.shownMessage : ::shownMessage(e.texts[Message]);
}

bool JobList::needsPassword(int row) const
{
    const Entry &e = entries[row];
    return e.state == Failed
        && (e.texts[Message] == failureText(Failure::PasswordRequired) || e.texts[Message] == failureText(Failure::NotPermitted));
}

void JobList::setText(int row, Text which, const QString &value)
{
    announceRows();
    entries[row].texts[which] = value;
    if (which == Message)
        entries[row].shownMessage.clear();
    emit dataChanged(index(row, which + 1), index(row, which + 1));
    emit contentChanged();
}

void JobList::setState(int row, qint32 state)
{
    announceRows();
    entries[row].state = state;
    entries[row].withoutText = false;
    emit dataChanged(index(row, ColumnState), index(row, ColumnState));
    emit contentChanged();
}

void JobList::setWithoutText(int row)
{
    announceRows();
    entries[row].withoutText = true;
    emit dataChanged(index(row, ColumnState), index(row, ColumnState));
}

JobList::AddResult JobList::addable(const QString &path, int extra, Presence presence, qint64 *size) const
{
    if (pathCounts.contains(FileSystem::pathKey(path)))
        return AddResult::AlreadyAdded;
    if (FindDocumentType(path) == 0)
        return AddResult::TypeNotSupported;
    qint64 bytes = 0; // 0 for a file that cannot be found
    const FileSystem::Kind kind = FileSystem::kindOf(path, &bytes);
    // A pipe or a device named like a PDF would block its conversion, or never end.
    if (kind == FileSystem::Kind::Special)
        return AddResult::TypeNotSupported;
    if (presence == Presence::Required && kind != FileSystem::Kind::File)
        return AddResult::NotFound;
    if (size)
        *size = kind == FileSystem::Kind::File ? bytes : 0;
    if (count() + extra >= MaxEntries) // the job file could not hold another one
        return AddResult::ListFull;
    return AddResult::Added;
}

JobList::AddResult JobList::AddOneFile(const QString &path, Presence presence)
{
    qint64 size = 0;
    switch (addable(path, 0, presence, &size)) {
    case AddResult::AlreadyAdded:
        emit statusMessage(tr("File [%1] already added!").arg(path));
        AppendLog(QStringLiteral("Add file failed: already added (") + path + u')');
        return AddResult::AlreadyAdded;
    case AddResult::TypeNotSupported:
        emit statusMessage(tr("File [%1] type not support!").arg(path));
        AppendLog(QStringLiteral("Add file failed: type not support (") + path + u')');
        return AddResult::TypeNotSupported;
    case AddResult::NotFound:
        emit statusMessage(tr("File [%1] not found!").arg(path));
        AppendLog(QStringLiteral("Add file failed: not found (") + path + u')');
        return AddResult::NotFound;
    case AddResult::ListFull:
        emit statusMessage(tr("File [%1] not added: the list is full!").arg(path));
        AppendLog(QStringLiteral("Add file failed: list is full (") + path + u')');
        return AddResult::ListFull;
    case AddResult::Added:
        break;
    }
    const int type = FindDocumentType(path);
    Entry e;
    e.texts = {FileSystem::fileNamePart(path),
               path,
               QString::number(size),
               QString::fromLatin1(DocumentType(type).TypeName),
               TargetFileName(path, Settings.samedir, Settings.targetdir),
               QString()};
    e.selected = true;
    entries.append(std::move(e));
    ++pathCounts[FileSystem::pathKey(path)];
    ++selected;
    focus = count() - 1;
    selectionToAnnounce = true;
    if (!announcementScheduled) {
        announcementScheduled = true;
        QMetaObject::invokeMethod(this, &JobList::announceRows, Qt::QueuedConnection);
    }
    emit contentChanged();
    return AddResult::Added;
}

void JobList::DeleteSelectedEntries()
{
    announceRows();
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
        beginRemoveRows({}, first, last);
        for (int row = first; row <= last; ++row) {
            const QString key = FileSystem::pathKey(entries[row].texts[Source]);
            if (--pathCounts[key] == 0)
                pathCounts.remove(key);
        }
        entries.remove(first, last - first + 1);
        announced -= last - first + 1; // every row was announced above
        if (focus > last)
            focus -= last - first + 1;
        else if (focus >= first)
            focus = -1;
        endRemoveRows();
        last = first - 1;
    }
    selected = 0;
    emit selectionChanged();
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
    announceRows();
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
    if (changedFirst >= 0) {
        emitRowChanged(changedFirst, changedLast);
        emit selectionChanged();
    }
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
    announceRows();
    if (row < -1 || row >= count() || row == focus)
        return;
    focus = row;
    emit focusChanged(row);
}

QByteArray JobList::jobFileBytes() const
{
    return JobFile::encode(entries);
}

void JobList::SaveJobFile(const QString &fileName) const
{
    if (const int error = FileSystem::replaceFile(fileName, jobFileBytes()))
        throw IoError(error, fileName);
}

JobList::LoadResult JobList::LoadJobFile(const QString &fileName)
{
    QByteArray bytes;
    const int error = FileSystem::readFile(fileName, bytes);
    if (error == ENOENT)
        return LoadResult::Missing;
    if (error)
        return LoadResult::Unreadable;
    const std::optional<JobFile::Format> format = JobFile::formatOf(bytes);
    if (!format)
        return LoadResult::UnknownMarker;
    return load(bytes, *format);
}

QString JobList::keepDamagedFile(const QString &fileName)
{
    const QByteArray from = FileSystem::encodePath(fileName);
    for (int n = 0; n < 1000; ++n) {
        const QString kept = n == 0 ? fileName + QStringLiteral(".bak") : fileName + QStringLiteral(".%1.bak").arg(n);
        const int error = FileSystem::renameInto(from, FileSystem::encodePath(kept), false);
        if (error != EEXIST)
            return error == 0 ? kept : QString();
    }
    return {};
}

JobList::LoadResult JobList::LoadOldJobFile(const QString &fileName)
{
    QByteArray bytes;
    if (FileSystem::readFile(fileName, bytes) != 0)
        return LoadResult::Unreadable;
    return load(bytes, JobFile::Format::EightBit);
}

JobList::LoadResult JobList::load(const QByteArray &bytes, JobFile::Format format)
{
    JobFile::Decoded decoded = JobFile::decode(bytes, format);
    replaceEntries(std::move(decoded.entries));
    return decoded.damaged ? LoadResult::Damaged : LoadResult::Loaded;
}

void JobList::replaceEntries(QList<Entry> loaded)
{
    beginResetModel();
    entries = std::move(loaded);
    announced = count();
    selectionToAnnounce = false;
    pathCounts.clear();
    selected = 0;
    for (Entry &e : entries) {
        e.selected = false;
        ++pathCounts[FileSystem::pathKey(e.texts[Source])];
    }
    focus = -1;
    endResetModel();
    emit selectionChanged();
    emit focusChanged(focus);
}

void JobList::ColumnClick(int column)
{
    if (column < 0 || column >= ColumnCount)
        return;
    for (QString &caption : captions)
        if (caption.startsWith(u'('))
            caption.remove(0, 4);
    if (column != SortColumn)
        SortAscending = true;
    captions[column].prepend(SortAscending ? QStringLiteral("(->)") : QStringLiteral("(<-)"));
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    SortColumn = column;
    sortEntries(column, SortAscending);
    SortAscending = !SortAscending;
}

void JobList::sortEntries(int column, bool ascending)
{
    announceRows();
    std::vector<SortKey> keys;
    keys.reserve(size_t(count()));
    for (const Entry &e : entries)
        keys.push_back(sortKeyOf(e, column));
    std::vector<int> order(static_cast<size_t>(count()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return ascending ? keyLess(keys[size_t(a)], keys[size_t(b)]) : keyLess(keys[size_t(b)], keys[size_t(a)]);
    });

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newRowOf(order.size());
    QList<Entry> sorted;
    sorted.reserve(count());
    for (size_t i = 0; i < order.size(); ++i) {
        newRowOf[size_t(order[i])] = int(i);
        sorted.append(std::move(entries[order[i]]));
    }
    entries = std::move(sorted);
    const QModelIndexList persistent = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(persistent.size());
    for (const QModelIndex &i : persistent)
        moved.append(index(newRowOf[size_t(i.row())], i.column()));
    changePersistentIndexList(persistent, moved);
    if (focus >= 0)
        focus = newRowOf[size_t(focus)];
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    emit focusChanged(focus);
    emit contentChanged();
}

void JobList::restoreSortState(int column, bool ascending)
{
    if (column < 0 || column >= ColumnCount)
        return;
    SortColumn = column;
    SortAscending = ascending;
    // The marker shows the direction of the sort that was made, the opposite of the next one.
    captions[column].prepend(ascending ? QStringLiteral("(<-)") : QStringLiteral("(->)"));
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}
