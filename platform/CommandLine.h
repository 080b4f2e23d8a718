#pragma once
// The program's command line: ordvane [--help] [--version] [FILE...].
#include <QStringList>

namespace CommandLine {

// True when the arguments hold an option of ours (--help, --version, or a wrong one): its
// answer is printed without a display.
bool asksForTextOnly(int argc, char **argv);

// Parses the arguments (program name first, as the file system spells them). Prints the
// help, the version or an error and exits as QCommandLineParser does; otherwise returns
// the files to add as full paths: a relative path is taken from the current folder, and a
// file:// URL (as some launchers pass) becomes its path.
QStringList files(int argc, char **argv);

}
