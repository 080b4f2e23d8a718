#pragma once
// What passes between tsypdf.so and its helper process tsypdf-worker over a socket pair
// (the helper's descriptor 3). Integers are in host byte order: both ends are one machine.
#include "base/SecretMemory.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace WorkerProtocol {

constexpr int ChannelFd = 3;

enum class TextOrder : uint8_t { Reading = 0, Physical = 1, Raw = 2 };
enum class RequestKind : uint8_t { Extract = 0, CountPages = 1 };

// The most a helper takes from one request; anything longer is not ours.
constexpr size_t MaxPathBytes = size_t(1) << 20;
constexpr size_t MaxLanguageBytes = 4096;
constexpr uint16_t DefaultPageBudgetSeconds = 120;
constexpr size_t MaxPasswordBytes = 1024;

// Request: one per file, or per range of a file's pages.
struct Request {
    RequestKind kind = RequestKind::Extract;
    TextOrder order = TextOrder::Reading;
    bool pageBreaks = false; // a form feed after each page
    uint32_t firstPage = 0;  // the pages to extract, from 0; pageCount 0 means to the end
    uint32_t pageCount = 0;
    std::string path;        // UTF-8, escaped as PathCodec does
    bool recognise = false;  // read pages without a text layer with Tesseract
    std::string languages;   // Tesseract language codes joined by "+"
    uint16_t pageBudgetSeconds = DefaultPageBudgetSeconds; // recognition of one page, at least 1
    SecretString password;   // tried as the user's and as the owner's; empty: none

    // A short password lives inside the string, out of reach of its allocator: overwritten
    // here, as every request goes.
    ~Request() { clearSecret(password); }
    Request() = default;
    Request(const Request &) = default;
    Request &operator=(const Request &) = default;
};


// The bytes of a request. The path and languages must keep within the limits above.
std::string encodeRequest(const Request &request);

enum class Decoded { Complete, NeedsMore, Invalid };

// Reads the request at the front of bytes. Complete: out holds it, and size is how many bytes
// it took. NeedsMore: size is how many bytes there must be in all before it can say more.
// Invalid: no request of ours starts so (over a limit, or a field out of its range).
Decoded decodeRequest(std::string_view bytes, Request &out, size_t &size);

// Replies to Extract: a Progress frame once the document is open, then any number of Text
// frames with the text of one or more finished pages, in page order, each after a Progress
// frame that counts them, and Progress frames when a page's recognition starts and ends and
// twice a second while it goes on, an Unread frame for a page that needed recognition and
// could not have it; then exactly one Result frame. CountPages gets a Result frame whose
// result is the page count. Every frame is a sign of progress.
enum class FrameType : uint8_t { Text = 'T', Result = 'R', Progress = 'P', Unread = 'U' };

struct FrameHeader {
    FrameType type;
    uint8_t reserved[3];
    uint32_t length;      // bytes that follow: the text, or the size of the body
};

struct ProgressBody {
    uint32_t pagesDone;       // of the requested range
    uint32_t pageCount;       // pages in the requested range
    uint32_t recognisingPage; // the page being recognised, from 1 in the document; 0 for none
    uint32_t documentPages;   // pages in the whole document
};

// A page left without recognition: for want of language data, with the script the page is
// written in (as Tesseract names it, NUL-padded; none when no chosen language's data is
// installed), or because its recognition did not end within the page's budget; or a page whose
// recognition was cut short at the budget, which keeps what was read by then; or a page whose
// text is in part missing because poppler could not make a font it is shown in.
enum class UnreadReason : uint8_t { NoLanguage = 0, OutOfTime = 1, CutShort = 2, NoFont = 3 };
struct UnreadBody {
    uint32_t page; // from 1, in the document
    UnreadReason reason;
    char script[27];
};

struct ResultBody {
    int32_t result;
    uint32_t helperExits; // 1: the helper ends after this reply and must not be reused
};

// Whether a frame header is one a helper sends: a known type with a body of its size.
bool validFrameHeader(const FrameHeader &header);

// The helper's side of the channel. readRequest reads the next request whole; false when the
// channel ends first or brings what is not a request. sendFrame sends a frame header and the
// length bytes of data after it; it is safe in a signal handler.
bool readRequest(int fd, Request &request);
bool sendFrame(int fd, FrameType type, const void *data, uint32_t length);

constexpr int32_t ResultOk = 0;
constexpr int32_t ResultCannotOpen = -1;
constexpr int32_t ResultOtherFailure = -2;
constexpr int32_t ResultCopyNotPermitted = -3;
constexpr int32_t ResultNeedsPassword = -4; // encrypted, and the empty password does not open it

}
