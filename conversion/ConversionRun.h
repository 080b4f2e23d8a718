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
//
// A run never waits: start() handles the entries until one needs a conversion not yet done, or
// an answer of the prompt, and returns; the engine's news and the answer go on from there, in
// the event loop, and finished() comes at the end. Meanwhile the list's entries and their order
// must stay as they are.
#include "conversion/ConversionEngine.h"
#include "conversion/Failure.h"
#include "conversion/JobList.h"
#include "conversion/RunOptions.h"
#include "conversion/TargetNames.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <exception>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class ActivityLog;
class QSocketNotifier;

class ConversionRun : public QObject {
    Q_OBJECT

public:
    enum Mode { ConvertAll = 0, ConvertSelected = 1, ReConvertSelected = 2 };
    // The prompt's buttons, by their modal results.
    enum class PromptAnswer { AutoRename = 6, Overwrite = 7, Cancel = 2, StopConvert = 3 };

    // What became of one entry the run handled, besides its state, target and message.
    struct EntryReport {
        bool converted = false;     // the converter was asked
        int result = 0;             // as ConvertPdfFile gives it: bytes written, or a failure code
        qint64 bytes = -1;          // of the text, which may be longer than result can say
        qint64 pages = -1;          // the document's page count, when it was opened
        double seconds = 0;         // spent converting it
        QList<int> unreadPages;     // left unread for want of recognition data
        QList<int> unfinishedPages; // whose recognition did not end in time, or was cut short
        QList<int> lostTextPages;   // with text in fonts that could not be made, missing from them
    };

    class Display {
    public:
        virtual ~Display() = default;
        virtual void runStarted(int total) { Q_UNUSED(total); }
        virtual void showFile(const QString &source) { Q_UNUSED(source); }
        virtual void stepProgress() {}
        // What to do with an existing target: answer is called once, at once or later.
        virtual void askTargetExists(const QString &target, const std::function<void(PromptAnswer)> &answer);
        // Asked between the entries, and about twenty times a second while one is converted.
        virtual bool cancelRequested() { return false; }
        virtual void runFinished() {}
        // After each entry that got an outcome (not after unwanted or stopped ones).
        virtual void entryDone(int row, const EntryReport &report) { Q_UNUSED(row); Q_UNUSED(report); }
        // After an entry left as it was because its target exists (ExistingTarget::Skip) or is
        // up to date (ExistingTarget::Update); why, in English.
        virtual void entrySkipped(int row, const QString &why) { Q_UNUSED(row); Q_UNUSED(why); }
        // About twenty times a second while the entry in hand is converted.
        virtual void waiting(const ConversionEngine::Progress &progress) { Q_UNUSED(progress); }
    };

    // threads: how many files are converted at once; 0 for one per processor. converter:
    // the converter library when null.
    ConversionRun(JobList &list, Display &display, ActivityLog &log, int threads = 0, ConversionEngine::Converter *converter = nullptr);
    ~ConversionRun() override;

    // Starts a run over the whole list with the command's mode; finished comes when it ends,
    // which may be before start returns (none for an empty list, where nothing happens at
    // all). A line of the log that cannot be written ends the run where it is, before its
    // summary; failure() then holds it (IoError), for the command to report.
    // False when there is nothing to do: an empty list, or a run under way.
    bool start(int mode, const RunOptions &options);
    bool running() const { return engine != nullptr; }
    std::exception_ptr failure() const { return error; }

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
    // "3 converted, 1 failed": the counts of a run in the user's language, those of skipped
    // and stopped files only when there are any.
    static QString countsText(int converted, int skipped, int failed, int leftWaiting);
    // Files converted whose text shows nothing (scans that even recognition could not read).
    int withoutText() const { return WithoutText; }
    // Pages that needed recognition and were left with their text layer for want of language
    // data for their script, and what would read them; empty when there were none.
    int unreadPages() const { return UnreadPages; }
    QString unreadNote(Language language = Language::Log) const;
    // Pages whose recognition did not finish in time, read in part or not at all.
    int unfinishedPages() const { return UnfinishedPages; }
    QString unfinishedNote(Language language = Language::Log) const;
    // Pages with text shown in a font that could not be made, which is missing from them.
    int lostTextPages() const { return LostTextPages; }
    QString lostTextNote(Language language = Language::Log) const;

signals:
    void finished();

private:
    enum class Step { Next, Stopped, Waits };
    struct Submitted {
        QString source;
        ConversionEngine::Job job;
    };
    // The entry in hand, between the steps of its handling.
    struct InHand {
        int row = -1;
        QString source, target, targetBefore;
        bool replace = false;
        std::optional<ConversionEngine::Job> job; // once its target is placed
    };

    void goOn(std::optional<PromptAnswer> answer = std::nullopt);
    Step handleEntry(int row);
    Step placeTarget();
    Step answered(PromptAnswer answer);
    Step convertInHand();
    Step finishInHand();
    void recordConverted(int row, const QString &source, const ConversionEngine::Result &conversion);
    void end();
    void stopAt(int row);
    bool wanted(int row) const;
    bool convertible(int row) const;
    static bool placeable(const QString &target);
    QString targetOf(const QString &source) const;
    bool byRecords() const { return options.existing == ExistingTarget::Skip || options.existing == ExistingTarget::Update; }
    void renamed(const QString &target, bool inRun);
    Step leaveAlone(int row, const QString &text, const QString &why);
    void submitAhead();
    void abandon(int row);
    void fail(int row, const JobList::Outcome &outcome, const QString &path);
    void fail(int row, const JobList::Outcome &outcome, const QString &path, const EntryReport &report);

    JobList &list;
    Display &display;
    ActivityLog &log;
    const int threads;
    ConversionEngine::Converter *const converter;
    std::unique_ptr<ConversionEngine> engine;
    std::map<int, Submitted> submitted; // conversions started ahead, by row
    int mode = ConvertAll;
    RunOptions options;
    int total = 0;
    int nextRow = 0;
    InHand inHand;
    bool prompting = false;
    std::exception_ptr error;
    int newsFd = -1;
    std::unique_ptr<QSocketNotifier> news;
    QTimer ticks; // the display's news while the entry in hand is converted
    // Why these settings let nothing be converted (a hand-edited settings file may name a code
    // page without a converter, or recognition languages whose data is not installed); every
    // entry then fails with it.
    std::optional<JobList::Outcome> settingsProblem;
    TargetNames names;
    std::vector<QString> plannedTargets;                          // by row: its target rule name, until its turn
    std::vector<std::optional<TargetNames::Finding>> foreseen;    // by row: what the records said as the run started
    int Successful = 0;
    int Failed = 0;
    int Skipped = 0;
    int LeftWaiting = 0;
    int WithoutText = 0;
    int UnreadPages = 0;
    int UnfinishedPages = 0;
    int LostTextPages = 0;
    QStringList UnreadPackages;
};
