#include "conversion/ConversionEngine.h"

#include "platform/FileSystem.h"

#include <QThread>
#include <algorithm>
#include <atomic>

namespace {

// Tags name calls to the library across every engine of the process.
std::atomic<quint64> lastTag{0};

class LibraryConverter : public ConversionEngine::Converter {
public:
    int pageCount(const QString &source, quint64 tag) override { return MyPdfCvt::PageCount(source, tag); }
    int extract(const QString &source, const ConversionEngine::Options &options, quint64 tag, MyPdfCvt::PageRange pages,
                const MyPdfCvt::TextReceiver &text, const MyPdfCvt::ProgressReceiver &progress) override
    {
        return MyPdfCvt::ExtractText(source, options.textOrder, options.pageBreak, tag, pages, text, progress);
    }
    void abandon(quint64 tag) override { MyPdfCvt::Abandon(tag); }
};

} // namespace

ConversionEngine::Converter &ConversionEngine::library()
{
    static LibraryConverter converter;
    return converter;
}

ConversionEngine::ConversionEngine(const Options &options, int threads, Converter *converter)
    : options(options), converter(converter ? *converter : library()),
      threadCount(threads > 0 ? threads : std::max(1, QThread::idealThreadCount()))
{
    for (int i = 0; i < threadCount; ++i)
        this->threads.emplace_back([this] { work(); });
}

ConversionEngine::~ConversionEngine()
{
    std::vector<quint64> tags;
    {
        std::lock_guard lock(mutex);
        stopping = true;
        queue.clear();
        for (auto &[id, job] : jobs) {
            figures.abandoned(*job);
            tags.insert(tags.end(), job->tags.begin(), job->tags.end());
        }
        jobs.clear();
    }
    for (const quint64 tag : tags)
        converter.abandon(tag);
    workAvailable.notify_all();
    for (std::thread &thread : threads)
        thread.join();
    if (&converter == &library())
        MyPdfCvt::ForgetAbandoned();
}

void ConversionEngine::JobState::cut(int count)
{
    pieces = count;
    texts.resize(size_t(count));
    results.resize(size_t(count), 0);
    pagesDone.resize(size_t(count), 0);
    recognising.assign(size_t(count), 0);
}

void ConversionEngine::Figures::submitted(const JobState &job)
{
    ++filesSubmitted;
    ++filesWaiting;
    bytesSubmitted += job.bytes;
}

void ConversionEngine::Figures::opened(JobState &job, qint64 pages)
{
    if (job.abandoned || job.pages >= 0)
        return;
    job.pages = pages;
    pagesKnown += pages;
    bytesOpened += job.bytes;
    ++filesOpened;
}

void ConversionEngine::Figures::progressed(JobState &job, int piece, qint64 done)
{
    if (job.abandoned)
        return;
    const qint64 step = std::max<qint64>(0, done - job.pagesDone[size_t(piece)]);
    job.pagesDone[size_t(piece)] += step;
    pagesDone += step;
}

void ConversionEngine::Figures::restarted(JobState &job)
{
    if (job.abandoned)
        return;
    for (qint64 &done : job.pagesDone) {
        pagesDone -= done;
        done = 0;
    }
    // The file read anew is another version: its pages are counted when it is opened again.
    if (job.pages >= 0) {
        pagesKnown -= job.pages;
        bytesOpened -= job.bytes;
        --filesOpened;
        job.pages = -1;
    }
}

void ConversionEngine::Figures::pieceStarted(JobState &job)
{
    if (job.running++ == 0 && !job.abandoned)
        ++filesInFlight;
}

void ConversionEngine::Figures::pieceEnded(JobState &job)
{
    if (--job.running == 0 && !job.abandoned)
        --filesInFlight;
}

void ConversionEngine::Figures::finished(JobState &job, qint64 textBytes)
{
    job.textBytes = textBytes;
    waitingBytes += textBytes;
}

void ConversionEngine::Figures::taken(const JobState &job)
{
    --filesWaiting;
    waitingBytes -= job.textBytes;
}

void ConversionEngine::Figures::abandoned(JobState &job)
{
    if (job.abandoned)
        return;
    job.abandoned = true;
    --filesSubmitted;
    --filesWaiting;
    bytesSubmitted -= job.bytes;
    if (job.pages >= 0) {
        pagesKnown -= job.pages;
        bytesOpened -= job.bytes;
        --filesOpened;
    }
    for (const qint64 done : job.pagesDone)
        pagesDone -= done;
    if (job.running > 0)
        --filesInFlight;
    waitingBytes -= job.textBytes;
}

