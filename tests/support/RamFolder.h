#pragma once
// A folder on ramfs, a file system that keeps no extended attributes, as FAT and some network
// file systems keep none. Mounting needs CAP_SYS_ADMIN; where the test may not, mounted() is
// false and the test is skipped.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <sys/mount.h>

class RamFolder {
public:
    explicit RamFolder(const QString &path) : path(QFile::encodeName(path))
    {
        QDir().mkpath(path);
        isMounted = mount("ramfs", this->path.constData(), "ramfs", 0, "mode=0777") == 0;
    }
    ~RamFolder()
    {
        if (isMounted)
            umount2(path.constData(), MNT_DETACH);
    }
    RamFolder(const RamFolder &) = delete;
    RamFolder &operator=(const RamFolder &) = delete;

    bool mounted() const { return isMounted; }

private:
    QByteArray path;
    bool isMounted = false;
};
