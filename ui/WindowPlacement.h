#pragma once
// The main window's place, size, list columns and sort state between sessions, kept in the
// layout section of the settings file.
#include <QRect>

class JobListModel;
class JobListView;
class QMainWindow;

void StoreWindowLayout(const QMainWindow &window, const JobListView &view, const JobListModel &jobs);
void RestoreWindowLayout(QMainWindow &window, JobListView &view, JobListModel &jobs);
// Where a kept window geometry goes: where it was if a screen shows it, else centred on the
// main screen.
QRect VisibleGeometry(const QRect &wanted);