ConversionEngine::Progress ConversionEngine::Figures::progress() const
{
    Progress p;
    p.pagesDone = pagesDone;
    const int unopened = std::max(0, filesSubmitted - filesOpened);
    const qint64 bytesUnopened = std::max<qint64>(0, bytesSubmitted - bytesOpened);
    qint64 unopenedPages = 0;
    if (pagesKnown > 0 && bytesOpened > 0)
        unopenedPages = qint64(double(bytesUnopened) * double(pagesKnown) / double(bytesOpened));
    else if (filesOpened > 0)
        unopenedPages = pagesKnown * unopened / filesOpened;
    p.pagesExpected = std::max(pagesDone, pagesKnown + unopenedPages);
    p.filesInFlight = filesInFlight;
    p.filesWaiting = filesWaiting;
    return p;
}

ConversionEngine::Job ConversionEngine::submit(const QString &source, const QString &folder)
{
    std::lock_guard lock(mutex);
    const Job id = nextJob++;
    const JobPointer job = std::make_shared<JobState>(source, folder, FileSystem::fileSize(source));
    jobs.emplace(id, job);
    figures.submitted(*job);
    queue.push_back({job, 0, {}});
    workAvailable.notify_one();
    return id;
}

void ConversionEngine::needNow(Job id)
{
    std::lock_guard lock(mutex);
    const auto it = jobs.find(id);
    if (it == jobs.end() || urgent == id)
        return;
    // Its pieces go first, and may go beyond the budget of waiting text.
    urgent = id;
    const JobPointer job = it->second;
    const std::vector<Piece> pieces = unqueue(job);
    queue.insert(queue.begin(), pieces.begin(), pieces.end());
    job->queued += int(pieces.size()); // still the job's, at the head now
    workAvailable.notify_all();
}

bool ConversionEngine::isFinished(Job id) const
{
    std::lock_guard lock(mutex);
    const auto it = jobs.find(id);
    return it != jobs.end() && it->second->finished;
}

void ConversionEngine::setFinishedNews(const std::function<void()> &news)
{
    std::lock_guard lock(mutex);
    finishedNews = news;
}

bool ConversionEngine::waitFor(Job id, std::chrono::milliseconds timeout)
{
    needNow(id);
    std::unique_lock lock(mutex);
    const auto it = jobs.find(id);
    if (it == jobs.end())
        return false;
    const JobPointer job = it->second;
    return jobFinished.wait_for(lock, timeout, [&] { return job->finished; });
}

ConversionEngine::Result ConversionEngine::take(Job id)
{
    std::lock_guard lock(mutex);
    const auto it = jobs.find(id);
    if (it == jobs.end() || !it->second->finished) {
        Result none;
        none.result = MyPdfCvt::ResultFormatError;
        return none;
    }
    figures.taken(*it->second);
    Result result = std::move(it->second->result);
    jobs.erase(it);
    workAvailable.notify_all(); // room in the budget
    return result;
}

void ConversionEngine::abandon(Job id)
{
    std::vector<quint64> tags;
    {
        std::lock_guard lock(mutex);
        const auto it = jobs.find(id);
        if (it == jobs.end())
            return;
        const JobPointer job = it->second;
        jobs.erase(it); // its text goes with it, or with the last of its pieces under way
        unqueue(job);
        figures.abandoned(*job);
        tags = job->tags;
        workAvailable.notify_all(); // room in the budget
    }
    for (const quint64 tag : tags)
        converter.abandon(tag);
}

// Takes the job's pieces out of the queue. The run asks for jobs in list order, which is the
// queue's order, so they are found near its head.
std::vector<ConversionEngine::Piece> ConversionEngine::unqueue(const JobPointer &job)
{
    std::vector<Piece> pieces;
    for (auto it = queue.begin(); job->queued > 0 && it != queue.end();) {
        if (it->job == job) {
            pieces.push_back(std::move(*it));
            it = queue.erase(it);
            --job->queued;
        } else {
            ++it;
        }
    }
    return pieces;
}

