#include "platform/EndRequests.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int pipeEnds[2] = {-1, -1};
constexpr int Handled[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void onEndSignal(int signalNumber)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = write(pipeEnds[1], &byte, 1);
    errno = saved;
}

} // namespace

EndRequests::EndRequests(Repeated repeated, QObject *parent) : QObject(parent)
{
    if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &EndRequests::readSignal);
    struct sigaction action{};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | (repeated == Repeated::EndsAtOnce ? SA_RESETHAND : 0);
    for (int signalNumber : Handled)
        sigaction(signalNumber, &action, nullptr);
}

EndRequests::~EndRequests()
{
    for (int signalNumber : Handled)
        std::signal(signalNumber, SIG_DFL);
    if (pipeEnds[0] >= 0) {
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        pipeEnds[0] = pipeEnds[1] = -1;
    }
}

void EndRequests::readSignal()
{
    unsigned char byte = 0;
    while (read(pipeEnds[0], &byte, 1) == 1)
        emit endRequested(byte);
}
