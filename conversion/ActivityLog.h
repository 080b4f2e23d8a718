#pragma once
#include <QString>
#include <ctime>
#include <functional>

// The activity log "ordvnact.log" in the program directory: UTF-16LE lines, each
// "[" + local date and time + "]: " + text + CR LF; the byte-order mark FF FE is written by
// the append that creates the file. Nothing happens while logging is switched off.
// A failure throws IoError with the system's reason; it is never swallowed.
void AppendLog(const QString &text);
class IoError;
// A program that must go on without its log (ordvane-batch) hands the failures here instead:
// the line is lost, the caller goes on. None by default.
void SetLogFailureHandler(const std::function<void(const IoError &)> &handler);

QString ActivityLogPath();

// The log as text for the viewer: by its byte-order mark UTF-16LE, UTF-16BE or UTF-8, without
// a mark 8-bit text in the system code page; line breaks as CR LF. A missing file gives an
// empty text; one that exists but cannot be read throws IoError.
QString ReadLogText(const QString &path);
// The viewer's export of the text it shows: UTF-16LE with the mark FF FE, each line ended by
// CR LF. Throws IoError.
void WriteLogExport(const QString &path, const QString &text);
// The line as AppendLog writes it, for the given local time. A text beyond MaxLogTextUnits
// (no message of the program's is near it, but a peer may hand over anything) is cut there
// and ends in "...".
constexpr qsizetype MaxLogTextUnits = 16384;
QString LogLine(const QString &text, const std::tm &local);
