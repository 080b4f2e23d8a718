#include "conversion/ConversionRun.h"

#include "conversion/ActivityLog.h"
#include "conversion/JobList.h"
#include "conversion/MyPdfCvt.h"
#include "conversion/TargetPath.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "settings/RecognitionChoice.h"
#include "base/RecognitionLanguages.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <climits>

ConversionRun::PromptAnswer ConversionRun::Display::askTargetExists(const QString &)
{
    return PromptAnswer::Cancel;
}

ConversionRun::ConversionRun(JobList &list, Display &display, int threads, ConversionEngine::Converter *converter)
    : list(list), display(display), threads(threads), converter(converter)
{
}

QString ConversionRun::numberedName(const QString &target)
{
    const qsizetype dot = FileSystem::extensionPosition(target);
    const QString base = dot < 0 ? target : target.left(dot);
    const QString extension = dot < 0 ? QString() : target.mid(dot);
    for (int n = 1;; ++n) {
        const QString candidate = base + u'(' + QString::number(n) + u')' + extension;
        if (FileSystem::entryAt(candidate) == FileSystem::Entry::None) // a folder or a link takes a name too
            return candidate;
    }
}

void ConversionRun::run(int runMode)
{
    run(runMode, RunOptions::fromSettings(Settings));
}

void ConversionRun::run(int runMode, const RunOptions &runOptions)
{
    const int total = list.count();
    if (total == 0)
        return;
    mode = runMode;
    options = runOptions;
    ConversionEngine::Options engineOptions;
    engineOptions.codePage = options.codePage != 0 ? options.codePage : CodePage::localeAnsiCodePage();
    engineOptions.textOrder = int(options.order);
    engineOptions.pageBreak = options.pageBreaks;
    engineOptions.recognition = options.recognition;
    settingsProblem = {};
    if (!CodePage::hasConverter(engineOptions.codePage)) {
        static const char *const text = QT_TRANSLATE_NOOP("ConversionRun", "Code page %1 is not supported on this system");
        settingsProblem = {QString::fromLatin1(text).arg(engineOptions.codePage),
                           QCoreApplication::translate("ConversionRun", text).arg(engineOptions.codePage)};
    } else if (options.recognition) {
        settingsProblem = {RecognitionLanguagesProblem(options.recognitionLanguages, true, false).section(u'\n', 0, 0),
                           RecognitionLanguagesProblem(options.recognitionLanguages).section(u'\n', 0, 0)};
    }
    MyPdfCvt::SetRecognition(options.recognition, options.recognitionLanguages);
    Successful = Failed = Skipped = WithoutText = UnreadPages = 0;
    UnreadPackages.clear();
    AppendLog(QStringLiteral("Conversion start..."));
    display.runStarted(total);
    {
        // However the run ends, a failed log line too, what is under way is abandoned and the
        // progress display goes.
        const auto ended = qScopeGuard([this] {
            engine.reset();
            submitted.clear();
            display.runFinished();
        });
        engine = std::make_unique<ConversionEngine>(engineOptions, threads, converter);
        submitted.clear();
        submitAhead();
        for (int row = 0; row < total; ++row) {
            if (display.cancelRequested() || convertEntry(row) == Outcome::Stopped)
                break;
        }
        engine.reset();
        display.processEvents();
    }
    if (UnreadPages > 0)
        AppendLog(unreadNote());
    AppendLog(summary() + QStringLiteral("\r\n"));
}

QString ConversionRun::unreadNote(Language language) const
{
    if (UnreadPages == 0)
        return {};
    static const char *const text = QT_TRANSLATE_N_NOOP("ConversionRun", "%n page(s) left unread for want of recognition data; %1 would read them.");
    const QString packages = UnreadPackages.join(QStringLiteral(", "));
    if (language == Language::User)
        return QCoreApplication::translate("ConversionRun", text, nullptr, UnreadPages).arg(packages);
    return QString::fromLatin1(text).replace(QStringLiteral("%n"), QString::number(UnreadPages)).arg(packages);
}

QString ConversionRun::summary(Language language) const
{
    static const char *const text = QT_TRANSLATE_NOOP("ConversionRun", "Conversion end. Successful: %1, Failed: %2, Total: %3");
    // The log reads the same on every system; the user is told in the user's language.
    const QString form = language == Language::User ? QCoreApplication::translate("ConversionRun", text) : QString::fromLatin1(text);
    return form.arg(Successful).arg(Failed).arg(Successful + Failed);
}

void ConversionRun::fail(int row, Failure failure, const QString &path)
{
    fail(row, failure, path, EntryReport());
}

void ConversionRun::fail(int row, Failure failure, const QString &path, const EntryReport &report)
{
    fail(row, {failureText(failure), {}}, path, report);
}

