#pragma once
#include "platform/IoError.h"

#include <QString>
#include <ctime>
#include <functional>

class IoError;

// An activity log: UTF-16LE lines, each "[" + local date and time + "]: " + text + CR LF; the
// byte-order mark FF FE is written by the append that creates the file. Nothing happens while
// it is switched off. A failure throws IoError with the system's reason, which ends the
// command under way, unless a failure handler takes it.
class ActivityLog {
public:
    // path: the log file, normally ActivityLogPath(); empty: a log that writes nothing.
    explicit ActivityLog(const QString &path = {}, bool enabled = true) : file(path), on(enabled) {}

    void AppendLog(const QString &text);

    bool enabled() const { return on; }
    void setEnabled(bool enabled) { on = enabled; }
    const QString &path() const { return file; }
    // A program that must go on without its log (ordvane-batch) hands the failures here:
    // the line is lost, the caller goes on.
    void setFailureHandler(const std::function<void(const IoError &)> &handler) { failureHandler = handler; }

private:
    void appendLine(const QString &text);
    int lockWait();

    QString file;
    bool on;
    std::function<void(const IoError &)> failureHandler;
    // Another process (any user who may read the log) can hold a lock on it for ever: the
    // waits for it are bounded, a second a line and three seconds a minute in all.
    qint64 minuteStarted = -1; // milliseconds, monotonic
    qint64 waitedMs = 0;
};

// "ordvnact.log" in the program's data folder.
QString ActivityLogPath();

// The log as text for the viewer: by its byte-order mark UTF-16LE, UTF-16BE or UTF-8, without
// a mark 8-bit text in the system code page; line breaks as CR LF. A missing file gives an
// empty text.
IoResult<QString> ReadLogText(const QString &path);
// The viewer's export of the text it shows: UTF-16LE with the mark FF FE, each line ended by
// CR LF.
IoResult<void> WriteLogExport(const QString &path, const QString &text);
// The line as AppendLog writes it, for the given local time. A text beyond MaxLogTextUnits
// (no message of the program's is near it, but a peer may hand over anything) is cut there
// and ends in "...".
constexpr qsizetype MaxLogTextUnits = 16384;
QString LogLine(const QString &text, const std::tm &local);
