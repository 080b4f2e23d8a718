// ordvane-batch --watch of one folder, as a user would leave it running:
//   bench_watch <build> [settle milliseconds, default 1000]
// Prints the delay from a file's close to its text (median and worst over 200 files, written
// one after another), then the memory of the watching process (VmRSS, VmHWM) before and after
// 100,000 events: 25,000 rewrites of ten files and 25,000 files created and removed again.
#include "tests/support/PdfMaker.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

bool writeWhole(const std::string &path, const std::string &bytes)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool written = write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
    return close(fd) == 0 && written;
}

// The text is put in place by a rename: once its name is there, it is whole.
bool waitFor(const std::string &path, const timespec &newerThan = {}, int seconds = 120)
{
    const auto end = Clock::now() + std::chrono::seconds(seconds);
    struct stat info{};
    while (Clock::now() < end) {
        if (stat(path.c_str(), &info) == 0
            && (info.st_mtim.tv_sec > newerThan.tv_sec || (info.st_mtim.tv_sec == newerThan.tv_sec && info.st_mtim.tv_nsec >= newerThan.tv_nsec)))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

std::string memoryOf(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line, figures;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0 || line.rfind("VmHWM:", 0) == 0)
            figures += (figures.empty() ? "" : ", ") + line.substr(0, 6) + " " + std::to_string(std::atol(line.c_str() + 6) / 1024) + " MB";
    return figures;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_watch <build> [settle milliseconds]\n");
        return 2;
    }
    const std::string program = std::string(argv[1]) + "/bin/ordvane-batch";
    const std::string settle = argc > 2 ? argv[2] : "1000";
    char pattern[] = "/tmp/bench_watch.XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    const std::string work = pattern, in = work + "/in", out = work + "/out";
    fs::create_directories(in);
    const pid_t watcher = fork();
    if (watcher == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execl(program.c_str(), program.c_str(), "--watch", "--no-log", "--jobs", "2", "--settle", settle.c_str(), "--target-dir", out.c_str(),
              in.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    const std::string pdf = testpdf::makePdf({testpdf::linesPage({"A line of a small file", "and another"})});
    int status = 1;
    // Taken once it watches.
    if (writeWhole(in + "/ready.pdf", pdf) && waitFor(out + "/ready.txt")) {
        std::vector<double> delays;
        for (int i = 0; i < 200; ++i) {
            const auto closed = Clock::now();
            if (!writeWhole(in + "/f" + std::to_string(i) + ".pdf", pdf) || !waitFor(out + "/f" + std::to_string(i) + ".txt"))
                break;
            delays.push_back(std::chrono::duration<double, std::milli>(Clock::now() - closed).count());
        }
        std::sort(delays.begin(), delays.end());
        if (delays.size() == 200) {
            std::printf("settle %s ms: close to text over 200 files: median %.0f ms, worst %.0f ms\n", settle.c_str(), delays[100], delays.back());
            std::printf("before the events: %s\n", memoryOf(watcher).c_str());
            timespec last{};
            for (int i = 0; i < 25000; ++i) {
                writeWhole(in + "/r" + std::to_string(i % 10) + ".pdf", pdf); // one event
                const std::string passing = in + "/p" + std::to_string(i) + ".pdf";
                writeWhole(passing, pdf); // created, closed
                unlink(passing.c_str());  // removed
            }
            clock_gettime(CLOCK_REALTIME, &last); // the texts of the last rewrites are newer
            bool drained = true;
            for (int i = 0; i < 10; ++i)
                drained = waitFor(out + "/r" + std::to_string(i) + ".txt", last) && drained;
            std::printf("after 100,000 events%s: %s\n", drained ? "" : " (not all taken)", memoryOf(watcher).c_str());
            status = drained ? 0 : 1;
        } else {
            std::printf("file %zu was not converted within two minutes\n", delays.size());
        }
    }
    kill(watcher, SIGTERM);
    waitpid(watcher, nullptr, 0);
    fs::remove_all(work);
    return status;
}