void ConversionRun::fail(int row, const Problem &problem, const QString &path, const EntryReport &report)
{
    list.setState(row, JobList::Failed);
    list.setMessage(row, problem.english, problem.shown);
    ++Failed;
    AppendLog(QStringLiteral("Failed: ") + problem.english + QStringLiteral(" (") + path + u')');
    display.entryDone(row, report);
}

bool ConversionRun::wanted(int row) const
{
    const bool waiting = list.entry(row).state == JobList::Waiting;
    const bool selected = list.isSelected(row);
    return mode == ConvertAll ? waiting : mode == ConvertSelected ? selected && waiting : selected && !waiting;
}

// A target folder from a hand-edited settings file may be empty, relative or not UTF-8 (read
// as empty): the text would go to whatever the current folder is. Only a full path places it.
bool ConversionRun::placeable(const QString &target)
{
    return target.startsWith(u'/');
}

QString ConversionRun::targetOf(const QString &source) const
{
    return TargetFileName(source, options.sameFolder, options.targetFolder);
}

QString ConversionRun::leftAlone(const QString &source, const QString &target) const
{
    if (options.existing != ExistingTarget::Skip && options.existing != ExistingTarget::Update)
        return {};
    if (FileSystem::entryAt(target) != FileSystem::Entry::Other)
        return {};
    if (options.existing == ExistingTarget::Skip)
        return QStringLiteral("target file exists");
    // Only a text at least as new as its PDF is taken for up to date; one that is not a file
    // of its own (a link, say) is converted again and replaced.
    const qint64 text = FileSystem::fileModified(target, false), pdf = FileSystem::fileModified(source, true);
    return text >= 0 && pdf >= 0 && text >= pdf ? QStringLiteral("target file is up to date") : QString();
}

bool ConversionRun::convertible(int row) const
{
    return list.text(row, JobList::Type) == QLatin1String("PDF");
}

// Every entry the run will convert goes to the engine at once: it converts them in list
// order on every processor, as far ahead as the text waiting for its entry allows.
void ConversionRun::submitAhead()
{
    if (!settingsProblem.english.isEmpty())
        return;
    for (int row = 0; row < list.count(); ++row) {
        if (!wanted(row) || !convertible(row))
            continue;
        const QString source = list.text(row, JobList::Source);
        const QString target = targetOf(source);
        if (placeable(target) && leftAlone(source, target).isEmpty())
            submitted[row] = {source, engine->submit(source, FileSystem::folderOf(target))};
    }
}

void ConversionRun::abandon(int row)
{
    const auto it = submitted.find(row);
    if (it == submitted.end())
        return;
    engine->abandon(it->second.job);
    submitted.erase(it);
}

ConversionRun::Outcome ConversionRun::convertEntry(int row)
{
    const QString source = list.text(row, JobList::Source);
    display.showFile(source);
    if (!wanted(row)) {
        abandon(row);
        if (list.entry(row).state != JobList::Waiting)
            display.stepProgress();
        return Outcome::Done;
    }

    QString target = targetOf(source);
    bool replace = false;
    if (const std::optional<Outcome> settled = placeTarget(row, target, replace))
        return *settled;
    const QString targetBefore = list.text(row, JobList::Target);
    list.setText(row, JobList::Target, target);
    display.stepProgress();

    if (!convertible(row)) {
        fail(row, Failure::TypeNotSupported, source);
        display.processEvents();
        return Outcome::Done;
    }
    if (!settingsProblem.english.isEmpty()) {
        fail(row, settingsProblem, source, EntryReport());
        display.processEvents();
        return Outcome::Done;
    }

    std::optional<ConversionEngine::Result> conversion = awaitConversion(row, source, target);
    if (!conversion) {
        // The entry stays as it was, with the target it has; its conversion is abandoned.
        list.setText(row, JobList::Target, targetBefore);
        return Outcome::Stopped;
    }
    EntryReport report{true, conversion->result, -1, conversion->pages, conversion->seconds};
    if (conversion->result < 0) {
        fail(row, failureOfResult(conversion->result), source, report);
        display.processEvents();
        return Outcome::Done;
    }
    report.bytes = conversion->text->size();
    report.result = int(std::min<qint64>(report.bytes, INT_MAX));
    // Under auto rename, a name that another run took meanwhile passes to the next free number
    // of the target's own name.
    const QString unnumbered = targetOf(source);
    const Failure failure = options.existing == ExistingTarget::AutoRename
        ? conversion->text->commit(target, replace, [&](const QString &) { return numberedName(unnumbered); })
        : conversion->text->commit(target, replace);
    if (target != list.text(row, JobList::Target))
        list.setText(row, JobList::Target, target);
    if (failure != Failure::None) {
        const bool created = failure == Failure::TargetWrite;
        fail(row, failure, created ? source : target, report);
    } else {
        recordConverted(row, source, *conversion);
        display.entryDone(row, report);
    }
    display.processEvents();
    return Outcome::Done;
}

