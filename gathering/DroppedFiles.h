#pragma once
// The file names that a drop or the clipboard offers: local files only, in their order, each
// name kept byte for byte (also names that are not UTF-8).
#include <QStringList>

class QMimeData;

namespace DroppedFiles {

// From a drop: the text/uri-list the file manager offers.
QStringList fromDrop(const QMimeData *data);
// From the clipboard after "Copy" in a file manager: GNOME's x-special/gnome-copied-files
// ("copy" or "cut", then one URL a line), or else a text/uri-list.
QStringList fromClipboard(const QMimeData *data);
// The local file paths of a text/uri-list; other URLs are left out.
QStringList localFilesOf(const QByteArray &uriList);

}
