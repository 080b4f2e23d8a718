#include "batch/BatchDisplay.h"

#include "batch/Batch.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <unistd.h>

volatile std::sig_atomic_t interruptedBy = 0;

void printLine(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

QString pageList(const QList<int> &pages)
{
    QStringList numbers;
    for (const int page : pages)
        numbers << QString::number(page);
    return numbers.join(QStringLiteral(", "));
}

BatchDisplay::BatchDisplay(const JobList &list, bool json, Totals &totals)
    : list(list), json(json), progressBar(isatty(STDERR_FILENO) == 1), totals(totals)
{
}

void BatchDisplay::waiting(const ConversionEngine::Progress &progress)
{
    latest = progress;
    showProgress();
}

void BatchDisplay::runFinished()
{
    clearProgress();
}

void BatchDisplay::entrySkipped(int row, const QString &why)
{
    if (json) {
        QString message = why;
        message[0] = message[0].toUpper();
        printJson(row, QStringLiteral("Skipped"), message, ConversionRun::EntryReport());
    }
    std::fflush(stdout);
}

void BatchDisplay::entryDone(int row, const ConversionRun::EntryReport &report)
{
    const JobList::Entry &entry = list.entry(row);
    const bool converted = entry.state == JobList::Converted;
    totals.pages += std::max<qint64>(report.pages, 0);
    if (json) {
        ConversionRun::EntryReport told = report;
        if (!converted)
            told.bytes = -1; // no text was kept
        printJson(row, converted ? QStringLiteral("Converted") : QStringLiteral("Failed"), entry.outcome.english(), told);
    } else if (!converted) {
        clearProgress();
        printLine(stdout, Batch::tr("Failed: %1 (%2)").arg(entry.outcome.shownText(), entry.source));
    }
    // Text missing from a converted file is told whatever else is asked: with --json, and
    // without a log.
    totals.unreadPages += int(report.unreadPages.size() + report.unfinishedPages.size() + report.lostTextPages.size());
    const std::pair<const char *, const QList<int> *> missing[] = {
        {QT_TRANSLATE_N_NOOP("Batch", "recognition did not finish in time, text is missing: page(s) %1 of %2"), &report.unfinishedPages},
        {QT_TRANSLATE_N_NOOP("Batch", "text in fonts that could not be read is missing: page(s) %1 of %2"), &report.lostTextPages}};
    for (const auto &[text, pages] : missing) {
        if (pages->isEmpty())
            continue;
        clearProgress();
        printLine(stderr, QStringLiteral("ordvane-batch: ") + Batch::tr(text, nullptr, int(pages->size())).arg(pageList(*pages), entry.source));
    }
    std::fflush(stdout);
}

void BatchDisplay::printJson(int row, const QString &state, const QString &message, const ConversionRun::EntryReport &report)
{
    const JobList::Entry &entry = list.entry(row);
    QJsonObject line;
    line[QStringLiteral("source")] = entry.source;
    line[QStringLiteral("target")] = entry.target;
    line[QStringLiteral("state")] = state;
    line[QStringLiteral("result")] = report.converted ? QJsonValue(report.result) : QJsonValue();
    line[QStringLiteral("message")] = message;
    line[QStringLiteral("pages")] = report.pages >= 0 ? QJsonValue(report.pages) : QJsonValue();
    line[QStringLiteral("bytes")] = report.bytes >= 0 ? QJsonValue(report.bytes) : QJsonValue();
    line[QStringLiteral("seconds")] = qRound(report.seconds * 1000) / 1000.0;
    // Pages whose text is missing: no recognition data read them, their reading did not
    // finish in time, or they show text in fonts that could not be made.
    for (const auto &[name, pages] : {std::pair{"unreadPages", &report.unreadPages}, std::pair{"unfinishedPages", &report.unfinishedPages},
                                      std::pair{"lostTextPages", &report.lostTextPages}}) {
        QJsonArray numbers;
        for (const int page : *pages)
            numbers << page;
        if (!numbers.isEmpty())
            line[QLatin1String(name)] = numbers;
    }
    clearProgress();
    printLine(stdout, QString::fromUtf8(QJsonDocument(line).toJson(QJsonDocument::Compact)));
}

void BatchDisplay::clearProgress()
{
    if (progressBar && shown)
        std::fputs("\r\033[K", stderr);
    shown = false;
}

void BatchDisplay::showProgress()
{
    if (!progressBar || (lastShown.isValid() && lastShown.elapsed() < 200) || latest.pagesExpected <= 0)
        return;
    lastShown.start();
    const double done = std::min(1.0, double(latest.pagesDone) / double(latest.pagesExpected));
    const double seconds = totals.clock.elapsed() / 1000.0;
    const int filled = int(done * 30);
    QString line = QStringLiteral("\r[%1%2] %3% ")
                       .arg(QString(filled, u'#'), QString(30 - filled, u'.'))
                       .arg(int(done * 100), 3)
                   + Batch::tr("%1 pages/s").arg(seconds > 0 ? qRound(latest.pagesDone / seconds) : 0);
    if (seconds > 3 && done > 0.02) {
        const qint64 left = qint64(seconds * (1 - done) / done);
        line += Batch::tr(", %1:%2 left").arg(left / 60).arg(left % 60, 2, 10, QLatin1Char('0'));
    }
    std::fputs(qPrintable(line + QStringLiteral("\033[K")), stderr);
    shown = true;
}
