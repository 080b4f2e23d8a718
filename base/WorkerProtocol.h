#pragma once
// What passes between tsypdf.so and its helper process tsypdf-worker over a socket pair
// (the helper's descriptor 3). Integers are in host byte order: both ends are one machine.
#include <cstdint>

namespace WorkerProtocol {

constexpr int ChannelFd = 3;

enum class TextOrder : uint8_t { Reading = 0, Physical = 1, Raw = 2 };
enum class RequestKind : uint8_t { Extract = 0, CountPages = 1 };

// Request: one per file, or per range of a file's pages.
struct RequestHeader {
    uint32_t pathBytes;   // the UTF-8 (escaped) path follows
    TextOrder order;
    uint8_t pageBreaks;   // 1: a form feed after each page
    RequestKind kind;
    uint8_t reserved;
    uint32_t firstPage;   // the pages to extract, from 0; pageCount 0 means to the end
    uint32_t pageCount;
};

// Recognition of scanned pages: follows the path of every request.
struct RecognitionRequest {
    uint8_t recognise;     // 1: read pages without a text layer with Tesseract
    uint8_t reserved[3];
    uint32_t languageBytes; // Tesseract language codes joined by "+" follow
};

// Replies to Extract: a Progress frame once the document is open, then any number of Text
// frames with the text of one or more finished pages, in page order, each after a Progress
// frame that counts them, and Progress frames when a page's recognition starts and ends and
// twice a second while it goes on; then exactly one Result frame. CountPages gets a Result
// frame whose result is the page count. Every frame is a sign of progress.
enum class FrameType : uint8_t { Text = 'T', Result = 'R', Progress = 'P' };

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

struct ResultBody {
    int32_t result;
    uint32_t helperExits; // 1: the helper ends after this reply and must not be reused
};

constexpr int32_t ResultOk = 0;
constexpr int32_t ResultCannotOpen = -1;
constexpr int32_t ResultOtherFailure = -2;
constexpr int32_t ResultCopyNotPermitted = -3;

}
