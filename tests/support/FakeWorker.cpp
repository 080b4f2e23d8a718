// A stand-in for tsypdf-worker that misbehaves on request, to test the library's guards.
// The path of a request says what to do: "crash", "stall", "hog" (allocate until the memory
// limit ends it), "slow" (five pages, 150 ms apart), "exits" (answer, then end); anything
// else answers with one page "fine <pid>".
#include "base/WorkerProtocol.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace WorkerProtocol;

namespace {

bool readFull(void *buffer, size_t size)
{
    auto *p = static_cast<char *>(buffer);
    while (size > 0) {
        const ssize_t n = read(ChannelFd, p, size);
        if (n <= 0)
            return false;
        p += n;
        size -= size_t(n);
    }
    return true;
}

void sendFrame(FrameType type, const void *data, uint32_t length)
{
    const FrameHeader header{type, {}, length};
    send(ChannelFd, &header, sizeof header, MSG_NOSIGNAL);
    send(ChannelFd, data, length, MSG_NOSIGNAL);
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
        RequestHeader request{};
        if (!readFull(&request, sizeof request))
            return 0;
        std::string path(request.pathBytes, '\0');
        if (!readFull(path.data(), path.size()))
            return 0;
        RecognitionRequest recognition{};
        std::string languages;
        if (!readFull(&recognition, sizeof recognition))
            return 0;
        languages.resize(recognition.languageBytes);
        if (!readFull(languages.data(), languages.size()))
            return 0;
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
