#include "ui/OrdvaneApplication.h"

#include "platform/IoError.h"

#include "ui/Dialogs.h"

OrdvaneApplication::OrdvaneApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    identify();
}

void OrdvaneApplication::identify()
{
    setApplicationName(QStringLiteral("KV-Ordvane"));
    setApplicationVersion(QStringLiteral(ORDVANE_VERSION));
    // Docks and task bars match the window to its menu entry by this name.
    setDesktopFileName(QStringLiteral(ORDVANE_DESKTOP_ID));
}

quint64 OrdvaneApplication::keyPressInDelivery = 0;
quint64 OrdvaneApplication::keyPressesDelivered = 0;

bool OrdvaneApplication::notify(QObject *receiver, QEvent *event)
{
    // A command run by a key may deliver keys of its own (a dialog's); the outer one resumes.
    const quint64 outerKeyPress = keyPressInDelivery;
    if (event->type() == QEvent::KeyPress)
        keyPressInDelivery = ++keyPressesDelivered;
    bool result = false;
    try {
        result = QApplication::notify(receiver, event);
    } catch (...) {
        showError(std::current_exception());
    }
    keyPressInDelivery = outerKeyPress;
    return result;
}

void OrdvaneApplication::showError(std::exception_ptr error)
{
    QString text;
    try {
        std::rethrow_exception(error);
    } catch (const OrdvaneError &e) {
        text = e.message();
    } catch (const std::exception &e) {
        text = QString::fromLocal8Bit(e.what());
    } catch (...) {
        text = QStringLiteral("Unknown error");
    }
    Dialogs::error(activeWindow(), QStringLiteral("KV-Ordvane"), text);
}
