#pragma once
// The desktop's stand-ins for opening files: the default application, the file manager and
// the help pages. They report nothing; what the desktop shows is all the user sees.
#include <QString>
#include <QUrl>

namespace Desktop {

// Opens the file with the program the desktop associates with it.
void openWithDefaultProgram(const QString &path);
// Shows the file in the file manager, selected, when it exists; otherwise opens its folder.
void showInFileManager(const QString &path);
// Opens a page of the help folder Ordvane.help in the program directory, if it is there.
void openHelpTopic(const QString &topic);

// A file URL that keeps every byte of the name, also bytes that are not UTF-8.
QUrl fileUrl(const QString &path);

}
