#pragma once
// The names a run gives the texts of its entries. No two entries of a run end in one text: a
// name given to an entry is not free for another, the first in list order takes the name the
// target rule gives it, and a new numbered name is none that the rule gives an entry still to
// come. Under Skip and Update the records of what made the texts there tell which text is an
// entry's own.
#include "conversion/RunOptions.h"
#include "conversion/TextRecords.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <functional>

class TargetNames {
public:
    // What the records say of a source's text: its own text, left alone or replaced; a new
    // numbered name, the name being another's; or the name of the target rule, free.
    struct Finding {
        enum Kind { Free, LeaveAlone, Replace, Another } kind = Free;
        QString text;
        QString why;        // LeaveAlone: in English
        bool inRun = false; // Another: a file of this run has the name
    };

    // A run's start: its policy and the options text its records name.
    void begin(ExistingTarget existing, const QString &optionsText);
    // The target rule's name of an entry still to come, and its turn.
    void plan(const QString &target) { ++planned[key(target)]; }
    void unplan(const QString &target);

    // Under Skip and Update, by the records.
    Finding find(const QString &source, const QString &target);
    bool claimed(const QString &name) const { return claimedNames.contains(key(name)); }
    void claim(const QString &name) { claimedNames.insert(key(name)); }
    QString nextFree(const QString &target) const;
    TextRecords &records() { return textRecords; }
    const QString &optionsText() const { return options; }

    // The first free name "base(N).ext" for an existing target; taken: names also not free.
    static QString numberedName(const QString &target, const std::function<bool(const QString &)> &taken = {});

private:
    static QString key(const QString &name);
    Finding judged(const QString &text, const TextOrigin &origin);

    ExistingTarget existing = ExistingTarget::AutoRename;
    QString options;
    TextRecords textRecords;
    QHash<QString, int> planned;
    QSet<QString> claimedNames;
};
