// A stand-in for tsypdf-worker that misbehaves on request, to test the library's guards.
// The path of a request says what to do: "crash", "stall", "hog" (allocate until the memory
// limit ends it), "slow" (five pages, 150 ms apart), "exits" (answer, then end); anything
// else answers with one page "fine <pid>".
#include "base/WorkerProtocol.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace WorkerProtocol;

namespace {

void sendFrame(FrameType type, const void *data, uint32_t length)
{
    WorkerProtocol::sendFrame(ChannelFd, type, data, length);
}

void sendText(const std::string &text)
{
    sendFrame(FrameType::Text, text.data(), uint32_t(text.size()));
}

void sendResult(int32_t result, bool exits)
{
    const ResultBody body{result, exits ? 1u : 0u};
    sendFrame(FrameType::Result, &body, sizeof body);
}

}

int main()
{
    for (;;) {
        Request request;
        if (!readRequest(ChannelFd, request))
            return 0;
        const std::string &path = request.path;
        if (path.find("crash") != std::string::npos)
            abort();
        if (path.find("stall") != std::string::npos)
            for (;;)
                pause();
        if (path.find("hog") != std::string::npos) {
            std::vector<char *> blocks;
            for (;;) {
                char *block = static_cast<char *>(malloc(16 << 20));
                if (!block)
                    abort();
                memset(block, 1, 16 << 20);
                blocks.push_back(block);
            }
        }
        if (path.find("slow") != std::string::npos) {
            for (int page = 1; page <= 5; ++page) {
                std::this_thread::sleep_for(std::chrono::milliseconds(150));
                sendText("page " + std::to_string(page) + "\f");
            }
            sendResult(0, false);
            continue;
        }
        sendText("fine " + std::to_string(getpid()));
        const bool exits = path.find("exits") != std::string::npos;
        sendResult(0, exits);
        if (exits)
            return 0;
    }
}
