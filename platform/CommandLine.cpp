#include "platform/CommandLine.h"

#include "platform/FileSystem.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

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

const int HelpColumns = 80;

bool isWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) || (c >= 0xAC00 && c <= 0xD7A3)
        || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60)
        || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// Closing marks stay with what they close; opening ones with what they open.
bool closes(char32_t c) { return QStringView(u"、。，．・：；？！）」』】〕〉》ー々ぁぃぅぇぉっゃゅょァィゥェォッャュョ,.;:!?)]}»\u202F").contains(QChar(c)); }
bool opens(char32_t c) { return QStringView(u"（「『【〔〈《([{«").contains(QChar(c)); }
// A run of katakana is one word, a loan word most often: it is not broken.
bool katakana(char32_t c) { return c >= 0x30A0 && c <= 0x30FF; }

QString optionNames(const QCommandLineOption &option)
{
    QStringList names;
    for (const QString &name : option.names())
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    QString text = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        text += QStringLiteral(" <%1>").arg(option.valueName());
    return text;
}

QList<QCommandLineOption> standardOptions()
{
    return {{{QStringLiteral("h"), QStringLiteral("help")}, QCoreApplication::translate("CommandLine", "Displays help on commandline options.")},
            {QStringLiteral("help-all"), QCoreApplication::translate("CommandLine", "Displays help including Qt specific options.")},
            {{QStringLiteral("v"), QStringLiteral("version")}, QCoreApplication::translate("CommandLine", "Displays version information.")}};
}

} // namespace

int displayWidth(const QString &text)
{
    int width = 0;
    for (const char32_t c : text.toUcs4())
        width += isWide(c) ? 2 : 1;
    return width;
}

QStringList wrapped(const QString &text, int columns)
{
    QStringList lines;
    const std::u32string chars = text.toStdU32String();
    size_t start = 0;
    while (start < chars.size()) {
        // The last break that keeps the line within its columns: at a space (which goes), or
        // between two characters of which one is wide.
        size_t breakAt = std::u32string::npos, resumeAt = 0;
        int width = 0;
        size_t i = start;
        for (; i < chars.size() && chars[i] != U'\n'; ++i) {
            if (chars[i] == U' ') {
                breakAt = i;
                resumeAt = i + 1;
            } else if (i > start && (isWide(chars[i]) || isWide(chars[i - 1])) && chars[i - 1] != U' ' && !closes(chars[i])
                       && !opens(chars[i - 1]) && !(katakana(chars[i]) && katakana(chars[i - 1]))) {
                breakAt = i;
                resumeAt = i;
            }
            width += isWide(chars[i]) ? 2 : 1;
            if (width > columns && breakAt != std::u32string::npos)
                break;
        }
        if (i >= chars.size() || chars[i] == U'\n' || breakAt == std::u32string::npos) {
            lines << QString::fromStdU32String(chars.substr(start, i - start));
            start = i + 1;
            continue;
        }
        lines << QString::fromStdU32String(chars.substr(start, breakAt - start));
        start = resumeAt;
    }
    if (text.endsWith(u'\n'))
        lines << QString();
    return lines;
}

void addStandardOptions(QCommandLineParser &parser)
{
    parser.addOptions(standardOptions());
}

QString helpText(const Help &help, bool all)
{
    QList<QCommandLineOption> options = standardOptions() + help.options;
    int nameWidth = 0;
    for (const QCommandLineOption &option : options)
        nameWidth = std::max(nameWidth, displayWidth(optionNames(option)));
    nameWidth = std::min(nameWidth, 30);
    QStringList lines{QCoreApplication::translate("CommandLine", "Usage: %1 [options] %2").arg(QCoreApplication::applicationName(), help.argumentSyntax)};
    lines << wrapped(help.description, HelpColumns) << QString() << QCoreApplication::translate("CommandLine", "Options:");
    // The name, then its text in a column of its own; a name too long for the column stands
    // on a line of its own.
    const auto entry = [&](const QString &name, const QString &text) {
        const QString indent(nameWidth + 4, u' ');
        const QStringList textLines = wrapped(text, HelpColumns - int(indent.size()));
        const QString head = QStringLiteral("  ") + name;
        int first = 0;
        if (displayWidth(head) + 2 <= int(indent.size()))
            lines << head + QString(int(indent.size()) - displayWidth(head), u' ') + textLines.value(first++);
        else
            lines << head;
        for (int i = first; i < textLines.size(); ++i)
            lines << indent + textLines[i];
    };
    for (const QCommandLineOption &option : std::as_const(options))
        if (!(option.flags() & QCommandLineOption::HiddenFromHelp))
            entry(optionNames(option), option.description());
    lines << QString() << QCoreApplication::translate("CommandLine", "Arguments:");
    entry(help.argument, help.argumentText);
    if (all && !help.allOnly.isEmpty())
        lines << QString() << wrapped(help.allOnly, HelpColumns);
    return lines.join(u'\n') + u'\n';
}

bool answerStandardOptions(const QCommandLineParser &parser, const Help &help)
{
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        std::fputs(qPrintable(helpText(help, parser.isSet(QStringLiteral("help-all")))), stdout);
        return true;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(QCoreApplication::applicationVersion()));
        return true;
    }
    return false;
}

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
    const QString description = QCoreApplication::translate("CommandLine",
        "Converts PDF files to plain text. The FILEs are added to the job list as if they were "
        "dropped on the window; when KV-Ordvane already runs with this job list, they are "
        "handed to it and its window comes to the front.");
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
    addStandardOptions(parser);
    Help help{description, QStringLiteral("FILE"), QCoreApplication::translate("CommandLine", "PDF files, or one folder to search."),
              QStringLiteral("[FILE...]"), {},
              QCoreApplication::translate("CommandLine", "The window system's options are taken as every Qt program takes them: %1.")
                  .arg(QStringLiteral("-") + (OptionsWithValue + OptionsWithoutValue).join(QStringLiteral(", -")))};
    parser.addPositionalArgument(help.argument, help.argumentText, help.argumentSyntax);
    if (!parser.parse(decodedArguments(argc, argv))) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(parser.errorText()));
        std::exit(1);
    }
    if (answerStandardOptions(parser, help))
        std::exit(0);
    QStringList paths;
    for (const QString &argument : parser.positionalArguments())
        if (!argument.isEmpty())
            paths << fullPath(argument);
    return paths;
}

}
