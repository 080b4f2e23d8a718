#include "conversion/ActivityLog.h"

#include "platform/FileSystem.h"
#include "platform/IoError.h"
#include "platform/LocaleInfo.h"
#include "settings/Global.h"

#include <QtEndian>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

QString ActivityLogPath()
{
    return ProgramDirectory() + QStringLiteral("ordvnact.log");
}

QString LogLine(const QString &text, const std::tm &local)
{
    return u'[' + LocaleInfo::formatDateTime(local) + QStringLiteral("]: ") + text + QStringLiteral("\r\n");
}

void AppendLog(const QString &text)
{
    if (Settings.notlog)
        return;
    const QString path = ActivityLogPath();
    const QByteArray file = FileSystem::encodePath(path);

    // Creating exclusively tells, without a race, whether this append starts the file.
    bool created = true;
    int fd = open(file.constData(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) {
        created = false;
        fd = open(file.constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    }
    if (fd < 0)
        throw IoError(errno, path);

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

    // Other instances append too; one whole line at a time.
    while (flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
    int error = FileSystem::writeAll(fd, bytes.constData(), size_t(bytes.size()));
    if (close(fd) != 0 && !error)
        error = errno;
    if (error)
        throw IoError(error, path);
}