ConversionEngine::Progress ConversionEngine::progress() const
{
    std::lock_guard lock(mutex);
    Progress p = figures.progress();
    if (const auto inHand = jobs.find(urgent); inHand != jobs.end()) {
        const std::vector<int> &recognising = inHand->second->recognising;
        const auto page = std::find_if(recognising.begin(), recognising.end(), [](int page) { return page > 0; });
        p.recognisingPage = page != recognising.end() ? *page : 0;
        p.recognisingOf = inHand->second->documentPages;
    }
    return p;
}

bool ConversionEngine::takePiece(Piece &piece)
{
    if (queue.empty())
        return false;
    const auto inHand = jobs.find(urgent);
    if (figures.waitingText() <= WaitingTextBudget || (inHand != jobs.end() && queue.front().job == inHand->second)) {
        piece = std::move(queue.front());
        queue.pop_front();
        --piece.job->queued;
        return true;
    }
    return false; // the run must take some of the waiting text first
}

void ConversionEngine::work()
{
    std::unique_lock lock(mutex);
    for (;;) {
        Piece piece;
        workAvailable.wait(lock, [&] { return stopping || takePiece(piece); });
        if (stopping)
            return;
        JobState &job = *piece.job;
        const quint64 tag = ++lastTag;
        job.tags.push_back(tag);
        figures.pieceStarted(job);
        if (job.started == std::chrono::steady_clock::time_point())
            job.started = std::chrono::steady_clock::now();
        if (!job.splitChecked) {
            job.splitChecked = true;
            // With recognition on, even two scanned pages are worth reading at once when no
            // other file waits for the threads: a small file is opened once more to know.
            const qint64 threshold = options.recognition && queue.empty() ? std::min(splitThreshold, 2 * ScanBytesPerPage) : splitThreshold;
            lock.unlock();
            const FileSystem::Identity identity = FileSystem::identityOf(job.source);
            const qint64 size = std::max<qint64>(identity.size, 0);
            const bool large = threadCount > 1 && size >= threshold;
            const int pageCount = large ? converter.pageCount(job.source, tag) : -1;
            const bool scanned = options.recognition && pageCount > 0 && size / pageCount >= ScanBytesPerPage;
            lock.lock();
            job.identity = identity;
            if (pageCount >= 0)
                figures.opened(job, pageCount);
            if (!job.abandoned)
                split(piece, pageCount, scanned);
        }
        runPiece(piece, tag, lock);
    }
}

// Cuts the file into ranges of pages: this thread takes the first, the others go to the head
// of the queue so that the file is done soon, as the run will want it before the next ones.
// Every range opens the document and makes its fonts again, so text is cut once per core;
// scanned pages take seconds each and vary, so they are cut finer to share out evenly.
void ConversionEngine::split(Piece &piece, int pageCount, bool scanned)
{
    // With recognition on, a text file's pictures may take seconds a page, all in one part of
    // it (the photographs at the end of a book): twice as many pieces as threads lets a thread
    // done early take on part of them.
    const int pieces = scanned               ? std::min(threadCount * 2, pageCount)
                       : options.recognition ? std::min(threadCount * 2, pageCount / (MinPiecePages / 2))
                                             : std::min(threadCount, pageCount / MinPiecePages);
    if (pieces < 2)
        return;
    const int size = (pageCount + pieces - 1) / pieces;
    piece.job->cut(pieces);
    piece.job->queued += pieces - 1;
    for (int i = pieces - 1; i >= 1; --i)
        queue.push_front({piece.job, i, {i * size, i == pieces - 1 ? 0 : size}});
    piece.pages = {0, size};
    workAvailable.notify_all();
}

