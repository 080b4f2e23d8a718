// tsypdf-worker: does the poppler work for tsypdf.so in a process of its own, so that a PDF
// that crashes poppler, loops forever or eats memory costs one file, not the program.
// It reads requests from descriptor 3 and answers each with the text of every page as it
// is finished, then a result. It ends when the other side closes the channel.
#include "tsypdf/Recognition.h"
#include "tsypdf/TextLayer.h"

#include "base/Descriptors.h"
#include "base/WorkerProtocol.h"


#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <functional>
#include <fcntl.h>
#include <memory>
#include <new>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <csignal>
#include <sys/time.h>
#include <time.h>
#include <unistd.h>

using namespace WorkerProtocol;

namespace {

bool sendFrame(FrameType type, const void *data, uint32_t length)
{
    return WorkerProtocol::sendFrame(ChannelFd, type, data, length);
}

bool sendResult(int32_t result, bool helperExits)
{
    const ResultBody body{result, helperExits ? 1u : 0u};
    return sendFrame(FrameType::Result, &body, sizeof body);
}

struct ChannelLost {};

pid_t originalParent = 0;

// The page being recognised. While it is, nothing else writes to the channel, and the timer
// signal, twice a second then, tells the program that the helper is still at work, until a
// little after the page's reader is ended; a helper stuck beyond that is left to the
// program's stall guard.
volatile sig_atomic_t recognising = 0;
constexpr itimerval everySecond{{1, 0}, {1, 0}};
constexpr itimerval twiceASecond{{0, 500'000}, {0, 500'000}};
ProgressBody recognisingPage{};
time_t heartbeatsEnd = 0;

time_t monotonicSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec;
}

void endWhenAbandoned(int)
{
    pollfd channel{ChannelFd, POLLRDHUP, 0};
    if (getppid() != originalParent || (poll(&channel, 1, 0) > 0 && (channel.revents & (POLLRDHUP | POLLHUP | POLLERR))))
        _exit(0);
    if (recognising && monotonicSeconds() < heartbeatsEnd) {
        const int saved = errno;
        sendFrame(FrameType::Progress, &recognisingPage, sizeof recognisingPage);
        errno = saved;
    }
}

// Past the budget Tesseract stops by itself and the page keeps what was read; a reader that
// has not ended a twelfth of the budget later, and at least three seconds (a slowed one needs
// them to wrap up), is ended: stopped, or stuck where Tesseract does not look at the clock.
int readerSeconds(int budgetSeconds)
{
    return budgetSeconds + std::max(3, budgetSeconds / 12);
}

// Recognises the page in a child process: should Tesseract abort on it (it does on some pages
// it cannot make sense of) or stop answering, the page keeps its text layer and the file goes
// on. The child answers 'T' and the page's text, 'C' and the text of a page it read only in
// part, or 'U' and the script of a page it left unread.
std::optional<Recogniser::Unread> readApart(Recogniser &recogniser, TextLayer &document, int page, TextOrder order,
                                            std::vector<char> &text, Recogniser::Need need)
{
    recogniser.prepare(); // once here, not in every child
    int channel[2];
    if (pipe2(channel, O_CLOEXEC) != 0)
        return {};
    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        prctl(PR_SET_PDEATHSIG, SIGKILL); // the child goes with the helper
        if (getppid() != parent)
            _exit(1);
        std::vector<char> read = text;
        const std::optional<Recogniser::Unread> unread = recogniser.read(document, page, order, read, need);
        const bool cut = unread && unread->reason == UnreadReason::CutShort;
        std::string answer = unread && !cut ? 'U' + unread->script : (cut ? 'C' : 'T') + std::string(read.begin(), read.end());
        _exit(Descriptors::writeFully(channel[1], answer.data(), answer.size()) == 0 ? 0 : 1);
    }
    close(channel[1]);
    std::string received;
    char buffer[65536];
    size_t got = 0;
    const auto deadline = Descriptors::Clock::now() + std::chrono::seconds(readerSeconds(recogniser.pageBudget()));
    Descriptors::ReadResult reading = Descriptors::ReadResult::Failed;
    while (child > 0
           && (reading = Descriptors::readSome(channel[0], buffer, sizeof buffer, got, deadline)) == Descriptors::ReadResult::Complete)
        received.append(buffer, got);
    close(channel[0]);
    if (reading == Descriptors::ReadResult::TimedOut)
        kill(child, SIGKILL);
    int status = 0;
    while (child > 0 && waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (reading == Descriptors::ReadResult::TimedOut)
        return Recogniser::Unread{UnreadReason::OutOfTime, {}};
    if (child <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || received.empty())
        return {};
    if (received[0] == 'U')
        return Recogniser::Unread{UnreadReason::NoLanguage, received.substr(1)};
    text.assign(received.begin() + 1, received.end());
    if (received[0] == 'C')
        return Recogniser::Unread{UnreadReason::CutShort, {}};
    return {};
}

