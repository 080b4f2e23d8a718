// File names from drops and the clipboard: local files only, byte for byte, in order.
#include "gathering/DroppedFiles.h"
#include "platform/FileSystem.h"

#include <QMimeData>
#include <QTest>

class TestDroppedFiles : public QObject {
    Q_OBJECT

private slots:
    void uriLists()
    {
        const QByteArray list = "# a comment\r\n"
                                "file:///home/a%20b/report.pdf\r\n"
                                "file://localhost/srv/x.pdf\r\n"
                                "http://example.com/remote.pdf\r\n"
                                "file://otherhost/share/y.pdf\r\n"
                                "sftp://host/z.pdf\r\n"
                                "\r\n"
                                "file:///tmp/caf%E9.pdf\r\n"
                                "file:///tmp/new%0Aline.pdf\n";
        const QStringList files = DroppedFiles::localFilesOf(list);
        QCOMPARE(files.size(), 4);
        QCOMPARE(files[0], QStringLiteral("/home/a b/report.pdf"));
        QCOMPARE(files[1], QStringLiteral("/srv/x.pdf"));
        QCOMPARE(FileSystem::encodePath(files[2]), QByteArray("/tmp/caf\xE9.pdf")); // not UTF-8, kept
        QCOMPARE(files[3], QStringLiteral("/tmp/new\nline.pdf"));
        QCOMPARE(DroppedFiles::localFilesOf(QByteArray()), QStringList());
    }

    void dropsAndClipboard()
    {
        QMimeData drop;
        drop.setData(QStringLiteral("text/uri-list"), "file:///a.pdf\r\nfile:///b\r\n");
        QCOMPARE(DroppedFiles::fromDrop(&drop), (QStringList{"/a.pdf", "/b"}));
        QCOMPARE(DroppedFiles::fromClipboard(&drop), (QStringList{"/a.pdf", "/b"}));

        QMimeData gnome;
        gnome.setData(QStringLiteral("x-special/gnome-copied-files"), "copy\nfile:///c.pdf\nfile:///d.pdf");
        QCOMPARE(DroppedFiles::fromClipboard(&gnome), (QStringList{"/c.pdf", "/d.pdf"}));
        gnome.setData(QStringLiteral("x-special/gnome-copied-files"), "cut\nfile:///e.pdf\n");
        QCOMPARE(DroppedFiles::fromClipboard(&gnome), QStringList{"/e.pdf"});

        QMimeData text;
        text.setText(QStringLiteral("/not/a/file/list.pdf"));
        QCOMPARE(DroppedFiles::fromClipboard(&text), QStringList());
        QCOMPARE(DroppedFiles::fromDrop(nullptr), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestDroppedFiles)
#include "tst_dropped_files.moc"
