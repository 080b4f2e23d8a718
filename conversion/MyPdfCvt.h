#pragma once
// The binding to the converter library tsypdf.so, and the per-file conversion that turns a
// source file into the bytes of its target file in the output code page.
#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <functional>

namespace MyPdfCvt {

// Results of ConvertPdfFile besides a byte count of 0 or more.
constexpr int ResultNoConverter = -1;   // library or entry missing; nothing was called
constexpr int ResultOpenError = -4;     // the source cannot be opened
constexpr int ResultFormatError = -5;   // any other failure of the library
constexpr int ResultNotPermitted = -11; // the source forbids text extraction
constexpr int ResultSourceChanged = -12; // the source changed while it was read, and again when read anew
constexpr int ResultPasswordRequired = -13; // encrypted, opens only with a password (ExtractText and
                                            // PageCount; ConvertPdfFile gives ResultOpenError)

// Loads tsypdf.so from the directory (ending in "/"); on failure every conversion gives -1.
bool LoadConverterLibrary(const QString &directory);
void UnloadConverterLibrary();
bool ConverterAvailable();

// Converts one file; on success the first result bytes of textBuffer are the target's bytes.
// An empty text leaves textBuffer untouched. Safe to call from several threads at once.
// A text of 2 GiB or more does not fit the result and gives ResultFormatError.
int ConvertPdfFile(const QString &source, QByteArray &textBuffer, int codePage, int textOrder, bool pageBreak);

// Passwords tried on each file that needs one, by the conversions that start afterwards: the
// one that opened a file last first, then those that opened files before, then the rest in
// order. They stay in memory only. None by default; at most MaxPasswords, each of at most
// MaxPasswordBytes: every one may be tried on every locked file, each try opening it anew.
constexpr int MaxPasswords = 1000;
constexpr int MaxPasswordBytes = 1024;
void SetPasswords(const QList<QByteArray> &passwords);
// One more password to try after the others; false when it is known already.
bool AddPassword(QByteArrayView password);
void ForgetPassword(QByteArrayView password);

// Recognition of scanned pages, for the conversions that start afterwards. Languages are
// Tesseract codes joined by "+". A library without recognition ignores it.
void SetRecognition(bool on, const QString &languages);
// How long the recognition of one page may take, in seconds (120 unless set): past it the page
// keeps what was read by then, and is told as cut short.
void SetRecognitionBudget(int seconds);

// Encodes UTF-8 text for the output code page: 65001 UTF-8 with byte-order mark, 1200
// UTF-16LE with mark, 0 the system code page (empty when the text is not well-formed UTF-8),
// any other a Windows code page (empty when there is no converter for it).
int EncodeText(QByteArrayView utf8, int codePage, QByteArray &textBuffer);

// Encodes a text that arrives in pieces, as the converter hands it over: a piece may end in
// the middle of a character. The byte-order mark, where the code page has one, comes before
// the first text when withMark is set.
class TextEncoder {
public:
    TextEncoder(int codePage, bool withMark);
    void encode(QByteArrayView utf8, QByteArray &out);
    static QByteArray byteOrderMark(int codePage);

private:
    int codePage;
    bool markPending;
    bool passThrough;
    QStringDecoder decoder{QStringDecoder::Utf8};
};

// Pages of a document: from first (0 is the first page), count of them (0: to the end).
struct PageRange {
    int first = 0;
    int count = 0;
};

// Why a page that needed recognition was left with its text layer: no language read its
// script, or its reading did not end in time; or why it holds only a part of its text: its
// reading was cut short at the page's time; or why its text is in part missing: it is shown in
// a font that could not be made.
enum class UnreadReason { NoLanguage, OutOfTime, CutShort, NoFont };

// How far a conversion is: pages finished of the pages asked for, and the page being
// recognised (from 1, of the document's pages; 0 when none is).
struct PageProgress {
    int pagesDone = 0;
    int pageCount = 0;
    int recognisingPage = 0;
    int documentPages = 0;
    // Instead of the figures above: a page (from 1) that needed recognition and was not read
    // in full, and why; the script no language reads (empty: for the chosen languages).
    int unreadPage = 0;
    QString unreadScript;
    UnreadReason unreadReason = UnreadReason::NoLanguage;

    static PageProgress of(int pagesDone, int pageCount, int recognisingPage, int documentPages)
    {
        PageProgress progress;
        progress.pagesDone = pagesDone;
        progress.pageCount = pageCount;
        progress.recognisingPage = recognisingPage;
        progress.documentPages = documentPages;
        return progress;
    }
};

// One conversion as the run engine makes it: the text arrives in UTF-8 pieces on the calling
// thread, and so does its progress. tag names the call for Abandon.
using TextReceiver = std::function<void(QByteArrayView utf8)>;
using ProgressReceiver = std::function<void(const PageProgress &progress)>;
// Returns 0 or a negative result of ConvertPdfFile.
int ExtractText(const QString &source, int textOrder, bool pageBreak, quint64 tag, PageRange pages,
                const TextReceiver &text, const ProgressReceiver &progress);
// The page count of a document; negative for a result of ConvertPdfFile, or when the library
// cannot tell (then the file is converted whole).
int PageCount(const QString &source, quint64 tag);
// Ends the conversion with this tag at once (0: every one under way); it then gives a failure.
void Abandon(quint64 tag);
// Drops the marks of calls abandoned before they started.
void ForgetAbandoned();

}
