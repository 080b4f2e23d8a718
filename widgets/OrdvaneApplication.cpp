#include "widgets/OrdvaneApplication.h"

#include "base/Version.h"
#include "platform/IoError.h"
#include "widgets/Dialogs.h"

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

bool OrdvaneApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showError(std::current_exception());
    }
    return false;
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
        text = QCoreApplication::translate("OrdvaneApplication", "Unknown error");
    }
    Dialogs::error(activeWindow(), QStringLiteral("KV-Ordvane"), text);
}
