#pragma once
// The program's command line: ordvane [--help] [--version] [FILE...].
#include <QCommandLineOption>
#include <QList>
#include <QStringList>

class QCommandLineParser;

namespace CommandLine {

// What a program's --help shows. Both programs write their help themselves, in the user's
// language (Qt's catalogues lack some of theirs) and wrapped by display width, so that
// Japanese lines stay within the terminal and break between words.
struct Help {
    QString description;
    QString argument, argumentText, argumentSyntax; // "PATH", what it is, "[PATH...]"
    QList<QCommandLineOption> options;               // after -h, --help-all and -v
    QString allOnly;                                 // said by --help-all alone
};

// -h/--help, --help-all and -v/--version.
void addStandardOptions(QCommandLineParser &parser);
// Prints the help or the version when the parsed arguments ask for it, and says so.
bool answerStandardOptions(const QCommandLineParser &parser, const Help &help);
QString helpText(const Help &help, bool all);

// Columns a text takes in a terminal: a wide (East Asian) character takes two.
int displayWidth(const QString &text);
// The text in lines of at most that many columns, broken at spaces and between wide
// characters, never before closing punctuation.
QStringList wrapped(const QString &text, int columns);

// True when the arguments hold an option of ours (--help, --version, or a wrong one): its
// answer is printed without a display.
bool asksForTextOnly(int argc, char **argv);

// Parses the arguments (program name first, as the file system spells them). Prints the
// help, the version or an error and exits as QCommandLineParser does; otherwise returns
// the files to add as full paths: a relative path is taken from the current folder, and a
// file:// URL (as some launchers pass) becomes its path.
QStringList files(int argc, char **argv);

}
