#include "conversion/TextRecords.h"

#include "conversion/RunOptions.h"
#include "platform/TemporaryFiles.h"

#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A record: "1 <text size> <text modified> <text sample> <size> <modified> <changed> <sample>
// <options> <source>", the texts percent-encoded so that no byte of a path can end a field or
// a line.
constexpr char Version[] = "1";
// A folder file beyond this holds no records of ours.
constexpr qint64 MostFolderFileBytes = qint64(64) << 20;

QByteArray encoded(const QString &text)
{
    return FileSystem::encodePath(text).toPercentEncoding();
}

QString decoded(const QByteArray &field)
{
    return FileSystem::decodePath(QByteArray::fromPercentEncoding(field));
}

QByteArray recordBytes(const TextOrigin &origin)
{
    return QByteArray(Version) + ' ' + QByteArray::number(origin.textSize) + ' ' + QByteArray::number(origin.textModified) + ' '
        + QByteArray::number(origin.textSample, 16) + ' ' + QByteArray::number(origin.state.size) + ' '
        + QByteArray::number(origin.state.modified) + ' ' + QByteArray::number(origin.state.changed) + ' '
        + QByteArray::number(origin.state.sample, 16) + ' ' + encoded(origin.options) + ' ' + encoded(origin.source);
}

std::optional<TextOrigin> originOfBytes(const QByteArray &bytes)
{
    const QList<QByteArray> fields = bytes.split(' ');
    if (fields.size() != 10 || fields[0] != Version)
        return std::nullopt;
    TextOrigin origin;
    bool ok[7] = {};
    origin.textSize = fields[1].toLongLong(&ok[0]);
    origin.textModified = fields[2].toLongLong(&ok[1]);
    origin.textSample = fields[3].toULongLong(&ok[2], 16);
    origin.state.size = fields[4].toLongLong(&ok[3]);
    origin.state.modified = fields[5].toLongLong(&ok[4]);
    origin.state.changed = fields[6].toLongLong(&ok[5]);
    origin.state.sample = fields[7].toULongLong(&ok[6], 16);
    if (!std::all_of(std::begin(ok), std::end(ok), [](bool b) { return b; }))
        return std::nullopt;
    origin.options = decoded(fields[8]);
    origin.source = decoded(fields[9]);
    return origin;
}

// A line of a folder file: the text's name, a blank, its record.
struct Line {
    QString name;
    TextOrigin origin;
};

std::optional<Line> lineOf(const QByteArray &bytes)
{
    const qsizetype blank = bytes.indexOf(' ');
    if (blank <= 0)
        return std::nullopt;
    std::optional<TextOrigin> origin = originOfBytes(bytes.mid(blank + 1));
    if (!origin)
        return std::nullopt;
    return Line{decoded(bytes.left(blank)), *origin};
}

QByteArray lineBytes(const QString &name, const TextOrigin &origin)
{
    return encoded(name) + ' ' + recordBytes(origin) + '\n';
}

QByteArray readAll(int fd)
{
    QByteArray contents;
    char buffer[65536];
    for (ssize_t got; (got = pread(fd, buffer, sizeof buffer, contents.size())) != 0;) {
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || contents.size() + got > MostFolderFileBytes)
            return {};
        contents.append(buffer, got);
    }
    return contents;
}

// A name "base(N)ext" of the text's: N, or 0 when the name is not one.
int numberOf(const QString &name, const QString &base, const QString &extension)
{
    if (!name.startsWith(base + u'(') || !name.endsWith(u')' + extension))
        return 0;
    bool ok = false;
    const int number = QStringView(name).mid(base.size() + 1, name.size() - base.size() - extension.size() - 2).toInt(&ok);
    return ok && number > 0 ? number : 0;
}

} // namespace


QString TextRecords::optionsText(TextOrder order, bool pageBreaks, int codePage, bool recognition, const QString &languages)
{
    static const char *const orders[] = {"reading", "layout", "raw"};
    return QStringLiteral("order=%1;page-breaks=%2;code-page=%3;recognition=%4")
        .arg(QLatin1String(orders[int(order)]), pageBreaks ? QStringLiteral("yes") : QStringLiteral("no"))
        .arg(codePage)
        .arg(recognition ? languages : QStringLiteral("no"));
}

