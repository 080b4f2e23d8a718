#pragma once
#include <QHash>
#include <QString>

// The target text file of a source: its extension replaced by ".txt", then either beside the
// source or the file name put straight after targetdir (which ends in "/" by convention).
// Purely textual: nothing is tested or created.
QString TargetFileName(const QString &source, bool samedir, const QString &targetdir);

// The rule as the job list and a run apply it, with the folders it names.
struct TargetRule {
    bool sameFolder = false;
    QString targetFolder; // ends in "/"; used when sameFolder is false
    // The folder below targetFolder that a source's text goes to (ending in "/"), by the
    // source's path key; straight into targetFolder for a source not named here.
    QHash<QString, QString> subfolders;

    QString targetOf(const QString &source) const;
};
