// The job list: adding with its duplicate and type tests, selection, deleting, the job file
// in both formats and damaged ones, and sorting by every column.
#include "conversion/JobFile.h"
#include "conversion/JobList.h"
#include "widgets/JobListModel.h"
#include "platform/FileSystem.h"
#include "tests/support/SettingsCore.h"
#include "tests/support/LogLines.h"
#include "tests/support/TestProgramDirectory.h"

#include <sys/stat.h>

#include <QSignalSpy>

namespace {

QByteArray le16(quint16 v)
{
    return QByteArray(1, char(v & 0xFF)) + char(v >> 8);
}

QByteArray wide(const QString &text)
{
    QByteArray out = le16(quint16(text.size() * 2));
    for (QChar c : text)
        out += le16(c.unicode());
    return out;
}

QByteArray entryBytes(qint32 state, const QStringList &texts, bool eightBit = false)
{
    QByteArray out = le16(quint16(texts.size())) + QByteArray(1, char(state)) + QByteArray(3, '\0');
    out += eightBit ? le16(0) : wide(QString());
    for (const QString &t : texts)
        out += eightBit ? le16(quint16(t.toUtf8().size())) + t.toUtf8() : wide(t);
    return out;
}

// An entry's texts as the job file keeps them, those beyond the six included.
QStringList textsOf(const JobList &list, int row)
{
    QStringList all;
    for (int i = 0; i < JobList::TextCount; ++i)
        all << list.text(row, JobList::Text(i));
    return all + list.entry(row).moreTexts;
}

JobFile::LoadResult load(JobList &list, const QString &file)
{
    JobFile::Loaded loaded = JobFile::LoadJobFile(file);
    list.replaceEntries(std::move(loaded.entries));
    return loaded.result;
}

QStringList column(const JobList &list, JobList::Text which)
{
    QStringList texts;
    for (int row = 0; row < list.count(); ++row)
        texts << list.text(row, which);
    return texts;
}

}

class TestJobList : public QObject {
    Q_OBJECT

    QScopedPointer<TestProgramDirectory> dir;
    std::unique_ptr<SettingsCore> core;

private slots:
    void init()
    {
        dir.reset(new TestProgramDirectory(TestProgramDirectory::WithoutConverter));
        Settings.targetdir = QStringLiteral("/out/");
        core = std::make_unique<SettingsCore>();
    }

