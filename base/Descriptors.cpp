#include "base/Descriptors.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace Descriptors {

namespace {

// Waits until fd has data or the deadline passes; false when it passed.
bool waitReadable(int fd, Clock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd wait{fd, POLLIN, 0};
        const int ready = poll(&wait, 1, int(std::clamp<int64_t>(left, 0, INT32_MAX)));
        if (ready < 0 && errno == EINTR)
            continue;
        return ready != 0; // an error shows in the read that follows
    }
}

} // namespace

ReadResult readSome(int fd, void *buffer, size_t size, size_t &got, Clock::time_point deadline)
{
    got = 0;
    for (;;) {
        if (deadline != NoDeadline && !waitReadable(fd, deadline))
            return ReadResult::TimedOut;
        const ssize_t n = read(fd, buffer, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return ReadResult::Failed;
        got = size_t(n);
        return n == 0 && size > 0 ? ReadResult::Ended : ReadResult::Complete;
    }
}

ReadResult readFully(int fd, void *buffer, size_t size, size_t &got, Clock::time_point deadline)
{
    auto *p = static_cast<char *>(buffer);
    got = 0;
    while (got < size) {
        size_t piece = 0;
        const ReadResult result = readSome(fd, p + got, size - got, piece, deadline);
        got += piece;
        if (result != ReadResult::Complete)
            return result;
    }
    return ReadResult::Complete;
}

int writeFully(int fd, const void *data, size_t size)
{
    auto *p = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t n = write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;
        p += n;
        size -= size_t(n);
    }
    return 0;
}

int sendFully(int fd, iovec *parts, size_t count)
{
    msghdr message{};
    message.msg_iov = parts;
    message.msg_iovlen = count;
    for (;;) {
        while (message.msg_iovlen > 0 && message.msg_iov[0].iov_len == 0) {
            ++message.msg_iov;
            --message.msg_iovlen;
        }
        if (message.msg_iovlen == 0)
            return 0;
        const ssize_t n = sendmsg(fd, &message, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;
        for (size_t done = size_t(n); done > 0;) { // step over what went out
            iovec &part = message.msg_iov[0];
            const size_t step = std::min(done, part.iov_len);
            part.iov_base = static_cast<char *>(part.iov_base) + step;
            part.iov_len -= step;
            done -= step;
            if (part.iov_len == 0) {
                ++message.msg_iov;
                --message.msg_iovlen;
            }
        }
    }
}

int sendFully(int fd, const void *data, size_t size)
{
    iovec part{const_cast<void *>(data), size};
    return sendFully(fd, &part, 1);
}

}
