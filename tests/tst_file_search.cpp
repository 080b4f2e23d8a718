// The directory search on real temporary trees: filtering, hidden entries, recursion, the
// depth-first order of the file system, stopping, odd names, link loops and deep trees; and
// Add Dir's search in its worker thread.
#include "gathering/DirectorySearch.h"
#include "gathering/KvFileFind.h"
#include "platform/FileSystem.h"
#include "tests/support/RemoveTree.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

class TestFileSearch : public QObject {
    Q_OBJECT

    QTemporaryDir root;

    QString path(const QString &relative) const { return root.path() + u'/' + relative; }

    void touch(const QString &relative)
    {
        QDir().mkpath(QFileInfo(path(relative)).path());
        QFile file(path(relative));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x");
    }

    // Runs one search; returns every file found as its path below the root.
    QStringList search(const QString &folder, bool recurse, const QString &filter = QStringLiteral("*.pdf|"),
                       TKvFileSearch *with = nullptr)
    {
        TKvFileSearch own;
        TKvFileSearch &s = with ? *with : own;
        QStringList found;
        s.OnFileFind = [&](const QString &fullpath, const TSearchRecW &info) {
            QVERIFY(fullpath.endsWith(u'/'));
            found << (fullpath + info.Name).mid(root.path().size() + 1);
        };
        s.SearchDir = folder;
        s.SearchExts = filter;
        s.RecurseSubFolders = recurse;
        s.Execute();
        return found;
    }

    // The order the file system lists a folder in, depth first, as the search must follow it.
    QStringList listingOrder(const QString &relative)
    {
        QStringList order;
        DIR *dir = opendir(QFile::encodeName(path(relative)).constData());
        while (const dirent *e = readdir(dir)) {
            const QString name = QString::fromUtf8(e->d_name);
            if (name.startsWith(u'.'))
                continue;
            const QString child = relative.isEmpty() ? name : relative + u'/' + name;
            if (QFileInfo(path(child)).isDir())
                order << listingOrder(child);
            else if (name.endsWith(QStringLiteral(".pdf")))
                order << child;
        }
        closedir(dir);
        return order;
    }

private slots:
    void init()
    {
        removeTree(root.path());
        QDir().mkpath(root.path());
    }

    void cleanupTestCase() { removeTree(root.path()); }

    void filterAndHiddenEntries()
    {
        for (const char *name : {"a.pdf", "b.PdF", "c.pdf.bak", "pdf", "d.", "e.txt", ".hidden.pdf", "sub/f.pdf",
                                 ".secret/g.pdf", "sub/.h.pdf"})
            touch(QLatin1String(name));
        QStringList found = search(root.path(), false);
        found.sort();
        QCOMPARE(found, (QStringList{"a.pdf", "b.PdF"}));
        found = search(root.path() + u'/', true); // with and without the trailing separator
        found.sort();
        QCOMPARE(found, (QStringList{"a.pdf", "b.PdF", "sub/f.pdf"}));
        // A name that ends in a dot matches only the pattern of a dot alone.
        QCOMPARE(search(root.path(), false, QStringLiteral("*.|")), QStringList{"d."});
        // The user's patterns are matched like the default one, in any case.
        found = search(root.path(), false, QStringLiteral("*.pdf|*.txt|"));
        QCOMPARE(found.size(), 3);
    }

    void depthFirstInListingOrder()
    {
        for (int i = 0; i < 6; ++i) {
            touch(QStringLiteral("f%1.pdf").arg(i));
            touch(QStringLiteral("d%1/g%1.pdf").arg(i));
            touch(QStringLiteral("d%1/e/h%1.pdf").arg(i));
        }
        QCOMPARE(search(root.path(), true), listingOrder(QString()));
    }