// Reads the page with the recogniser when it has no text layer to speak of. progress holds
// the pages done of the range; the page's number goes with it while it is read.
void recogniseIfScanned(Recogniser &recogniser, TextLayer &document, uint32_t index, TextOrder order, ProgressBody progress,
                        std::vector<char> &text, const std::function<void()> &sendPending)
{
    const Recogniser::Need need = recogniser.wanted(document, int(index), text);
    if (need == Recogniser::Need::None)
        return;
    sendPending();
    progress.recognisingPage = index + 1;
    recognisingPage = progress;
    if (!sendFrame(FrameType::Progress, &recognisingPage, sizeof recognisingPage))
        throw ChannelLost{};
    heartbeatsEnd = monotonicSeconds() + readerSeconds(recogniser.pageBudget()) + 5;
    std::optional<Recogniser::Unread> unread;
    {
        struct Beating { // the fences keep the page's numbers written before the signal may read them
            Beating()
            {
                std::atomic_signal_fence(std::memory_order_seq_cst);
                recognising = 1;
                setitimer(ITIMER_REAL, &twiceASecond, nullptr);
            }
            ~Beating()
            {
                setitimer(ITIMER_REAL, &everySecond, nullptr);
                recognising = 0;
                std::atomic_signal_fence(std::memory_order_seq_cst);
            }
        } beating;
        unread = readApart(recogniser, document, int(index), order, text, need);
    }
    if (unread) {
        UnreadBody body{index + 1, unread->reason, {}};
        unread->script.copy(body.script, sizeof body.script - 1);
        if (!sendFrame(FrameType::Unread, &body, sizeof body))
            throw ChannelLost{};
    }
    progress.recognisingPage = 0;
    if (!sendFrame(FrameType::Progress, &progress, sizeof progress))
        throw ChannelLost{};
}

std::unique_ptr<TextLayer> openDocument(const std::string &path, std::string_view password, int32_t &result)
{
    // poppler does not say why a load failed; find out first whether the file can be read.
    // Only regular files: a pipe or a device would block the helper or never end.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        result = ResultCannotOpen;
        return nullptr;
    }
    struct stat info{};
    const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    close(fd);
    result = ResultCannotOpen;
    if (!regular)
        return nullptr;
    return TextLayer::open(path, password, result);
}

int32_t countPages(const std::string &path, std::string_view password)
{
    int32_t result = ResultOk;
    const std::unique_ptr<TextLayer> document = openDocument(path, password, result);
    return document ? document->pages() : result;
}

