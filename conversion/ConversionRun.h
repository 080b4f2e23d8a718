#pragma once
// The conversion run: walks the job list once and, for every entry the command selects,
// works out the target, applies the policy for an existing target, converts, writes the
// text file and records the outcome in the entry and the activity log. The window supplies
// the progress display and the prompt through Display.
//
// The entries are handled one after the other, in list order, as the user sees them; the
// engine converts ahead on every processor. A conversion depends on its source and the text
// options alone, which stay as they are during a run; a conversion whose entry turns out not
// to be wanted when its turn comes (its selection changed, its target was declined, or the
// run was stopped) is abandoned at once, and nothing is written for it.
#include "conversion/ConversionEngine.h"
#include "conversion/Failure.h"
#include "conversion/RunOptions.h"
#include "conversion/TextRecords.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <map>
#include <functional>
#include <optional>
#include <vector>

class JobList;

class ConversionRun {
public:
    enum Mode { ConvertAll = 0, ConvertSelected = 1, ReConvertSelected = 2 };
    // The prompt's buttons, by their modal results.
    enum class PromptAnswer { AutoRename = 6, Overwrite = 7, Cancel = 2, StopConvert = 3 };

    // What became of one entry the run handled, besides its state, target and message.
    struct EntryReport {
        bool converted = false; // the converter was asked
        int result = 0;         // as ConvertPdfFile gives it: bytes written, or a failure code
        qint64 bytes = -1;      // of the text, which may be longer than result can say
        qint64 pages = -1;      // the document's page count, when it was opened
        double seconds = 0;     // spent converting it
        QList<int> unreadPages;     // left unread for want of recognition data
        QList<int> unfinishedPages; // whose recognition did not end in time, or was cut short
    };

    class Display {
    public:
        virtual ~Display() = default;
        virtual void runStarted(int total) { Q_UNUSED(total); }
        virtual void showFile(const QString &source) { Q_UNUSED(source); }
        virtual void stepProgress() {}
        virtual PromptAnswer askTargetExists(const QString &target);
        virtual void processEvents() {}
        virtual bool cancelRequested() { return false; }
        virtual void runFinished() {}
        // After each entry that got an outcome (not after unwanted or stopped ones).
        virtual void entryDone(int row, const EntryReport &report) { Q_UNUSED(row); Q_UNUSED(report); }
        // After an entry left as it was because its target exists (ExistingTarget::Skip) or is
        // up to date (ExistingTarget::Update); why, in English.
        virtual void entrySkipped(int row, const QString &why) { Q_UNUSED(row); Q_UNUSED(why); }
        // Called about every hundredth of a second while the entry in hand is converted.
        virtual void waiting(const ConversionEngine::Progress &progress) { Q_UNUSED(progress); }
    };

    // threads: how many files are converted at once; 0 for one per processor. converter:
    // the converter library when null.
    ConversionRun(JobList &list, Display &display, int threads = 0, ConversionEngine::Converter *converter = nullptr);

    // One run over the whole list with the command's mode. Errors of the activity log end
    // it at once (IoError); what was recorded before stays.
    void run(int mode, const RunOptions &options);
    // With the options of the settings.
    void run(int mode);

    // The counts of the run, as its last log line gives them (without the line end).
    enum class Language { Log, User };
    QString summary(Language language = Language::Log) const;
    int successful() const { return Successful; }
    int failed() const { return Failed; }
    // Entries left as they were because their target exists (ExistingTarget::Skip) or is up
    // to date (ExistingTarget::Update).
    int skipped() const { return Skipped; }
    // Entries the run would have handled, left as they were by Stop or Cancel.
    int leftWaiting() const { return LeftWaiting; }
    // What the run did, for the user: converted, skipped, failed and left waiting.
    QString outcomeNote() const;
    // Files converted whose text shows nothing (scans that even recognition could not read).
    int withoutText() const { return WithoutText; }
    // Pages that needed recognition and were left with their text layer for want of language
    // data for their script, and what would read them; empty when there were none.
    int unreadPages() const { return UnreadPages; }
    QString unreadNote(Language language = Language::Log) const;
    // Pages whose recognition did not finish in time, read in part or not at all.
    int unfinishedPages() const { return UnfinishedPages; }
    QString unfinishedNote(Language language = Language::Log) const;

    // The first free name "base(N).ext" for an existing target; taken: names also not free.
    static QString numberedName(const QString &target, const std::function<bool(const QString &)> &taken = {});

private:
    enum class Outcome { Done, Stopped };
    struct Submitted {
        QString source;
        ConversionEngine::Job job;
    };

    Outcome convertEntry(int row);
    std::optional<Outcome> placeTarget(int row, QString &target, bool &replace);
    std::optional<ConversionEngine::Result> awaitConversion(int row, const QString &source, const QString &target);
    void recordConverted(int row, const QString &source, const ConversionEngine::Result &conversion);
    bool wanted(int row) const;
    bool convertible(int row) const;
    static bool placeable(const QString &target);
    QString targetOf(const QString &source) const;

    // Where the source's text goes under Skip and Update, by the records of what made the
    // texts there: its own text, left alone or replaced; a new numbered name, the name being
    // another's; or the name of the target rule, free.
    struct Finding {
        enum Kind { Free, LeaveAlone, Replace, Another } kind = Free;
        QString text;
        QString why;        // LeaveAlone: in English
        bool inRun = false; // Another: a file of this run has the name
    };
    Finding findText(const QString &source, const QString &target);
    Finding judged(const QString &text, const TextOrigin &origin);
    bool leftAloneAhead(int row, const QString &source, const QString &target);
    bool byRecords() const { return options.existing == ExistingTarget::Skip || options.existing == ExistingTarget::Update; }
    // No two entries of a run end in one text: a name given to an entry is not free for
    // another, and the first in list order takes the name the target rule gives it.
    bool claimed(const QString &name) const;
    void claim(const QString &name) { claimedNames.insert(FileSystem::pathKey(name)); }
    QString nextFreeName(const QString &target) const;
    void renamed(const QString &target, bool inRun);
    Outcome leaveAlone(int row, const QString &text, const QString &why);
    void submitAhead();
    void abandon(int row);
    // A failure's message in English, for the log and the job file, and as the window shows it
    // (empty: the English text translated).
    struct Problem {
        QString english;
        QString shown;
    };
    void fail(int row, Failure failure, const QString &path);
    void fail(int row, Failure failure, const QString &path, const EntryReport &report);
    void fail(int row, const Problem &problem, const QString &path, const EntryReport &report);

    JobList &list;
    Display &display;
    const int threads;
    ConversionEngine::Converter *const converter;
    std::unique_ptr<ConversionEngine> engine;
    std::map<int, Submitted> submitted; // conversions started ahead, by row
    int mode = ConvertAll;
    RunOptions options;
    // Why these settings let nothing be converted (a hand-edited settings file may name a code
    // page without a converter, or recognition languages whose data is not installed); every
    // entry then fails with it.
    Problem settingsProblem;
    int Successful = 0;
    int Failed = 0;
    int Skipped = 0;
    int LeftWaiting = 0;
    int WithoutText = 0;
    int UnreadPages = 0;
    int UnfinishedPages = 0;
    QStringList UnreadPackages;
    TextRecords records;
    QString optionsText;           // as the records keep it
    QHash<QString, int> planned;   // target rule names of the entries still to come, by path key
    std::vector<QString> plannedKeys; // by row: its name in planned, until its turn
    std::vector<std::optional<Finding>> foreseen; // by row: what the records said as the run started
    QSet<QString> claimedNames;    // names given to entries, by path key
};