    void foldersThatYieldNothing()
    {
        touch(QStringLiteral("file.pdf"));
        QCOMPARE(search(path(QStringLiteral("missing")), true), QStringList());
        QCOMPARE(search(path(QStringLiteral("file.pdf")), true), QStringList()); // a file, not a folder
        // An empty folder text names no folder: no search of the root, yet the search finishes.
        TKvFileSearch s;
        bool finished = false;
        QStringList folders;
        s.OnFinish = [&] { finished = true; };
        s.OnChangeFolder = [&](const QString &folder) { folders << folder; };
        QCOMPARE(search(QString(), true, QStringLiteral("*.pdf|"), &s), QStringList());
        QVERIFY(finished);
        QVERIFY(folders.isEmpty());
    }

    void stopEndsAtTheNextEntry()
    {
        for (const char *name : {"one/a.pdf", "two/b.pdf", "two/c.pdf", "three/d.pdf"})
            touch(QLatin1String(name));
        TKvFileSearch s;
        s.OnChangeFolder = [&](const QString &folder) {
            if (folder.endsWith(QStringLiteral("/two/")))
                s.Stop();
        };
        QCOMPARE(search(path(QStringLiteral("one")), true, QStringLiteral("*.pdf|"), &s), QStringList{"one/a.pdf"});
        QVERIFY(!s.UserStopped); // a new search clears the flag
        QCOMPARE(search(path(QStringLiteral("two")), true, QStringLiteral("*.pdf|"), &s), QStringList());
        QVERIFY(s.UserStopped);
    }

    void oddNames()
    {
        const QByteArray notUtf8 = QFile::encodeName(root.path()) + "/caf\xE9.pdf";
        FILE *f = fopen(notUtf8.constData(), "w");
        QVERIFY(f);
        fclose(f);
        touch(QStringLiteral("line\nbreak.pdf"));
        touch(QStringLiteral("\u65e5\u672c \"q\" 'x'.pdf"));
        QStringList found = search(root.path(), false);
        QCOMPARE(found.size(), 3);
        // The odd byte survives the trip to the file system and back.
        bool sawRaw = false;
        for (const QString &name : found)
            sawRaw = sawRaw || FileSystem::encodePath(root.path() + u'/' + name) == notUtf8;
        QVERIFY(sawRaw);
    }

    void linksAndLoops()
    {
        touch(QStringLiteral("real/a.pdf"));
        touch(QStringLiteral("outside/b.pdf"));
        QVERIFY(QFile::link(path(QStringLiteral("real")), path(QStringLiteral("real/loop"))));
        QVERIFY(QFile::link(path(QStringLiteral("outside")), path(QStringLiteral("real/elsewhere"))));
        QVERIFY(QFile::link(path(QStringLiteral("nowhere")), path(QStringLiteral("real/broken.pdf"))));
        QVERIFY(QFile::link(path(QStringLiteral("real/a.pdf")), path(QStringLiteral("real/linked.pdf"))));
        QStringList found = search(path(QStringLiteral("real")), true);
        found.sort();
        QCOMPARE(found, (QStringList{"real/a.pdf", "real/elsewhere/b.pdf", "real/linked.pdf"}));
    }

    // Every folder is searched once however many links lead to it; kernel file systems are
    // not entered; pipes and devices named like PDFs are not files to convert.
    void searchesThatEnd()
    {
        for (int i = 0; i < 8; ++i)
            touch(QStringLiteral("web/f%1/doc.pdf").arg(i));
        for (int i = 0; i < 8; ++i)
            for (int j = 0; j < 8; ++j)
                if (i != j)
                    QVERIFY(QFile::link(path(QStringLiteral("web/f%1").arg(j)), path(QStringLiteral("web/f%1/to%2").arg(i).arg(j))));
        QCOMPARE(search(path(QStringLiteral("web")), true).size(), 8);

        QDir().mkpath(path(QStringLiteral("kernel")));
        for (const char *system : {"/proc", "/sys", "/dev"})
            QVERIFY(QFile::link(QString::fromLatin1(system), path(QStringLiteral("kernel/") + QLatin1String(system + 1))));
        QVERIFY(mkfifo(QFile::encodeName(path(QStringLiteral("kernel/pipe.pdf"))).constData(), 0600) == 0);
        QVERIFY(QFile::link(path(QStringLiteral("kernel/pipe.pdf")), path(QStringLiteral("kernel/link.pdf"))));
        QStringList entered;
        TKvFileSearch watched;
        watched.OnChangeFolder = [&](const QString &folder) { entered << folder; };
        QCOMPARE(search(path(QStringLiteral("kernel")), true, QStringLiteral("*.pdf|*.|"), &watched), QStringList());
        QVERIFY(entered.size() <= 4);
        QCOMPARE(search(QStringLiteral("/proc"), true, QStringLiteral("*.pdf|"), &watched), QStringList());
        QVERIFY(FileSystem::isSpecialFile(path(QStringLiteral("kernel/pipe.pdf"))));
    }

