#pragma once
// SIGTERM, SIGINT and SIGHUP (logout, shutdown, Ctrl+C, a closed terminal) become a Qt
// signal on the event loop, so the program ends the way File > Exit ends it. A second one
// of the same kind ends the program at once, as if none had been handled.
#include <QObject>

class QSocketNotifier;

class EndRequests : public QObject {
    Q_OBJECT

public:
    explicit EndRequests(QObject *parent = nullptr);
    ~EndRequests() override;

signals:
    void endRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier *notifier = nullptr;
};
