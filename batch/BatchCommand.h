#pragma once
// ordvane-batch's command line: what it converts and how. Bad usage gives a message, never
// an exit from in here.
#include "base/Expected.h"
#include "conversion/RunOptions.h"
#include "platform/CommandLine.h"
#include "platform/FileSystem.h"
#include "settings/DocumentTypes.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

class QCommandLineParser;
struct TSettings;

// A stable part of the input: the same on every machine that sees the same paths.
struct Shard {
    quint64 index = 0, count = 1;

    bool takes(const QString &path) const
    {
        quint64 hash = 1469598103934665603ull; // FNV-1a over the path's bytes
        for (const char byte : FileSystem::encodePath(path)) {
            hash ^= quint8(byte);
            hash *= 1099511628211ull;
        }
        return hash % count == index;
    }
};

// How the files' texts are placed below the target folder.
struct Tree {
    bool kept = false; // --keep-tree
    QString base;      // --base, absolute; empty without
};

// The rest of the command line: how, and what, to convert.
struct Command {
    RunOptions options;
    DocumentTypes types;
    int threads = 0; // 0: one per processor
    bool json = false;
    bool recursive = false;
    int ocrSeconds = 0; // the recognition's time for a page; 0: the library's own
    Tree tree;
    Shard part;
    QString jobFile;   // absolute; empty without --job-file
    struct Watch {
        bool on = false;
        int settleMilliseconds = 1000; // unchanged this long after its close, a file is taken
        int rescanSeconds = 0;         // 0: the folders are searched only when told to
    } watch;
    QStringList given; // paths of files and folders
};

// The command line's options and their help.
CommandLine::Help batchHelp();
void addOptions(QCommandLineParser &parser, const CommandLine::Help &help);
// The command line over the settings' choices; the passwords it names go to the converter
// binding.
Expected<Command, QString> commandOf(const QCommandLineParser &parser, const TSettings &settings);

// The files to convert, each under --keep-tree with its folder below the target folder:
// files as a drop adds them, folders as Add Dir searches them; duplicates are refused with
// the window's message.
struct Inputs {
    QStringList files;
    QHash<QString, QString> subfolders; // by path key
};
Inputs gather(const Command &command);
// The files a search of the folder finds that the command takes: as Add Dir finds them, in
// its subfolders too under --recursive.
void searchFolder(const Command &command, const QString &folder, const std::function<void(const QString &file)> &found);
// The folder below the target folder for the file's text under --keep-tree: its folder below
// --base, or else below the folder it was searched from; empty without --keep-tree.
QString keptSubfolder(const Command &command, const QString &file, const QString &searched);
// The folder that holds the file, below root, ending in "/"; empty when the file lies in root
// itself or outside it.
QString subfolderOf(const QString &file, const QString &root);
