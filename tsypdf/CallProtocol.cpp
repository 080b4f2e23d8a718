#include "tsypdf/CallProtocol.h"

#include "base/Descriptors.h"
#include "base/WorkerProtocol.h"

#include <algorithm>
#include <vector>

namespace CallProtocol {

using namespace WorkerProtocol;
using Descriptors::ReadResult;

Outcome run(int channel, std::string_view request, std::chrono::milliseconds stall, TsyWriteCallback write,
            TsyProgressCallback progress, TsyUnreadCallback unread)
{
    const Outcome failed{ResultOtherFailure, true, false};
    if (Descriptors::sendFully(channel, request.data(), request.size()) != 0)
        return {ResultOtherFailure, false, false};

    auto deadline = Descriptors::Clock::now() + stall;
    const auto receive = [&](void *buffer, size_t size) {
        size_t got = 0;
        return Descriptors::readFully(channel, buffer, size, got, deadline) == ReadResult::Complete;
    };
    std::vector<char> chunk(256 * 1024);
    for (;;) {
        FrameHeader frame{};
        if (!receive(&frame, sizeof frame) || !validFrameHeader(frame))
            return failed;
        switch (frame.type) {
        case FrameType::Text:
            // Hand the page over as it arrives, without holding it whole.
            for (uint32_t left = frame.length; left > 0;) {
                size_t got = 0;
                if (Descriptors::readSome(channel, chunk.data(), std::min<size_t>(left, chunk.size()), got, deadline)
                    != ReadResult::Complete)
                    return failed;
                if (write)
                    write(chunk.data(), int32_t(got));
                left -= uint32_t(got);
            }
            deadline = Descriptors::Clock::now() + stall; // text of finished pages is progress
            break;
        case FrameType::Progress: {
            ProgressBody body{};
            if (!receive(&body, sizeof body))
                return failed;
            if (progress)
                progress(int32_t(body.pagesDone), int32_t(body.pageCount), int32_t(body.recognisingPage),
                         int32_t(body.documentPages));
            deadline = Descriptors::Clock::now() + stall; // a page finished, or one being recognised, is progress
            break;
        }
        case FrameType::Unread: {
            UnreadBody body{};
            if (!receive(&body, sizeof body))
                return failed;
            body.script[sizeof body.script - 1] = '\0';
            if (unread)
                unread(int32_t(body.page), int32_t(body.reason), body.script);
            break;
        }
        case FrameType::Result: {
            ResultBody body{};
            if (!receive(&body, sizeof body))
                return failed;
            return {body.result, true, body.helperExits == 0};
        }
        }
    }
}

}
