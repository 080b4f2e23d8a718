#pragma once
// Reading and writing whole buffers on file descriptors, retried when a signal interrupts a
// call: the converter library, its helper and the program's file code share these loops.
#include <chrono>
#include <cstddef>
#include <sys/uio.h>

namespace Descriptors {

using Clock = std::chrono::steady_clock;
constexpr Clock::time_point NoDeadline = Clock::time_point::max();

enum class ReadResult {
    Complete, // bytes arrived (readSome: some; readFully: all that were asked for)
    Ended,    // the input ended first
    TimedOut, // nothing arrived before the deadline
    Failed,   // errno says why
};

// One read of at most size bytes. With a deadline, waits for data until then at most.
ReadResult readSome(int fd, void *buffer, size_t size, size_t &got, Clock::time_point deadline = NoDeadline);

// Reads size bytes, or fewer when the input ends, fails or the deadline passes; got says
// how many arrived.
ReadResult readFully(int fd, void *buffer, size_t size, size_t &got, Clock::time_point deadline = NoDeadline);

// Writes every byte; returns 0 or an errno value.
int writeFully(int fd, const void *data, size_t size);

// Sends the parts, in order, over a socket whose other end may have gone: no SIGPIPE then,
// just EPIPE. Returns 0 or an errno value. Safe in a signal handler; the parts are consumed.
int sendFully(int fd, iovec *parts, size_t count);
int sendFully(int fd, const void *data, size_t size);

}
