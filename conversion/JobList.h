#pragma once
// The job list: the source files collected for conversion, one entry each, in the order the
// user sees them; their selection and focus, the add operation with its duplicate and type
// tests, deleting and sorting. It takes what it needs: the document types, the target rule for
// the entries it adds, the activity log for its refusals. The window shows it through
// JobListModel; its file is JobStore's.
#include "conversion/Failure.h"
#include "conversion/TargetPath.h"
#include "settings/DocumentTypes.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class ActivityLog;

class JobList : public QObject {
    Q_OBJECT

public:
    enum State : qint32 { Waiting = 0, Converted = 1, Failed = 2 };
    // The texts of an entry, as the list's columns 1 to 6 show them and the job file keeps them.
    enum Text { Name = 0, Source = 1, Size = 2, Type = 3, Target = 4, Message = 5, TextCount = 6 };

    // The job file's 16-bit fields bound the list and its texts.
    static constexpr int MaxEntries = 65535;
    static constexpr int MaxTextUnits = 32767;

    // What the last conversion of an entry came to.
    struct Outcome {
        enum class Kind { None, Converted, UpToDate, Failed, Other };
        Kind kind = Kind::None;
        Failure failure = Failure::None; // of Failed
        // Other: a message that none of the above says, in English (as a job file of another
        // version holds it, or one with figures: a code page, a language) and as the window
        // shows it (empty: the English text).
        QString text, shown;

        static Outcome converted() { return {Kind::Converted, Failure::None, {}, {}}; }
        static Outcome upToDate() { return {Kind::UpToDate, Failure::None, {}, {}}; }
        static Outcome failed(Failure failure) { return {Kind::Failed, failure, {}, {}}; }
        static Outcome other(const QString &english, const QString &shown = {}) { return {Kind::Other, Failure::None, english, shown}; }
        // The message as the job file and the log keep it, and as the window shows it.
        QString english() const;
        QString shownText() const;
        // The outcome a stored message names.
        static Outcome of(const QString &english);
        bool operator==(const Outcome &) const = default;
    };

    struct Entry {
        qint32 state = Waiting; // a job file may hold another number, kept as it is
        QString name, source, target;
        qint64 size = 0;
        int type = 0; // in the document-type table; 0 for none
        Outcome outcome;
        bool selected = false;
        // Converted, but the text is empty (a scan without recognition, say). Known only in the
        // session that converted it: the job file has no place for it.
        bool withoutText = false;
        // What a job file held that the fields above do not say as it was written, kept to be
        // written back the same: the caption, a size or type text of another form, more texts.
        QString caption;
        std::optional<QString> sizeText, typeText;
        QStringList moreTexts;
    };
    // An entry's text as the job file keeps it (the message in English).
    static QString storedText(const Entry &entry, Text which);

    enum class AddResult { Added, AlreadyAdded, TypeNotSupported, NotFound, ListFull };
    // Whether a file that is not there is added (with size 0), or refused as a name handed
    // over from outside, which names a file the user means to exist.
    enum class Presence { Any, Required };

    struct Setup {
        DocumentTypes types;
        TargetRule target;        // for the Target column of the entries added
        ActivityLog *log = nullptr; // for refusals; none: they are not logged
    };
    explicit JobList(QObject *parent = nullptr);
    explicit JobList(Setup setup, QObject *parent = nullptr);
    void setDocumentTypes(const DocumentTypes &types) { setup.types = types; }
    void setTargetRule(const TargetRule &target) { setup.target = target; }

    // "Waiting", "Converted" or "Failed", as assistive technology reads the state.
    static QString stateName(qint32 state);

    int count() const { return int(entries.size()); }
    const Entry &entry(int row) const { return entries[row]; }
    const QList<Entry> &allEntries() const { return entries; }
    // An entry's text as the job file keeps it.
    QString text(int row, Text which) const { return storedText(entries[row], which); }
    // In place of the entry there; its source and its selection stay as they were.
    void setEntry(int row, Entry entry);
    // A new state forgets an earlier run's finding that the file gave no text.
    void setState(int row, qint32 state);
    void setTarget(int row, const QString &target);
    void setOutcome(int row, const Outcome &outcome);
    void setWithoutText(int row);
    // Failed because the file opens only with a password, or forbids copying its text until
    // its owner's password is given.
    bool needsPassword(int row) const;

    // Adds one file after the duplicate and type tests; refusals go to the status message
    // and the activity log. The new row ends selected and focused.
    AddResult AddOneFile(const QString &path, Presence presence = Presence::Any);
    // What AddOneFile would do now with the file, without a word; extra entries are counted
    // as already in the list.
    [[nodiscard]] AddResult addable(const QString &path, int extra = 0, Presence presence = Presence::Any, qint64 *size = nullptr) const;
    void DeleteSelectedEntries();
    void SelectAllEntries();
    void clearSelection();
    // The entries of a job file, in place of those there were; none selected.
    void replaceEntries(QList<Entry> loaded);

    bool isSelected(int row) const { return entries[row].selected; }
    void setSelected(int row, bool selected);
    void setRangeSelected(int first, int last, bool selected);
    int selectedCount() const { return selected; }
    int firstSelected() const;
    int focusRow() const { return focus; }
    void setFocusRow(int row);

    // Sorts by a column of the list (0 the state, 1 to 6 the texts): the state and the size as
    // numbers, the texts as 8-bit text in the system code page with a to z taken as capitals.
    void sortBy(int column, bool ascending);

signals:
    void statusMessage(const QString &text);
    void entriesAdded(int first, int last);
    void entriesRemoved(int first, int last);
    void entriesReset();
    // newRowOf: each entry's row before, its row now.
    void entriesMoved(const std::vector<int> &newRowOf);
    void entryChanged(int row);
    void selectionChanged(int first, int last);
    void focusChanged(int row);
    // An entry was added, removed, changed or moved: what the job file holds is now old.
    void contentChanged();

private:
    void logRefusal(const QString &message, const QString &logText);

    Setup setup;
    QList<Entry> entries;
    QHash<QString, int> pathCounts; // path key -> entries with that source path
    int selected = 0;
    int focus = -1;
};
