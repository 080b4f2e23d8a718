#pragma once
// The desktop's stand-ins for opening files: the default application, the file manager and
// the help pages, and the activation token a compositor asks for before it lets a window
// come to the front.
#include <QString>
#include <QUrl>
#include <functional>

namespace Desktop {

// Opens the file with the program the desktop associates with it; false when no program
// could be started for it.
bool openWithDefaultProgram(const QString &path);
// Shows the file in the file manager, selected, when it exists; otherwise opens its folder.
// The file manager may answer later: failed is called then when neither could be done.
void showInFileManager(const QString &path, const std::function<void()> &failed);
// Opens a page of the help folder Ordvane.help in the program directory, if it is there, in
// the program's language where the page has a copy in it.
void openHelpTopic(const QString &topic);

// The compositor's activation token this process was started with, taken out of its
// environment, so it goes to the window it is handed to and to nothing this process starts.
QByteArray takeActivationToken();
// Lets the next activation of a window use the token another process or the notification
// service handed over; Qt's Wayland shell reads it from the environment when a window asks
// to be activated. An empty token changes nothing.
void useActivationToken(const QByteArray &token);

// A file URL that keeps every byte of the name, also bytes that are not UTF-8.
QUrl fileUrl(const QString &path);

}