    void addingFiles()
    {
        JobList list(core->setup());
        QSignalSpy messages(&list, &JobList::statusMessage);
        dir->write(QStringLiteral("real.pdf"), QByteArray(1234, 'x'));
        QCOMPARE(list.AddOneFile(dir->file(QStringLiteral("real.pdf"))), JobList::AddResult::Added);
        QCOMPARE(list.AddOneFile(QStringLiteral("/x/scan.PDF")), JobList::AddResult::Added);
        QCOMPARE(list.AddOneFile(QStringLiteral("/x/Docs/./Report.pdf")), JobList::AddResult::Added);
        QCOMPARE(list.count(), 3);
        QCOMPARE(textsOf(list, 0), (QStringList{QStringLiteral("real.pdf"), dir->file(QStringLiteral("real.pdf")),
                                                       QStringLiteral("1234"), QStringLiteral("PDF"),
                                                       QStringLiteral("/out/real.txt"), QString()}));
        QCOMPARE(list.text(1, JobList::Size), QStringLiteral("0")); // not there, still added
        QCOMPARE(list.entry(1).state, qint32(JobList::Waiting));
        // All three selected, the last focused.
        QCOMPARE(list.selectedCount(), 3);
        QCOMPARE(list.focusRow(), 2);
        QVERIFY(messages.isEmpty());

        // Linux names are case-sensitive: another case is another file; the same text is not.
        QCOMPARE(list.AddOneFile(QStringLiteral("/x/SCAN.PDF")), JobList::AddResult::Added);
        QCOMPARE(list.AddOneFile(QStringLiteral("/x/scan.PDF")), JobList::AddResult::AlreadyAdded);
        QCOMPARE(messages.last().first().toString(), QStringLiteral("File [/x/scan.PDF] already added!"));
        // The duplicate test comes first, whatever the extension.
        QCOMPARE(list.AddOneFile(QStringLiteral("/x/notes")), JobList::AddResult::TypeNotSupported);
        QCOMPARE(messages.last().first().toString(), QStringLiteral("File [/x/notes] type not support!"));
        for (const char *refused : {"/x.y/notes", "/x/scan.pd", "/x/scan.pdf.bak", "/x"})
            QCOMPARE(list.AddOneFile(QLatin1String(refused)), JobList::AddResult::TypeNotSupported);
        QCOMPARE(list.count(), 4);
        // A pipe named like a PDF would block its conversion.
        const QString pipe = dir->file(QStringLiteral("pipe.pdf"));
        QCOMPARE(mkfifo(FileSystem::encodePath(pipe).constData(), 0600), 0);
        QCOMPARE(list.AddOneFile(pipe), JobList::AddResult::TypeNotSupported);
        QFile::remove(pipe);
        QCOMPARE(logTexts(dir->file(QStringLiteral("ordvnact.log"))),
                 (QStringList{QStringLiteral("Add file failed: already added (/x/scan.PDF)"),
                              QStringLiteral("Add file failed: type not support (/x/notes)"),
                              QStringLiteral("Add file failed: type not support (/x.y/notes)"),
                              QStringLiteral("Add file failed: type not support (/x/scan.pd)"),
                              QStringLiteral("Add file failed: type not support (/x/scan.pdf.bak)"),
                              QStringLiteral("Add file failed: type not support (/x)"),
                              QStringLiteral("Add file failed: type not support (") + pipe + u')'}));
    }

    void aDeletedPathCanBeAddedAgain()
    {
        JobList list(core->setup());
        list.AddOneFile(QStringLiteral("/a.pdf"));
        list.DeleteSelectedEntries();
        QCOMPARE(list.AddOneFile(QStringLiteral("/a.pdf")), JobList::AddResult::Added);
    }

    void theListHoldsWhatTheJobFileCan()
    {
        JobList list(core->setup());
        for (int i = 0; i < JobList::MaxEntries; ++i)
            QCOMPARE(list.AddOneFile(QStringLiteral("/f/%1.pdf").arg(i)), JobList::AddResult::Added);
        QCOMPARE(list.AddOneFile(QStringLiteral("/f/one more.pdf")), JobList::AddResult::ListFull);
        QCOMPARE(list.count(), JobList::MaxEntries);
        QCOMPARE(logTexts(dir->file(QStringLiteral("ordvnact.log"))).last(),
                 QStringLiteral("Add file failed: list is full (/f/one more.pdf)"));
        // and every entry survives a save and a load
        QVERIFY(JobFile::SaveJobFile(dir->file(QStringLiteral("Ordvane.job")), list.allEntries()));
        JobList loaded(core->setup());
        QCOMPARE(load(loaded, dir->file(QStringLiteral("Ordvane.job"))), JobFile::LoadResult::Loaded);
        QCOMPARE(loaded.count(), JobList::MaxEntries);
        QCOMPARE(loaded.text(JobList::MaxEntries - 1, JobList::Source), QStringLiteral("/f/65534.pdf"));
    }