int32_t extract(const std::string &path, std::string_view password, TextOrder order, bool pageBreaks, uint32_t firstPage, uint32_t pageCount,
                Recogniser *recogniser)
{
    int32_t result = ResultOk;
    const std::unique_ptr<TextLayer> document = openDocument(path, password, result);
    if (!document)
        return result;

    const uint32_t pages = uint32_t(std::max(document->pages(), 0));
    // Every document has a page. Poppler counts none when the page tree cannot be believed
    // (a count far beyond the objects in the file): its text is lost, which is no success.
    if (pages == 0)
        return ResultOtherFailure;
    const uint32_t first = std::min(firstPage, pages);
    const uint32_t end = pageCount == 0 ? pages : uint32_t(std::min<uint64_t>(uint64_t(first) + pageCount, pages));
    const auto progress = [&](uint32_t done) {
        const ProgressBody body{done, end - first, 0, pages};
        if (!sendFrame(FrameType::Progress, &body, sizeof body))
            throw ChannelLost{};
    };
    progress(0);
    // Pages go out together, up to a quarter megabyte or a twentieth of a second at a time:
    // the text streams on, the program wakes up seldom, and a slow page is still news soon.
    std::string pending;
    auto lastSent = std::chrono::steady_clock::now();
    const auto send = [&](uint32_t done) {
        progress(done);
        if (!sendFrame(FrameType::Text, pending.data(), uint32_t(pending.size())))
            throw ChannelLost{};
        pending.clear();
        lastSent = std::chrono::steady_clock::now();
    };
    uint32_t pagesRead = 0;
    std::vector<char> text;
    for (uint32_t i = first; i < end; ++i) {
        const bool read = document->read(int(i), order, text);
        pagesRead += read ? 1 : 0;
        if (read && document->lostTextToFonts()) {
            const UnreadBody lost{i + 1, UnreadReason::NoFont, {}};
            if (!sendFrame(FrameType::Unread, &lost, sizeof lost))
                throw ChannelLost{};
        }
        if (read && recogniser && recogniser->mayWant(text))
            recogniseIfScanned(*recogniser, *document, i, order, {i - first, end - first, 0, pages}, text,
                               [&] { if (!pending.empty()) send(i - first); });
        // poppler ends a page's text with a form feed of its own; we decide about it here.
        if (!text.empty() && text.back() == '\f')
            text.pop_back();
        if (pageBreaks)
            text.push_back('\f');
        pending.append(text.data(), text.size());
        if (pending.size() >= 256 * 1024 || std::chrono::steady_clock::now() - lastSent >= std::chrono::milliseconds(50))
            send(i + 1 - first);
    }
    if (!pending.empty())
        send(end - first);
    return pagesRead > 0 || first == end ? ResultOk : ResultOtherFailure;
}

} // namespace

int main()
{
    keepPopplerParameters();
    // Passwords pass through this process: no core dump of it, and no other process of the
    // user reads its memory.
    prctl(PR_SET_DUMPABLE, 0);

    // Should the program die, or close the channel, while poppler is stuck in a page, nobody
    // would read our replies again. A timer signal looks once a second and ends the process.
    // (A watcher thread would do too, but a second thread makes every malloc take a lock,
    // which costs poppler a tenth of its speed.)
    originalParent = getppid();
    struct sigaction action{};
    action.sa_handler = endWhenAbandoned;
    action.sa_flags = SA_RESTART;
    sigaction(SIGALRM, &action, nullptr);
    setitimer(ITIMER_REAL, &everySecond, nullptr);

    Recogniser recogniser; // kept from file to file: setting Tesseract up takes a while
    for (;;) {
        Request request;
        if (!readRequest(ChannelFd, request))
            return 0;
        try {
            if (request.recognise && request.kind == RequestKind::Extract) {
                recogniser.setLanguages(request.languages);
                recogniser.setPageBudget(request.pageBudgetSeconds);
            }
            const int32_t result = request.kind == RequestKind::CountPages
                                       ? countPages(request.path, request.password)
                                       : extract(request.path, request.password, request.order, request.pageBreaks, request.firstPage,
                                                 request.pageCount, request.recognise ? &recogniser : nullptr);
            if (!sendResult(result, false))
                return 0;
        } catch (const ChannelLost &) {
            return 0;
        } catch (const std::bad_alloc &) {
            // Over the address-space limit: report, then leave the damaged heap behind.
            sendResult(ResultOtherFailure, true);
            return 3;
        } catch (...) {
            if (!sendResult(ResultOtherFailure, false))
                return 0;
        }
    }
}
