#include "conversion/ConversionRun.h"

#include "base/RecognitionLanguages.h"
#include "conversion/ActivityLog.h"
#include "conversion/MyPdfCvt.h"
#include "conversion/TargetPath.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/IoError.h"
#include "settings/RecognitionChoice.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QPointer>
#include <QScopeGuard>
#include <climits>
#include <memory>
#include <sys/eventfd.h>
#include <unistd.h>
#include <utility>

void ConversionRun::Display::askTargetExists(const QString &, const std::function<void(PromptAnswer)> &answer)
{
    answer(PromptAnswer::Cancel);
}

ConversionRun::ConversionRun(JobList &list, Display &display, ActivityLog &log, int threads, ConversionEngine::Converter *converter)
    : list(list), display(display), log(log), threads(threads), converter(converter)
{
    ticks.setInterval(50);
    // The engine's news come through a counter the kernel keeps: the threads touch nothing of
    // the event loop's, and what they did is seen when the count is read.
    newsFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (newsFd < 0)
        throw IoError(errno, QStringLiteral("eventfd"));
    news = std::make_unique<QSocketNotifier>(newsFd, QSocketNotifier::Read);
    connect(news.get(), &QSocketNotifier::activated, this, [this] {
        quint64 count = 0;
        (void)!read(newsFd, &count, sizeof count);
        goOn();
    });
    connect(&ticks, &QTimer::timeout, this, [this] {
        if (engine)
            this->display.waiting(engine->progress());
        goOn();
    });
}

// Whatever is under way is abandoned with the run: its helpers end, nothing is written. The
// engine goes first, so that none of its threads tells a run that is going.
ConversionRun::~ConversionRun()
{
    engine.reset();
    news.reset();
    if (newsFd >= 0)
        close(newsFd);
}

bool ConversionRun::start(int runMode, const RunOptions &runOptions)
{
    total = list.count();
    if (total == 0 || running())
        return false;
    error = nullptr;
    mode = runMode;
    options = runOptions;
    ConversionEngine::Options engineOptions;
    engineOptions.codePage = options.codePage != 0 ? options.codePage : CodePage::localeAnsiCodePage();
    engineOptions.textOrder = int(options.order);
    engineOptions.pageBreak = options.pageBreaks;
    engineOptions.recognition = options.recognition;
    settingsProblem.reset();
    if (!CodePage::hasConverter(engineOptions.codePage)) {
        static const char *const text = QT_TRANSLATE_NOOP("ConversionRun", "Code page %1 is not supported on this system");
        settingsProblem = JobList::Outcome::other(QString::fromLatin1(text).arg(engineOptions.codePage),
                                                  QCoreApplication::translate("ConversionRun", text).arg(engineOptions.codePage));
    } else if (options.recognition) {
        if (const QString problem = RecognitionLanguagesProblem(options.recognitionLanguages, true, false); !problem.isEmpty())
            settingsProblem = JobList::Outcome::other(problem.section(u'\n', 0, 0),
                                                      RecognitionLanguagesProblem(options.recognitionLanguages).section(u'\n', 0, 0));
    }
    MyPdfCvt::SetRecognition(options.recognition, options.recognitionLanguages);
    names.begin(options.existing, TextRecords::optionsText(options.order, options.pageBreaks, engineOptions.codePage, options.recognition,
                                                           options.recognitionLanguages));
    plannedTargets.assign(size_t(total), QString());
    foreseen.assign(size_t(total), std::nullopt);
    for (int row = 0; row < total; ++row) {
        if (wanted(row)) {
            plannedTargets[size_t(row)] = targetOf(list.entry(row).source);
            names.plan(plannedTargets[size_t(row)]);
        }
    }
    Successful = Failed = Skipped = LeftWaiting = WithoutText = UnreadPages = UnfinishedPages = LostTextPages = 0;
    UnreadPackages.clear();
    nextRow = 0;
    inHand = {};
    prompting = false;
    log.AppendLog(QStringLiteral("Conversion start..."));
    display.runStarted(total);
    engine = std::make_unique<ConversionEngine>(engineOptions, threads, converter);
    // The engine's threads tell the run, in the event loop, when a file is done.
    engine->setFinishedNews([fd = newsFd] {
        const quint64 one = 1;
        (void)!write(fd, &one, sizeof one);
    });
    submitted.clear();
    submitAhead();
    goOn();
    return true;
}

