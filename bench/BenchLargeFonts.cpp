// Documents whose fonts are small in the file and large once read, converted by ordvane-batch
// of each build given, one file at a time with one helper:
//   bench_large_fonts <folder> <build>...     (a build holds bin/ordvane-batch and its helper)
// Makes the documents in the folder when they are missing, then prints for each document and
// build the peak memory of the batch and its helper together, their processor time, and the
// outcome with the size of the text.
#include "tests/support/PdfMaker.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Document {
    const char *name;
    const char *what;
    testpdf::CidFontsOptions options;
};

std::vector<Document> documents()
{
    std::vector<Document> list;
    testpdf::CidFontsOptions map;
    map.pages = map.fonts = 200;
    map.cidToGidBytes = size_t(32) << 20;
    list.push_back({"shared-map.pdf", "200 Type0 fonts sharing one 32 MB CIDToGIDMap (64 MB read)", map});
    testpdf::CidFontsOptions widths;
    widths.pages = widths.fonts = 2000;
    widths.widthEntries = 131072;
    list.push_back({"shared-widths.pdf", "2,000 Type0 fonts sharing a 131,072-entry W and a 65,536-code ToUnicode", widths});
    testpdf::CidFontsOptions cjk;
    cjk.pages = cjk.fonts = 2000;
    cjk.cidToGidBytes = 2 * 20000;
    cjk.sharedCidToGid = false;
    cjk.widthEntries = 8000;
    cjk.sharedWidths = false;
    cjk.toUnicodeCodes = 20000;
    cjk.sharedToUnicode = false;
    list.push_back({"cjk-like.pdf", "2,000 pages, each its own Type0 font with its own tables", cjk});
    testpdf::CidFontsOptions reused;
    reused.pages = 2000;
    reused.fonts = 20;
    reused.widthEntries = 8000;
    reused.sharedWidths = false;
    reused.toUnicodeCodes = 20000;
    reused.sharedToUnicode = false;
    list.push_back({"reused.pdf", "2,000 pages taking turns with 20 fonts", reused});
    return list;
}

struct Outcome {
    double peakMegabytes = 0;
    double cpuSeconds = 0;
    std::string json;
};

Outcome convert(const std::string &build, const std::string &file, const std::string &target)
{
    int output[2];
    if (pipe(output) != 0)
        std::exit(1);
    const pid_t child = fork();
    if (child == 0) {
        dup2(output[1], 1);
        close(output[0]);
        const std::string batch = build + "/bin/ordvane-batch";
        execl(batch.c_str(), batch.c_str(), "--jobs", "1", "--no-ocr", "--no-log", "--existing", "overwrite",
              "--code-page", "65001", "--json", "--target-dir", target.c_str(), file.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    close(output[1]);
    Outcome outcome;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = read(output[0], buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR))
        outcome.json.append(buffer, size_t(std::max<ssize_t>(got, 0)));
    close(output[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    // The helpers are the batch's children, reaped before it ends: its figures hold theirs.
    outcome.peakMegabytes = double(usage.ru_maxrss) / 1024;
    outcome.cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    while (!outcome.json.empty() && outcome.json.back() == '\n')
        outcome.json.pop_back();
    return outcome;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_large_fonts <folder> <build>...\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder / "out");
    for (const Document &document : documents()) {
        const std::string file = (folder / document.name).string();
        if (!std::filesystem::exists(file) && !testpdf::writeFile(file, testpdf::cidFontsPdf(document.options)))
            return 1;
        std::printf("== %s: %s, %.1f MB\n", document.name, document.what,
                    double(std::filesystem::file_size(file)) / 1e6);
        for (int i = 2; i < argc; ++i) {
            const Outcome outcome = convert(argv[i], file, (folder / "out").string());
            std::printf("%-40s peak %8.1f MB  CPU %7.2f s  %s\n", argv[i], outcome.peakMegabytes, outcome.cpuSeconds,
                        outcome.json.c_str());
            std::fflush(stdout);
        }
    }
    return 0;
}
