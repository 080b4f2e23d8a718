#pragma once
// The binding to the converter library tsypdf.so, and the per-file conversion that turns a
// source file into the bytes of its target file in the output code page.
#include <QByteArray>
#include <QString>

namespace MyPdfCvt {

// Results of ConvertPdfFile besides a byte count of 0 or more.
constexpr int ResultNoConverter = -1;   // library or entry missing; nothing was called
constexpr int ResultOpenError = -4;     // the source cannot be opened
constexpr int ResultFormatError = -5;   // any other failure of the library
constexpr int ResultNotPermitted = -11; // the source forbids text extraction

// Loads tsypdf.so from the directory (ending in "/"); on failure every conversion gives -1.
bool LoadConverterLibrary(const QString &directory);
void UnloadConverterLibrary();
bool ConverterAvailable();

// Converts one file; on success the first result bytes of textBuffer are the target's bytes.
// An empty text leaves textBuffer untouched. Safe to call from several threads at once.
int ConvertPdfFile(const QString &source, QByteArray &textBuffer, int codePage, int textOrder, bool pageBreak);

// Recognition of scanned pages, for the conversions that start afterwards. Languages are
// Tesseract codes joined by "+". A library without recognition ignores it.
void SetRecognition(bool on, const QString &languages);

// While a page of the source's conversion is being recognised: true, with the page's number
// (from 1) and the file's page count. Safe to call from any thread.
bool RecognitionProgress(const QString &source, int &page, int &pageCount);

// Encodes UTF-8 text for the output code page: 65001 UTF-8 with byte-order mark, 1200
// UTF-16LE with mark, 0 the system code page (empty when the text is not well-formed UTF-8),
// any other a Windows code page (empty when there is no converter for it).
int EncodeText(QByteArrayView utf8, int codePage, QByteArray &textBuffer);

}
