#include "tsypdf/Helpers.h"

#include "base/WorkerProtocol.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

extern char **environ;

namespace Helpers {

namespace {

using Clock = std::chrono::steady_clock;

// Closes a descriptor on every way out of spawn.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return fd; }
    int release() { return std::exchange(fd, -1); }
    void reset(int to = -1)
    {
        if (fd >= 0)
            close(fd);
        fd = to;
    }

private:
    int fd;
};

// What the child does before it runs the helper: every step is checked, since a helper set up
// in part (without its channel, or with the program's descriptors) must not run.
class SpawnSetup {
public:
    SpawnSetup()
    {
        actionsReady = posix_spawn_file_actions_init(&actions) == 0;
        attributesReady = posix_spawnattr_init(&attributes) == 0;
    }
    ~SpawnSetup()
    {
        if (actionsReady)
            posix_spawn_file_actions_destroy(&actions);
        if (attributesReady)
            posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup &) = delete;
    SpawnSetup &operator=(const SpawnSetup &) = delete;

    bool prepare(int channel)
    {
        using WorkerProtocol::ChannelFd;
        if (!actionsReady || !attributesReady)
            return false;
        sigset_t none, defaults;
        sigemptyset(&none);
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        sigaddset(&defaults, SIGCHLD);
        // Descriptors the program inherited without close-on-exec stop here.
        return posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0) == 0
               && posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0) == 0
               && posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0) == 0
               && posix_spawn_file_actions_adddup2(&actions, channel, ChannelFd) == 0
               && posix_spawn_file_actions_addclosefrom_np(&actions, ChannelFd + 1) == 0
               && posix_spawnattr_setsigmask(&attributes, &none) == 0
               && posix_spawnattr_setsigdefault(&attributes, &defaults) == 0
               // A group of its own: Ctrl+C or a closed terminal reaches the program, which
               // abandons what it no longer wants, not the helper in the middle of a file the
               // program still wants.
               && posix_spawnattr_setpgroup(&attributes, 0) == 0
               && posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF
                                                            | POSIX_SPAWN_SETPGROUP) == 0;
    }

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;

private:
    bool actionsReady = false;
    bool attributesReady = false;
};

// Found once, as the library is loaded, with links resolved: a program folder that is
// renamed or removed later, or a second name for the same library, still finds its helper.
std::string findHelperExecutable()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void *>(&findHelperExecutable), &info) || !info.dli_fname)
        return {};
    char *resolved = realpath(info.dli_fname, nullptr);
    std::string path = resolved ? resolved : info.dli_fname;
    free(resolved);
    const auto slash = path.rfind('/');
    path.erase(slash == std::string::npos ? 0 : slash + 1);
    return path + "tsypdf-worker";
}

const std::string helperExecutable = findHelperExecutable();

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

// A tighter limit the program was started under stays: it guards as well, and raising it
// is not ours to do.
bool limitAddressSpace(pid_t pid, uint64_t bytes)
{
    rlimit inherited{};
    if (prlimit(pid, RLIMIT_AS, nullptr, &inherited) != 0)
        return false;
    const rlim_t cap = std::min<rlim_t>(bytes, inherited.rlim_max);
    const rlimit limit{cap, cap};
    return prlimit(pid, RLIMIT_AS, &limit, nullptr) == 0;
}

} // namespace

Helper::Helper(Helper &&other) noexcept
    : processId(std::exchange(other.processId, -1)), channelFd(std::exchange(other.channelFd, -1))
{
}

Helper &Helper::operator=(Helper &&other) noexcept
{
    if (this != &other) {
        end();
        processId = std::exchange(other.processId, -1);
        channelFd = std::exchange(other.channelFd, -1);
    }
    return *this;
}

