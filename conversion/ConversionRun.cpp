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
#include <utility>

ConversionRun::PromptAnswer ConversionRun::Display::askTargetExists(const QString &)
{
    return PromptAnswer::Cancel;
}

ConversionRun::ConversionRun(JobList &list, Display &display, int threads, ConversionEngine::Converter *converter)
    : list(list), display(display), threads(threads), converter(converter)
{
}

QString ConversionRun::numberedName(const QString &target, const std::function<bool(const QString &)> &taken)
{
    const qsizetype dot = FileSystem::extensionPosition(target);
    const QString base = dot < 0 ? target : target.left(dot);
    const QString extension = dot < 0 ? QString() : target.mid(dot);
    for (int n = 1;; ++n) {
        const QString candidate = base + u'(' + QString::number(n) + u')' + extension;
        // A folder or a link takes a name too.
        if (FileSystem::entryAt(candidate) == FileSystem::Entry::None && !(taken && taken(candidate)))
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
    optionsText = TextRecords::optionsText(options.order, options.pageBreaks, engineOptions.codePage, options.recognition,
                                           options.recognitionLanguages);
    records = TextRecords();
    claimedNames.clear();
    planned.clear();
    plannedKeys.assign(size_t(total), QString());
    foreseen.assign(size_t(total), std::nullopt);
    for (int row = 0; row < total; ++row) {
        if (wanted(row)) {
            plannedKeys[size_t(row)] = FileSystem::pathKey(targetOf(list.text(row, JobList::Source)));
            ++planned[plannedKeys[size_t(row)]];
        }
    }
    Successful = Failed = Skipped = LeftWaiting = WithoutText = UnreadPages = UnfinishedPages = 0;
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
            if (display.cancelRequested() || convertEntry(row) == Outcome::Stopped) {
                for (; row < total; ++row)
                    LeftWaiting += wanted(row) ? 1 : 0;
                break;
            }
        }
        engine.reset();
        display.processEvents();
    }
    if (UnreadPages > 0)
        AppendLog(unreadNote());
    if (UnfinishedPages > 0)
        AppendLog(unfinishedNote());
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

QString ConversionRun::unfinishedNote(Language language) const
{
    if (UnfinishedPages == 0)
        return {};
    static const char *const text = QT_TRANSLATE_N_NOOP("ConversionRun", "%n page(s) not fully recognised in time; the log names them.");
    if (language == Language::User)
        return QCoreApplication::translate("ConversionRun", text, nullptr, UnfinishedPages);
    return QString::fromLatin1(text).replace(QStringLiteral("%n"), QString::number(UnfinishedPages));
}

QString ConversionRun::summary(Language language) const
{
    // Entries the policy left alone are counted where there are any, so that Total is what
    // the run settled.
    static const char *const text = QT_TRANSLATE_NOOP("ConversionRun", "Conversion end. Successful: %1, Failed: %2, Total: %3");
    static const char *const withSkipped =
        QT_TRANSLATE_NOOP("ConversionRun", "Conversion end. Successful: %1, Skipped: %2, Failed: %3, Total: %4");
    // The log reads the same on every system; the user is told in the user's language.
    const auto form = [language](const char *english) {
        return language == Language::User ? QCoreApplication::translate("ConversionRun", english) : QString::fromLatin1(english);
    };
    if (Skipped == 0)
        return form(text).arg(Successful).arg(Failed).arg(Successful + Failed);
    return form(withSkipped).arg(Successful).arg(Skipped).arg(Failed).arg(Successful + Skipped + Failed);
}

QString ConversionRun::outcomeNote() const
{
    QStringList counts{QCoreApplication::translate("ConversionRun", "%n converted", nullptr, Successful)};
    if (Skipped > 0)
        counts << QCoreApplication::translate("ConversionRun", "%n skipped", nullptr, Skipped);
    counts << QCoreApplication::translate("ConversionRun", "%n failed", nullptr, Failed);
    if (LeftWaiting > 0)
        counts << QCoreApplication::translate("ConversionRun", "%n left waiting (run stopped)", nullptr, LeftWaiting);
    //: Joins the counts of a run: "3 converted, 1 failed".
    const QString separator = QCoreApplication::translate("ConversionRun", ", ");
    return QCoreApplication::translate("ConversionRun", "Conversion ended: %1.").arg(counts.join(separator));
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
    return TargetFileName(source, options.sameFolder, options.targetFolder + options.subfolders.value(FileSystem::pathKey(source)));
}

