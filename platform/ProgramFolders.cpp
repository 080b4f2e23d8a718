#include "platform/ProgramFolders.h"

#include "platform/FileSystem.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString programDirectory;
QString configDirectory, dataDirectory; // empty until first asked for

bool writableDirectory(const QString &directory)
{
    // Under /usr lives what a package put there, never the user's files, even for root.
    if (directory.startsWith(QLatin1String("/usr/")))
        return false;
    return faccessat(AT_FDCWD, FileSystem::encodePath(directory).constData(), W_OK, AT_EACCESS) == 0;
}

QString userFolder(QStandardPaths::StandardLocation location)
{
    const QString base = QStandardPaths::writableLocation(location);
    if (base.isEmpty())
        return {};
    const QString folder = base + QStringLiteral("/KV-Ordvane/");
    (void)FileSystem::makeDirectories(folder.chopped(1)); // a failure shows when a file is written there
    return folder;
}

void locateKeptFiles()
{
    if (!dataDirectory.isEmpty())
        return;
    const QString program = ProgramDirectory();
    if (writableDirectory(program)) {
        configDirectory = dataDirectory = program;
        return;
    }
    configDirectory = userFolder(QStandardPaths::GenericConfigLocation);
    dataDirectory = userFolder(QStandardPaths::GenericDataLocation);
    // Without a home there is nowhere else to try; writing then fails with its reason.
    if (configDirectory.isEmpty())
        configDirectory = program;
    if (dataDirectory.isEmpty())
        dataDirectory = program;
}

} // namespace

QString ProgramDirectory()
{
    if (programDirectory.isEmpty())
        programDirectory = FileSystem::withTrailingSeparator(QCoreApplication::applicationDirPath());
    return programDirectory;
}

void SetProgramDirectory(const QString &directory)
{
    programDirectory = FileSystem::withTrailingSeparator(directory);
    configDirectory.clear();
    dataDirectory.clear();
}

QString ConfigDirectory()
{
    locateKeptFiles();
    return configDirectory;
}

QString DataDirectory()
{
    locateKeptFiles();
    return dataDirectory;
}

QString SettingsFilePath()
{
    return ConfigDirectory() + QStringLiteral("Ordvane.dat");
}

QString JobFilePath()
{
    return DataDirectory() + QStringLiteral("Ordvane.job");
}

QString DocumentsFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder.isEmpty() ? QStringLiteral("/") : FileSystem::withTrailingSeparator(folder);
}
