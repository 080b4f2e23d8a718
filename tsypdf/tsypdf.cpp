// tsypdf.so: the converter library. The poppler work happens in helper processes
// (tsypdf-worker beside this library), one per concurrent caller, reused from file to file.
// A helper that crashes, stalls or runs out of memory costs its file a -2 result; the next
// file gets a fresh helper.
#include "tsypdf/tsypdf.h"

#include "base/PathCodec.h"
#include "base/WorkerProtocol.h"
#include "tsypdf/CallProtocol.h"
#include "tsypdf/Helpers.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <utility>

#define TSYPDF_EXPORT extern "C" __attribute__((visibility("default")))

using namespace WorkerProtocol;

// The helper's results are the library's.
static_assert(ResultOk == TsyResultOk && ResultCannotOpen == TsyResultCannotOpen && ResultOtherFailure == TsyResultOtherFailure
              && ResultCopyNotPermitted == TsyResultCopyNotPermitted && ResultNeedsPassword == TsyResultNeedsPassword);

namespace {

std::atomic<int32_t> stallLimitMs{60'000};
std::atomic<bool> passwordRequiredReported{false};
std::atomic<uint64_t> addressSpaceLimit{4ull << 30};

// Recognition of scanned pages: off until the program asks for it.
std::mutex recognitionMutex;
bool recognitionOn = false;
std::string recognitionLanguages;
uint16_t recognitionBudgetSeconds = DefaultPageBudgetSeconds;
std::atomic<TsyProgressCallback> progressCallback{nullptr};
std::atomic<TsyUnreadCallback> unreadCallback{nullptr};

Helpers::Pool pool;
Helpers::CallRegistry registry;

// What the next call on this thread is to do besides the defaults.
struct NextCall {
    uint64_t tag = 0;
    uint32_t firstPage = 0;
    uint32_t pageCount = 0;
};
thread_local NextCall nextCall;
thread_local SecretString nextPassword; // for the next call on this thread only

TextOrder textOrderFor(int32_t physicalLayout, int32_t rawOrder)
{
    if (rawOrder == 1)
        return TextOrder::Raw;
    return physicalLayout == 1 ? TextOrder::Physical : TextOrder::Reading;
}

// Sends one request to a helper from the pool (a fresh one when the pooled one had died).
int32_t callHelper(const char16_t *path, int32_t pathBytes, Request request, TsyWriteCallback write)
{
    const NextCall call = std::exchange(nextCall, NextCall{});
    request.password.swap(nextPassword); // the request overwrites it as it goes
    struct ForgetBytes {
        std::string bytes;
        ~ForgetBytes() { clearSecret(bytes); }
    } secrets;
    if (!path || pathBytes <= 0)
        return ResultCannotOpen;
    request.path = PathCodec::encode(std::u16string_view(path, size_t(pathBytes) / 2));
    if (request.path.find('\0') != std::string::npos)
        return ResultCannotOpen; // no file name holds a zero byte
    if (request.path.size() > MaxPathBytes)
        return ResultOtherFailure; // more than a helper takes
    request.firstPage = call.firstPage;
    request.pageCount = call.pageCount;
    {
        std::lock_guard lock(recognitionMutex);
        request.recognise = recognitionOn;
        if (recognitionOn)
            request.languages = recognitionLanguages;
        request.pageBudgetSeconds = recognitionBudgetSeconds;
    }
    secrets.bytes = encodeRequest(request);
    const std::string &bytes = secrets.bytes;

    Helpers::Helper helper = pool.take();
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!helper)
            helper = Helpers::spawn(addressSpaceLimit.load());
        if (!helper)
            return ResultOtherFailure;
        CallProtocol::Outcome outcome{};
        bool killed = false;
        {
            Helpers::RegisteredCall registered(registry, call.tag, helper.pid());
            if (registered.abandonedEarly()) {
                pool.giveBack(std::move(helper));
                return ResultOtherFailure;
            }
            outcome = CallProtocol::run(helper.channel(), bytes, std::chrono::milliseconds(stallLimitMs.load()), write,
                                        progressCallback.load(), unreadCallback.load());
            killed = registered.leave();
        }
        if (outcome.helperReusable && !killed)
            pool.giveBack(std::move(helper));
        else
            helper.end();
        if (outcome.delivered)
            return outcome.result == ResultNeedsPassword && !passwordRequiredReported ? ResultCannotOpen : outcome.result;
        // The helper had died while idle; a fresh one gets the file.
    }
    return ResultOtherFailure;
}

