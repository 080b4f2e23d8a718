#include "conversion/MyPdfCvt.h"

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "tsypdf/tsypdf.h"

#include <QHash>
#include <QMutex>
#include <QtEndian>
#include <atomic>
#include <cstring>
#include <dlfcn.h>
#include <unistd.h>
#include <vector>

namespace MyPdfCvt {

namespace {

using Entry = decltype(&fnOrdvane);
using SetRecognitionEntry = decltype(&tsypdfSetRecognition);

void *libraryHandle = nullptr;
std::atomic<Entry> entry = nullptr;
std::atomic<SetRecognitionEntry> setRecognition = nullptr;

// Pages being recognised, by source; the library tells on the converting thread.
thread_local QString convertingSource;
QMutex recognitionMutex;
QHash<QString, QPair<int, int>> recognising;

void recognitionProgress(int32_t page, int32_t pageCount, int32_t reading)
{
    QMutexLocker lock(&recognitionMutex);
    if (reading)
        recognising.insert(convertingSource, {page, pageCount});
    else
        recognising.remove(convertingSource);
}

// What the library hands over during one call. One per thread, as the callback carries no
// context; its memory is kept from file to file.
thread_local std::vector<char> receiveBuffer;

void receive(const char *bytes, int32_t count)
{
    if (count > 0)
        receiveBuffer.insert(receiveBuffer.end(), bytes, bytes + count);
}

int store(QByteArray &textBuffer, QByteArrayView mark, QByteArrayView text)
{
    const qsizetype length = mark.size() + text.size();
    textBuffer.resize(length + 1);
    std::memcpy(textBuffer.data(), mark.data(), size_t(mark.size()));
    std::memcpy(textBuffer.data() + mark.size(), text.data(), size_t(text.size()));
    return int(length);
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
    entry = reinterpret_cast<Entry>(dlsym(libraryHandle, "fnOrdvane"));
    setRecognition = reinterpret_cast<SetRecognitionEntry>(dlsym(libraryHandle, "tsypdfSetRecognition"));
    using SetProgress = decltype(&tsypdfSetProgressCallback);
    if (const auto setProgress = reinterpret_cast<SetProgress>(dlsym(libraryHandle, "tsypdfSetProgressCallback")))
        setProgress(recognitionProgress);
    return entry != nullptr;
}

void UnloadConverterLibrary()
{
    receiveBuffer = {};
    entry = nullptr;
    setRecognition = nullptr;
    if (libraryHandle)
        dlclose(libraryHandle);
    libraryHandle = nullptr;
}

bool ConverterAvailable()
{
    return entry != nullptr;
}

void SetRecognition(bool on, const QString &languages)
{
    if (const SetRecognitionEntry set = setRecognition)
        set(on ? 1 : 0, languages.toLatin1().constData());
}

bool RecognitionProgress(const QString &source, int &page, int &pageCount)
{
    QMutexLocker lock(&recognitionMutex);
    const auto found = recognising.constFind(source);
    if (found == recognising.constEnd())
        return false;
    page = found->first;
    pageCount = found->second;
    return true;
}

int EncodeText(QByteArrayView utf8, int codePage, QByteArray &textBuffer)
{
    if (utf8.isEmpty())
        return 0;
    switch (codePage) {
    case CodePage::Utf8:
        return store(textBuffer, "\xEF\xBB\xBF", utf8);
    case CodePage::Utf16LE: {
        const QString text = QString::fromUtf8(utf8);
        const qsizetype length = 2 + text.size() * 2;
        textBuffer.resize(length + 1);
        std::memcpy(textBuffer.data(), "\xFF\xFE", 2);
        qToLittleEndian<char16_t>(text.utf16(), text.size(), textBuffer.data() + 2);
        return int(length);
    }
    case CodePage::System:
        if (!utf8.isValidUtf8())
            return store(textBuffer, {}, {});
        if (CodePage::systemIsUtf8())
            return store(textBuffer, {}, utf8);
        return store(textBuffer, {}, CodePage::fromUnicode(QString::fromUtf8(utf8), CodePage::System));
    default:
        return store(textBuffer, {}, CodePage::fromUnicode(QString::fromUtf8(utf8), codePage));
    }
}

int ConvertPdfFile(const QString &source, QByteArray &textBuffer, int codePage, int textOrder, bool pageBreak)
{
    const Entry convert = entry;
    if (!convert)
        return ResultNoConverter;
    receiveBuffer.clear();
    convertingSource = source;
    const int32_t result = convert(reinterpret_cast<const char16_t *>(source.utf16()), int32_t(source.size() * 2),
                                   receive, 1, 0, textOrder == 1 ? 1 : 0, pageBreak ? 0 : 1,
                                   textOrder == 2 ? 1 : 0, 2, "", "");
    recognitionProgress(0, 0, 0); // a helper that ended mid-page said nothing more
    if (result == -3)
        return ResultNotPermitted;
    if (result == -1)
        return ResultOpenError;
    if (result != 0)
        return ResultFormatError;
    return EncodeText(QByteArrayView(receiveBuffer.data(), qsizetype(receiveBuffer.size())), codePage, textBuffer);
}

} // namespace MyPdfCvt
