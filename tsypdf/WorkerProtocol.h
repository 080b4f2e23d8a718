#pragma once
// What passes between tsypdf.so and its helper process tsypdf-worker over a socket pair
// (the helper's descriptor 3). Integers are in host byte order: both ends are one machine.
#include <cstdint>

namespace WorkerProtocol {

constexpr int ChannelFd = 3;

enum class TextOrder : uint8_t { Reading = 0, Physical = 1, Raw = 2 };

// Request: one per file.
struct RequestHeader {
    uint32_t pathBytes;   // the UTF-8 (escaped) path follows
    TextOrder order;
    uint8_t pageBreaks;   // 1: a form feed after each page
    uint8_t reserved[2];
};

// Recognition of scanned pages: follows the path of every request.
struct RecognitionRequest {
    uint8_t recognise;     // 1: read pages without a text layer with Tesseract
    uint8_t reserved[3];
    uint32_t languageBytes; // Tesseract language codes joined by "+" follow
};

// Replies: any number of Text frames with the text of one or more finished pages, in page
// order, and Progress frames, then exactly one Result frame. Every frame is a sign of progress.
enum class FrameType : uint8_t { Text = 'T', Result = 'R', Progress = 'P' };

struct FrameHeader {
    FrameType type;
    uint8_t reserved[3];
    uint32_t length;      // Text: bytes that follow; Result: sizeof(ResultBody)
};

struct ResultBody {
    int32_t result;
    uint32_t helperExits; // 1: the helper ends after this reply and must not be reused
};

// Sent when a page's recognition starts and ends, and twice a second while it goes on.
struct ProgressBody {
    int32_t page;         // from 0
    int32_t pageCount;
    uint32_t recognising; // 1 while the page is being recognised
};

constexpr int32_t ResultOk = 0;
constexpr int32_t ResultCannotOpen = -1;
constexpr int32_t ResultOtherFailure = -2;
constexpr int32_t ResultCopyNotPermitted = -3;

}
