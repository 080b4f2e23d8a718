// The helper's reading of a request, fed arbitrary bytes: it takes only what it can account
// for, asks for no more than a request may hold, and a request it takes encodes back to
// exactly the bytes it took, so both ends read the wire format alike.
#include "base/WorkerProtocol.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace WorkerProtocol;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    Request request;
    size_t used = 0;
    switch (decodeRequest(bytes, request, used)) {
    case Decoded::Complete: {
        if (used == 0 || used > bytes.size() || encodeRequest(request) != bytes.substr(0, used))
            std::abort();
        // One byte short, the same request is still on its way.
        Request shorter;
        size_t needed = 0;
        if (decodeRequest(bytes.substr(0, used - 1), shorter, needed) != Decoded::NeedsMore || needed > used)
            std::abort();
        break;
    }
    case Decoded::NeedsMore:
        if (used <= bytes.size() || used > 16 + MaxPathBytes + 8 + MaxLanguageBytes)
            std::abort();
        break;
    case Decoded::Invalid:
        break;
    }
    return 0;
}
