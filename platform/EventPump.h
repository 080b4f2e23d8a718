#pragma once
// Lets pending window events through from inside a long loop, at most about sixty times a
// second: often enough that the window repaints and its Cancel buttons work, seldom enough
// that a loop over many thousand items does not spend its time repainting.
#include <QCoreApplication>
#include <QElapsedTimer>

class EventPump {
public:
    EventPump() { sinceLast.start(); }

    void operator()()
    {
        if (sinceLast.elapsed() >= IntervalMs) {
            QCoreApplication::processEvents();
            sinceLast.restart();
            ++rounds;
        }
    }

    int roundsRun() const { return rounds; }

private:
    static constexpr int IntervalMs = 16;
    QElapsedTimer sinceLast;
    int rounds = 0;
};