// The target as the policy for an existing one makes it (a link of that name, even one that
// leads nowhere, is an existing target: it is never written through). An outcome when the
// entry is settled here: failed, skipped, or the run stopped.
std::optional<ConversionRun::Outcome> ConversionRun::placeTarget(int row, QString &target, bool &replace)
{
    const auto settle = [&](Failure failure, const QString &path) {
        abandon(row);
        fail(row, failure, path);
        display.stepProgress();
        return Outcome::Done;
    };
    if (!placeable(target))
        return settle(Failure::TargetCreate, target);
    if (FileSystem::entryAt(target) != FileSystem::Entry::Other)
        return std::nullopt;
    if (const QString why = leftAlone(list.text(row, JobList::Source), target); !why.isEmpty()) {
        abandon(row);
        ++Skipped;
        AppendLog(QStringLiteral("Skipped: ") + why + QStringLiteral(" (") + target + u')');
        if (options.existing == ExistingTarget::Update) {
            // The entry's text is there and current: the list says so, as of a conversion.
            list.setState(row, JobList::Converted);
            list.setText(row, JobList::Target, target);
            list.setMessage(row, QStringLiteral(QT_TRANSLATE_NOOP("ConversionRun", "Target file is up to date")));
        }
        display.entrySkipped(row, why);
        display.stepProgress();
        return Outcome::Done;
    }
    PromptAnswer answer = PromptAnswer::Cancel;
    switch (options.existing) {
    case ExistingTarget::AutoRename: answer = PromptAnswer::AutoRename; break;
    case ExistingTarget::Overwrite:
    case ExistingTarget::Update: answer = PromptAnswer::Overwrite; break; // older than its PDF
    case ExistingTarget::Prompt: answer = display.askTargetExists(target); break;
    case ExistingTarget::Cancel:
    case ExistingTarget::Skip: break;
    }
    switch (answer) {
    case PromptAnswer::StopConvert: return Outcome::Stopped;
    case PromptAnswer::Cancel: return settle(Failure::TargetExistsCanceled, list.text(row, JobList::Target));
    case PromptAnswer::AutoRename: target = numberedName(target); break;
    case PromptAnswer::Overwrite: replace = true; break;
    }
    return std::nullopt;
}

// The entry's conversion, started ahead or now, once it is done; none when the run is
// stopped meanwhile.
std::optional<ConversionEngine::Result> ConversionRun::awaitConversion(int row, const QString &source, const QString &target)
{
    const auto it = submitted.find(row);
    const ConversionEngine::Job job = it != submitted.end() && it->second.source == source
                                          ? it->second.job
                                          : engine->submit(source, FileSystem::folderOf(target));
    submitted.erase(row);
    while (!engine->waitFor(job, std::chrono::milliseconds(10))) {
        display.waiting(engine->progress());
        if (display.cancelRequested())
            return std::nullopt;
    }
    return engine->take(job);
}

// A converted entry's state, message and log lines: pages without text, pages recognition
// left unread and why.
void ConversionRun::recordConverted(int row, const QString &source, const ConversionEngine::Result &conversion)
{
    list.setState(row, JobList::Converted);
    list.setMessage(row, QStringLiteral(QT_TRANSLATE_NOOP("ConversionRun", "Convert successfully")));
    AppendLog(QStringLiteral("Convert successfully (") + source + u')');
    ++Successful;
    if (!conversion.hasText) {
        ++WithoutText;
        list.setWithoutText(row);
        AppendLog(QStringLiteral("Converted file gave no text (") + source + u')');
    }
    for (const ConversionEngine::UnreadPage &unread : conversion.unread) {
        if (unread.outOfTime) {
            AppendLog(QStringLiteral("Page %1 not recognised: its reading did not end in time (%2)").arg(unread.page).arg(source));
            continue;
        }
        // The data for the chosen languages is checked before a run; a script may still lack it.
        const std::string package = unread.script.isEmpty()
            ? RecognitionLanguages::packageForLanguage(options.recognitionLanguages.section(u'+', 0, 0).toStdString())
            : RecognitionLanguages::packageForScript(unread.script.toStdString());
        const QString reads = package.empty() ? QStringLiteral("language data for it") : QString::fromStdString(package);
        AppendLog(QStringLiteral("Page %1 not recognised: no recognition language reads its %2 script; %3 would (%4)")
                      .arg(unread.page)
                      .arg(unread.script.isEmpty() ? QStringLiteral("unknown") : unread.script, reads, source));
        ++UnreadPages;
        if (!UnreadPackages.contains(reads))
            UnreadPackages << reads;
    }
}
