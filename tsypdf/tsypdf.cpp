// tsypdf.so: the converter library. The poppler work happens in helper processes
// (tsypdf-worker beside this library), one per concurrent caller, reused from file to file.
// A helper that crashes, stalls or runs out of memory costs its file a -2 result; the next
// file gets a fresh helper.
#include "tsypdf/tsypdf.h"

#include "base/PathCodec.h"
#include "base/WorkerProtocol.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unordered_set>
#include <utility>
#include <unistd.h>
#include <vector>

#define TSYPDF_EXPORT extern "C" __attribute__((visibility("default")))

extern char **environ;

using namespace WorkerProtocol;
using Clock = std::chrono::steady_clock;

namespace {

std::atomic<int32_t> stallLimitMs{60'000};
std::atomic<uint64_t> addressSpaceLimit{4ull << 30};

// Recognition of scanned pages: off until the program asks for it.
std::mutex recognitionMutex;
bool recognitionOn = false;
std::string recognitionLanguages;
std::atomic<TsyProgressCallback> progressCallback{nullptr};

struct Helper {
    pid_t pid = -1;
    int fd = -1;
    bool valid() const { return pid > 0; }
};

void endHelper(Helper &helper, bool kill)
{
    if (!helper.valid())
        return;
    if (kill)
        ::kill(helper.pid, SIGKILL);
    close(helper.fd);
    while (waitpid(helper.pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    helper = {};
}

std::string helperExecutable()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void *>(&fnOrdvane), &info) || !info.dli_fname)
        return {};
    std::string path = info.dli_fname;
    const auto slash = path.rfind('/');
    path.erase(slash == std::string::npos ? 0 : slash + 1);
    return path + "tsypdf-worker";
}

// The helper's environment: the program's, with Tesseract kept to one thread; the cores
// are used by running several helpers.
std::vector<char *> helperEnvironment(std::string &threadLimit)
{
    threadLimit = "OMP_THREAD_LIMIT=1";
    std::vector<char *> environment;
    for (char **variable = environ; *variable; ++variable)
        if (std::strncmp(*variable, "OMP_THREAD_LIMIT=", 17) != 0)
            environment.push_back(*variable);
    environment.push_back(threadLimit.data());
    environment.push_back(nullptr);
    return environment;
}

Helper spawnHelper()
{
    const std::string executable = helperExecutable();
    int channel[2];
    if (executable.empty() || socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, channel) != 0)
        return {};
    // dup2 onto itself would leave close-on-exec set; keep the child's end off descriptor 3.
    if (channel[1] <= ChannelFd) {
        const int moved = fcntl(channel[1], F_DUPFD_CLOEXEC, ChannelFd + 1);
        close(channel[1]);
        channel[1] = moved;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, channel[1], ChannelFd);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGCHLD);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    // A group of its own: Ctrl+C or a closed terminal reaches the program, which abandons what
    // it no longer wants, not the helper in the middle of a file the program still wants.
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);

    char *argv[] = {const_cast<char *>(executable.c_str()), nullptr};
    pid_t pid = -1;
    std::string threadLimit;
    std::vector<char *> environment = helperEnvironment(threadLimit);
    const int failed = posix_spawn(&pid, executable.c_str(), &actions, &attributes, argv, environment.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(channel[1]);
    if (failed || channel[1] < 0) {
        close(channel[0]);
        return {};
    }
    // The limit holds from here on, before the helper sees its first file.
    const rlimit limit{addressSpaceLimit.load(), addressSpaceLimit.load()};
    prlimit(pid, RLIMIT_AS, &limit, nullptr);
    return {pid, channel[0]};
}

// Idle helpers, shared by all threads; each call owns the helper it takes until it ends.
class HelperPool {
public:
    Helper take()
    {
        std::lock_guard lock(mutex);
        while (!idle.empty()) {
            Helper helper = idle.back();
            idle.pop_back();
            // An idle helper has nothing to say; if it speaks or hangs up, it has died.
            pollfd probe{helper.fd, POLLIN | POLLRDHUP, 0};
            if (poll(&probe, 1, 0) == 0)
                return helper;
            endHelper(helper, true);
        }
        return {};
    }

    void giveBack(const Helper &helper)
    {
        std::lock_guard lock(mutex);
        idle.push_back(helper);
    }

