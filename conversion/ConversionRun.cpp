#include "conversion/ConversionRun.h"

#include "conversion/ActivityLog.h"
#include "conversion/JobList.h"
#include "conversion/MyPdfCvt.h"
#include "conversion/TargetPath.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "settings/Global.h"

#include <fcntl.h>
#include <unistd.h>

ConversionRun::PromptAnswer ConversionRun::Display::askTargetExists(const QString &)
{
    return PromptAnswer::Cancel;
}

int ConversionRun::Display::convert(const QString &source, QByteArray &buffer, int codePage, int textOrder, bool pageBreak)
{
    return MyPdfCvt::ConvertPdfFile(source, buffer, codePage, textOrder, pageBreak);
}

ConversionRun::ConversionRun(JobList &list, QByteArray &textBuffer, Display &display)
    : list(list), textBuffer(textBuffer), display(display)
{
}

QString ConversionRun::messageFor(int result)
{
    switch (result) {
    case MyPdfCvt::ResultNoConverter: return QStringLiteral("Load file filter dll error");
    case MyPdfCvt::ResultOpenError: return QStringLiteral("Source file open error");
    case MyPdfCvt::ResultNotPermitted: return QStringLiteral("Extracting text from source file not allowed");
    default: return QStringLiteral("File format not correct");
    }
}

QString ConversionRun::numberedName(const QString &target)
{
    const qsizetype dot = FileSystem::extensionPosition(target);
    const QString base = dot < 0 ? target : target.left(dot);
    const QString extension = dot < 0 ? QString() : target.mid(dot);
    for (int n = 1;; ++n) {
        const QString candidate = base + u'(' + QString::number(n) + u')' + extension;
        if (!FileSystem::exists(candidate)) // a folder of that name would not do either
            return candidate;
    }
}

void ConversionRun::run(int mode)
{
    const int total = list.count();
    if (total == 0)
        return;
    const int codePage = Settings.sourcecode != 0 ? Settings.sourcecode : CodePage::localeAnsiCodePage();
    Successful = Failed = 0;
    AppendLog(QStringLiteral("Conversion start..."));
    display.runStarted(total);
    for (int row = 0; row < total; ++row) {
        if (display.cancelRequested() || convertEntry(row, mode, codePage) == Outcome::Stopped)
            break;
    }
    display.processEvents();
    display.runFinished();
    AppendLog(QStringLiteral("Conversion end. Successful: %1, Failed: %2, Total: %3\r\n")
                  .arg(Successful)
                  .arg(Failed)
                  .arg(Successful + Failed));
}

void ConversionRun::fail(int row, const QString &message, const QString &path)
{
    list.setState(row, JobList::Failed);
    list.setText(row, JobList::Message, message);
    ++Failed;
    AppendLog(QStringLiteral("Failed: ") + message + QStringLiteral(" (") + path + u')');
}

ConversionRun::Outcome ConversionRun::convertEntry(int row, int mode, int codePage)
{
    const QString source = list.text(row, JobList::Source);
    display.showFile(source);
    const bool waiting = list.entry(row).state == JobList::Waiting;
    const bool selected = list.isSelected(row);
    const bool chosen = mode == ConvertAll ? waiting : mode == ConvertSelected ? selected && waiting : selected && !waiting;
    if (!chosen) {
        if (!waiting)
            display.stepProgress();
        return Outcome::Done;
    }

    QString target = TargetFileName(source, Settings.samedir, Settings.targetdir);
    if (FileSystem::isExistingFile(target)) {
        PromptAnswer answer = PromptAnswer::Cancel;
        switch (Settings.fileovertp) {
        case 0: answer = PromptAnswer::AutoRename; break;
        case 1: answer = PromptAnswer::Overwrite; break;
        case 2: answer = display.askTargetExists(target); break;
        default: break;
        }
        if (answer == PromptAnswer::StopConvert)
            return Outcome::Stopped;
        if (answer == PromptAnswer::AutoRename)
            target = numberedName(target);
        if (answer == PromptAnswer::Cancel) {
            fail(row, QStringLiteral("Target file already exists, user canceled"), list.text(row, JobList::Target));
            display.stepProgress();
            return Outcome::Done;
        }
    }
    list.setText(row, JobList::Target, target);
    display.stepProgress();

    if (list.text(row, JobList::Type) != QLatin1String("PDF")) {
        fail(row, QStringLiteral("File type not support"), source);
        display.processEvents();
        return Outcome::Done;
    }
    const int result = display.convert(source, textBuffer, codePage, Settings.textorder, Settings.pagebreak);
    if (result < 0) {
        fail(row, messageFor(result), source);
        display.processEvents();
        return Outcome::Done;
    }
    const QString failure = writeTarget(target, result);
    if (!failure.isEmpty()) {
        const bool created = failure == QLatin1String("Target file write error");
        fail(row, failure, created ? source : target);
        display.processEvents();
        return Outcome::Done;
    }
    list.setState(row, JobList::Converted);
    list.setText(row, JobList::Message, QStringLiteral("Convert successfully"));
    AppendLog(QStringLiteral("Convert successfully (") + source + u')');
    ++Successful;
    display.processEvents();
    return Outcome::Done;
}

// Writes the first length bytes of the text buffer; returns the failure message, if any.
QString ConversionRun::writeTarget(const QString &target, int length)
{
    const qsizetype slash = target.lastIndexOf(FileSystem::Separator);
    if (slash > 0)
        FileSystem::makeDirectories(target.left(slash)); // a failure shows when the file is created
    const QByteArray path = FileSystem::encodePath(target);
    const int fd = path.contains('\0') ? -1 : open(path.constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return QStringLiteral("Target file create error");
    int error = FileSystem::writeAll(fd, textBuffer.constData(), size_t(length));
    if (close(fd) != 0 && !error)
        error = errno;
    if (error) {
        unlink(path.constData()); // no half-written text file is left behind
        return QStringLiteral("Target file write error");
    }
    return {};
}
