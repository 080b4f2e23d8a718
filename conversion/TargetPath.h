#pragma once
#include <QString>

// The target text file of a source: its extension replaced by ".txt", then either beside the
// source or the file name put straight after targetdir (which ends in "/" by convention).
// Purely textual: nothing is tested or created.
QString TargetFileName(const QString &source, bool samedir, const QString &targetdir);
