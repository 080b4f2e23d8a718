#include "platform/CommandLine.h"

#include "platform/FileSystem.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QUrl>

namespace CommandLine {

namespace {

QStringList decodedArguments(int argc, char **argv)
{
    // Names as the file system holds them, also those that are not valid UTF-8.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << FileSystem::decodePath(argv[i]);
    return arguments;
}

QString fullPath(const QString &argument)
{
    if (argument.startsWith(QLatin1String("file://"))) {
        const QUrl url(argument);
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    if (argument.startsWith(FileSystem::Separator))
        return argument;
    return QDir::cleanPath(FileSystem::joinPath(QDir::currentPath(), argument));
}

// Qt's own window-system options, taken by the application object; listed here so that a
// start that only prints (with no application object to take them) passes them by.
const QStringList OptionsWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry",
    "qwindowtitle", "title", "qwindowicon", "icon", "session", "display", "name", "style",
    "stylesheet", "qmljsdebugger", "visual"};
const QStringList OptionsWithoutValue = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

} // namespace

bool asksForTextOnly(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        QByteArray option(argv[i]);
        if (option == "--")
            return false;
        if (!option.startsWith('-') || option == "-")
            continue;
        option = option.mid(option.startsWith("--") ? 2 : 1);
        option = option.left(option.indexOf('=') < 0 ? option.size() : option.indexOf('='));
        const QString name = QString::fromLatin1(option);
        if (!OptionsWithValue.contains(name) && !OptionsWithoutValue.contains(name))
            return true;
    }
    return false;
}

QStringList files(int argc, char **argv)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("CommandLine",
        "Converts PDF files to plain text. The FILEs are added to the job list as if they were "
        "dropped on the window; when KV-Ordvane already runs with this job list, they are "
        "handed to it and its window comes to the front."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions); // as Qt reads its own
    for (const QString &name : OptionsWithValue) {
        QCommandLineOption option(name, QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const QString &name : OptionsWithoutValue) {
        QCommandLineOption option(name);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QCoreApplication::translate("CommandLine", "PDF files, or one folder to search."),
                                 QStringLiteral("[FILE...]"));
    parser.process(decodedArguments(argc, argv));
    QStringList paths;
    for (const QString &argument : parser.positionalArguments())
        if (!argument.isEmpty())
            paths << fullPath(argument);
    return paths;
}

}
