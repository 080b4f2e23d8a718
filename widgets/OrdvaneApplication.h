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
};
