#pragma once
// The program's entry on the task bar or dock: a run's progress and the files it has left,
// sent as the launcher-entry signal that docks and task managers read for a desktop entry.
// Without a session bus nothing is sent; nobody listening costs nothing.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class TaskbarEntry : public QObject {
    Q_OBJECT

public:
    // At most one update in this many milliseconds; the last one always goes out.
    static constexpr int MinimumGapMs = 250;

    explicit TaskbarEntry(const QString &desktopId, QObject *parent = nullptr);

    // progress from 0 to 1.
    void show(double progress, int filesLeft);
    // Takes the progress and the count off the entry.
    void clear();

private:
    void send(bool visible);

    QString appUri;
    QString objectPath;
    double progress = 0;
    int filesLeft = 0;
    QElapsedTimer lastSent;
    QTimer pending;
};