    void selectingAndDeleting()
    {
        JobList list(core->setup());
        for (const char *name : {"/1.pdf", "/2.pdf", "/3.pdf", "/4.pdf"})
            list.AddOneFile(QLatin1String(name));
        list.clearSelection();
        QCOMPARE(list.selectedCount(), 0);
        list.setSelected(0, true);
        list.setSelected(2, true);
        list.DeleteSelectedEntries();
        QCOMPARE(column(list, JobList::Source), (QStringList{QStringLiteral("/2.pdf"), QStringLiteral("/4.pdf")}));
        QCOMPARE(list.selectedCount(), 0);
        QCOMPARE(list.focusRow(), 1); // the focused last row moved up with it
        list.SelectAllEntries();
        QCOMPARE(list.selectedCount(), 2);
        QCOMPARE(list.focusRow(), 1); // selecting all leaves the focus
        list.DeleteSelectedEntries();
        QCOMPARE(list.count(), 0);
        QCOMPARE(list.focusRow(), -1);
    }

    void jobFileBytes()
    {
        JobList list(core->setup());
        QCOMPARE(JobFile::encode(list.allEntries()), QByteArray("LFW\0\0", 5));
        list.setTargetRule({true, {}, {}});
        list.AddOneFile(QStringLiteral("/a.pdf"));
        const QByteArray expected = QByteArray("LFW") + le16(1) + le16(6) + QByteArray(4, '\0') + le16(0)
                                    + wide(QStringLiteral("a.pdf")) + wide(QStringLiteral("/a.pdf")) + wide(QStringLiteral("0"))
                                    + wide(QStringLiteral("PDF")) + wide(QStringLiteral("/a.txt")) + le16(0);
        QCOMPARE(JobFile::encode(list.allEntries()), expected);
    }

    void jobFileRoundTrip()
    {
        JobList list(core->setup());
        const QString odd = QStringLiteral("/d/odd \"n\"\n\u00e9 ") + QChar(0xDC80) + QStringLiteral(".pdf");
        list.AddOneFile(odd);
        list.AddOneFile(QStringLiteral("/d/b.pdf"));
        list.setState(1, JobList::Failed);
        setStoredText(list, 1, JobList::Message, QStringLiteral("Source file open error"));
        const QString file = dir->file(QStringLiteral("Ordvane.job"));
        QVERIFY(JobFile::SaveJobFile(file, list.allEntries()));
        JobList loaded(core->setup());
        QCOMPARE(load(loaded, file), JobFile::LoadResult::Loaded);
        QCOMPARE(loaded.count(), 2);
        QCOMPARE(loaded.text(0, JobList::Source), odd);
        QCOMPARE(loaded.entry(1).state, qint32(JobList::Failed));
        QCOMPARE(loaded.text(1, JobList::Message), QStringLiteral("Source file open error"));
        QCOMPARE(loaded.selectedCount(), 0);
        // Loaded entries take part in the duplicate test.
        QCOMPARE(loaded.AddOneFile(QStringLiteral("/d/b.pdf")), JobList::AddResult::AlreadyAdded);
        // An empty list is five bytes and loads as empty.
        JobList empty(core->setup());
        QVERIFY(JobFile::SaveJobFile(file, empty.allEntries()));
        QCOMPARE(dir->read(QStringLiteral("Ordvane.job")).size(), 5);
        QCOMPARE(load(loaded, file), JobFile::LoadResult::Loaded);
        QCOMPARE(loaded.count(), 0);
    }

    void oldEightBitJobFile()
    {
        const QByteArray old = QByteArray("LVF") + le16(2)
                               + entryBytes(1, {"a.pdf", "/d/a.pdf", "10", "PDF", "/o/a.txt", "Convert successfully"}, true)
                               + entryBytes(0, {"\xC3\xA9.pdf", "/d/\xC3\xA9.pdf", "7", "pdf", "/o/x.txt", ""}, true);
        dir->write(QStringLiteral("Ordvane.job"), old);
        JobList list(core->setup());
        QCOMPARE(load(list, dir->file(QStringLiteral("Ordvane.job"))), JobFile::LoadResult::Loaded);
        QCOMPARE(list.count(), 2);
        QCOMPARE(list.entry(0).state, qint32(JobList::Converted));
        QCOMPARE(list.text(1, JobList::Source), QString::fromUtf8("/d/\xC3\xA9.pdf")); // system code page: UTF-8 here
        QCOMPARE(list.text(1, JobList::Type), QStringLiteral("pdf"));
        // The next save writes the current format.
        QVERIFY(JobFile::encode(list.allEntries()).startsWith("LFW"));

        // A zero byte ends an 8-bit text early.
        dir->write(QStringLiteral("zero.job"), QByteArray("LVF") + le16(1) + le16(6) + QByteArray(4, '\0') + le16(0)
                                                   + le16(5) + QByteArray("ab\0cd", 5) + QByteArray(10, '\0'));
        QCOMPARE(load(list, dir->file(QStringLiteral("zero.job"))), JobFile::LoadResult::Loaded);
        QCOMPARE(list.text(0, JobList::Name), QStringLiteral("ab"));
    }

