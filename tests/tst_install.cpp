// cmake --install into a temporary prefix, then the installed program as an ordinary user
// whose home is a temporary folder: --version and --help without a display, a conversion
// through the installed converter library and helper, and a start with a file and SIGTERM
// that keeps every file under that home and writes nothing into the prefix.
#include "tests/support/PdfMaker.h"
#include "tests/support/RemoveTree.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <unistd.h>

class TestInstall : public QObject {
    Q_OBJECT

    QTemporaryDir root;
    QString prefix, home;

    QStringList treeOf(const QString &folder) const
    {
        QStringList names;
        QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext())
            names << it.next().mid(folder.size());
        names.sort();
        return names;
    }

    // A process as the ordinary user: as root, the test drops to nobody.
    QProcess *asUser(const QString &program, const QStringList &arguments, bool display)
    {
        auto *process = new QProcess(this);
        QProcessEnvironment env;
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        if (display)
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process->setProcessEnvironment(env);
        process->setWorkingDirectory(home);
        if (geteuid() == 0)
            process->start(QStringLiteral("setpriv"), QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", "--", program} + arguments);
        else
            process->start(program, arguments);
        return process;
    }

    QString programDirectory() const { return prefix + QStringLiteral("/lib/kv-ordvane"); }

    static bool finishedWell(QProcess *process)
    {
        return process->waitForFinished(30000) && process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(root.isValid());
        prefix = root.path() + QStringLiteral("/prefix");
        home = root.path() + QStringLiteral("/home");
        QVERIFY(QDir().mkpath(home));
        QProcess install;
        install.setProcessChannelMode(QProcess::ForwardedChannels);
        install.start(QStringLiteral(ORDVANE_CMAKE), {"--install", ORDVANE_BUILD_DIR, "--prefix", prefix});
        QVERIFY(finishedWell(&install));
        // Installed programs are not the user's to change, root or not.
        QVERIFY(QFile::setPermissions(programDirectory(), QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                                                              | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther));
        if (geteuid() == 0) { // the ordinary user reads the prefix and owns the home
            QVERIFY(QFile::setPermissions(root.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                                          | QFileDevice::ReadOther | QFileDevice::ExeOther));
            QVERIFY(chown(QFile::encodeName(home).constData(), 65534, 65534) == 0);
        }
    }

    void cleanupTestCase()
    {
        QFile::setPermissions(programDirectory(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        removeTree(root.path());
    }

    void layout()
    {
        const QString id = QStringLiteral(ORDVANE_DESKTOP_ID);
        QCOMPARE(QFile::symLinkTarget(prefix + QStringLiteral("/bin/ordvane")), prefix + QStringLiteral("/lib/kv-ordvane/ordvane"));
        for (const QString &file : {QStringLiteral("lib/kv-ordvane/tsypdf.so"), QStringLiteral("lib/kv-ordvane/tsypdf-worker"),
                                    QStringLiteral("lib/kv-ordvane/Ordvane.help/index.html"),
                                    QStringLiteral("lib/kv-ordvane/Ordvane.help/Options.htm"),
                                    QStringLiteral("share/man/man1/ordvane.1.gz"), QStringLiteral("share/man/man1/ordvane-batch.1.gz"),
                                    QStringLiteral("lib/systemd/user/ordvane-watch@.service"),
                                    QStringLiteral("share/icons/hicolor/scalable/apps/") + id + QStringLiteral(".svg")})
            QVERIFY2(QFile::exists(prefix + u'/' + file), qPrintable(file));
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QImage icon(prefix + QStringLiteral("/share/icons/hicolor/%1x%1/apps/").arg(size) + id + QStringLiteral(".png"));
            QCOMPARE(icon.size(), QSize(size, size));
        }

        const QString desktop = prefix + QStringLiteral("/share/applications/") + id + QStringLiteral(".desktop");
        const QString metainfo = prefix + QStringLiteral("/share/metainfo/") + id + QStringLiteral(".metainfo.xml");
        QFile entry(desktop);
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QByteArray entryText = entry.readAll();
        QVERIFY(entryText.contains("\nExec=ordvane %F\n") && entryText.contains("\nMimeType=application/pdf;\n"));
        QProcess validate;
        validate.setProcessChannelMode(QProcess::ForwardedChannels);
        validate.start(QStringLiteral("desktop-file-validate"), {desktop});
        QVERIFY2(finishedWell(&validate), "desktop-file-validate (Debian: desktop-file-utils)");
        validate.start(QStringLiteral("appstreamcli"), {"validate", "--no-net", metainfo});
        QVERIFY2(finishedWell(&validate), "appstreamcli validate (Debian: appstream)");

        // Software centres show all of it in each language of the program.
        QFile about(metainfo);
        QVERIFY(about.open(QIODevice::ReadOnly));
        const QString aboutText = QString::fromUtf8(about.readAll());
        const auto count = [&](const QString &element) { return aboutText.count(element); };
        for (const char *language : {"de", "fr", "es", "ja"}) {
            const QString lang = QStringLiteral(" xml:lang=\"%1\">").arg(QLatin1String(language));
            for (const char *element : {"name", "summary", "p", "li", "caption"})
                QVERIFY2(count(u'<' + QLatin1String(element) + lang) == count(u'<' + QLatin1String(element) + u'>'), qPrintable(element + lang));
        }
    }

    void versionAndHelpNeedNoDisplay()
    {
        const QString program = prefix + QStringLiteral("/bin/ordvane");
        QProcess *version = asUser(program, {"--version"}, false);
        QVERIFY(finishedWell(version));
        QCOMPARE(version->readAllStandardOutput().trimmed(), QByteArray("KV-Ordvane 3.0"));
        QProcess *help = asUser(program, {"--help"}, false);
        QVERIFY(finishedWell(help));
        const QByteArray text = help->readAllStandardOutput();
        QVERIFY(text.contains("Usage:") && text.contains("[FILE...]"));
        QProcess *wrong = asUser(program, {"--no-such-option"}, false);
        QVERIFY(wrong->waitForFinished(30000));
        QCOMPARE(wrong->exitCode(), 1);
        QVERIFY(wrong->readAllStandardError().contains("no-such-option"));
    }

    // The installed ordvane-batch converts through the installed library and helper, and keeps
    // its log in the user's folders.
    void convertsThroughTheInstalledLibrary()
    {
        const QString source = home + QStringLiteral("/report.pdf");
        QVERIFY(testpdf::writeFile(QFile::encodeName(source).toStdString(), testpdf::makePdf({testpdf::linesPage({"installed hello"})})));
        QProcess *convert = asUser(prefix + QStringLiteral("/bin/ordvane-batch"), {"--same-dir", "--code-page", "65001", source}, false);
        QVERIFY(finishedWell(convert));
        QVERIFY(QFile::exists(home + QStringLiteral("/.local/share/KV-Ordvane/ordvnact.log")));
        QFile text(home + QStringLiteral("/report.txt"));
        QVERIFY(text.open(QIODevice::ReadOnly));
        QVERIFY(text.readAll().contains("installed hello"));
    }

    void keepsItsFilesInTheUsersFolders()
    {
        const QStringList installed = treeOf(prefix);
        const QString source = home + QStringLiteral("/a.pdf");
        QVERIFY(testpdf::writeFile(QFile::encodeName(source).toStdString(), testpdf::makePdf({testpdf::linesPage({"a"})})));
        if (geteuid() == 0)
            QVERIFY(chown(QFile::encodeName(source).constData(), 65534, 65534) == 0);
        QProcess *program = asUser(prefix + QStringLiteral("/bin/ordvane"), {"a.pdf", "notes.txt"}, true);
        QVERIFY(program->waitForStarted());
        const QString data = home + QStringLiteral("/.local/share/KV-Ordvane/");
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(data + QStringLiteral("Ordvane.job")).size() > 5, 15000);
        // Started through bin/ordvane, it found its converter library beside its real file.
        QFile maps(QStringLiteral("/proc/%1/maps").arg(program->processId()));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        QVERIFY(maps.readAll().contains(QFile::encodeName(programDirectory() + QStringLiteral("/tsypdf.so"))));
        QVERIFY(program->processId() > 0);
        ::kill(pid_t(program->processId()), SIGTERM);
        QVERIFY(finishedWell(program));

        QVERIFY(QFile::exists(home + QStringLiteral("/.config/KV-Ordvane/Ordvane.dat")));
        QVERIFY(QFile::exists(data + QStringLiteral("ordvnact.log")));
        QFile job(data + QStringLiteral("Ordvane.job"));
        QVERIFY(job.open(QIODevice::ReadOnly));
        const QByteArray bytes = job.readAll();
        QVERIFY(bytes.startsWith("LFW\x01\x00"));
        QVERIFY(bytes.contains(QByteArray::fromRawData(reinterpret_cast<const char *>(source.utf16()), source.size() * 2)));
        QCOMPARE(treeOf(prefix), installed);
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
