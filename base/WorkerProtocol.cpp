#include "base/WorkerProtocol.h"

#include "base/Descriptors.h"

#include <cstring>

namespace WorkerProtocol {

namespace {

// The fixed parts of a request on the wire: the header, the path, the recognition part, the
// languages.
struct RequestHeader {
    uint32_t pathBytes;
    TextOrder order;
    uint8_t pageBreaks;
    RequestKind kind;
    uint8_t reserved;
    uint32_t firstPage;
    uint32_t pageCount;
};
static_assert(sizeof(RequestHeader) == 16);

struct RecognitionPart {
    uint8_t recognise;
    uint8_t reserved;
    uint16_t pageBudgetSeconds;
    uint32_t languageBytes;
};
static_assert(sizeof(RecognitionPart) == 8);

struct PasswordPart {
    uint32_t passwordBytes;
    uint32_t reserved;
};
static_assert(sizeof(PasswordPart) == 8);

template <typename Part>
void append(std::string &bytes, const Part &part)
{
    bytes.append(reinterpret_cast<const char *>(&part), sizeof part);
}

template <typename Part>
Part partAt(std::string_view bytes, size_t offset)
{
    Part part;
    std::memcpy(&part, bytes.data() + offset, sizeof part);
    return part;
}

bool isFlag(uint8_t value)
{
    return value <= 1;
}

} // namespace

std::string encodeRequest(const Request &request)
{
    const RequestHeader header{uint32_t(request.path.size()), request.order, uint8_t(request.pageBreaks ? 1 : 0),
                               request.kind, 0, request.firstPage, request.pageCount};
    const RecognitionPart recognition{uint8_t(request.recognise ? 1 : 0), 0, request.pageBudgetSeconds,
                                      uint32_t(request.languages.size())};
    const PasswordPart password{uint32_t(request.password.size()), 0};
    std::string bytes;
    // Made once at its full size: no copy of the password is left behind by a growing buffer.
    bytes.reserve(sizeof header + request.path.size() + sizeof recognition + request.languages.size() + sizeof password
                  + request.password.size());
    append(bytes, header);
    bytes += request.path;
    append(bytes, recognition);
    bytes += request.languages;
    append(bytes, password);
    bytes += request.password;
    return bytes;
}

Decoded decodeRequest(std::string_view bytes, Request &out, size_t &size)
{
    size = sizeof(RequestHeader);
    if (bytes.size() < size)
        return Decoded::NeedsMore;
    const auto header = partAt<RequestHeader>(bytes, 0);
    if (header.pathBytes > MaxPathBytes || uint8_t(header.order) > uint8_t(TextOrder::Raw)
        || !isFlag(header.pageBreaks) || uint8_t(header.kind) > uint8_t(RequestKind::CountPages) || header.reserved != 0) {
        size = 0;
        return Decoded::Invalid;
    }
    const size_t recognitionAt = size + header.pathBytes;
    size = recognitionAt + sizeof(RecognitionPart);
    if (bytes.size() < size)
        return Decoded::NeedsMore;
    const auto recognition = partAt<RecognitionPart>(bytes, recognitionAt);
    if (recognition.languageBytes > MaxLanguageBytes || !isFlag(recognition.recognise) || recognition.reserved != 0
        || recognition.pageBudgetSeconds == 0) {
        size = 0;
        return Decoded::Invalid;
    }
    const size_t languagesAt = size;
    const size_t passwordPartAt = languagesAt + recognition.languageBytes;
    size = passwordPartAt + sizeof(PasswordPart);
    if (bytes.size() < size)
        return Decoded::NeedsMore;
    const auto password = partAt<PasswordPart>(bytes, passwordPartAt);
    if (password.passwordBytes > MaxPasswordBytes || password.reserved != 0) {
        size = 0;
        return Decoded::Invalid;
    }
    const size_t passwordAt = size;
    size = passwordAt + password.passwordBytes;
    if (bytes.size() < size)
        return Decoded::NeedsMore;

    out.kind = header.kind;
    out.order = header.order;
    out.pageBreaks = header.pageBreaks == 1;
    out.firstPage = header.firstPage;
    out.pageCount = header.pageCount;
    out.path.assign(bytes.substr(sizeof(RequestHeader), header.pathBytes));
    out.recognise = recognition.recognise == 1;
    out.languages.assign(bytes.substr(languagesAt, recognition.languageBytes));
    out.pageBudgetSeconds = recognition.pageBudgetSeconds;
    out.password.assign(bytes.substr(passwordAt, password.passwordBytes));
    return Decoded::Complete;
}

bool validFrameHeader(const FrameHeader &header)
{
    switch (header.type) {
    case FrameType::Text: return true;
    case FrameType::Progress: return header.length == sizeof(ProgressBody);
    case FrameType::Result: return header.length == sizeof(ResultBody);
    case FrameType::Unread: return header.length == sizeof(UnreadBody);
    }
    return false;
}

bool readRequest(int fd, Request &request)
{
    std::string bytes;
    size_t size = 0;
    Decoded decoded;
    while ((decoded = decodeRequest(bytes, request, size)) == Decoded::NeedsMore) {
        // The decoder asks for no more than the request holds: the next one stays unread.
        const size_t have = bytes.size();
        bytes.resize(size);
        size_t got = 0;
        if (Descriptors::readFully(fd, bytes.data() + have, size - have, got) != Descriptors::ReadResult::Complete) {
            clearSecret(bytes);
            return false;
        }
    }
    clearSecret(bytes); // the password, if any, is in the request alone now
    return decoded == Decoded::Complete;
}

bool sendFrame(int fd, FrameType type, const void *data, uint32_t length)
{
    FrameHeader header{type, {}, length};
    iovec parts[2] = {{&header, sizeof header}, {const_cast<void *>(data), length}};
    return Descriptors::sendFully(fd, parts, 2) == 0;
}

}