void Helper::end()
{
    if (processId > 0)
        kill(processId, SIGKILL);
    hangUp();
    if (processId > 0) {
        while (waitpid(processId, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    processId = -1;
}

void Helper::hangUp()
{
    if (channelFd >= 0)
        close(channelFd);
    channelFd = -1;
}

bool Helper::reapIfEnded()
{
    if (processId > 0 && waitpid(processId, nullptr, WNOHANG) == 0)
        return false;
    processId = -1;
    return true;
}

Helper spawn(uint64_t addressSpaceBytes)
{
    const std::string &executable = helperExecutable;
    if (executable.empty())
        return {};
    std::string threadLimit;
    std::vector<char *> environment = helperEnvironment(threadLimit);
    char *argv[] = {const_cast<char *>(executable.c_str()), nullptr};

    int channel[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, channel) != 0)
        return {};
    Descriptor ours(channel[0]), theirs(channel[1]);
    // dup2 onto itself would leave close-on-exec set; keep the child's end off descriptor 3.
    if (theirs.get() <= WorkerProtocol::ChannelFd) {
        theirs.reset(fcntl(theirs.get(), F_DUPFD_CLOEXEC, WorkerProtocol::ChannelFd + 1));
        if (theirs.get() < 0)
            return {};
    }
    SpawnSetup setup;
    pid_t pid = -1;
    if (!setup.prepare(theirs.get())
        || posix_spawn(&pid, executable.c_str(), &setup.actions, &setup.attributes, argv, environment.data()) != 0)
        return {};
    Helper helper(pid, ours.release());
    // The limit holds from here on, before the helper sees its first file; a helper without
    // it is ended here.
    if (!limitAddressSpace(pid, addressSpaceBytes))
        return {};
    return helper;
}

Helper Pool::take()
{
    std::lock_guard lock(mutex);
    while (!idle.empty()) {
        Helper helper = std::move(idle.back());
        idle.pop_back();
        // An idle helper has nothing to say; if it speaks or hangs up, it has died.
        pollfd probe{helper.channel(), POLLIN | POLLRDHUP, 0};
        if (poll(&probe, 1, 0) == 0)
            return helper;
    }
    return {};
}

void Pool::giveBack(Helper helper)
{
    std::lock_guard lock(mutex);
    idle.push_back(std::move(helper));
}

Pool::~Pool()
{
    // A closed channel ends an idle helper; wait briefly, then make sure.
    for (Helper &helper : idle)
        helper.hangUp();
    const auto deadline = Clock::now() + std::chrono::seconds(1);
    for (Helper &helper : idle) {
        while (!helper.reapIfEnded() && Clock::now() <= deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    // What is left is killed as the helpers go.
}

bool CallRegistry::enter(uint64_t tag, pid_t pid)
{
    std::lock_guard lock(mutex);
    if (abandonedEarly.erase(tag) > 0)
        return false;
    calls.push_back({tag, pid, false});
    return true;
}

bool CallRegistry::leave(uint64_t tag)
{
    std::lock_guard lock(mutex);
    const auto call = std::find_if(calls.begin(), calls.end(), [tag](const Call &c) { return c.tag == tag; });
    if (call == calls.end())
        return false;
    const bool killed = call->killed;
    calls.erase(call);
    return killed;
}

void CallRegistry::abandon(uint64_t tag)
{
    std::lock_guard lock(mutex);
    bool found = false;
    for (Call &call : calls) {
        if (tag == 0 || call.tag == tag) {
            kill(call.pid, SIGKILL);
            call.killed = true;
            found = true;
        }
    }
    if (tag != 0 && !found)
        abandonedEarly.insert(tag);
}

void CallRegistry::forgetAbandoned()
{
    std::lock_guard lock(mutex);
    abandonedEarly.clear();
}

RegisteredCall::RegisteredCall(CallRegistry &registry, uint64_t tag, pid_t pid) : registry(registry), tag(tag)
{
    if (tag != 0) {
        entered = registry.enter(tag, pid);
        refused = !entered;
    }
}

bool RegisteredCall::leave()
{
    if (entered) {
        entered = false;
        killed = registry.leave(tag);
    }
    return killed;
}

RegisteredCall::~RegisteredCall()
{
    leave();
}

}