bool ConversionRun::claimed(const QString &name) const
{
    return claimedNames.contains(FileSystem::pathKey(name));
}

// A new name is not one that the target rule gives an entry still to come either.
QString ConversionRun::nextFreeName(const QString &target) const
{
    return numberedName(target, [this](const QString &name) {
        const QString key = FileSystem::pathKey(name);
        return claimedNames.contains(key) || planned.value(key) > 0;
    });
}

void ConversionRun::renamed(const QString &target, bool inRun)
{
    AppendLog(inRun ? QStringLiteral("Renamed: another file of this run has the same target file name (") + target + u')'
                    : QStringLiteral("Renamed: the target file is the text of another file (") + target + u')');
}

ConversionRun::Finding ConversionRun::judged(const QString &text, const TextOrigin &origin)
{
    if (options.existing == ExistingTarget::Skip)
        return {Finding::LeaveAlone, text, QStringLiteral("target file exists")};
    if (origin.options == optionsText && records.sourceUnchanged(origin))
        return {Finding::LeaveAlone, text, QStringLiteral("target file is up to date")};
    return {Finding::Replace, text, {}};
}

ConversionRun::Finding ConversionRun::findText(const QString &source, const QString &target)
{
    const auto named = [&](const std::optional<TextOrigin> &origin) { return origin && FileSystem::samePath(origin->source, source); };
    const std::optional<TextOrigin> atTarget = records.originOf(target);
    if (!claimed(target) && named(atTarget))
        return judged(target, *atTarget);
    // Its own text may have a numbered name, another's having had this one.
    for (const QString &text : records.numberedTextsOf(source, target)) {
        if (const std::optional<TextOrigin> origin = records.originOf(text); !claimed(text) && named(origin))
            return judged(text, *origin);
    }
    if (claimed(target))
        return {Finding::Another, target, {}, true};
    if (FileSystem::entryAt(target) != FileSystem::Entry::Other)
        return {Finding::Free, target, {}};
    if (atTarget)
        return {Finding::Another, target, {}};
    // A text without a record, made by an older version or by hand, is judged by times: only
    // one at least as new as its PDF is taken for up to date; one that is not a file of its
    // own (a link, say) is converted again and replaced. (The texts of this version and of
    // other runs going on have their records before they are put in place.)
    if (options.existing == ExistingTarget::Skip)
        return {Finding::LeaveAlone, target, QStringLiteral("target file exists")};
    const qint64 text = FileSystem::fileModified(target, false), pdf = FileSystem::fileModified(source, true);
    if (text >= 0 && pdf >= 0 && text >= pdf)
        return {Finding::LeaveAlone, target, QStringLiteral("target file is up to date")};
    return {Finding::Replace, target, {}};
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
        if (placeable(target) && !leftAloneAhead(row, source, target))
            submitted[row] = {source, engine->submit(source, FileSystem::folderOf(target))};
    }
}

