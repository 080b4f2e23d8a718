#pragma once
// The converter library's C interface. The program loads tsypdf.so at run time and calls
// fnOrdvane once per file; the library hands the text back as UTF-8 through the callback.
#include <cstdint>

extern "C" {

typedef void (*TsyWriteCallback)(const char *bytes, int32_t count);

// Results: 0 success; -1 the source cannot be opened (missing, unreadable, a folder, or it
// needs a password); -3 the document does not permit copying its text; -2 anything else.
// A caller that asks for it with tsypdfReportPasswordRequired(1) gets -4 instead of -1 for a
// document that needs a password to open.
enum { TsyResultOk = 0, TsyResultCannotOpen = -1, TsyResultOtherFailure = -2, TsyResultCopyNotPermitted = -3,
       TsyResultNeedsPassword = -4 };
//   path, pathBytes   the source path as UTF-16, zero-terminated, and its length in bytes
//   physicalLayout    1: keep the physical layout of the page
//   noPageBreaks      1: no form feed after each page's text
//   rawOrder          1: text in the order the content stream draws it
// Arguments 4, 5, 9, 10 and 11 are accepted for compatibility and not used.
int32_t fnOrdvane(const char16_t *path, int32_t pathBytes, TsyWriteCallback write,
                  int32_t reserved4, int32_t reserved5, int32_t physicalLayout,
                  int32_t noPageBreaks, int32_t rawOrder, int32_t reserved9,
                  const char *reserved10, const char *reserved11);

// A password for the next fnOrdvane or tsypdfPageCount call on the calling thread, tried as
// the document's user password and as its owner password; the library keeps it no longer than
// that call, passes it to its helper over their private socket only, and overwrites it after.
void tsypdfSetNextCallPassword(const char *password, int32_t bytes);

// Whether fnOrdvane and tsypdfPageCount tell a document that needs a password apart (-4) from
// one that cannot be opened at all (-1, the default). For the whole process.
void tsypdfReportPasswordRequired(int32_t on);

// Guards for the extraction helper process. A file whose helper finishes no page for
// stallMilliseconds, or that needs more than addressSpaceBytes, ends with -2.
// Defaults: 60 s and 4 GiB. Tools and tests may tighten them; 0 keeps a value.
void tsypdfSetLimits(int32_t stallMilliseconds, uint64_t addressSpaceBytes);

// The page count of a document, or a negative result as fnOrdvane gives it.
int32_t tsypdfPageCount(const char16_t *path, int32_t pathBytes);

// Sets up the next fnOrdvane or tsypdfPageCount call on the calling thread: a tag by which
// another thread can abandon it (0: none), and the pages to convert, from 0 (pageCount 0:
// to the end). Each page's text does not depend on the others, so ranges converted
// separately join to the text of the whole.
void tsypdfSetNextCall(uint64_t tag, int32_t firstPage, int32_t pageCount);

// Ends the helpers of the calls with this tag (0: of every call under way); such a call
// returns -2 at once. A tag abandoned before its call begins makes that call return -2
// without starting. tsypdfForgetAbandoned drops those early marks.
void tsypdfAbandon(uint64_t tag);
void tsypdfForgetAbandoned();


// Recognition of scanned pages. With on = 1, a page without a text layer (or with a few
// characters over a picture that covers it) is read by Tesseract in the languages, codes
// joined by "+" ("eng+deu"); codes without installed data are left out. Off by default;
// off, every result is what it would be without recognition. Applies to calls that start
// afterwards, on any thread.
void tsypdfSetRecognition(int32_t on, const char *languages);

// Told, on the thread of the fnOrdvane call and during it: pages finished of the pages
// requested, and the page being recognised (from 1, of documentPages in the document; 0 when
// none is), when its recognition starts, twice a second or so while it goes on, and when it
// ends. One callback for the process; null for none.
typedef void (*TsyProgressCallback)(int32_t pagesDone, int32_t pageCount, int32_t recognisingPage, int32_t documentPages);
void tsypdfSetProgressCallback(TsyProgressCallback callback);

// How long the recognition of one page may take, in seconds (default 120, at most 65535).
// Past it the page keeps what was read by then (and is told as cut short); a page whose
// reading does not end within a twelfth longer, and at least three seconds, is left with its
// text layer alone.
// Applies as tsypdfSetRecognition.
void tsypdfSetRecognitionBudget(int32_t pageSeconds);

// Told, as progress is: a page (from 1) that needed recognition and was left with its text
// layer, for a reason: TsyUnreadNoLanguage, because no language of the recognition reads the
// script it is written in (as Tesseract names scripts: "Han", "Cyrillic" ...; empty when no
// chosen language's data is installed), or TsyUnreadOutOfTime, because its reading did not
// end within the page's budget (script empty); or TsyUnreadCutShort, a page whose recognition
// stopped at the budget and which keeps only what was read by then; or TsyUnreadNoFont, a page
// (recognised or not) with text shown in a font that could not be made, which that text is
// missing from. One callback for the process; null for none.
enum { TsyUnreadNoLanguage = 0, TsyUnreadOutOfTime = 1, TsyUnreadCutShort = 2, TsyUnreadNoFont = 3 };
typedef void (*TsyUnreadCallback)(int32_t page, int32_t reason, const char *script);
void tsypdfSetUnreadCallback(TsyUnreadCallback callback);

}
