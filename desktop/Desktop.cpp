#include "desktop/Desktop.h"

#include "platform/FileSystem.h"
#include "platform/ProgramFolders.h"
#include "platform/Translations.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>

namespace Desktop {

QUrl fileUrl(const QString &path)
{
    return QUrl::fromEncoded("file://" + FileSystem::encodePath(path).toPercentEncoding("/"), QUrl::StrictMode);
}

namespace {
const char ActivationTokenVariable[] = "XDG_ACTIVATION_TOKEN";
}

QByteArray takeActivationToken()
{
    const QByteArray token = qgetenv(ActivationTokenVariable);
    qunsetenv(ActivationTokenVariable);
    return token;
}

void useActivationToken(const QByteArray &token)
{
    if (!token.isEmpty())
        qputenv(ActivationTokenVariable, token);
}

bool openWithDefaultProgram(const QString &path)
{
    return QDesktopServices::openUrl(fileUrl(path));
}

void showInFileManager(const QString &path, const std::function<void()> &failed)
{
    const QString folder = FileSystem::folderOf(path);
    auto openFolder = [folder, failed] {
        if (folder.isEmpty() || !QDesktopServices::openUrl(fileUrl(folder)))
            failed();
    };
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!FileSystem::isExistingFile(path) || !bus.isConnected()) {
        openFolder();
        return;
    }
    // The file manager opens the folder with the file selected; should it not answer, the
    // folder alone will do. Asynchronous, so a slow bus never freezes the window.
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.FileManager1"),
                                                      QStringLiteral("/org/freedesktop/FileManager1"),
                                                      QStringLiteral("org.freedesktop.FileManager1"),
                                                      QStringLiteral("ShowItems"));
    call << QStringList{QString::fromLatin1(fileUrl(path).toEncoded())} << QString();
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, 5000));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [openFolder](QDBusPendingCallWatcher *w) {
        if (w->isError())
            openFolder();
        w->deleteLater();
    });
}

void openHelpTopic(const QString &topic)
{
    const QString folder = ProgramDirectory() + QStringLiteral("Ordvane.help/");
    QString page = folder + topic;
    // The copy in the program's language, "Options.de.htm" beside "Options.htm".
    const int dot = int(topic.lastIndexOf(u'.'));
    const QString translated = folder + topic.left(dot) + u'.' + Translations::language() + topic.mid(dot);
    if (!Translations::language().isEmpty() && FileSystem::isExistingFile(translated))
        page = translated;
    if (FileSystem::isExistingFile(page))
        QDesktopServices::openUrl(fileUrl(page));
}

}
