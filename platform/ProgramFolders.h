#pragma once
// Where the program's own files live: the program directory (the converter library, its
// helper and the help pages sit beside the program), and the folders of the settings file,
// the job file and the log.
#include <QString>

// The folder of the running program, ending in "/". Fixed at start-up; tests set their own.
QString ProgramDirectory();
void SetProgramDirectory(const QString &directory);
// Where the settings, the job file and the log are kept: the program directory when the user
// may write there (a build folder, a portable copy), otherwise the user's own folders
// ($XDG_CONFIG_HOME/KV-Ordvane/ for the settings, $XDG_DATA_HOME/KV-Ordvane/ for the job
// file and the log), made on first use. Both end in "/".
QString ConfigDirectory();
QString DataDirectory();
QString SettingsFilePath();
QString JobFilePath();
// The user's documents folder ending in "/", or "/" when there is none.
QString DocumentsFolder();
