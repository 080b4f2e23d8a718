#include "conversion/ActivityLog.h"

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/IoError.h"
#include "platform/LocaleInfo.h"
#include "platform/ProgramFolders.h"

#include <QElapsedTimer>
#include <QtEndian>
#include <algorithm>
#include <chrono>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

QString ActivityLogPath()
{
    return DataDirectory() + QStringLiteral("ordvnact.log");
}

QString LogLine(const QString &text, const std::tm &local)
{
    QString shown = text;
    if (shown.size() > MaxLogTextUnits) {
        qsizetype kept = MaxLogTextUnits - 3;
        if (shown.at(kept - 1).isHighSurrogate())
            --kept; // not half a character
        shown = shown.first(kept) + QStringLiteral("...");
    }
    return u'[' + LocaleInfo::formatDateTime(local) + QStringLiteral("]: ") + shown + QStringLiteral("\r\n");
}

namespace {

QString decodeUtf16(QByteArrayView bytes, bool bigEndian)
{
    QString text(bytes.size() / 2, Qt::Uninitialized);
    if (bigEndian)
        qFromBigEndian<char16_t>(bytes.data(), text.size(), text.data());
    else
        qFromLittleEndian<char16_t>(bytes.data(), text.size(), text.data());
    return text;
}

QString withCrLf(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    return text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
}

} // namespace

IoResult<QString> ReadLogText(const QString &path)
{
    const IoResult<QByteArray> bytes = FileSystem::readFile(path);
    if (!bytes && bytes.error().errorNumber == ENOENT)
        return QString();
    if (!bytes)
        return unexpected(bytes.error());
    const QByteArrayView all(*bytes);
    if (all.startsWith("\xFF\xFE"))
        return withCrLf(decodeUtf16(all.sliced(2), false));
    if (all.startsWith("\xFE\xFF"))
        return withCrLf(decodeUtf16(all.sliced(2), true));
    if (all.startsWith("\xEF\xBB\xBF"))
        return withCrLf(QString::fromUtf8(all.sliced(3)));
    return withCrLf(CodePage::toUnicode(all, CodePage::System));
}

IoResult<void> WriteLogExport(const QString &path, const QString &text)
{
    QByteArray bytes("\xFF\xFE", 2);
    // Every line shown ends with its break, the last one too, also when it is empty (the
    // line after a run's summary): the copy holds the log's bytes.
    const QString lines = withCrLf(text) + QStringLiteral("\r\n");
    bytes.resize(2 + lines.size() * 2);
    qToLittleEndian<char16_t>(lines.utf16(), lines.size(), bytes.data() + 2);
    return FileSystem::replaceFile(path, bytes);
}

int ActivityLog::lockWait()
{
    const qint64 now = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
    if (minuteStarted < 0 || now - minuteStarted > 60'000) {
        minuteStarted = now;
        waitedMs = 0;
    }
    return int(std::clamp<qint64>(3000 - waitedMs, 0, 1000));
}

void ActivityLog::AppendLog(const QString &text)
{
    if (!on || file.isEmpty())
        return;
    if (!failureHandler)
        return appendLine(text);
    try {
        appendLine(text);
    } catch (const IoError &error) {
        failureHandler(error);
    }
}

void ActivityLog::appendLine(const QString &text)
{
    const QString &path = file;
    const QByteArray file = FileSystem::encodePath(path);

    // Creating exclusively tells, without a race, whether this append starts the file. The
    // log is the user's alone, and a plain file of the user's with one name: never a second
    // name (a hard link) of another file, which the lines would be appended to.
    bool created = true;
    int fd = FileSystem::openOwnFile(file, O_WRONLY | O_APPEND | O_CREAT | O_EXCL, 0600);
    if (fd < 0 && errno == EEXIST) {
        created = false;
        fd = FileSystem::openOwnFile(file, O_WRONLY | O_APPEND);
    }
    if (fd < 0)
        throw IoError(errno, path);
    if (!FileSystem::isSoleNameOfOwnFile(fd)) {
        close(fd);
        throw IoError(EPERM, path);
    }

    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const QString line = LogLine(text, local);

    // The raw UTF-16LE units, lone surrogates of odd file names included.
    QByteArray bytes;
    if (created)
        bytes = QByteArray("\xFF\xFE", 2);
    const qsizetype start = bytes.size();
    bytes.resize(start + line.size() * 2);
    qToLittleEndian<char16_t>(line.utf16(), line.size(), bytes.data() + start);

    // Other instances append too, one whole line at a time. Past the wait the line goes
    // without the lock, as one append.
    QElapsedTimer waited;
    waited.start();
    FileSystem::lockWithin(fd, LOCK_EX, lockWait());
    waitedMs += waited.elapsed();
    int error = FileSystem::writeAll(fd, bytes.constData(), size_t(bytes.size()));
    if (close(fd) != 0 && !error)
        error = errno;
    if (error)
        throw IoError(error, path);
}
