#include "conversion/ConversionRun.h"

#include "conversion/ActivityLog.h"
#include "conversion/JobList.h"
#include "conversion/MyPdfCvt.h"
#include "conversion/TargetPath.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "settings/Global.h"

#include <QThread>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Text in the output code page that shows nothing: blanks, line ends and page breaks only.
// The marks and every code page's other characters have no byte in the ASCII blanks.
bool isBlank(QByteArrayView bytes, int codePage)
{
    const auto blank = [](char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
    if (codePage == CodePage::Utf16LE) {
        for (qsizetype i = 2; i + 1 < bytes.size(); i += 2)
            if (!blank(char16_t(uchar(bytes[i]) | uchar(bytes[i + 1]) << 8)))
                return false;
        return true;
    }
    if (codePage == CodePage::Utf8 && bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    return std::all_of(bytes.begin(), bytes.end(), [&](char c) { return blank(uchar(c)); });
}

}

ConversionRun::PromptAnswer ConversionRun::Display::askTargetExists(const QString &)
{
    return PromptAnswer::Cancel;
}

ConversionRun::ConversionRun(JobList &list, Display &display, int parallel, Converter converter)
    : list(list), display(display), parallel(parallel > 0 ? parallel : std::max(1, QThread::idealThreadCount())),
      converter(converter ? std::move(converter) : Converter(MyPdfCvt::ConvertPdfFile))
{
}

// Conversions still under way when the run ends (cancelled, stopped, or an error) finish
// here: they must not outlive the converter library.
ConversionRun::~ConversionRun() = default;

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

void ConversionRun::run(int runMode)
{
    const int total = list.count();
    if (total == 0)
        return;
    mode = runMode;
    codePage = Settings.sourcecode != 0 ? Settings.sourcecode : CodePage::localeAnsiCodePage();
    textOrder = Settings.textorder;
    pageBreak = Settings.pagebreak;
    Successful = Failed = WithoutText = 0;
    AppendLog(QStringLiteral("Conversion start..."));
    display.runStarted(total);
    for (int row = 0; row < total; ++row) {
        if (display.cancelRequested() || convertEntry(row) == Outcome::Stopped)
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

bool ConversionRun::wanted(int row) const
{
    const bool waiting = list.entry(row).state == JobList::Waiting;
    const bool selected = list.isSelected(row);
    return mode == ConvertAll ? waiting : mode == ConvertSelected ? selected && waiting : selected && !waiting;
}

bool ConversionRun::convertible(int row) const
{
    return list.text(row, JobList::Type) == QLatin1String("PDF");
}

std::future<ConversionRun::Conversion> ConversionRun::startConversion(const QString &source) const
{
    return std::async(std::launch::async, [source, convert = converter, codePage = codePage, textOrder = textOrder,
                                           pageBreak = pageBreak] {
        Conversion c;
        c.result = convert(source, c.bytes, codePage, textOrder, pageBreak);
        return c;
    });
}

// Starts conversions for the wanted entries from row on, until room of them are under way.
void ConversionRun::convertAhead(int row, int room)
{
    nextToStart = std::max(nextToStart, row);
    while (int(ahead.size()) < room && nextToStart < list.count()) {
        const int candidate = nextToStart++;
        if (wanted(candidate) && convertible(candidate)) {
            const QString source = list.text(candidate, JobList::Source);
            ahead.push_back({candidate, source, startConversion(source)});
        }
    }
}

// The conversion of the entry in hand: started ahead, or now when it was not.
ConversionRun::Conversion ConversionRun::conversionOf(int row, const QString &source)
{
    while (!ahead.empty() && ahead.front().row < row) // entries no longer wanted when their turn came
        ahead.pop_front();
    std::future<Conversion> conversion;
    if (!ahead.empty() && ahead.front().row == row && ahead.front().source == source) {
        conversion = std::move(ahead.front().conversion);
        ahead.pop_front();
    } else {
        conversion = startConversion(source);
    }
    convertAhead(row + 1, parallel - 1); // the next files convert beside this one
    display.waitFor(conversion);
    return conversion.get();
}

ConversionRun::Outcome ConversionRun::convertEntry(int row)
{
    const QString source = list.text(row, JobList::Source);
    display.showFile(source);
    if (!wanted(row)) {
        if (list.entry(row).state != JobList::Waiting)
            display.stepProgress();
        return Outcome::Done;
    }
    convertAhead(row, parallel);

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

    if (!convertible(row)) {
        fail(row, QStringLiteral("File type not support"), source);
        display.processEvents();
        return Outcome::Done;
    }
    const Conversion conversion = conversionOf(row, source);
    if (conversion.result < 0) {
        fail(row, messageFor(conversion.result), source);
        display.processEvents();
        return Outcome::Done;
    }
    const QString failure = writeTarget(target, QByteArrayView(conversion.bytes).first(conversion.result));
    if (!failure.isEmpty()) {
        const bool created = failure == QLatin1String("Target file write error");
        fail(row, failure, created ? source : target);
        display.processEvents();
        return Outcome::Done;
    }
    if (isBlank(QByteArrayView(conversion.bytes).first(conversion.result), codePage))
        ++WithoutText;
    list.setState(row, JobList::Converted);
    list.setText(row, JobList::Message, QStringLiteral("Convert successfully"));
    AppendLog(QStringLiteral("Convert successfully (") + source + u')');
    ++Successful;
    display.processEvents();
    return Outcome::Done;
}

// Writes the target file; returns the failure message, if any.
QString ConversionRun::writeTarget(const QString &target, QByteArrayView bytes)
{
    const qsizetype slash = target.lastIndexOf(FileSystem::Separator);
    if (slash > 0)
        FileSystem::makeDirectories(target.left(slash)); // a failure shows when the file is created
    const QByteArray path = FileSystem::encodePath(target);
    const int fd = path.contains('\0') ? -1 : open(path.constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return QStringLiteral("Target file create error");
    int error = FileSystem::writeAll(fd, bytes.data(), size_t(bytes.size()));
    if (close(fd) != 0 && !error)
        error = errno;
    if (error) {
        unlink(path.constData()); // no half-written text file is left behind
        return QStringLiteral("Target file write error");
    }
    return {};
}
