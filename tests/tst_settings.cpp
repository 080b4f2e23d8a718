// The settings file: defaults, a round trip of every key, the reading rules of its values,
// files damaged in every way we could think of, and a failed save that keeps the old file.
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/IoError.h"
#include "platform/ProgramFolders.h"
#include "settings/DocumentTypes.h"
#include "settings/RecognitionChoice.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"
#include "tests/support/TestProgramDirectory.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <csignal>
#include <sys/resource.h>

class TestSettings : public QObject {
    Q_OBJECT

    QByteArray settingsFile(const QByteArray &generalLines)
    {
        return "[general]\r\n" + generalLines;
    }

    TSettings loadFrom(TestProgramDirectory &dir, const QByteArray &contents)
    {
        dir.write(QStringLiteral("Ordvane.dat"), contents);
        LoadSettings();
        return Settings;
    }

private slots:
    // A file of the program's that is far too large is refused by its size, before a byte
    // of it is read.
    void filesTooLargeAreRefusedUnread()
    {
        TestProgramDirectory dir;
        const QString path = dir.file(QStringLiteral("Ordvane.dat"));
        QFile huge(path);
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize((qint64(1) << 30) + 1)); // sparse
        huge.close();
        const auto bytesRead = [] {
            QFile io(QStringLiteral("/proc/self/io"));
            return io.open(QIODevice::ReadOnly) ? io.readAll().split('\n').value(0).mid(7).toLongLong() : -1; // rchar
        };
        const qint64 before = bytesRead();
        const IoResult<QByteArray> contents = FileSystem::readFile(path);
        QVERIFY(!contents);
        QCOMPARE(contents.error().errorNumber, EFBIG);
        QVERIFY2(bytesRead() - before < (1 << 20), qPrintable(QString::number(bytesRead() - before)));
    }

    void defaultsWithoutFileAndAllKeysWrittenInOrder()
    {
        TestProgramDirectory dir;
        LoadSettings();
        QCOMPARE(Settings.samedir, false);
        QCOMPARE(Settings.targetdir, DocumentsFolder());
        QCOMPARE(Settings.adddir, DocumentsFolder());
        QVERIFY(DocumentsFolder().endsWith(u'/'));
        QCOMPARE(Settings.fileovertp, quint8(0));
        QCOMPARE(Settings.sourcecode, 0);
        QCOMPARE(Settings.targetcode, 0);
        QCOMPARE(Settings.userfileext1, QByteArray());
        QCOMPARE(Settings.selext1, true);
        QCOMPARE(Settings.recursive, false);
        QCOMPARE(Settings.pagebreak, false);
        QCOMPARE(Settings.textorder, 0);
        QCOMPARE(Settings.keepraw, 0);
        QCOMPARE(Settings.notlog, false);
        QCOMPARE(Settings.ocr, true);
        QCOMPARE(Settings.ocrlang, DefaultRecognitionLanguages());
        QCOMPARE(DocumentTypes(Settings.userfileext1).extensionList(), QByteArray("*.pdf;"));

        QVERIFY(SaveSettings());
        const QByteArray docs = DocumentsFolder().toUtf8();
        QCOMPARE(dir.read(QStringLiteral("Ordvane.dat")),
                 "[general]\r\nsamedir=0\r\ntargetdir=" + docs + "\r\nadddir=" + docs
                     + "\r\nfileovertp=0\r\nsourcecode=0\r\ntargetcode=0\r\nuserfileext1=\r\nselext1=1\r\n"
                       "recursive=0\r\npagebreak=0\r\ntextorder=0\r\nkeepraw=0\r\nnotlog=0\r\nocr=1\r\nocrlang="
                     + DefaultRecognitionLanguages().toLatin1() + "\r\n");
    }

    void roundTripOfEveryKey()
    {
        TestProgramDirectory dir;
        TSettings chosen;
        chosen.samedir = true;
        chosen.targetdir = QStringLiteral("/home/jörg/Übersetzungen/数据 \"quoted\"/");
        chosen.adddir = QStringLiteral("/srv/a;/srv/Ärger;'/srv/quoted'");
        chosen.fileovertp = 255;
        chosen.sourcecode = -1252;
        chosen.targetcode = 77;
        chosen.userfileext1 = "*.ai;*.EPS";
        chosen.selext1 = false;
        chosen.recursive = true;
        chosen.pagebreak = true;
        chosen.textorder = 2;
        chosen.keepraw = 5;
        chosen.notlog = true;
        chosen.ocr = false;
        chosen.ocrlang = QStringLiteral("eng+deu");
        Settings = chosen;
        QVERIFY(SaveSettings());
        QVERIFY(dir.read(QStringLiteral("Ordvane.dat")).contains("targetdir=/home/j\xC3\xB6rg/"));

        Settings = TSettings();
        LoadSettings();
        QCOMPARE(Settings.samedir, chosen.samedir);
        QCOMPARE(Settings.targetdir, chosen.targetdir);
        QCOMPARE(Settings.adddir, chosen.adddir);
        QCOMPARE(Settings.fileovertp, chosen.fileovertp);
        QCOMPARE(Settings.sourcecode, chosen.sourcecode);
        QCOMPARE(Settings.targetcode, chosen.targetcode);
        QCOMPARE(Settings.userfileext1, chosen.userfileext1);
        QCOMPARE(Settings.selext1, chosen.selext1);
        QCOMPARE(Settings.recursive, chosen.recursive);
        QCOMPARE(Settings.pagebreak, chosen.pagebreak);
        QCOMPARE(Settings.textorder, chosen.textorder);
        QCOMPARE(Settings.keepraw, chosen.keepraw);
        QCOMPARE(Settings.notlog, chosen.notlog);
        QCOMPARE(Settings.ocr, chosen.ocr);
        QCOMPARE(Settings.ocrlang, chosen.ocrlang);
        QCOMPARE(DocumentTypes(Settings.userfileext1).extensionList(), QByteArray("*.pdf;*.ai;*.eps;"));
    }

    void valuesThatReadingWouldTrimSurviveASave()
    {
        TestProgramDirectory dir;
        Settings.targetdir = QStringLiteral("  /lead and trail/  ");
        Settings.adddir = QStringLiteral("\"/enclosed\"");
        QVERIFY(SaveSettings());
        Settings = TSettings();
        LoadSettings();
        QCOMPARE(Settings.targetdir, QStringLiteral("  /lead and trail/  "));
        QCOMPARE(Settings.adddir, QStringLiteral("\"/enclosed\""));
    }

    void lineBreakInAValueCannotForgeKeys()
    {
        TestProgramDirectory dir;
        Settings.targetdir = QStringLiteral("/tmp/x\r\nnotlog=1\nsamedir=1");
        QVERIFY(SaveSettings());
        LoadSettings();
        QCOMPARE(Settings.targetdir, QStringLiteral("/tmp/x"));
        QCOMPARE(Settings.notlog, false);
        QCOMPARE(Settings.samedir, false);
    }

    void integerReading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("decimal") << "1252" << true << 1252;
        QTest::newRow("leading blanks") << "  \t7" << true << 7;
        QTest::newRow("plus") << "+12" << true << 12;
        QTest::newRow("minus") << "-5" << true << -5;
        QTest::newRow("dollar hex") << "$4E4" << true << 1252;
        QTest::newRow("x hex") << "x10" << true << 16;
        QTest::newRow("X hex") << "Xff" << true << 255;
        QTest::newRow("0x hex") << "0x2" << true << 2;
        QTest::newRow("0X hex") << "0X1a" << true << 26;
        QTest::newRow("signed hex") << "-$1" << true << -1;
        QTest::newRow("hex spells bits") << "0xFFFFFFFF" << true << -1;
        QTest::newRow("largest") << "2147483647" << true << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << true << int(-2147483648LL);
        QTest::newRow("overflow") << "2147483648" << false << 0;
        QTest::newRow("hex overflow") << "0x100000000" << false << 0;
        QTest::newRow("huge") << "99999999999999999999999" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("blanks") << "   " << false << 0;
        QTest::newRow("sign alone") << "+" << false << 0;
        QTest::newRow("minus alone") << "-" << false << 0;
        QTest::newRow("dollar alone") << "$" << false << 0;
        QTest::newRow("0x alone") << "0x" << false << 0;
        QTest::newRow("letters") << "abc" << false << 0;
        QTest::newRow("trailing blank") << "1252 " << false << 0;
        QTest::newRow("trailing text") << "12ab" << false << 0;
        QTest::newRow("exponent") << "1e3" << false << 0;
        QTest::newRow("arabic digits") << QString::fromUtf8("\xD9\xA1\xD9\xA2") << false << 0;
        QTest::newRow("two signs") << "--1" << false << 0;
    }

    void integerReading()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        qint32 parsed = 4711;
        QCOMPARE(ParseInteger(text, parsed), valid);
        if (valid)
            QCOMPARE(parsed, value);
    }

    void keyReadingRules()
    {
        TestProgramDirectory dir;
        TSettings s = loadFrom(dir, settingsFile("fileovertp=0x2\r\ntextorder=abc\r\nselext1=0\r\nrecursive=7\r\n"
                                                  "sourcecode=\r\npagebreak=1\r\nkeepraw=  '3'  \r\n"));
        QCOMPARE(s.fileovertp, quint8(2));
        QCOMPARE(s.textorder, 0);
        QCOMPARE(s.selext1, false);
        QCOMPARE(s.recursive, true);
        QCOMPARE(s.sourcecode, 0);
        QCOMPARE(s.pagebreak, true);
        QCOMPARE(s.keepraw, 3);

        QCOMPARE(loadFrom(dir, settingsFile("fileovertp=258\r\n")).fileovertp, quint8(2));
        QCOMPARE(loadFrom(dir, settingsFile("fileovertp=-1\r\n")).fileovertp, quint8(255));
        QCOMPARE(loadFrom(dir, settingsFile("fileovertp=256\r\n")).fileovertp, quint8(0));
        // Section and key names match without regard to case; LF line ends are read too.
        s = loadFrom(dir, "[GENERAL]\nSameDir=1\nNOTLOG=1\n");
        QVERIFY(s.samedir);
        QVERIFY(s.notlog);
        // A value in another section is not ours.
        QCOMPARE(loadFrom(dir, "[other]\r\nsamedir=1\r\n").samedir, false);
    }

    void damagedPathValues()
    {
        TestProgramDirectory dir;
        // Not UTF-8: empty text, not the default.
        TSettings s = loadFrom(dir, settingsFile("targetdir=/home/M\xFC" "ller/\r\n"));
        QCOMPARE(s.targetdir, QString());
        QCOMPARE(s.adddir, DocumentsFolder());

        // At most 2047 bytes arrive.
        const QByteArray longAscii(3000, 'a');
        s = loadFrom(dir, settingsFile("adddir=" + longAscii + "\r\n"));
        QCOMPARE(s.adddir, QString(2047, u'a'));
        // A cut inside a character leaves invalid UTF-8, so the value reads as empty.
        const QByteArray cutInside = QByteArray(2046, 'b') + "\xC3\xA9" + "tail";
        QCOMPARE(loadFrom(dir, settingsFile("adddir=" + cutInside + "\r\n")).adddir, QString());
    }

    void garbageFilesGiveDefaults()
    {
        TestProgramDirectory dir;
        QByteArray garbage(64 * 1024, '\0');
        QRandomGenerator random(42);
        for (char &c : garbage)
            c = char(random.bounded(256));
        TSettings s = loadFrom(dir, garbage);
        QCOMPARE(s.selext1, true);
        QCOMPARE(s.targetdir, DocumentsFolder());
        s = loadFrom(dir, QByteArray());
        QCOMPARE(s.fileovertp, quint8(0));
        s = loadFrom(dir, "[general\r\n=1\r\nsamedir\r\n[general]\r\n=\r\n");
        QCOMPARE(s.samedir, false);
        QVERIFY(SaveSettings()); // and a save of such a file still works
        LoadSettings();
        QCOMPARE(Settings.targetdir, DocumentsFolder());
    }

    void foreignLinesAndSectionsSurviveASave()
    {
        TestProgramDirectory dir;
        const QByteArray original = "; written by hand\n[window]\nleft=10\n\n[general]\nsamedir=1\ncustom=keep me\n"
                                    "targetcode=77\n\n[later]\nx=y\n";
        dir.write(QStringLiteral("Ordvane.dat"), original);
        LoadSettings();
        QCOMPARE(Settings.targetcode, 77);
        Settings.samedir = false;
        QVERIFY(SaveSettings());
        const QByteArray saved = dir.read(QStringLiteral("Ordvane.dat"));
        QVERIFY(saved.startsWith("; written by hand\n[window]\nleft=10\n\n[general]\nsamedir=0\ncustom=keep me\ntargetcode=77\n"));
        QVERIFY(saved.endsWith("notlog=0\nocr=1\nocrlang=" + DefaultRecognitionLanguages().toLatin1() + "\n\n[later]\nx=y\n"));
        QVERIFY(!saved.contains('\r')); // the file keeps its own line ends

        // Bytes read as the file that holds them, and are saved to the path given.
        const QString copy = dir.file(QStringLiteral("copy.dat"));
        IniFile fromBytes(copy, original);
        QCOMPARE(fromBytes.value("general", "targetcode"), QByteArray("77"));
        QVERIFY(fromBytes.save());
        QCOMPARE(dir.read(QStringLiteral("copy.dat")), original);
    }

    void failedSaveKeepsTheOldFileAndNamesIt()
    {
        TestProgramDirectory dir;
        const QByteArray original = "[general]\r\nsamedir=1\r\n";
        dir.write(QStringLiteral("Ordvane.dat"), original);
        LoadSettings();
        Settings.samedir = false;

        // A file-size limit makes the write fail part-way, even for root.
        signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit tiny = old;
        tiny.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &tiny);
        const IoResult<void> saved = SaveSettings();
        setrlimit(RLIMIT_FSIZE, &old);

        QVERIFY(!saved);
        QCOMPARE(IniFile::unableToWrite(saved.error()), QStringLiteral("Unable to write to ") + dir.file(QStringLiteral("Ordvane.dat")));
        QCOMPARE(dir.read(QStringLiteral("Ordvane.dat")), original);
        // and no temporary file is left behind
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("Ordvane.dat*")}, QDir::Files), QStringList{QStringLiteral("Ordvane.dat")});
    }

    void unwritableProgramDirectoryKeepsFilesInTheUsersFolders()
    {
        // A program directory nobody may write to (gone, here) sends the files to the
        // user's folders, made on first use; where those cannot be made, saving fails.
        TestProgramDirectory dir;
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME"), oldData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.file(QStringLiteral("config"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.file(QStringLiteral("data"))));
        SetProgramDirectory(dir.path() + QStringLiteral("gone"));
        QCOMPARE(SettingsFilePath(), dir.file(QStringLiteral("config/KV-Ordvane/Ordvane.dat")));
        QCOMPARE(JobFilePath(), dir.file(QStringLiteral("data/KV-Ordvane/Ordvane.job")));
        QVERIFY(QFileInfo(dir.file(QStringLiteral("data/KV-Ordvane"))).isDir());
        QVERIFY(SaveSettings());
        QVERIFY(dir.read(QStringLiteral("config/KV-Ordvane/Ordvane.dat")).contains("[general]"));
        SetProgramDirectory(QStringLiteral("/usr/lib/kv-ordvane")); // a package's, even for root
        QCOMPARE(SettingsFilePath(), dir.file(QStringLiteral("config/KV-Ordvane/Ordvane.dat")));

        dir.write(QStringLiteral("plain"), "a file, not a folder");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.file(QStringLiteral("plain/config"))));
        SetProgramDirectory(dir.path() + QStringLiteral("gone"));
        QVERIFY(!SaveSettings());
        for (const auto &[name, value] : {std::pair{"XDG_CONFIG_HOME", oldConfig}, std::pair{"XDG_DATA_HOME", oldData}})
            value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
