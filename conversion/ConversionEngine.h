#pragma once
// The run engine: converts files on every processor while the run handles its entries one
// after the other in list order. Files are converted as far ahead as the text already waiting
// allows; a large file is split into ranges of pages converted at once and joined in page
// order. Text goes to temporary files beside its targets as it arrives, so memory stays flat
// whatever the size of a text; a conversion no longer wanted is abandoned at once.
#include "conversion/MyPdfCvt.h"
#include "conversion/TargetFile.h"
#include "platform/FileSystem.h"

#include <QString>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class ConversionEngine {
public:
    struct Options {
        int codePage = 0;
        int textOrder = 0;
        bool pageBreak = false;
        bool recognition = false; // scanned pages are read, at seconds a page
    };

    // What converts: the converter library; tests may put another in its place.
    class Converter {
    public:
        virtual ~Converter() = default;
        // Negative when unknown; the file is then converted whole.
        virtual int pageCount(const QString &source, quint64 tag) = 0;
        // 0 or a negative result of MyPdfCvt::ConvertPdfFile.
        virtual int extract(const QString &source, const Options &options, quint64 tag, MyPdfCvt::PageRange pages,
                            const MyPdfCvt::TextReceiver &text, const MyPdfCvt::ProgressReceiver &progress) = 0;
        virtual void abandon(quint64 tag) = 0;
    };
    static Converter &library();

    using Job = int;
    // A page that needed recognition and was not read in full, for want of language data or
    // of time; or one whose text is in part missing, shown in fonts that could not be made.
    struct UnreadPage {
        int page = 0;   // from 1
        QString script; // empty: no chosen language's data is installed
        MyPdfCvt::UnreadReason reason = MyPdfCvt::UnreadReason::NoLanguage;
        friend bool operator<(const UnreadPage &a, const UnreadPage &b) { return a.page < b.page; }
    };
    struct Result {
        int result = 0;                   // 0, or a negative conversion result
        std::unique_ptr<TargetFile> text; // the encoded text, when result is 0
        qint64 pages = -1;                // the document's page count, when it was opened
        double seconds = 0;               // from its first conversion step to its last
        bool hasText = false;             // more than blanks, line ends and page breaks
        std::vector<UnreadPage> unread;   // in page order
        FileSystem::Identity source;      // the state of the source the text was read from
    };
    struct Progress {
        qint64 pagesDone = 0;     // of the files converted or under way
        qint64 pagesExpected = 0; // pages known, plus an estimate for the files not yet opened
        int filesInFlight = 0;
        int filesWaiting = 0;     // submitted and neither taken nor abandoned
        // The page of the file in hand being recognised (from 1, of its pages); 0 for none.
        int recognisingPage = 0;
        int recognisingOf = 0;

        friend bool operator==(const Progress &, const Progress &) = default;
    };

    // threads: 0 for one per processor.
    explicit ConversionEngine(const Options &options, int threads = 0, Converter *converter = nullptr);
    ~ConversionEngine(); // abandons whatever is under way

    // folder: where the text waits, the target's folder.
    Job submit(const QString &source, const QString &folder);
    // Marks the job as the one the run needs now: its pieces go first.
    void needNow(Job job);
    bool isFinished(Job job) const;
    // Called on the engine's own threads each time a job finishes.
    void setFinishedNews(const std::function<void()> &news);
    // needNow, and waits for the job at most timeout; true once it is finished.
    bool waitFor(Job job, std::chrono::milliseconds timeout);
    Result take(Job job); // a finished job
    void abandon(Job job);
    Progress progress() const;

    // Files from this size on are asked for their page count and split when they are long.
    void setSplitThreshold(qint64 bytes) { splitThreshold = bytes; }
    static constexpr int MinPiecePages = 32;
    // Pages this large are pictures, most likely scans: with recognition on, each takes seconds,
    // so even short files are cut, down to pieces of one page.
    static constexpr qint64 ScanBytesPerPage = 32 * 1024;
    // Finished text that waits for its entry beyond this makes the engine wait for the run.
    static constexpr qint64 WaitingTextBudget = qint64(1) << 30;

private:
    struct JobState {
        JobState(const QString &source, const QString &folder, qint64 bytes) : source(source), folder(folder), bytes(bytes)
        {
            cut(1);
        }
        void cut(int count); // into pieces

        const QString source, folder;
        const qint64 bytes; // the source's size when it was submitted
        FileSystem::Identity identity; // of the source before it was read
        int rereads = 0;
        bool splitChecked = false, finished = false;
        int pieces = 0, piecesDone = 0;
        int queued = 1;            // pieces in the queue
        std::vector<quint64> tags; // of the calls under way
        std::vector<std::unique_ptr<TargetFile>> texts; // by piece
        std::vector<int> results;
        // Its share in the run's figures, which only Figures changes.
        bool abandoned = false;
        int running = 0;               // pieces under way
        qint64 pages = -1;             // the page count, once known
        std::vector<qint64> pagesDone; // by piece
        qint64 textBytes = 0;          // of the finished text
        std::chrono::steady_clock::time_point started;
        bool hasText = false;
        std::vector<int> recognising; // by piece: the page it recognises, 0 for none
        int documentPages = 0;
        std::vector<UnreadPage> unread;
        Result result;
    };
    // Threads that work on a job own it with the map, so that it outlives an abandon while
    // they have let the lock go.
    using JobPointer = std::shared_ptr<JobState>;
    struct Piece {
        JobPointer job;
        int index = 0;
        MyPdfCvt::PageRange pages;
    };

    // The run's figures. They change only through these events of a job, and an abandoned job
    // takes its whole share with it at once, so they count the files the run still wants.
    class Figures {
    public:
        void submitted(const JobState &job);
        void opened(JobState &job, qint64 pages); // once, unless abandoned
        void progressed(JobState &job, int piece, qint64 pagesDone);
        void pieceStarted(JobState &job);
        void pieceEnded(JobState &job);
        void finished(JobState &job, qint64 textBytes);
        void taken(const JobState &job);
        void abandoned(JobState &job);
        void restarted(JobState &job); // its pages are read again from the first

        Progress progress() const;
        qint64 waitingText() const { return waitingBytes; }

    private:
        qint64 pagesDone = 0, pagesKnown = 0;
        // Files not yet opened are expected to hold as many pages for their size as the files
        // opened so far: one large file among many small ones must not throw the estimate.
        qint64 bytesSubmitted = 0, bytesOpened = 0;
        int filesSubmitted = 0, filesOpened = 0, filesWaiting = 0, filesInFlight = 0;
        qint64 waitingBytes = 0; // finished text not yet taken
    };

    void work();
    bool takePiece(Piece &piece);
    void split(Piece &piece, int pageCount, bool scanned);
    void runPiece(const Piece &piece, quint64 tag, std::unique_lock<std::mutex> &lock);
    void finish(const JobPointer &job, std::unique_lock<std::mutex> &lock);
    std::vector<Piece> unqueue(const JobPointer &job);

    const Options options;
    Converter &converter;
    qint64 splitThreshold = 512 * 1024;
    int threadCount;

    mutable std::mutex mutex;
    std::condition_variable workAvailable, jobFinished;
    std::deque<Piece> queue;
    std::map<Job, JobPointer> jobs; // submitted, and neither taken nor abandoned
    Job nextJob = 1;
    Job urgent = 0;
    bool stopping = false;
    std::function<void()> finishedNews;
    Figures figures;
    std::vector<std::thread> threads;
};