    ~HelperPool()
    {
        // A closed channel ends an idle helper; wait briefly, then make sure.
        for (Helper &helper : idle)
            close(helper.fd);
        const auto deadline = Clock::now() + std::chrono::seconds(1);
        for (Helper &helper : idle) {
            while (waitpid(helper.pid, nullptr, WNOHANG) == 0) {
                if (Clock::now() > deadline) {
                    kill(helper.pid, SIGKILL);
                    waitpid(helper.pid, nullptr, 0);
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        }
    }

private:
    std::mutex mutex;
    std::vector<Helper> idle;
};

HelperPool pool;

bool sendAll(int fd, const void *data, size_t size)
{
    auto *p = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t n = send(fd, p, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= size_t(n);
    }
    return true;
}

enum class Received { Done, Stalled, Lost };

// Reads up to size bytes once the channel has data, waiting at most until deadline.
Received receiveSome(int fd, char *buffer, size_t size, Clock::time_point deadline, size_t &got)
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd wait{fd, POLLIN, 0};
        const int ready = poll(&wait, 1, int(std::max<int64_t>(0, left.count())));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0)
            return Received::Stalled;
        const ssize_t n = recv(fd, buffer, size, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return Received::Lost;
        got = size_t(n);
        return Received::Done;
    }
}

Received receiveExactly(int fd, void *buffer, size_t size, Clock::time_point deadline)
{
    auto *p = static_cast<char *>(buffer);
    while (size > 0) {
        size_t got = 0;
        const Received r = receiveSome(fd, p, size, deadline, got);
        if (r != Received::Done)
            return r;
        p += got;
        size -= got;
    }
    return Received::Done;
}

// What the next call on this thread is to do besides the defaults.
struct NextCall {
    uint64_t tag = 0;
    uint32_t firstPage = 0;
    uint32_t pageCount = 0;
};
thread_local NextCall nextCall;

// The calls under way that carry a tag, so that another thread can abandon them. A helper is
// ended only while its call is registered, and reaped only after, so its pid stays its own.
class CallRegistry {
public:
    // Registers the call; false when it was abandoned before it began.
    bool enter(uint64_t tag, pid_t pid)
    {
        std::lock_guard lock(mutex);
        if (abandonedEarly.erase(tag) > 0)
            return false;
        calls.push_back({tag, pid});
        return true;
    }
    void leave(uint64_t tag)
    {
        std::lock_guard lock(mutex);
        for (auto it = calls.begin(); it != calls.end(); ++it) {
            if (it->tag == tag) {
                calls.erase(it);
                return;
            }
        }
    }
    void abandon(uint64_t tag)
    {
        std::lock_guard lock(mutex);
        bool found = false;
        for (const Call &call : calls) {
            if (tag == 0 || call.tag == tag) {
                ::kill(call.pid, SIGKILL);
                found = true;
            }
        }
        if (tag != 0 && !found)
            abandonedEarly.insert(tag);
    }
    void forgetAbandoned()
    {
        std::lock_guard lock(mutex);
        abandonedEarly.clear();
    }

private:
    struct Call {
        uint64_t tag;
        pid_t pid;
    };
    std::mutex mutex;
    std::vector<Call> calls;
    std::unordered_set<uint64_t> abandonedEarly;
};

CallRegistry registry;

// One request through one helper. Returns the result; broken is set when the helper cannot
// be reused (it died, stalled, spoke nonsense, or said it ends).
int32_t runRequest(Helper &helper, const std::string &path, const RequestHeader &request, TsyWriteCallback write,
                   bool &requestNotDelivered, bool &broken)
{
    requestNotDelivered = false;
    broken = false;
    std::string languages;
    RecognitionRequest recognition{};
    {
        std::lock_guard lock(recognitionMutex);
        recognition.recognise = recognitionOn ? 1 : 0;
        if (recognitionOn)
            languages = recognitionLanguages;
    }
    recognition.languageBytes = uint32_t(languages.size());
    if (!sendAll(helper.fd, &request, sizeof request) || !sendAll(helper.fd, path.data(), path.size())
        || !sendAll(helper.fd, &recognition, sizeof recognition) || !sendAll(helper.fd, languages.data(), languages.size())) {
        requestNotDelivered = broken = true;
        return ResultOtherFailure;
    }

    const auto stall = std::chrono::milliseconds(stallLimitMs.load());
    auto deadline = Clock::now() + stall;
    std::vector<char> chunk(256 * 1024);
    for (;;) {
        FrameHeader frame{};
        Received r = receiveExactly(helper.fd, &frame, sizeof frame, deadline);
        if (r == Received::Done && frame.type == FrameType::Text) {
            // Hand the page over as it arrives, without holding it whole.
            for (uint32_t left = frame.length; left > 0 && r == Received::Done;) {
                size_t got = 0;
                r = receiveSome(helper.fd, chunk.data(), std::min<size_t>(left, chunk.size()), deadline, got);
                if (r == Received::Done) {
                    if (write)
                        write(chunk.data(), int32_t(got));
                    left -= uint32_t(got);
                }
            }
            deadline = Clock::now() + stall; // text of finished pages is progress
        } else if (r == Received::Done && frame.type == FrameType::Progress && frame.length == sizeof(ProgressBody)) {
            ProgressBody body{};
            r = receiveExactly(helper.fd, &body, sizeof body, deadline);
            if (r == Received::Done) {
                if (const TsyProgressCallback report = progressCallback.load())
                    report(int32_t(body.pagesDone), int32_t(body.pageCount), int32_t(body.recognisingPage),
                           int32_t(body.documentPages));
                deadline = Clock::now() + stall; // a page finished, or one being recognised, is progress
            }
        } else if (r == Received::Done && frame.type == FrameType::Result && frame.length == sizeof(ResultBody)) {
            ResultBody body{};
            r = receiveExactly(helper.fd, &body, sizeof body, deadline);
            if (r == Received::Done) {
                broken = body.helperExits != 0;
                return body.result;
            }
        } else if (r == Received::Done) {
            r = Received::Lost; // not our protocol: treat the helper as broken
        }
        if (r != Received::Done) {
            broken = true;
            return ResultOtherFailure;
        }
    }
}

