#pragma once
// The helper processes of tsypdf.so: starting them, the pool of idle ones, and the registry of
// calls under way by which another thread can end a call's helper.
#include <cstdint>
#include <mutex>
#include <sys/types.h>
#include <unordered_set>
#include <vector>

namespace Helpers {

// A running helper and our end of its channel. Whoever holds it owns the process: it is
// killed and reaped when the holder lets go of it, unless it was handed on (to the pool).
class Helper {
public:
    Helper() = default;
    Helper(pid_t pid, int channel) : processId(pid), channelFd(channel) {}
    Helper(Helper &&other) noexcept;
    Helper &operator=(Helper &&other) noexcept;
    Helper(const Helper &) = delete;
    Helper &operator=(const Helper &) = delete;
    ~Helper() { end(); }

    explicit operator bool() const { return processId > 0; }
    pid_t pid() const { return processId; }
    int channel() const { return channelFd; }

    // Kills it, closes the channel and reaps it.
    void end();
    // Closes the channel, on which an idle helper ends by itself; true once it has ended.
    void hangUp();
    bool reapIfEnded();

private:
    pid_t processId = -1;
    int channelFd = -1;
};

// Starts a helper (tsypdf-worker beside this library) under the address-space limit;
// an empty one when that cannot be done in full.
Helper spawn(uint64_t addressSpaceBytes);

// Idle helpers, shared by all threads; each call owns the helper it takes until it ends.
class Pool {
public:
    Helper take();
    void giveBack(Helper helper);
    ~Pool();

private:
    std::mutex mutex;
    std::vector<Helper> idle;
};

// The calls under way that carry a tag, so that another thread can abandon them. A helper is
// ended only while its call is registered, and reaped only after, so its pid stays its own.
class CallRegistry {
public:
    void abandon(uint64_t tag);
    void forgetAbandoned();

private:
    friend class RegisteredCall;
    struct Call {
        uint64_t tag;
        pid_t pid;
        bool killed;
    };
    bool enter(uint64_t tag, pid_t pid);
    bool leave(uint64_t tag); // true when the call was abandoned and its helper killed

    std::mutex mutex;
    std::vector<Call> calls;
    std::unordered_set<uint64_t> abandonedEarly;
};

// A call's place in the registry while it talks to its helper, left on every way out. It
// must be made after the helper it names and end before that helper is reaped.
class RegisteredCall {
public:
    RegisteredCall(CallRegistry &registry, uint64_t tag, pid_t pid);
    ~RegisteredCall();
    RegisteredCall(const RegisteredCall &) = delete;
    RegisteredCall &operator=(const RegisteredCall &) = delete;

    // The call was abandoned before it began: it must not go ahead.
    bool abandonedEarly() const { return refused; }
    // Leaves the registry; true when the call was abandoned on the way, so that its helper,
    // killed then, is not taken for a reusable one whatever it managed to say before.
    bool leave();

private:
    CallRegistry &registry;
    uint64_t tag;
    bool entered = false;
    bool refused = false;
    bool killed = false;
};

}
