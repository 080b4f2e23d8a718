// The settings file reader on any bytes: the INI text, the typed reading of its values and
// the window layout. A value written into what was read must read back as written.
#include "platform/IniFile.h"
#include "settings/SettingsFile.h"
#include "settings/WindowLayout.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void require(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "settings file: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    IniFile file(QString(), bytes);

    const SettingsReader reader(file);
    LoadLayout(reader);
    for (const QByteArrayView key : {"samedir", "targetdir", "fileovertp", "sourcecode", "userfileext1", "ocrlang"}) {
        reader.boolean("general", key, true);
        reader.integer("general", key, -1);
        reader.path("general", key, QString());
        require(reader.bytes("general", key).size() <= IniFile::MaxValueBytes, "a value longer than the limit");
    }

    // The input's first line, as a value and as the name of its section and key.
    QByteArrayView value = bytes.first(std::min(bytes.size(), IniFile::MaxValueBytes));
    const qsizetype lineBreak = std::min(value.indexOf('\r') < 0 ? value.size() : value.indexOf('\r'),
                                         value.indexOf('\n') < 0 ? value.size() : value.indexOf('\n'));
    value = value.first(lineBreak);
    file.setValue("fuzz", "value", value);
    require(file.value("fuzz", "value") == value.toByteArray(), "a value reads back changed");
    return 0;
}