// Nothing thrown in here, by the caller's callbacks or for want of memory, crosses into the
// caller, which may not be C++ at all: the helper has gone with the unwinding, the call fails.
template <typename Call>
int32_t atTheBoundary(Call &&call)
{
    try {
        return call();
    } catch (...) {
        return ResultOtherFailure;
    }
}

} // namespace

TSYPDF_EXPORT int32_t fnOrdvane(const char16_t *path, int32_t pathBytes, TsyWriteCallback write,
                                int32_t, int32_t, int32_t physicalLayout, int32_t noPageBreaks,
                                int32_t rawOrder, int32_t, const char *, const char *)
{
    return atTheBoundary([&] {
        Request request;
        request.order = textOrderFor(physicalLayout, rawOrder);
        request.pageBreaks = noPageBreaks != 1;
        request.kind = RequestKind::Extract;
        return callHelper(path, pathBytes, std::move(request), write);
    });
}

TSYPDF_EXPORT int32_t tsypdfPageCount(const char16_t *path, int32_t pathBytes)
{
    return atTheBoundary([&] {
        Request request;
        request.kind = RequestKind::CountPages;
        return callHelper(path, pathBytes, std::move(request), nullptr);
    });
}

TSYPDF_EXPORT void tsypdfSetNextCall(uint64_t tag, int32_t firstPage, int32_t pageCount)
{
    nextCall = {tag, uint32_t(std::max(firstPage, 0)), uint32_t(std::max(pageCount, 0))};
}

TSYPDF_EXPORT void tsypdfAbandon(uint64_t tag)
{
    atTheBoundary([&] {
        registry.abandon(tag);
        return ResultOk;
    });
}

TSYPDF_EXPORT void tsypdfForgetAbandoned()
{
    atTheBoundary([&] {
        registry.forgetAbandoned();
        return ResultOk;
    });
}

TSYPDF_EXPORT void tsypdfSetProgressCallback(TsyProgressCallback callback)
{
    progressCallback = callback;
}

TSYPDF_EXPORT void tsypdfSetUnreadCallback(TsyUnreadCallback callback)
{
    unreadCallback = callback;
}

TSYPDF_EXPORT void tsypdfSetLimits(int32_t stallMilliseconds, uint64_t addressSpaceBytes)
{
    if (stallMilliseconds > 0)
        stallLimitMs = stallMilliseconds;
    if (addressSpaceBytes > 0)
        addressSpaceLimit = addressSpaceBytes;
}

TSYPDF_EXPORT void tsypdfSetRecognition(int32_t on, const char *languages)
{
    atTheBoundary([&] {
        std::lock_guard lock(recognitionMutex);
        recognitionOn = on == 1;
        recognitionLanguages = languages ? std::string(languages).substr(0, MaxLanguageBytes) : std::string();
        return ResultOk;
    });
}

TSYPDF_EXPORT void tsypdfSetRecognitionBudget(int32_t pageSeconds)
{
    atTheBoundary([&] {
        std::lock_guard lock(recognitionMutex);
        recognitionBudgetSeconds = uint16_t(std::clamp<int32_t>(pageSeconds, 1, 65535));
        return ResultOk;
    });
}

TSYPDF_EXPORT void tsypdfReportPasswordRequired(int32_t on)
{
    passwordRequiredReported = on == 1;
}

TSYPDF_EXPORT void tsypdfSetNextCallPassword(const char *password, int32_t bytes)
{
    clearSecret(nextPassword);
    if (password && bytes > 0)
        nextPassword.assign(password, size_t(std::min<int32_t>(bytes, int32_t(MaxPasswordBytes))));
}