TextOrder textOrderFor(int32_t physicalLayout, int32_t rawOrder)
{
    if (rawOrder == 1)
        return TextOrder::Raw;
    return physicalLayout == 1 ? TextOrder::Physical : TextOrder::Reading;
}

// Sends one request to a helper from the pool (a fresh one when the pooled one had died).
int32_t callHelper(const char16_t *path, int32_t pathBytes, RequestHeader request, TsyWriteCallback write)
{
    const NextCall call = std::exchange(nextCall, NextCall{});
    if (!path || pathBytes <= 0)
        return ResultCannotOpen;
    const std::string filePath = PathCodec::encode(std::u16string_view(path, size_t(pathBytes) / 2));
    if (filePath.find('\0') != std::string::npos)
        return ResultCannotOpen; // no file name holds a zero byte
    request.pathBytes = uint32_t(filePath.size());
    request.firstPage = call.firstPage;
    request.pageCount = call.pageCount;

    Helper helper = pool.take();
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!helper.valid())
            helper = spawnHelper();
        if (!helper.valid())
            return ResultOtherFailure;
        if (call.tag != 0 && !registry.enter(call.tag, helper.pid)) {
            pool.giveBack(helper);
            return ResultOtherFailure;
        }
        bool notDelivered = false, broken = false;
        const int32_t result = runRequest(helper, filePath, request, write, notDelivered, broken);
        if (call.tag != 0)
            registry.leave(call.tag);
        if (broken)
            endHelper(helper, true);
        else
            pool.giveBack(helper);
        if (!notDelivered)
            return result;
        // The helper had died while idle; a fresh one gets the file.
    }
    return ResultOtherFailure;
}

} // namespace

TSYPDF_EXPORT int32_t fnOrdvane(const char16_t *path, int32_t pathBytes, TsyWriteCallback write,
                                int32_t, int32_t, int32_t physicalLayout, int32_t noPageBreaks,
                                int32_t rawOrder, int32_t, const char *, const char *)
{
    RequestHeader request{};
    request.order = textOrderFor(physicalLayout, rawOrder);
    request.pageBreaks = noPageBreaks != 1 ? 1 : 0;
    request.kind = RequestKind::Extract;
    return callHelper(path, pathBytes, request, write);
}

TSYPDF_EXPORT int32_t tsypdfPageCount(const char16_t *path, int32_t pathBytes)
{
    RequestHeader request{};
    request.kind = RequestKind::CountPages;
    return callHelper(path, pathBytes, request, nullptr);
}

TSYPDF_EXPORT void tsypdfSetNextCall(uint64_t tag, int32_t firstPage, int32_t pageCount)
{
    nextCall = {tag, uint32_t(std::max(firstPage, 0)), uint32_t(std::max(pageCount, 0))};
}

TSYPDF_EXPORT void tsypdfAbandon(uint64_t tag)
{
    registry.abandon(tag);
}

TSYPDF_EXPORT void tsypdfForgetAbandoned()
{
    registry.forgetAbandoned();
}

TSYPDF_EXPORT void tsypdfSetProgressCallback(TsyProgressCallback callback)
{
    progressCallback = callback;
}

TSYPDF_EXPORT void tsypdfSetLimits(int32_t stallMilliseconds, uint64_t addressSpaceBytes)
{
    if (stallMilliseconds > 0)
        stallLimitMs = stallMilliseconds;
    if (addressSpaceBytes > 0)
        addressSpaceLimit = addressSpaceBytes;
}

TSYPDF_EXPORT void tsypdfSetRecognition(int32_t on, const char *languages)
{
    std::lock_guard lock(recognitionMutex);
    recognitionOn = on == 1;
    recognitionLanguages = languages ? std::string(languages).substr(0, 4096) : std::string();
}
