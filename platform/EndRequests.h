#pragma once
// SIGTERM, SIGINT and SIGHUP (logout, shutdown, Ctrl+C, a closed terminal) become a Qt
// signal on the event loop, so the program ends the way File > Exit ends it. A second one
// of the same kind ends the program at once, as if none had been handled, unless the
// program must always end its own way (a batch leaves no half-written file).
#include <QObject>

class QSocketNotifier;

class EndRequests : public QObject {
    Q_OBJECT

public:
    enum class Repeated { EndsAtOnce, Told };
    explicit EndRequests(Repeated repeated = Repeated::EndsAtOnce, QObject *parent = nullptr);
    ~EndRequests() override;

signals:
    void endRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier *notifier = nullptr;
};
