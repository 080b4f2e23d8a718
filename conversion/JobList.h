#pragma once
// The job list: the source files collected for conversion, one entry a row, as the main
// window's list shows them. It owns the entries, their selection and focus, the add
// operation with its duplicate and type tests, sorting, and loading and saving the job
// file (its bytes are JobFile's).
#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QString>

namespace JobFile {
enum class Format;
}

class JobList : public QAbstractTableModel {
    Q_OBJECT

public:
    enum State : qint32 { Waiting = 0, Converted = 1, Failed = 2 };
    // Columns of the list; column 0 shows the state, columns 1 to 6 the texts 0 to 5.
    enum Column { ColumnState, ColumnName, ColumnSource, ColumnSize, ColumnType, ColumnTarget, ColumnMessage, ColumnCount };
    enum Text { Name = 0, Source = 1, Size = 2, Type = 3, Target = 4, Message = 5, TextCount = 6 };
    enum Role { StateRole = Qt::UserRole, SelectedRole };

    // The job file's 16-bit fields bound the list and its texts.
    static constexpr int MaxEntries = 65535;
    static constexpr int MaxTextUnits = 32767;

    struct Entry {
        qint32 state = Waiting;
        QString caption;
        QList<QString> texts; // at least TextCount
        bool selected = false;
        // Converted, but the text is empty (a scan without recognition, say). Known only
        // in the session that converted it: the job file has no place for it.
        bool withoutText = false;
        // The convert message as the window shows it, where the stored English text alone
        // cannot give it (a message with figures); empty otherwise.
        QString shownMessage;
    };

    enum class AddResult { Added, AlreadyAdded, TypeNotSupported, NotFound, ListFull };
    // Whether a file that is not there is added (with size 0), or refused as a name handed
    // over from outside, which names a file the user means to exist.
    enum class Presence { Any, Required };
    enum class LoadResult { Loaded, Missing, UnknownMarker, Damaged, Unreadable };

    explicit JobList(QObject *parent = nullptr);

    // "Waiting", "Converted" or "Failed", as assistive technology reads the State column.
    static QString stateName(qint32 state);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Every entry; views see an added one once it is announced (see announceRows).
    int count() const { return int(entries.size()); }
    const Entry &entry(int row) const { return entries[row]; }
    QString text(int row, Text which) const { return entries[row].texts[which]; }
    void setText(int row, Text which, const QString &value);
    // The convert message: English, as the job file keeps it, and as the window shows it
    // when that is not the stored text translated.
    void setMessage(int row, const QString &english, const QString &shown = {});
    QString shownMessage(int row) const;
    // Failed because the file opens only with a password, or forbids copying its text until
    // its owner's password is given.
    bool needsPassword(int row) const;
    // A new state forgets an earlier run's finding that the file gave no text.
    void setState(int row, qint32 state);
    void setWithoutText(int row);

    // Adds one file after the duplicate and type tests; refusals go to the status message
    // and the activity log. The new row ends selected and focused.
    AddResult AddOneFile(const QString &path, Presence presence = Presence::Any);
    // What AddOneFile would do now with the file, without a word; extra entries are counted
    // as already in the list.
    AddResult addable(const QString &path, int extra = 0, Presence presence = Presence::Any, qint64 *size = nullptr) const;
    void DeleteSelectedEntries();
    void SelectAllEntries();
    void clearSelection();

    bool isSelected(int row) const { return entries[row].selected; }
    void setSelected(int row, bool selected);
    void setRangeSelected(int first, int last, bool selected);
    int selectedCount() const { return selected; }
    int firstSelected() const;
    int focusRow() const { return focus; }
    void setFocusRow(int row);

    // Tells the views of the entries added since the last call, in one insertion. Adding many
    // files costs a view one update instead of one per row; it runs by itself as soon as the
    // event loop gets to it, and before anything else changes the list.
    void announceRows();

    // Throws IoError when the file cannot be written; the old file then stays whole.
    void SaveJobFile(const QString &fileName) const;
    QByteArray jobFileBytes() const;
    LoadResult LoadJobFile(const QString &fileName);
    LoadResult LoadOldJobFile(const QString &fileName);
    // Moves a job file that could not be read in full to the first free backup name
    // (name.bak, name.1.bak, ...). Returns that name, or an empty text when it cannot.
    static QString keepDamagedFile(const QString &fileName);

    // A click on a column header: markers in the captions, sort, direction for the next click.
    void ColumnClick(int column);
    int sortColumn() const { return SortColumn; }
    bool sortAscending() const { return SortAscending; }
    // The sort state kept from the last session: the column's marker and the direction of
    // its next click. The rows are already in that order, as the job file keeps them.
    void restoreSortState(int column, bool ascending);

signals:
    void statusMessage(const QString &text);
    // An entry was added, removed, changed or moved: what the job file holds is now old.
    void contentChanged();
    void selectionChanged();
    void focusChanged(int row);

private:
    LoadResult load(const QByteArray &bytes, JobFile::Format format);
    void replaceEntries(QList<Entry> loaded);
    void sortEntries(int column, bool ascending);
    void emitRowChanged(int first, int last);

    QList<Entry> entries;
    int announced = 0; // rows the views know of
    bool announcementScheduled = false;
    bool selectionToAnnounce = false;
    QHash<QString, int> pathCounts; // path key -> entries with that source path
    QStringList captions;
    int selected = 0;
    int focus = -1;
    int SortColumn = -1;
    bool SortAscending = true;
};