    void damagedJobFiles()
    {
        JobList list(core->setup());
        const QString file = dir->file(QStringLiteral("Ordvane.job"));
        const QStringList texts = {"a.pdf", "/a.pdf", "1", "PDF", "/a.txt", ""};

        dir->write(QStringLiteral("Ordvane.job"), "XYZ\x01\x00");
        QCOMPARE(load(list, file), JobFile::LoadResult::UnknownMarker);
        QCOMPARE(list.count(), 0);
        dir->write(QStringLiteral("Ordvane.job"), "LF");
        QCOMPARE(load(list, file), JobFile::LoadResult::UnknownMarker);
        QCOMPARE(load(list, dir->file(QStringLiteral("missing.job"))), JobFile::LoadResult::Missing);

        // Cut short inside the third entry: the two complete ones stay.
        const QByteArray whole = QByteArray("LFW") + le16(3) + entryBytes(0, texts) + entryBytes(1, texts) + entryBytes(2, texts);
        for (int cut : {4, 5, 6, int(whole.size() - 1)}) {
            dir->write(QStringLiteral("Ordvane.job"), whole.left(cut));
            QCOMPARE(load(list, file), JobFile::LoadResult::Damaged);
            QCOMPARE(list.count(), cut < 10 ? 0 : 2);
        }
        // Fewer entries announced than there are (a count that wrapped, or was damaged): all
        // of them are read, and the file still counts as damaged.
        for (const int count : {1, 0}) {
            dir->write(QStringLiteral("Ordvane.job"), QByteArray("LFW") + le16(count) + whole.mid(5));
            QCOMPARE(load(list, file), JobFile::LoadResult::Damaged);
            QCOMPARE(list.count(), 3);
        }
        // Bytes after the last entry, and a text of an odd byte count.
        dir->write(QStringLiteral("Ordvane.job"), whole + "x");
        QCOMPARE(load(list, file), JobFile::LoadResult::Damaged);
        QCOMPARE(list.count(), 3);
        dir->write(QStringLiteral("Ordvane.job"), QByteArray("LFW") + le16(1) + le16(6) + QByteArray(4, '\0') + le16(1) + "a"
                                                      + QByteArray(12, '\0'));
        QCOMPARE(load(list, file), JobFile::LoadResult::Damaged);
        // More entries announced than there are.
        dir->write(QStringLiteral("Ordvane.job"), QByteArray("LFW") + le16(9) + entryBytes(0, texts));
        QCOMPARE(load(list, file), JobFile::LoadResult::Damaged);
        QCOMPARE(list.count(), 1);
        // Fewer than six texts: loaded, with empty ones added; more are kept.
        dir->write(QStringLiteral("Ordvane.job"), QByteArray("LFW") + le16(2) + entryBytes(0, {"n.pdf", "/n.pdf"})
                                                      + entryBytes(0, texts + QStringList{"extra"}));
        QCOMPARE(load(list, file), JobFile::LoadResult::Damaged);
        QCOMPARE(list.count(), 2);
        QCOMPARE(textsOf(list, 0).size(), 6);
        QCOMPARE(list.text(0, JobList::Target), QString());
        QCOMPARE(textsOf(list, 1).size(), 7);
        QVERIFY(JobFile::encode(list.allEntries()).contains(wide(QStringLiteral("extra"))));
        // A folder where the file should be cannot be read.
        QDir(dir->path()).mkdir(QStringLiteral("folder.job"));
        QCOMPARE(load(list, dir->file(QStringLiteral("folder.job"))), JobFile::LoadResult::Unreadable);
    }