namespace {

// The record with the text's own state; false when the text is no file of its own.
bool describeText(const QString &text, TextOrigin &origin)
{
    const FileSystem::Identity state = FileSystem::entryIdentity(text, FileSystem::Sampling::Sampled);
    origin.textSize = state.size;
    origin.textModified = state.modified;
    origin.textSample = state.sample;
    return state.size >= 0;
}

// The record describes the text as it is: by size and time, and by a sample of its content
// where several records may name it (the sample is taken only then, and only once).
bool speaksFor(const TextOrigin &origin, FileSystem::Identity &text, const QString &path)
{
    if (origin.textSize != text.size || origin.textModified != text.modified)
        return false;
    if (path.isEmpty())
        return true;
    if (text.sample == 0)
        text.sample = FileSystem::entryIdentity(path, FileSystem::Sampling::Sampled).sample;
    return origin.textSample == text.sample;
}

} // namespace

bool TextRecords::attach(const QString &waiting, const QString &target, TextOrigin origin)
{
    if (!describeText(waiting, origin))
        return false;
    // The attribute changes the file's change time, not its modification time; a rename
    // changes neither.
    return FileSystem::setAttribute(waiting, AttributeName, recordBytes(origin)) == 0 || appendToFolderFile(target, origin);
}

std::optional<TextOrigin> TextRecords::originOf(const QString &text)
{
    FileSystem::Identity now = FileSystem::entryIdentity(text);
    if (now.size < 0)
        return std::nullopt;
    QByteArray value;
    const int error = FileSystem::readAttribute(text, AttributeName, value);
    if (error == 0) {
        std::optional<TextOrigin> origin = originOfBytes(value);
        // Changed by other hands since, it is no longer what the record says was made.
        return origin && speaksFor(*origin, now, {}) ? origin : std::nullopt;
    }
    if (error != ENODATA && error != ENOTSUP && error != ERANGE)
        return std::nullopt;
    // The folder's file may hold several records of the name: of texts that other runs put
    // there and replaced, or that never got there. Where the file system keeps attributes, it
    // holds only those that did not fit one, and is read once a run.
    const QString folderPath = FileSystem::folderOf(text), name = FileSystem::fileNamePart(text);
    for (const bool again : {false, error == ENOTSUP}) { // again: put in place since the file was read
        const QList<TextOrigin> listed = folderRecords(folderPath, again).value(name);
        for (auto it = listed.rbegin(); it != listed.rend(); ++it)
            if (speaksFor(*it, now, text))
                return *it;
    }
    return std::nullopt;
}

QStringList TextRecords::numberedTextsOf(const QString &source, const QString &text)
{
    const QString folderPath = FileSystem::folderOf(text);
    Folder &known = folder(folderPath);
    if (!known.indexed) {
        known.indexed = true;
        // Once a run: numbered names only, of text files as the target rule names them.
        static const QRegularExpression numberedText(QStringLiteral("\\([0-9]+\\)\\.txt$"));
        for (const QString &name : FileSystem::namesIn(folderPath)) {
            if (!numberedText.match(name).hasMatch())
                continue;
            if (const std::optional<TextOrigin> origin = originOf(FileSystem::joinPath(folderPath, name)))
                known.textsBySource[FileSystem::pathKey(origin->source)] << name;
        }
    }
    const QString name = FileSystem::fileNamePart(text);
    const qsizetype dot = FileSystem::extensionPosition(name);
    const QString base = dot < 0 ? name : name.left(dot), extension = dot < 0 ? QString() : name.mid(dot);
    QList<std::pair<int, QString>> numbered;
    for (const QString &candidate : known.textsBySource.value(FileSystem::pathKey(source)))
        if (const int number = numberOf(candidate, base, extension))
            numbered.append({number, FileSystem::joinPath(folderPath, candidate)});
    std::sort(numbered.begin(), numbered.end());
    QStringList texts;
    for (const auto &[number, path] : numbered)
        texts << path;
    return texts;
}

