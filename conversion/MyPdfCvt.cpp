#include "conversion/MyPdfCvt.h"

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "base/SecretMemory.h"
#include "tsypdf/tsypdf.h"

#include <QByteArray>
#include <QList>
#include <QtEndian>
#include <atomic>
#include <climits>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <algorithm>
#include <string_view>
#include <dlfcn.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>
#include <utility>
#include <vector>
#include <vector>

namespace MyPdfCvt {

namespace {

using Entry = decltype(&fnOrdvane);

// The library's entries besides fnOrdvane. A library without them converts files whole and
// cannot be interrupted; nothing else changes.
struct Extras {
    decltype(&tsypdfPageCount) pageCount = nullptr;
    decltype(&tsypdfSetNextCall) setNextCall = nullptr;
    decltype(&tsypdfAbandon) abandon = nullptr;
    decltype(&tsypdfForgetAbandoned) forgetAbandoned = nullptr;
    decltype(&tsypdfSetProgressCallback) setProgressCallback = nullptr;
    decltype(&tsypdfSetRecognition) setRecognition = nullptr;
    decltype(&tsypdfSetNextCallPassword) setNextCallPassword = nullptr;
};

void *libraryHandle = nullptr;
std::atomic<Entry> entry = nullptr;
Extras extras;

// Passwords to try on a file that needs one: copies of our own, in memory kept out of swap and
// core dumps, overwritten when they go. The calls under way share the list: a change makes a
// new one.
std::mutex passwordsMutex;
std::shared_ptr<const SecretList> passwords = std::make_shared<const SecretList>();
// Positions in the list of the passwords that opened files, the latest first: a batch of files
// locked alike opens at the first try, whatever the password's place in the list.
std::vector<size_t> openers;

// The order to try a list in: the passwords that opened files first, then the rest in order.
std::vector<size_t> trialOrder(size_t count, const std::vector<size_t> &first)
{
    std::vector<size_t> order = first;
    std::vector<bool> taken(count, false);
    for (const size_t index : first)
        taken[index] = true;
    for (size_t index = 0; index < count; ++index)
        if (!taken[index])
            order.push_back(index);
    return order;
}

void openedBy(const std::shared_ptr<const SecretList> &list, size_t index)
{
    std::lock_guard lock(passwordsMutex);
    if (list != passwords)
        return; // the list changed meanwhile
    openers.erase(std::remove(openers.begin(), openers.end(), index), openers.end());
    openers.insert(openers.begin(), index);
}

// The call, made once without a password and then, while the file needs one or forbids
// copying its text, with each password given. A password that opens the file but leaves
// copying forbidden is the user's: the owner's, later in the list, may still lift that, as it
// lifts it for a file that opens without a password.
template <typename Call>
int32_t withPasswords(const Call &call)
{
    int32_t result = call();
    if ((result != TsyResultNeedsPassword && result != TsyResultCopyNotPermitted) || !extras.setNextCallPassword)
        return result;
    std::shared_ptr<const SecretList> list;
    std::vector<size_t> first;
    {
        std::lock_guard lock(passwordsMutex);
        list = passwords;
        first = openers;
    }
    for (const size_t index : trialOrder(list->size(), first)) {
        const SecretString &password = (*list)[index];
        extras.setNextCallPassword(password.data(), int32_t(password.size()));
        const int32_t next = call();
        if (next != TsyResultNeedsPassword)
            result = next;
        if (next != TsyResultNeedsPassword && next != TsyResultCopyNotPermitted) {
            if (next >= 0) // opened: text, or a page count
                openedBy(list, index);
            break;
        }
    }
    return result;
}

// The call under way on this thread: the library's callbacks carry no context.
struct CallUnderWay {
    const TextReceiver *text = nullptr;
    const ProgressReceiver *progress = nullptr;
    quint64 tag = 0;
    // What a receiver threw. It must not unwind through the library: the call is abandoned,
    // nothing more is passed on, and it is thrown again once the library has returned.
    std::exception_ptr failure;
};
thread_local CallUnderWay callUnderWay;

// Calls without a tag of the caller's get one of their own, from the upper half, where the
// engine's counting tags never get; so a receiver that throws can end its own call only.
std::atomic<quint64> lastOwnTag{quint64(1) << 63};

template <typename Pass>
void passOn(Pass &&pass)
{
    CallUnderWay &call = callUnderWay;
    if (call.failure)
        return;
    try {
        pass(call);
    } catch (...) {
        call.failure = std::current_exception();
        if (extras.abandon && call.tag != 0)
            extras.abandon(call.tag);
    }
}

void receive(const char *bytes, int32_t count)
{
    if (count > 0)
        passOn([&](const CallUnderWay &call) {
            if (call.text && *call.text)
                (*call.text)(QByteArrayView(bytes, count));
        });
}

void receiveProgress(int32_t done, int32_t count, int32_t recognisingPage, int32_t documentPages)
{
    passOn([&](const CallUnderWay &call) {
        if (call.progress && *call.progress)
            (*call.progress)(PageProgress::of(done, count, recognisingPage, documentPages));
    });
}

void receiveUnread(int32_t page, int32_t reason, const char *script)
{
    passOn([&](const CallUnderWay &call) {
        if (call.progress && *call.progress) {
            PageProgress unread;
            unread.unreadPage = page;
            unread.unreadScript = QString::fromUtf8(script);
            unread.unreadReason = reason == TsyUnreadOutOfTime ? UnreadReason::OutOfTime
                                : reason == TsyUnreadCutShort  ? UnreadReason::CutShort
                                : reason == TsyUnreadNoFont    ? UnreadReason::NoFont
                                                               : UnreadReason::NoLanguage;
            (*call.progress)(unread);
        }
    });
}

int resultOf(int32_t libraryResult)
{
    switch (libraryResult) {
    case TsyResultOk: return 0;
    case TsyResultCannotOpen: return ResultOpenError;
    case TsyResultCopyNotPermitted: return ResultNotPermitted;
    case TsyResultNeedsPassword: return ResultPasswordRequired;
    default: return ResultFormatError;
    }
}

int store(QByteArray &textBuffer, QByteArrayView text)
{
    if (text.size() > INT_MAX - 1)
        return ResultFormatError;
    textBuffer.resize(text.size() + 1);
    if (!text.isEmpty()) // an empty view may have no data at all, not even for memcpy
        std::memcpy(textBuffer.data(), text.data(), size_t(text.size()));
    return int(text.size());
}

template <typename Function>
Function find(const char *name)
{
    return reinterpret_cast<Function>(dlsym(libraryHandle, name));
}

} // namespace

bool LoadConverterLibrary(const QString &directory)
{
    UnloadConverterLibrary();
    // The library does its work in its helper; without it, it could convert nothing.
    const QByteArray helper = FileSystem::encodePath(directory + QStringLiteral("tsypdf-worker"));
    if (access(helper.constData(), X_OK) != 0)
        return false;
    const QByteArray library = FileSystem::encodePath(directory + QStringLiteral("tsypdf.so"));
    libraryHandle = dlopen(library.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!libraryHandle)
        return false;
    extras.pageCount = find<decltype(extras.pageCount)>("tsypdfPageCount");
    extras.setNextCall = find<decltype(extras.setNextCall)>("tsypdfSetNextCall");
    extras.abandon = find<decltype(extras.abandon)>("tsypdfAbandon");
    extras.forgetAbandoned = find<decltype(extras.forgetAbandoned)>("tsypdfForgetAbandoned");
    extras.setProgressCallback = find<decltype(extras.setProgressCallback)>("tsypdfSetProgressCallback");
    extras.setRecognition = find<decltype(extras.setRecognition)>("tsypdfSetRecognition");
    extras.setNextCallPassword = find<decltype(extras.setNextCallPassword)>("tsypdfSetNextCallPassword");
    if (extras.setProgressCallback)
        extras.setProgressCallback(receiveProgress);
    if (const auto setUnreadCallback = find<decltype(&tsypdfSetUnreadCallback)>("tsypdfSetUnreadCallback"))
        setUnreadCallback(receiveUnread);
    if (const auto reportPasswords = find<decltype(&tsypdfReportPasswordRequired)>("tsypdfReportPasswordRequired"))
        reportPasswords(1);
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    // A sanitized helper reserves terabytes of shadow memory before it reads a byte, far
    // past the 4 GiB cap; sanitizer builds check faults, not hogs, so they lift it.
    if (const auto setLimits = find<decltype(&tsypdfSetLimits)>("tsypdfSetLimits"))
        setLimits(0, RLIM_INFINITY);
#endif
    entry = find<Entry>("fnOrdvane");
    return entry != nullptr;
}

void UnloadConverterLibrary()
{
    entry = nullptr;
    extras = {};
    if (libraryHandle)
        dlclose(libraryHandle);
    libraryHandle = nullptr;
}

bool ConverterAvailable()
{
    return entry != nullptr;
}

void SetPasswords(const QList<QByteArray> &given)
{
    auto list = std::make_shared<SecretList>();
    list->reserve(size_t(given.size()));
    for (const QByteArray &password : given)
        list->emplace_back(password.constData(), size_t(password.size()));
    std::lock_guard lock(passwordsMutex);
    passwords = std::move(list);
    openers.clear();
    if (!given.isEmpty())
        prctl(PR_SET_DUMPABLE, 0); // no core dump holds them, no other process reads them
}

bool AddPassword(QByteArrayView password)
{
    const std::string_view added(password.data(), size_t(password.size()));
    std::lock_guard lock(passwordsMutex);
    if (std::find(passwords->begin(), passwords->end(), added) != passwords->end())
        return false;
    auto list = std::make_shared<SecretList>(*passwords);
    list->emplace_back(added);
    passwords = std::move(list);
    prctl(PR_SET_DUMPABLE, 0);
    return true;
}

void ForgetPassword(QByteArrayView password)
{
    std::lock_guard lock(passwordsMutex);
    const auto known = std::find(passwords->begin(), passwords->end(), std::string_view(password.data(), size_t(password.size())));
    if (known == passwords->end())
        return;
    const size_t index = size_t(known - passwords->begin());
    auto list = std::make_shared<SecretList>(*passwords);
    list->erase(list->begin() + qsizetype(index));
    passwords = std::move(list);
    openers.erase(std::remove(openers.begin(), openers.end(), index), openers.end());
    for (size_t &opener : openers)
        opener -= opener > index ? 1 : 0;
}

void SetRecognitionBudget(int seconds)
{
    if (const auto setBudget = libraryHandle ? find<decltype(&tsypdfSetRecognitionBudget)>("tsypdfSetRecognitionBudget") : nullptr)
        setBudget(seconds);
}

void SetRecognition(bool on, const QString &languages)
{
    if (extras.setRecognition)
        extras.setRecognition(on ? 1 : 0, languages.toLatin1().constData());
}

QByteArray TextEncoder::byteOrderMark(int codePage)
{
    if (codePage == CodePage::Utf8)
        return QByteArrayLiteral("\xEF\xBB\xBF");
    if (codePage == CodePage::Utf16LE)
        return QByteArrayLiteral("\xFF\xFE");
    return {};
}

TextEncoder::TextEncoder(int codePage, bool withMark)
    : codePage(codePage), markPending(withMark),
      passThrough(codePage == CodePage::Utf8 || (codePage == CodePage::System && CodePage::systemIsUtf8()))
{
}

void TextEncoder::encode(QByteArrayView utf8, QByteArray &out)
{
    if (utf8.isEmpty())
        return;
    if (std::exchange(markPending, false))
        out += byteOrderMark(codePage);
    if (passThrough) {
        out += utf8;
        return;
    }
    const QString text = decoder.decode(utf8); // holds back a character cut in two
    out += CodePage::fromUnicode(text, codePage);
}

int EncodeText(QByteArrayView utf8, int codePage, QByteArray &textBuffer)
{
    if (utf8.isEmpty())
        return 0;
    if (codePage == CodePage::System && !utf8.isValidUtf8())
        return store(textBuffer, {});
    QByteArray encoded;
    TextEncoder(codePage, true).encode(utf8, encoded);
    return store(textBuffer, encoded);
}

int ExtractText(const QString &source, int textOrder, bool pageBreak, quint64 tag, PageRange pages,
                const TextReceiver &text, const ProgressReceiver &progress)
{
    const Entry convert = entry;
    if (!convert)
        return ResultNoConverter;
    const quint64 callTag = tag != 0 ? tag : ++lastOwnTag;
    if (!extras.setNextCall && (pages.first != 0 || pages.count != 0))
        return ResultFormatError; // this library converts whole files only
    return resultOf(withPasswords([&] {
        if (extras.setNextCall)
            extras.setNextCall(callTag, pages.first, pages.count);
        callUnderWay = {&text, &progress, extras.setNextCall ? callTag : 0, nullptr};
        const int32_t result = convert(reinterpret_cast<const char16_t *>(source.utf16()), int32_t(source.size() * 2),
                                       receive, 1, 0, textOrder == 1 ? 1 : 0, pageBreak ? 0 : 1,
                                       textOrder == 2 ? 1 : 0, 2, "", "");
        if (const std::exception_ptr failure = std::exchange(callUnderWay, {}).failure)
            std::rethrow_exception(failure);
        return result;
    }));
}

int PageCount(const QString &source, quint64 tag)
{
    if (!entry || !extras.pageCount || !extras.setNextCall)
        return ResultFormatError;
    const int32_t count = withPasswords([&] {
        extras.setNextCall(tag, 0, 0);
        return extras.pageCount(reinterpret_cast<const char16_t *>(source.utf16()), int32_t(source.size() * 2));
    });
    return count >= 0 ? count : resultOf(count);
}

void Abandon(quint64 tag)
{
    if (extras.abandon)
        extras.abandon(tag);
}

void ForgetAbandoned()
{
    if (extras.forgetAbandoned)
        extras.forgetAbandoned();
}

int ConvertPdfFile(const QString &source, QByteArray &textBuffer, int codePage, int textOrder, bool pageBreak)
{
    // The text is gathered whole first: the system code page takes only well-formed text.
    thread_local std::vector<char> receiveBuffer;
    receiveBuffer.clear();
    const int result = ExtractText(source, textOrder, pageBreak, 0, {},
                                   [](QByteArrayView bytes) { receiveBuffer.insert(receiveBuffer.end(), bytes.begin(), bytes.end()); },
                                   {});
    if (result < 0) // its usual results: a file that needs a password cannot be opened
        return result == ResultPasswordRequired ? ResultOpenError : result;
    return EncodeText(QByteArrayView(receiveBuffer.data(), qsizetype(receiveBuffer.size())), codePage, textBuffer);
}

} // namespace MyPdfCvt