// Names are given out as the entries come: what the records say now tells which entries the
// policy will leave alone.
bool ConversionRun::leftAloneAhead(int row, const QString &source, const QString &target)
{
    if (!byRecords())
        return false;
    foreseen[size_t(row)] = findText(source, target);
    return foreseen[size_t(row)]->kind == Finding::LeaveAlone;
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
    if (const QString plan = std::exchange(plannedKeys[size_t(row)], QString()); !plan.isEmpty() && --planned[plan] == 0)
        planned.remove(plan);
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
    EntryReport report{true, conversion->result, -1, conversion->pages, conversion->seconds, {}, {}};
    for (const ConversionEngine::UnreadPage &unread : conversion->unread)
        (unread.reason == MyPdfCvt::UnreadReason::NoLanguage ? report.unreadPages : report.unfinishedPages) << unread.page;
    if (conversion->result < 0) {
        fail(row, failureOfResult(conversion->result), source, report);
        display.processEvents();
        return Outcome::Done;
    }
    report.bytes = conversion->text->size();
    report.result = int(std::min<qint64>(report.bytes, INT_MAX));
    // A new name that another program took meanwhile passes to the next free number of the
    // target rule's name; a name the policy made free (Overwrite, and the prompt's Overwrite)
    // is replaced whatever holds it now.
    const QString unnumbered = targetOf(source);
    // The record goes with the text before it is in place: no run ever sees it without.
    const TextOrigin origin{source, conversion->source, optionsText};
    const QString chosen = target;
    records.attach(conversion->text->temporaryPath(), target, origin);
    const bool renamable = !replace && (options.existing == ExistingTarget::AutoRename || byRecords() || target != unnumbered);
    const Failure failure = renamable
        ? conversion->text->commit(target, replace, [&](const QString &) { return nextFreeName(unnumbered); })
        : conversion->text->commit(target, replace);
    claim(target);
    if (target != list.text(row, JobList::Target))
        list.setText(row, JobList::Target, target);
    if (failure != Failure::None) {
        const bool created = failure == Failure::TargetWrite;
        fail(row, failure, created ? source : target, report);
    } else {
        if (target != chosen) // the name was taken meanwhile
            records.attach(target, target, origin);
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
    const QString unnumbered = target;
    if (byRecords()) {
        // What was found of the entry's own text as the run started holds, unless another
        // entry took that name since.
        std::optional<Finding> ahead = std::exchange(foreseen[size_t(row)], std::nullopt);
        if (ahead && ((ahead->kind != Finding::LeaveAlone && ahead->kind != Finding::Replace) || claimed(ahead->text)))
            ahead.reset();
        const Finding found = ahead ? *ahead : findText(list.text(row, JobList::Source), target);
        switch (found.kind) {
        case Finding::LeaveAlone: claim(found.text); return leaveAlone(row, found.text, found.why);
        case Finding::Replace: replace = true; target = found.text; break;
        case Finding::Another: target = nextFreeName(unnumbered); renamed(target, found.inRun); break;
        case Finding::Free: break;
        }
        claim(target);
        return std::nullopt;
    }
    // The policies below are for texts that were there before the run.
    if (claimed(target)) {
        target = nextFreeName(unnumbered);
        renamed(target, true);
    }
    if (FileSystem::entryAt(target) != FileSystem::Entry::Other) {
        claim(target);
        return std::nullopt;
    }
    PromptAnswer answer = PromptAnswer::Cancel;
    switch (options.existing) {
    case ExistingTarget::AutoRename: answer = PromptAnswer::AutoRename; break;
    case ExistingTarget::Overwrite: answer = PromptAnswer::Overwrite; break;
    case ExistingTarget::Prompt: answer = display.askTargetExists(target); break;
    case ExistingTarget::Cancel:
    case ExistingTarget::Skip:
    case ExistingTarget::Update: break;
    }
    switch (answer) {
    case PromptAnswer::StopConvert: return Outcome::Stopped;
    case PromptAnswer::Cancel: return settle(Failure::TargetExistsCanceled, list.text(row, JobList::Target));
    case PromptAnswer::AutoRename: target = nextFreeName(unnumbered); break;
    case PromptAnswer::Overwrite: replace = true; break;
    }
    claim(target);
    return std::nullopt;
}

ConversionRun::Outcome ConversionRun::leaveAlone(int row, const QString &text, const QString &why)
{
    abandon(row);
    ++Skipped;
    AppendLog(QStringLiteral("Skipped: ") + why + QStringLiteral(" (") + text + u')');
    list.setText(row, JobList::Target, text);
    if (options.existing == ExistingTarget::Update) {
        // The entry's text is there and current: the list says so, as of a conversion.
        list.setState(row, JobList::Converted);
        list.setMessage(row, QStringLiteral(QT_TRANSLATE_NOOP("ConversionRun", "Target file is up to date")));
    }
    display.entrySkipped(row, why);
    display.stepProgress();
    return Outcome::Done;
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
        if (unread.reason != MyPdfCvt::UnreadReason::NoLanguage) {
            AppendLog((unread.reason == MyPdfCvt::UnreadReason::OutOfTime
                           ? QStringLiteral("Page %1 not recognised: its reading did not end in time (%2)")
                           : QStringLiteral("Page %1 not fully recognised: its reading was cut short in time, part of its text is missing (%2)"))
                          .arg(unread.page)
                          .arg(source));
            ++UnfinishedPages;
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
