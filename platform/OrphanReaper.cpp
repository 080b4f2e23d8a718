#include "platform/OrphanReaper.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

void ReapOrphansAsProcessOne()
{
    if (getpid() != 1)
        return;
    sigset_t all, before;
    sigfillset(&all);
    sigprocmask(SIG_BLOCK, &all, &before);
    const pid_t program = fork();
    if (program <= 0) {
        sigprocmask(SIG_SETMASK, &before, nullptr);
        return;
    }
    // Blocked, an ignored-by-default SIGCHLD stays pending, so every child's end is seen here.
    for (;;) {
        siginfo_t info{};
        const int signalNumber = sigwaitinfo(&all, &info);
        if (signalNumber < 0)
            continue;
        if (signalNumber != SIGCHLD) {
            kill(program, signalNumber);
            continue;
        }
        int status = 0;
        for (pid_t ended; (ended = waitpid(-1, &status, WNOHANG)) > 0;) {
            if (ended == program)
                _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
        }
    }
}