// Handles the entries until one waits for its conversion or for the prompt, or the run ends.
void ConversionRun::goOn(std::optional<PromptAnswer> answer)
{
    if (!running() || prompting)
        return;
    try {
        for (;;) {
            Step step;
            if (answer) {
                step = answered(*std::exchange(answer, std::nullopt));
            } else if (inHand.row >= 0) {
                step = convertInHand();
            } else if (nextRow < total && !display.cancelRequested()) {
                step = handleEntry(nextRow++);
            } else {
                stopAt(nextRow);
                return end();
            }
            if (step == Step::Waits)
                return;
            if (step == Step::Stopped) {
                stopAt(nextRow - 1);
                return end();
            }
        }
    } catch (...) {
        // A log line that cannot be written ends the run where it is: what is under way goes,
        // the progress display closes, and the error reaches the user.
        error = std::current_exception();
        ticks.stop();
        engine.reset();
        submitted.clear();
        inHand = {};
        display.runFinished();
        emit finished();
    }
}

// The entries the run would still have handled stay as they were.
void ConversionRun::stopAt(int row)
{
    for (; row < total; ++row)
        LeftWaiting += wanted(row) ? 1 : 0;
}

void ConversionRun::end()
{
    ticks.stop();
    engine.reset();
    submitted.clear();
    inHand = {};
    display.runFinished();
    const auto told = qScopeGuard([this] { emit finished(); });
    if (UnreadPages > 0)
        log.AppendLog(unreadNote());
    if (UnfinishedPages > 0)
        log.AppendLog(unfinishedNote());
    if (LostTextPages > 0)
        log.AppendLog(lostTextNote());
    log.AppendLog(summary() + QStringLiteral("\r\n"));
}

namespace {

// A note on count pages: in the user's language, or in the log's English with the count.
QString pagesNote(const char *text, int count, ConversionRun::Language language)
{
    if (count == 0)
        return {};
    if (language == ConversionRun::Language::User)
        return QCoreApplication::translate("ConversionRun", text, nullptr, count);
    return QString::fromLatin1(text).replace(QStringLiteral("%n"), QString::number(count));
}

}

QString ConversionRun::unreadNote(Language language) const
{
    static const char *const text = QT_TRANSLATE_N_NOOP("ConversionRun", "%n page(s) left unread for want of recognition data; %1 would read them.");
    const QString note = pagesNote(text, UnreadPages, language);
    return note.isEmpty() ? note : note.arg(UnreadPackages.join(QStringLiteral(", ")));
}

QString ConversionRun::unfinishedNote(Language language) const
{
    return pagesNote(QT_TRANSLATE_N_NOOP("ConversionRun", "%n page(s) not fully recognised in time; the log names them."), UnfinishedPages,
                     language);
}

