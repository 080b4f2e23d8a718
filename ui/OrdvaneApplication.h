#pragma once
#include <QApplication>
#include <exception>

// The application object, and the one place where errors that end an operation are shown:
// no exception crosses the event loop unguarded.
class OrdvaneApplication : public QApplication {
public:
    OrdvaneApplication(int &argc, char **argv);
    // Name, version and desktop entry, also for a start that prints and ends.
    static void identify();
    bool notify(QObject *receiver, QEvent *event) override;

    // Shows the error of the operation that just ended in the top-level error box.
    static void showError(std::exception_ptr error);

    // Tells key presses apart: a number for the key press on its way to its receivers. An
    // unhandled key travels on to the parents of the focused control as the same event,
    // and a window that previews keys must act on it once.
    static quint64 currentKeyPress() { return keyPressInDelivery; }

private:
    static quint64 keyPressInDelivery;
    static quint64 keyPressesDelivered;
};
