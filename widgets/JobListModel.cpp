#include "widgets/JobListModel.h"

#include <algorithm>
#include <utility>

JobListModel::JobListModel(JobList &list, QObject *parent) : QAbstractTableModel(parent), jobs(list)
{
    captions = {tr("State"), tr("Name"), tr("Source file"), tr("Size(Byte)"), tr("Type"), tr("Target file"),
                tr("Convert Message")};
    announced = jobs.count();
    connect(&jobs, &JobList::entriesAdded, this, &JobListModel::scheduleAnnouncement);
    // Anything else the list does is told at once, after the rows it adds.
    const auto announcedFirst = [this] { announceRows(); };
    // Told after the list has let the rows go: of those the views never heard of (added since
    // the last announcement) they hear nothing now either.
    connect(&jobs, &JobList::entriesRemoved, this, [this](int first, int last) {
        const int shownLast = std::min(last, announced - 1);
        if (first > shownLast)
            return;
        beginRemoveRows({}, first, shownLast);
        announced -= shownLast - first + 1;
        endRemoveRows();
    });
    connect(&jobs, &JobList::entriesReset, this, [this] {
        beginResetModel();
        announced = jobs.count();
        announcementScheduled = false;
        endResetModel();
    });
    connect(&jobs, &JobList::entriesMoved, this, [this, announcedFirst](const std::vector<int> &newRowOf) {
        announcedFirst();
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        const QModelIndexList persistent = persistentIndexList();
        QModelIndexList moved;
        moved.reserve(persistent.size());
        for (const QModelIndex &i : persistent)
            moved.append(index(newRowOf[size_t(i.row())], i.column()));
        changePersistentIndexList(persistent, moved);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    });
    connect(&jobs, &JobList::entryChanged, this, [this, announcedFirst](int row) {
        announcedFirst();
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    });
    connect(&jobs, &JobList::selectionChanged, this, [this](int first, int last) {
        if (announced < jobs.count()) {
            selectionPending = true;
            return;
        }
        if (first <= last)
            emit dataChanged(index(first, 0), index(last, ColumnCount - 1), {SelectedRole});
        emit selectionShown();
    });
    connect(&jobs, &JobList::focusChanged, this, [this](int row) {
        if (announced < jobs.count())
            focusPending = true;
        else
            emit focusShown(row);
    });
}

void JobListModel::scheduleAnnouncement()
{
    if (announcementScheduled)
        return;
    announcementScheduled = true;
    QMetaObject::invokeMethod(this, &JobListModel::announceRows, Qt::QueuedConnection);
}

void JobListModel::announceRows()
{
    announcementScheduled = false;
    if (announced < jobs.count()) {
        beginInsertRows({}, announced, jobs.count() - 1);
        announced = jobs.count();
        endInsertRows();
    }
    if (std::exchange(selectionPending, false)) {
        emit dataChanged(index(0, 0), index(announced - 1, ColumnCount - 1), {SelectedRole});
        emit selectionShown();
    }
    if (std::exchange(focusPending, false))
        emit focusShown(jobs.focusRow());
}

int JobListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : announced;
}

int JobListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant JobListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= jobs.count())
        return {};
    const JobList::Entry &e = jobs.entry(index.row());
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == ColumnState)
            return e.caption;
        if (index.column() == ColumnMessage)
            return e.outcome.shownText();
        return JobList::storedText(e, JobList::Text(index.column() - 1));
    case Qt::TextAlignmentRole:
        return index.column() == ColumnSize ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case Qt::AccessibleTextRole:
        if (index.column() == ColumnState)
            return e.withoutText ? tr("%1, no text").arg(JobList::stateName(e.state)) : JobList::stateName(e.state);
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

QVariant JobListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount)
        return captions[section];
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole && section == ColumnSize)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void JobListModel::ColumnClick(int column)
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
    jobs.sortBy(column, SortAscending);
    SortAscending = !SortAscending;
}

void JobListModel::restoreSortState(int column, bool ascending)
{
    if (column < 0 || column >= ColumnCount)
        return;
    SortColumn = column;
    SortAscending = ascending;
    // The marker shows the direction of the sort that was made, the opposite of the next one.
    captions[column].prepend(ascending ? QStringLiteral("(<-)") : QStringLiteral("(->)"));
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}
