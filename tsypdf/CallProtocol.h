#pragma once
// One call of tsypdf.so on a helper's channel: the request goes out, the frames come back.
#include "tsypdf/tsypdf.h"

#include <chrono>
#include <cstdint>
#include <string_view>

namespace CallProtocol {

struct Outcome {
    int32_t result;
    bool delivered;      // false: the request did not reach the helper, which had died
    bool helperReusable; // false: it died, stalled, spoke nonsense or said it ends
};

// Sends the request bytes and hands over what comes back as it arrives: text to write,
// progress and pages left unread to report (any may be null). A helper that sends nothing for stall fails the call.
// What the callbacks throw passes through.
Outcome run(int channel, std::string_view request, std::chrono::milliseconds stall, TsyWriteCallback write,
            TsyProgressCallback progress, TsyUnreadCallback unread);

}
