// Runs under a file-creation mask the test chose: one thread puts the program's first text
// file in place as text.txt while the other makes folders in a loop, from before until after.
// The test reads the permissions of all of them. A moment without the mask seldom meets a
// folder being made, so setting the mask at all ends the probe.
#include "conversion/TargetFile.h"
#include "platform/FileSystem.h"

#include <atomic>
#include <cstddef>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <thread>

namespace {

bool forbidSettingTheMask()
{
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_umask, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog program{sizeof filter / sizeof *filter, filter};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

}

int main(int argc, char **argv)
{
    if (argc != 2 || !forbidSettingTheMask())
        return 2;
    const QString folder = FileSystem::decodePath(argv[1]);
    constexpr int FoldersAround = 50; // before the text file, and after it
    std::atomic<int> made{0};
    std::atomic<bool> placed{false}, failed{false};
    std::thread text([&] {
        while (made < FoldersAround)
            std::this_thread::yield();
        TargetFile file;
        file.create(folder);
        file.write("text");
        failed = file.commit(FileSystem::joinPath(folder, QStringLiteral("text.txt")), false) != Failure::None;
        placed = true;
    });
    for (int after = 0; after < FoldersAround; ++made) {
        if (!FileSystem::makeDirectories(FileSystem::joinPath(folder, QString::number(made))))
            failed = true;
        if (placed)
            ++after;
    }
    text.join();
    return failed ? 1 : 0;
}
