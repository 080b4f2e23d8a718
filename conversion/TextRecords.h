#pragma once
// What made each text file: the PDF it was converted from, as that file was when it was read,
// and the options that shaped the text. A run that converts only what changed takes a text for
// current when its record names this PDF, unchanged, with these options; a text made from
// another PDF is never taken for this one's.
//
// A record lives with its text, in an extended attribute of the text file where the file
// system keeps them: it goes wherever the text is renamed or moved on that file system, and
// goes with the text when it is deleted, so it can never speak for another file. Where the
// file system keeps none (FAT, ramfs, some network file systems), the record is a line in the
// hidden file ".kv-ordvane-texts" of the text's folder, appended under a lock, so that runs
// on several machines writing into one folder keep each other's lines. Either way a record
// names the text's size and modification time as it was put in place: once other hands change
// the text, the record no longer speaks for it. Device and inode numbers are not kept: they
// differ from machine to machine for one file on a shared file system.
#include "platform/FileSystem.h"

#include <QHash>
#include <QList>
#include <QString>
#include <optional>

enum class TextOrder;

struct TextOrigin {
    QString source;             // the PDF's path
    FileSystem::Identity state; // the PDF's size, times and sample as it was read (not its device and inode)
    QString options;            // what shaped the text (never a password)
    qint64 textSize = -1;       // the text as it was put in place
    qint64 textModified = 0;
    quint64 textSample = 0;
};

class TextRecords {
public:
    // The options that shape a text, as a record keeps them.
    static QString optionsText(TextOrder order, bool pageBreaks, int codePage, bool recognition, const QString &languages);

    // Records what made a text that waits to be put in place as target, before it is there, so
    // that no run ever sees it without its record: in the waiting file's extended attribute,
    // which goes with it, or a line for target in its folder's file. Called again with the
    // placed text when the name changed on the way. False when neither home took it: the text
    // is then judged by times, as one without a record.
    bool attach(const QString &waiting, const QString &target, TextOrigin origin);
    // What made the text, when a record speaks for the text as it is now.
    std::optional<TextOrigin> originOf(const QString &text);
    // The numbered forms "name(N).ext" of the text's name in its folder whose records name the
    // source, in the order of their numbers.
    QStringList numberedTextsOf(const QString &source, const QString &text);
    // The PDF is still in the state the record says it was read in.
    bool sourceUnchanged(const TextOrigin &origin);

    static constexpr const char *AttributeName = "user.kv-ordvane.origin";
    static constexpr const char *FolderFileName = ".kv-ordvane-texts";
    // The folder's file is made smaller, to the records of the texts still there, from this
    // size; its newest lines are kept whatever, as they may be of texts on their way.
    static constexpr qint64 FolderFileCompactBytes = 1 << 20;
    static constexpr qint64 FolderFileNewestBytes = 64 << 10;

private:
    struct Folder {
        bool fileRead = false;
        FileSystem::Identity file; // the folder file as it was read
        QHash<QString, QList<TextOrigin>> listed; // the folder file's records, by text name, oldest first
        bool indexed = false;
        QHash<QString, QStringList> textsBySource; // names of the texts with a record, by path key
    };
    Folder &folder(const QString &path);
    // The folder file's records; read again when another run has changed it since.
    const QHash<QString, QList<TextOrigin>> &folderRecords(const QString &path, bool again = false);
    bool appendToFolderFile(const QString &target, const TextOrigin &origin);

    QHash<QString, Folder> folders; // what was read of each folder in this run
    QHash<QString, FileSystem::Identity> sources; // the PDFs' states as sampled in this run, by path key
};