    void sorting()
    {
        JobList list(core->setup());
        for (const char *name : {"/d/b.pdf", "/d/_z.pdf", "/d/a.pdf", "/d/B2.pdf"})
            list.AddOneFile(QLatin1String(name));
        const auto sizes = QStringList{"100", "9", "10", "2"};
        for (int row = 0; row < 4; ++row)
            setStoredText(list, row, JobList::Size, sizes[row]);
        list.setState(0, JobList::Failed);
        list.setState(3, JobList::Converted);
        JobListModel model(list);
        const auto header = [&](int column) { return model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(); };

        model.ColumnClick(JobListModel::ColumnSize);
        QCOMPARE(column(list, JobList::Size), (QStringList{"2", "9", "10", "100"}));
        QCOMPARE(header(JobListModel::ColumnSize), QStringLiteral("(->)Size(Byte)"));
        model.ColumnClick(JobListModel::ColumnSize);
        QCOMPARE(column(list, JobList::Size), (QStringList{"100", "10", "9", "2"}));
        QCOMPARE(header(JobListModel::ColumnSize), QStringLiteral("(<-)Size(Byte)"));

        // Text: capitals and small letters alike, "_" after the letters.
        model.ColumnClick(JobListModel::ColumnName);
        QCOMPARE(header(JobListModel::ColumnSize), QStringLiteral("Size(Byte)"));
        QCOMPARE(column(list, JobList::Name), (QStringList{"a.pdf", "b.pdf", "B2.pdf", "_z.pdf"}));

        model.ColumnClick(JobListModel::ColumnState);
        QCOMPARE(list.entry(0).state, qint32(JobList::Waiting));
        QCOMPARE(list.entry(2).state, qint32(JobList::Converted));
        QCOMPARE(list.entry(3).state, qint32(JobList::Failed));

        // Three clicks on Type: marked ascending, and the focus followed its entry.
        const QString focused = list.text(list.focusRow(), JobList::Source);
        for (int i = 0; i < 3; ++i)
            model.ColumnClick(JobListModel::ColumnType);
        QCOMPARE(header(JobListModel::ColumnType), QStringLiteral("(->)Type"));
        QCOMPARE(header(JobListModel::ColumnState), QStringLiteral("State"));
        QCOMPARE(list.text(list.focusRow(), JobList::Source), focused);

        // An empty list sorts without effect but gets the marker.
        JobList empty(core->setup());
        JobListModel emptyModel(empty);
        emptyModel.ColumnClick(JobListModel::ColumnTarget);
        QCOMPARE(emptyModel.headerData(JobListModel::ColumnTarget, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("(->)Target file"));
    }

    void damagedSizesSortFirst()
    {
        JobList list(core->setup());
        for (const char *name : {"/1.pdf", "/2.pdf", "/3.pdf"})
            list.AddOneFile(QLatin1String(name));
        setStoredText(list, 0, JobList::Size, QStringLiteral("12"));
        setStoredText(list, 1, JobList::Size, QStringLiteral("junk"));
        setStoredText(list, 2, JobList::Size, QStringLiteral("5000000000"));
        JobListModel(list).ColumnClick(JobListModel::ColumnSize);
        QCOMPARE(column(list, JobList::Size), (QStringList{"junk", "12", "5000000000"}));
    }
};

QTEST_GUILESS_MAIN(TestJobList)
#include "tst_job_list.moc"
