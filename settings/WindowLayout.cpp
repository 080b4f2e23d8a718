#include "settings/WindowLayout.h"

#include "settings/SettingsFile.h"

#include <algorithm>

TLayout Layout;

namespace {
constexpr QByteArrayView Section = "layout";
}

void LoadLayout(const SettingsReader &file)
{
    Layout = TLayout();
    Layout.left = file.integer(Section, "left", 0);
    Layout.top = file.integer(Section, "top", 0);
    Layout.width = std::max(file.integer(Section, "width", 0), 0);
    Layout.height = std::max(file.integer(Section, "height", 0), 0);
    Layout.maximized = file.boolean(Section, "maximized", false);
    for (const QByteArray &width : file.bytes(Section, "columns").split(',')) {
        qint32 value = -1;
        Layout.columns << (ParseInteger(QString::fromLatin1(width), value) && value > 0 ? value : -1);
    }
    Layout.sortcolumn = file.integer(Section, "sortcolumn", -1);
    Layout.sortascending = file.boolean(Section, "sortascending", true);
}

void StoreLayout(IniFile &file)
{
    if (Layout.width <= 0)
        return;
    auto boolean = [](bool value) { return QByteArray(value ? "1" : "0"); };
    file.setValue(Section, "left", QByteArray::number(Layout.left));
    file.setValue(Section, "top", QByteArray::number(Layout.top));
    file.setValue(Section, "width", QByteArray::number(Layout.width));
    file.setValue(Section, "height", QByteArray::number(Layout.height));
    file.setValue(Section, "maximized", boolean(Layout.maximized));
    QByteArrayList columns;
    for (int width : std::as_const(Layout.columns))
        columns << QByteArray::number(width);
    file.setValue(Section, "columns", columns.join(','));
    file.setValue(Section, "sortcolumn", QByteArray::number(Layout.sortcolumn));
    file.setValue(Section, "sortascending", boolean(Layout.sortascending));
}
