#include "settings/Settings.h"

#include "platform/ProgramFolders.h"
#include "settings/DocumentTypes.h"
#include "settings/RecognitionChoice.h"
#include "settings/SettingsFile.h"
#include "settings/WindowLayout.h"

TSettings Settings;

namespace {
constexpr QByteArrayView Section = "general";
}

void LoadSettings()
{
    const SettingsReader file(SettingsFilePath());
    auto boolean = [&](QByteArrayView key, bool fallback) { return file.boolean(Section, key, fallback); };
    auto integer = [&](QByteArrayView key, qint32 fallback) { return file.integer(Section, key, fallback); };
    Settings.samedir = boolean("samedir", false);
    Settings.targetdir = file.path(Section, "targetdir", DocumentsFolder());
    Settings.adddir = file.path(Section, "adddir", DocumentsFolder());
    Settings.fileovertp = quint8(integer("fileovertp", 0) & 0xFF);
    Settings.sourcecode = integer("sourcecode", 0);
    Settings.targetcode = integer("targetcode", 0);
    Settings.userfileext1 = file.bytes(Section, "userfileext1");
    Settings.selext1 = boolean("selext1", true);
    Settings.recursive = boolean("recursive", false);
    Settings.pagebreak = boolean("pagebreak", false);
    Settings.textorder = integer("textorder", 0);
    Settings.keepraw = integer("keepraw", 0);
    Settings.notlog = boolean("notlog", false);
    Settings.ocr = boolean("ocr", true);
    const QByteArray languages = file.bytes(Section, "ocrlang");
    Settings.ocrlang = languages.isEmpty() ? DefaultRecognitionLanguages() : QString::fromLatin1(languages);
    LoadLayout(file);
}

IoResult<void> SaveSettings()
{
    // Read afresh, so that what others wrote into the file since start-up is kept.
    IniFile file(SettingsFilePath());
    auto boolean = [](bool value) { return QByteArray(value ? "1" : "0"); };
    file.setValue(Section, "samedir", boolean(Settings.samedir));
    file.setValue(Section, "targetdir", Settings.targetdir.toUtf8());
    file.setValue(Section, "adddir", Settings.adddir.toUtf8());
    file.setValue(Section, "fileovertp", QByteArray::number(Settings.fileovertp));
    file.setValue(Section, "sourcecode", QByteArray::number(Settings.sourcecode));
    file.setValue(Section, "targetcode", QByteArray::number(Settings.targetcode));
    file.setValue(Section, "userfileext1", Settings.userfileext1);
    file.setValue(Section, "selext1", boolean(Settings.selext1));
    file.setValue(Section, "recursive", boolean(Settings.recursive));
    file.setValue(Section, "pagebreak", boolean(Settings.pagebreak));
    file.setValue(Section, "textorder", QByteArray::number(Settings.textorder));
    file.setValue(Section, "keepraw", QByteArray::number(Settings.keepraw));
    file.setValue(Section, "notlog", boolean(Settings.notlog));
    file.setValue(Section, "ocr", boolean(Settings.ocr));
    file.setValue(Section, "ocrlang", Settings.ocrlang.toLatin1());
    StoreLayout(file);
    return file.save();
}
