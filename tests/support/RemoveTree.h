#pragma once
// Removes a folder with everything in it, names that are not UTF-8 included (QDir cannot).
#include <QFile>
#include <ftw.h>
#include <stdio.h>

inline void removeTree(const QString &path)
{
    nftw(QFile::encodeName(path).constData(),
         [](const char *name, const struct stat *, int, FTW *) { return ::remove(name); }, 16, FTW_DEPTH | FTW_PHYS);
}