void ConversionEngine::runPiece(const Piece &piece, quint64 tag, std::unique_lock<std::mutex> &lock)
{
    JobState &job = *piece.job;
    const bool whole = job.pieces == 1;
    int result = MyPdfCvt::ResultFormatError;
    auto text = std::make_unique<TargetFile>();
    if (!job.abandoned) {
        lock.unlock();
        text->create(job.folder);
        // Pieces are encoded without a mark: the joined text gets it once, if it has any text.
        MyPdfCvt::TextEncoder encoder(options.codePage, whole);
        QByteArray encoded;
        bool hasText = false;
        const auto receiveText = [&](QByteArrayView utf8) {
            encoded.clear();
            encoder.encode(utf8, encoded);
            text->write(encoded);
            // Blanks, line ends and page breaks show nothing; every other byte belongs to a
            // character that does.
            hasText = hasText || std::any_of(utf8.begin(), utf8.end(), [](char c) { return c != ' ' && (c < '\t' || c > '\r'); });
        };
        const auto receiveProgress = [&](const MyPdfCvt::PageProgress &progress) {
            std::lock_guard progressLock(mutex);
            if (progress.unreadPage > 0) {
                job.unread.push_back({progress.unreadPage, progress.unreadScript, progress.unreadReason});
                return;
            }
            if (whole)
                figures.opened(job, progress.pageCount);
            figures.progressed(job, piece.index, progress.pagesDone);
            job.recognising[size_t(piece.index)] = progress.recognisingPage;
            job.documentPages = progress.documentPages;
        };
        result = converter.extract(job.source, options, tag, piece.pages, receiveText, receiveProgress);
        text->close();
        lock.lock();
        job.hasText = job.hasText || hasText;
        job.recognising[size_t(piece.index)] = 0;
    }
    job.tags.erase(std::find(job.tags.begin(), job.tags.end(), tag));
    figures.pieceEnded(job);
    if (job.abandoned)
        return; // its text goes with it
    job.texts[size_t(piece.index)] = std::move(text);
    job.results[size_t(piece.index)] = result;
    if (++job.piecesDone == job.pieces)
        finish(piece.job, lock);
}

void ConversionEngine::finish(const JobPointer &job, std::unique_lock<std::mutex> &lock)
{
    lock.unlock(); // the file's identity takes a few reads
    const FileSystem::Identity identity = FileSystem::identityOf(job->source);
    lock.lock();
    if (job->abandoned)
        return; // its text goes with it
    if (!(identity == job->identity)) {
        // The file changed while it was read: a helper may have read some pages of one
        // version and some of the next, or each range of another. It is read again, whole, by
        // one helper; a file that changes again meanwhile gives no text, never a mixed one.
        if (job->rereads++ > 0) {
            Result changed;
            changed.result = MyPdfCvt::ResultSourceChanged;
            changed.pages = job->pages;
            changed.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - job->started).count();
            figures.finished(*job, 0);
            job->result = std::move(changed);
            job->finished = true;
            jobFinished.notify_all();
            if (finishedNews)
                finishedNews();
            return;
        }
        job->identity = identity;
        figures.restarted(*job);
        job->texts.clear();
        job->results.clear();
        job->pagesDone.clear();
        job->unread.clear();
        job->cut(1);
        job->piecesDone = 0;
        ++job->queued;
        queue.push_front({job, 0, {}});
        workAvailable.notify_all();
        return;
    }
    Result result;
    const auto failed = std::find_if(job->results.begin(), job->results.end(), [](int r) { return r < 0; });
    if (failed != job->results.end()) {
        result.result = *failed; // the first failure in page order speaks for the file
    } else if (job->pieces == 1) {
        result.text = std::move(job->texts.front());
    } else {
        // Join the pieces in page order; the mark, where the code page has one, once.
        std::vector<std::unique_ptr<TargetFile>> texts = std::move(job->texts);
        lock.unlock();
        qint64 size = 0;
        for (const auto &text : texts)
            size += text->size();
        const QByteArray mark = MyPdfCvt::TextEncoder::byteOrderMark(options.codePage);
        if (mark.isEmpty() || size == 0) {
            result.text = std::move(texts.front());
            for (size_t i = 1; i < texts.size(); ++i)
                result.text->append(*texts[i]);
        } else {
            result.text = std::make_unique<TargetFile>();
            result.text->create(job->folder);
            result.text->write(mark);
            for (const auto &text : texts)
                result.text->append(*text);
        }
        result.text->close();
        texts.clear();
        lock.lock();
        if (job->abandoned)
            return; // given up while it was being joined
    }
    figures.finished(*job, result.text ? result.text->size() : 0);
    result.pages = job->pages;
    result.source = job->identity;
    result.hasText = job->hasText;
    result.unread = std::move(job->unread);
    std::sort(result.unread.begin(), result.unread.end());
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - job->started).count();
    job->result = std::move(result);
    job->finished = true;
    jobFinished.notify_all();
    if (finishedNews)
        finishedNews();
}
