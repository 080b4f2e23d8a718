#pragma once
// The job list as the window's list shows it: seven columns, the state as an icon with the
// six texts beside it, the messages in the user's language, and the sort marker in the
// caption of the column last clicked. Entries added in a burst (a search, a drop of many
// files) reach the views in one insertion, as soon as the event loop gets to it.
#include "conversion/JobList.h"

#include <QAbstractTableModel>
#include <QStringList>

class JobListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // Columns of the list; column 0 shows the state, columns 1 to 6 the texts 0 to 5.
    enum Column { ColumnState, ColumnName, ColumnSource, ColumnSize, ColumnType, ColumnTarget, ColumnMessage, ColumnCount };
    enum Role { StateRole = Qt::UserRole, SelectedRole };

    explicit JobListModel(JobList &list, QObject *parent = nullptr);
    JobList &list() const { return jobs; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Tells the views of the entries added since the last call, in one insertion; runs by
    // itself as soon as the event loop gets to it, and before anything else changes the list.
    void announceRows();

    // A click on a column header: the markers in the captions, the sort, the direction of the
    // column's next click.
    void ColumnClick(int column);
    int sortColumn() const { return SortColumn; }
    bool sortAscending() const { return SortAscending; }
    // The sort state kept from the last session: the column's marker and the direction of
    // its next click. The rows are already in that order, as the job file keeps them.
    void restoreSortState(int column, bool ascending);

signals:
    // The list's selection or focus changed, among rows the views know of: for rows added
    // and not yet announced, once they are.
    void selectionShown();
    void focusShown(int row);

private:
    void scheduleAnnouncement();

    JobList &jobs;
    QStringList captions;
    int announced = 0; // rows the views know of
    bool announcementScheduled = false;
    bool selectionPending = false, focusPending = false;
    int SortColumn = -1;
    bool SortAscending = true;
};
