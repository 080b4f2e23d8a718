#pragma once
// Files from a later start, the command line, or a folder dropped during a run: they wait
// while something must not be disturbed (a search filling the list, a dialog), and are then
// added as a drop of them would add them, from the event loop.
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>

class HandOverQueue : public QObject {
    Q_OBJECT

public:
    enum class Moment { Now, Later, Never }; // Never: the window is closing, they stay queued
    HandOverQueue(std::function<Moment()> moment, std::function<void(const QStringList &files)> add, QObject *parent);

    // Queues the files; they are added once the moment allows, from the event loop.
    void queue(const QStringList &files);
    // Queues files that cannot be added yet for a reason of their own: tried again in a while.
    void queueForLater(const QStringList &files);
    // Tries again soon, when what kept them waiting may be over.
    void retry();
    qsizetype size() const { return pending.size(); }
    // The files, not the folders (a folder alone would open Add Dir: it waits for the user):
    // what must be in the list before it is saved, whatever kept them waiting.
    QStringList takeFiles();

private:
    void addWhenAllowed();

    std::function<Moment()> moment;
    std::function<void(const QStringList &)> add;
    QStringList pending;
    QTimer again;
};
