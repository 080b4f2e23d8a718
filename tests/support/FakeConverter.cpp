// A converter library for tests: its answer is spelled in the "path" it is given, as
// ";"-separated commands: result=N, hex=BYTES (delivered text), repeat=N (deliver it N times,
// one callback each), badcounts (callbacks with counts 0 and -1 first), args (deliver the
// arguments it received as text), password=P (needs the password P: -4 without it).
// fakeConverterCalls tells how many calls it has had.
#include "tsypdf/tsypdf.h"

#include <cstdio>
#include <map>
#include <mutex>
#include <thread>
#include <cstdlib>
#include <string>
#include <utility>

namespace {

// The password of each thread's next call. Not in thread-local storage: this library is loaded
// and unloaded again and again, and LeakSanitizer stumbles over the thread-local blocks that
// an unloaded library leaves behind.
std::mutex passwordsMutex;
std::map<std::thread::id, std::string> nextPasswords;
int calls = 0;

std::string field(const std::string &commands, const std::string &name)
{
    const size_t at = (";" + commands).find(";" + name + "=");
    if (at == std::string::npos)
        return {};
    const size_t start = at + name.size() + 1;
    return commands.substr(start, commands.find(';', start) - start);
}

std::string fromHex(const std::string &hex)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += char(std::strtol(hex.substr(i, 2).c_str(), nullptr, 16));
    return bytes;
}

// Like a library in C, it cannot be unwound through: a callback that throws ends the process.
int32_t answer(const char16_t *path, int32_t pathBytes, TsyWriteCallback write, int32_t a4, int32_t a5,
               int32_t a6, int32_t a7, int32_t a8, int32_t a9, const char *a10, const char *a11) noexcept
{
    std::string commands;
    for (int32_t i = 0; i < pathBytes / 2; ++i)
        commands += char(path[i]);
    if (path[pathBytes / 2] != 0)
        return 99; // the path must be zero-terminated
    ++calls;
    std::string given;
    {
        std::lock_guard lock(passwordsMutex);
        given = std::exchange(nextPasswords[std::this_thread::get_id()], std::string());
    }
    if (const std::string password = field(commands, "password"); !password.empty() && password != given)
        return -4;

    if (commands.find("badcounts") != std::string::npos) {
        write("x", 0);
        write("y", -1);
    }
    if (commands.find("args") != std::string::npos) {
        char text[200];
        const int n = std::snprintf(text, sizeof text, "%d %d %d %d %d %d [%s] [%s]", a4, a5, a6, a7, a8, a9, a10, a11);
        write(text, n);
    }
    const std::string text = fromHex(field(commands, "hex"));
    const std::string repeat = field(commands, "repeat");
    const long times = repeat.empty() ? 1 : std::atol(repeat.c_str());
    for (long i = 0; i < times && !text.empty(); ++i)
        write(text.data(), int32_t(text.size()));
    const std::string result = field(commands, "result");
    return result.empty() ? 0 : std::atoi(result.c_str());
}

}

extern "C" __attribute__((visibility("default"))) int32_t
fnOrdvane(const char16_t *path, int32_t pathBytes, TsyWriteCallback write, int32_t a4, int32_t a5,
          int32_t a6, int32_t a7, int32_t a8, int32_t a9, const char *a10, const char *a11)
{
    return answer(path, pathBytes, write, a4, a5, a6, a7, a8, a9, a10, a11);
}

extern "C" __attribute__((visibility("default"))) void tsypdfSetNextCallPassword(const char *password, int32_t bytes)
{
    std::lock_guard lock(passwordsMutex);
    nextPasswords[std::this_thread::get_id()].assign(password, size_t(bytes));
}

extern "C" __attribute__((visibility("default"))) void tsypdfReportPasswordRequired(int32_t)
{
}

extern "C" __attribute__((visibility("default"))) int32_t fakeConverterCalls()
{
    return calls;
}