bool TextRecords::sourceUnchanged(const TextOrigin &origin)
{
    const FileSystem::Identity now = FileSystem::identityOf(origin.source, FileSystem::Sampling::Unsampled);
    if (now.size != origin.state.size || now.modified != origin.state.modified)
        return false;
    // No one can set a change time: while it is as it was, so is the content. Where it is
    // not (a copy that kept the time, a change of owner, another machine's view), the sample
    // tells, taken once a run while the file stays as it is.
    if (now.changed == origin.state.changed)
        return true;
    FileSystem::Identity &known = sources[FileSystem::pathKey(origin.source)];
    if (known.size != now.size || known.modified != now.modified || known.changed != now.changed)
        known = FileSystem::identityOf(origin.source);
    return known.sample == origin.state.sample;
}

TextRecords::Folder &TextRecords::folder(const QString &path)
{
    return folders[FileSystem::pathKey(path)];
}

const QHash<QString, QList<TextOrigin>> &TextRecords::folderRecords(const QString &path, bool again)
{
    Folder &known = folder(path);
    const QString file = FileSystem::joinPath(path, QLatin1String(FolderFileName));
    if (known.fileRead && !(again && FileSystem::entryIdentity(file) != known.file))
        return known.listed;
    known.fileRead = true;
    known.listed.clear();
    known.file = {};
    const int fd = FileSystem::openOwnFile(FileSystem::encodePath(file), O_RDONLY);
    if (fd < 0)
        return known.listed;
    // A run that makes it smaller meanwhile would leave a part of it to read.
    FileSystem::lockWithin(fd, LOCK_SH, 2000);
    const QByteArray contents = readAll(fd);
    known.file = FileSystem::entryIdentity(file);
    close(fd);
    for (const QByteArray &line : contents.split('\n'))
        if (std::optional<Line> parsed = lineOf(line))
            known.listed[parsed->name].append(parsed->origin);
    return known.listed;
}

bool TextRecords::appendToFolderFile(const QString &target, const TextOrigin &origin)
{
    const QString folderPath = FileSystem::folderOf(target);
    const int fd = FileSystem::openOwnFile(FileSystem::encodePath(FileSystem::joinPath(folderPath, QLatin1String(FolderFileName))),
                                           O_RDWR | O_APPEND | O_CREAT, FileSystem::newFileMode());
    if (fd < 0)
        return false;
    // Other runs, here or on other machines, append too; past the wait the line goes in all
    // the same, in one write.
    const bool locked = FileSystem::lockWithin(fd, LOCK_EX, 5000);
    QByteArray bytes = lineBytes(FileSystem::fileNamePart(target), origin);
    struct stat info{};
    if (locked && fstat(fd, &info) == 0 && info.st_size >= FolderFileCompactBytes) {
        // The older lines are kept only where they speak for a text that is there; then the
        // file is rewritten in place, as every run appends to this very file under the lock.
        const QByteArray contents = readAll(fd);
        const qsizetype newest = contents.indexOf('\n', std::max<qsizetype>(0, contents.size() - FolderFileNewestBytes)) + 1;
        QByteArray compacted;
        for (const QByteArray &line : contents.left(newest).split('\n')) {
            const std::optional<Line> parsed = lineOf(line);
            const QString text = parsed ? FileSystem::joinPath(folderPath, parsed->name) : QString();
            FileSystem::Identity now = FileSystem::entryIdentity(text);
            if (parsed && speaksFor(parsed->origin, now, text))
                compacted += line + '\n';
        }
        if (!contents.isEmpty() && ftruncate(fd, 0) == 0)
            bytes.prepend(compacted + contents.mid(newest));
    }
    const bool written = FileSystem::writeAll(fd, bytes.constData(), size_t(bytes.size())) == 0;
    close(fd); // and the lock with it
    return written;
}