QString ConversionRun::lostTextNote(Language language) const
{
    return pagesNote(QT_TRANSLATE_N_NOOP("ConversionRun", "%n page(s) show text in fonts that could not be read; that text is missing, "
                                                          "and the log names the pages."),
                     LostTextPages, language);
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

QString ConversionRun::countsText(int converted, int skipped, int failed, int leftWaiting)
{
    QStringList counts{QCoreApplication::translate("ConversionRun", "%n converted", nullptr, converted)};
    if (skipped > 0)
        counts << QCoreApplication::translate("ConversionRun", "%n skipped", nullptr, skipped);
    counts << QCoreApplication::translate("ConversionRun", "%n failed", nullptr, failed);
    if (leftWaiting > 0)
        counts << QCoreApplication::translate("ConversionRun", "%n left waiting (run stopped)", nullptr, leftWaiting);
    //: Joins the counts of a run: "3 converted, 1 failed".
    return counts.join(QCoreApplication::translate("ConversionRun", ", "));
}

QString ConversionRun::outcomeNote() const
{
    return QCoreApplication::translate("ConversionRun", "Conversion ended: %1.").arg(countsText(Successful, Skipped, Failed, LeftWaiting));
}

void ConversionRun::fail(int row, const JobList::Outcome &outcome, const QString &path)
{
    fail(row, outcome, path, EntryReport());
}

void ConversionRun::fail(int row, const JobList::Outcome &outcome, const QString &path, const EntryReport &report)
{
    list.setState(row, JobList::Failed);
    list.setOutcome(row, outcome);
    ++Failed;
    log.AppendLog(QStringLiteral("Failed: ") + outcome.english() + QStringLiteral(" (") + path + u')');
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
    return options.target.targetOf(source);
}

void ConversionRun::renamed(const QString &target, bool inRun)
{
    log.AppendLog(inRun ? QStringLiteral("Renamed: another file of this run has the same target file name (") + target + u')'
                        : QStringLiteral("Renamed: the target file is the text of another file (") + target + u')');
}

bool ConversionRun::convertible(int row) const
{
    return list.entry(row).type == PdfType;
}

// Every entry the run will convert goes to the engine at once: it converts them in list
// order on every processor, as far ahead as the text waiting for its entry allows. Names are
// given out as the entries come: what the records say now tells which entries the policy will
// leave alone.
void ConversionRun::submitAhead()
{
    if (settingsProblem)
        return;
    for (int row = 0; row < total; ++row) {
        if (!wanted(row) || !convertible(row))
            continue;
        const QString source = list.entry(row).source;
        const QString target = targetOf(source);
        if (!placeable(target))
            continue;
        if (byRecords()) {
            foreseen[size_t(row)] = names.find(source, target);
            if (foreseen[size_t(row)]->kind == TargetNames::Finding::LeaveAlone)
                continue;
        }
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

ConversionRun::Step ConversionRun::handleEntry(int row)
{
    const QString source = list.entry(row).source;
    display.showFile(source);
    if (const QString plan = std::exchange(plannedTargets[size_t(row)], QString()); !plan.isEmpty())
        names.unplan(plan);
    if (!wanted(row)) {
        abandon(row);
        if (list.entry(row).state != JobList::Waiting)
            display.stepProgress();
        return Step::Next;
    }
    inHand = {row, source, targetOf(source), list.entry(row).target, false, std::nullopt};
    return placeTarget();
}

// The target as the policy for an existing one makes it (a link of that name, even one that
// leads nowhere, is an existing target: it is never written through); then the conversion.
ConversionRun::Step ConversionRun::placeTarget()
{
    const int row = inHand.row;
    const QString unnumbered = inHand.target;
    if (!placeable(unnumbered)) {
        abandon(row);
        fail(row, JobList::Outcome::failed(Failure::TargetCreate), unnumbered);
        display.stepProgress();
        inHand = {};
        return Step::Next;
    }
    if (byRecords()) {
        // What was found of the entry's own text as the run started holds, unless another
        // entry took that name since.
        std::optional<TargetNames::Finding> ahead = std::exchange(foreseen[size_t(row)], std::nullopt);
        if (ahead && ((ahead->kind != TargetNames::Finding::LeaveAlone && ahead->kind != TargetNames::Finding::Replace) || names.claimed(ahead->text)))
            ahead.reset();
        const TargetNames::Finding found = ahead ? *ahead : names.find(inHand.source, unnumbered);
        switch (found.kind) {
        case TargetNames::Finding::LeaveAlone: names.claim(found.text); return leaveAlone(row, found.text, found.why);
        case TargetNames::Finding::Replace: inHand.replace = true; inHand.target = found.text; break;
        case TargetNames::Finding::Another: inHand.target = names.nextFree(unnumbered); renamed(inHand.target, found.inRun); break;
        case TargetNames::Finding::Free: break;
        }
        names.claim(inHand.target);
        return convertInHand();
    }
    // The policies below are for texts that were there before the run.
    if (names.claimed(inHand.target)) {
        inHand.target = names.nextFree(unnumbered);
        renamed(inHand.target, true);
    }
    if (FileSystem::entryAt(inHand.target) != FileSystem::Entry::Other) {
        names.claim(inHand.target);
        return convertInHand();
    }
    switch (options.existing) {
    case ExistingTarget::AutoRename: return answered(PromptAnswer::AutoRename);
    case ExistingTarget::Overwrite: return answered(PromptAnswer::Overwrite);
    case ExistingTarget::Cancel:
    case ExistingTarget::Skip:
    case ExistingTarget::Update: return answered(PromptAnswer::Cancel);
    case ExistingTarget::Prompt: break;
    }
    // An answer given at once goes on here; one given later goes on from the event loop.
    struct Asking {
        bool now = true;
        std::optional<PromptAnswer> answer;
    };
    const auto asking = std::make_shared<Asking>();
    prompting = true;
    display.askTargetExists(inHand.target, [this, run = QPointer<ConversionRun>(this), asking](PromptAnswer answer) {
        if (!run || !prompting)
            return;
        prompting = false;
        if (asking->now)
            asking->answer = answer;
        else
            goOn(answer);
    });
    asking->now = false;
    return asking->answer ? answered(*asking->answer) : Step::Waits;
}

ConversionRun::Step ConversionRun::answered(PromptAnswer answer)
{
    const int row = inHand.row;
    switch (answer) {
    case PromptAnswer::StopConvert:
        return Step::Stopped; // the entry stays as it was
    case PromptAnswer::Cancel:
        abandon(row);
        fail(row, JobList::Outcome::failed(Failure::TargetExistsCanceled), list.entry(row).target);
        display.stepProgress();
        inHand = {};
        return Step::Next;
    case PromptAnswer::AutoRename: inHand.target = names.nextFree(targetOf(inHand.source)); break;
    case PromptAnswer::Overwrite: inHand.replace = true; break;
    }
    names.claim(inHand.target);
    return convertInHand();
}

ConversionRun::Step ConversionRun::leaveAlone(int row, const QString &text, const QString &why)
{
    abandon(row);
    ++Skipped;
    log.AppendLog(QStringLiteral("Skipped: ") + why + QStringLiteral(" (") + text + u')');
    list.setTarget(row, text);
    if (options.existing == ExistingTarget::Update) {
        // The entry's text is there and current: the list says so, as of a conversion.
        list.setState(row, JobList::Converted);
        list.setOutcome(row, JobList::Outcome::upToDate());
    }
    display.entrySkipped(row, why);
    display.stepProgress();
    inHand = {};
    return Step::Next;
}

// The entry in hand once its target is placed: its conversion, started ahead or now, is
// waited for; once it is done, its text goes in place.
ConversionRun::Step ConversionRun::convertInHand()
{
    const int row = inHand.row;
    if (!inHand.job) {
        list.setTarget(row, inHand.target);
        display.stepProgress();
        if (!convertible(row) || settingsProblem) {
            abandon(row);
            fail(row, settingsProblem && convertible(row) ? *settingsProblem : JobList::Outcome::failed(Failure::TypeNotSupported),
                 inHand.source);
            inHand = {};
            return Step::Next;
        }
        const auto it = submitted.find(row);
        inHand.job = it != submitted.end() && it->second.source == inHand.source ? it->second.job
                                                                                  : engine->submit(inHand.source, FileSystem::folderOf(inHand.target));
        submitted.erase(row);
        engine->needNow(*inHand.job);
    }
    if (display.cancelRequested()) {
        // The entry stays as it was, with the target it had; its conversion is abandoned.
        engine->abandon(*inHand.job);
        list.setTarget(row, inHand.targetBefore);
        return Step::Stopped;
    }
    if (!engine->isFinished(*inHand.job)) {
        if (!ticks.isActive())
            ticks.start();
        return Step::Waits;
    }
    ticks.stop();
    return finishInHand();
}

ConversionRun::Step ConversionRun::finishInHand()
{
    const InHand entry = std::exchange(inHand, {});
    const int row = entry.row;
    ConversionEngine::Result conversion = engine->take(*entry.job);
    EntryReport report{true, conversion.result, -1, conversion.pages, conversion.seconds, {}, {}, {}};
    for (const ConversionEngine::UnreadPage &unread : conversion.unread)
        (unread.reason == MyPdfCvt::UnreadReason::NoLanguage ? report.unreadPages
         : unread.reason == MyPdfCvt::UnreadReason::NoFont   ? report.lostTextPages
                                                             : report.unfinishedPages) << unread.page;
    if (conversion.result < 0) {
        fail(row, JobList::Outcome::failed(failureOfResult(conversion.result)), entry.source, report);
        return Step::Next;
    }
    report.bytes = conversion.text->size();
    report.result = int(std::min<qint64>(report.bytes, INT_MAX));
    // A new name that another program took meanwhile passes to the next free number of the
    // target rule's name; a name the policy made free (Overwrite, and the prompt's Overwrite)
    // is replaced whatever holds it now. The record goes with the text before it is in place:
    // no run ever sees it without.
    const QString unnumbered = targetOf(entry.source);
    QString target = entry.target;
    const TextOrigin origin{entry.source, conversion.source, names.optionsText()};
    names.records().attach(conversion.text->temporaryPath(), target, origin);
    const bool renamable = !entry.replace && (options.existing == ExistingTarget::AutoRename || byRecords() || target != unnumbered);
    const Failure failure = renamable ? conversion.text->commit(target, entry.replace, [&](const QString &) { return names.nextFree(unnumbered); })
                                      : conversion.text->commit(target, entry.replace);
    names.claim(target);
    if (target != list.entry(row).target)
        list.setTarget(row, target);
    if (failure != Failure::None) {
        fail(row, JobList::Outcome::failed(failure), failure == Failure::TargetWrite ? entry.source : target, report);
        return Step::Next;
    }
    if (target != entry.target) // the name was taken meanwhile
        names.records().attach(target, target, origin);
    recordConverted(row, entry.source, conversion);
    display.entryDone(row, report);
    return Step::Next;
}

// A converted entry's state, message and log lines: pages without text, pages recognition
// left unread and why.
void ConversionRun::recordConverted(int row, const QString &source, const ConversionEngine::Result &conversion)
{
    list.setState(row, JobList::Converted);
    list.setOutcome(row, JobList::Outcome::converted());
    log.AppendLog(QStringLiteral("Convert successfully (") + source + u')');
    ++Successful;
    if (!conversion.hasText) {
        ++WithoutText;
        list.setWithoutText(row);
        log.AppendLog(QStringLiteral("Converted file gave no text (") + source + u')');
    }
    for (const ConversionEngine::UnreadPage &unread : conversion.unread) {
        if (unread.reason == MyPdfCvt::UnreadReason::NoFont) {
            log.AppendLog(QStringLiteral("Page %1 shows text in a font that could not be read; that text is missing (%2)").arg(unread.page).arg(source));
            ++LostTextPages;
            continue;
        }
        if (unread.reason != MyPdfCvt::UnreadReason::NoLanguage) {
            log.AppendLog((unread.reason == MyPdfCvt::UnreadReason::OutOfTime
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
        log.AppendLog(QStringLiteral("Page %1 not recognised: no recognition language reads its %2 script; %3 would (%4)")
                      .arg(unread.page)
                      .arg(unread.script.isEmpty() ? QStringLiteral("unknown") : unread.script, reads, source));
        ++UnreadPages;
        if (!UnreadPackages.contains(reads))
            UnreadPackages << reads;
    }
}