    void deepTree()
    {
        QString deep;
        for (int level = 0; level < 200; ++level)
            deep += QStringLiteral("d/");
        touch(deep + QStringLiteral("bottom.pdf"));
        QCOMPARE(search(root.path(), true), QStringList{deep + QStringLiteral("bottom.pdf")});
    }

    void fileFoundErrorsEndTheSearch()
    {
        touch(QStringLiteral("a/x.pdf"));
        touch(QStringLiteral("a/y.pdf"));
        TKvFileSearch s;
        bool finished = false;
        s.OnFinish = [&] { finished = true; };
        s.OnFileFind = [](const QString &, const TSearchRecW &) { throw std::runtime_error("log failed"); };
        s.SearchDir = path(QStringLiteral("a"));
        s.SearchExts = QStringLiteral("*.pdf|");
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, s.Execute());
        QVERIFY(!finished);
    }

    // Everything reaches the owner in the order found, a folder before its files and the end
    // last, also when a callback lets the event loop run; after a stop nothing more is told
    // but the end; a search that goes while under way is stopped and waited for.
    void searchInAWorkerThread()
    {
        for (const char *name : {"w/one/1.pdf", "w/two/2a.pdf", "w/two/2b.pdf", "w/three/3.pdf"})
            touch(QLatin1String(name));
        DirectorySearch s;
        s.SearchExts = QStringLiteral("*.pdf|");
        QStringList told;
        int ends = 0;
        std::function<void(const QString &)> entered = [](const QString &) { QTest::qWait(20); };
        s.OnChangeFolder = [&](const QString &folder) {
            told << folder.mid(root.path().size() + 1);
            entered(folder);
        };
        s.OnFileFind = [&](const QString &folder, const TSearchRecW &info) { told << (folder + info.Name).mid(root.path().size() + 1); };
        s.OnFinish = [&] {
            ++ends;
            told << QStringLiteral("end");
        };
        s.start({path(QStringLiteral("w/one")), QString(), path(QStringLiteral("w/two"))});
        QVERIFY(s.running());
        QTRY_COMPARE(ends, 1);
        QCOMPARE(told, QStringList({"w/one/", "w/one/1.pdf", "w/two/"}) + listingOrder(QStringLiteral("w/two")) + QStringList{"end"});

        told.clear();
        entered = [&](const QString &folder) {
            if (folder.endsWith(QStringLiteral("/two/")))
                s.Stop();
        };
        s.start({path(QStringLiteral("w/one")), path(QStringLiteral("w/two")), path(QStringLiteral("w/three"))});
        QTRY_COMPARE(ends, 2);
        QCOMPARE(told, (QStringList{"w/one/", "w/one/1.pdf", "w/two/", "end"}));
        QVERIFY(s.UserStopped && !s.running());

        bool toldAfterwards = false;
        {
            DirectorySearch gone;
            gone.OnFileFind = [&](const QString &, const TSearchRecW &) { toldAfterwards = true; };
            gone.start({root.path()});
        }
        QTest::qWait(50);
        QVERIFY(!toldAfterwards);
    }
};

QTEST_GUILESS_MAIN(TestFileSearch)
#include "tst_file_search.moc"
