#pragma once
// The main window's layout, kept in a section of its own in the settings file. A width of
// 0 means none was kept; column widths and the sort state are -1 when not kept.
#include <QList>

class IniFile;
class SettingsReader;

struct TLayout {
    int left = 0, top = 0, width = 0, height = 0;
    bool maximized = false;
    QList<int> columns;
    int sortcolumn = -1;
    bool sortascending = true;
};

extern TLayout Layout;

void LoadLayout(const SettingsReader &file);
// Writes nothing while no layout was ever kept.
void StoreLayout(IniFile &file);
