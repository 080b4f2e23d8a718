#pragma once
#include <QString>
#include <ctime>

// The activity log "ordvnact.log" in the program directory: UTF-16LE lines, each
// "[" + local date and time + "]: " + text + CR LF; the byte-order mark FF FE is written by
// the append that creates the file. Nothing happens while logging is switched off.
// A failure throws IoError with the system's reason; it is never swallowed.
void AppendLog(const QString &text);

QString ActivityLogPath();
// The line as AppendLog writes it, for the given local time.
QString LogLine(const QString &text, const std::tm &local);
