#include "settings/Global.h"

#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "tsypdf/RecognitionLanguages.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStandardPaths>
#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

TSettings Settings;
TLayout Layout;

namespace {

QString programDirectory;
QString configDirectory, dataDirectory; // empty until first asked for
constexpr QByteArrayView Section = "general";
constexpr QByteArrayView LayoutSection = "layout";

bool writableDirectory(const QString &directory)
{
    // Under /usr lives what a package put there, never the user's files, even for root.
    if (directory.startsWith(QLatin1String("/usr/")))
        return false;
    return faccessat(AT_FDCWD, FileSystem::encodePath(directory).constData(), W_OK, AT_EACCESS) == 0;
}

QString userFolder(QStandardPaths::StandardLocation location)
{
    const QString base = QStandardPaths::writableLocation(location);
    if (base.isEmpty())
        return {};
    const QString folder = base + QStringLiteral("/KV-Ordvane/");
    FileSystem::makeDirectories(folder.chopped(1)); // a failure shows when a file is written there
    return folder;
}

void locateKeptFiles()
{
    if (!dataDirectory.isEmpty())
        return;
    const QString program = ProgramDirectory();
    if (writableDirectory(program)) {
        configDirectory = dataDirectory = program;
        return;
    }
    configDirectory = userFolder(QStandardPaths::GenericConfigLocation);
    dataDirectory = userFolder(QStandardPaths::GenericDataLocation);
    // Without a home there is nowhere else to try; writing then fails with its reason.
    if (configDirectory.isEmpty())
        configDirectory = program;
    if (dataDirectory.isEmpty())
        dataDirectory = program;
}

QString withTrailingSeparator(QString path)
{
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

class SettingsReader {
public:
    explicit SettingsReader(const QString &path) : file(path) {}

    bool boolean(QByteArrayView key, bool fallback) const { return boolean(Section, key, fallback); }
    bool boolean(QByteArrayView section, QByteArrayView key, bool fallback) const
    {
        return integer(section, key, fallback ? 1 : 0) != 0;
    }

    qint32 integer(QByteArrayView key, qint32 fallback) const { return integer(Section, key, fallback); }
    qint32 integer(QByteArrayView section, QByteArrayView key, qint32 fallback) const
    {
        const auto text = file.value(section, key);
        qint32 value = 0;
        return text && ParseInteger(QString::fromLatin1(*text), value) ? value : fallback;
    }

    // A path the file holds as UTF-8; one that is not valid UTF-8 reads as empty text.
    QString path(QByteArrayView key) const
    {
        const auto text = file.value(Section, key);
        if (!text)
            return DocumentsFolder();
        return QByteArrayView(*text).isValidUtf8() ? QString::fromUtf8(*text) : QString();
    }

    QByteArray bytes(QByteArrayView key) const { return bytes(Section, key); }
    QByteArray bytes(QByteArrayView section, QByteArrayView key) const { return file.value(section, key).value_or(QByteArray()); }

private:
    IniFile file;
};

} // namespace

QString ProgramDirectory()
{
    if (programDirectory.isEmpty())
        programDirectory = withTrailingSeparator(QCoreApplication::applicationDirPath());
    return programDirectory;
}

void SetProgramDirectory(const QString &directory)
{
    programDirectory = withTrailingSeparator(directory);
    configDirectory.clear();
    dataDirectory.clear();
}

QString ConfigDirectory()
{
    locateKeptFiles();
    return configDirectory;
}

QString DataDirectory()
{
    locateKeptFiles();
    return dataDirectory;
}

QString SettingsFilePath()
{
    return ConfigDirectory() + QStringLiteral("Ordvane.dat");
}

QString JobFilePath()
{
    return DataDirectory() + QStringLiteral("Ordvane.job");
}

QString DocumentsFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder.isEmpty() ? QStringLiteral("/") : withTrailingSeparator(folder);
}

QString DefaultRecognitionLanguages()
{
    // Tesseract names its data by ISO 639-2/T codes; Chinese by script.
    const QLocale locale = QLocale::system();
    QString code = QLocale::languageToCode(locale.language(), QLocale::ISO639Part2T);
    if (locale.language() == QLocale::Chinese)
        code = locale.script() == QLocale::TraditionalChineseScript ? QStringLiteral("chi_tra") : QStringLiteral("chi_sim");
    const std::vector<std::string> installed = RecognitionLanguages::installed();
    if (code.isEmpty() || code == QLatin1String("eng")
        || std::find(installed.begin(), installed.end(), code.toStdString()) == installed.end())
        return QStringLiteral("eng");
    return QStringLiteral("eng+") + code;
}

QString RecognitionLanguagesProblem(const QString &languages, bool installedOnly)
{
    const QStringList codes = languages.split(u'+');
    if (languages.isEmpty())
        return installedOnly ? QStringLiteral("Enter at least one recognition language, such as eng.") : QString();
    const std::vector<std::string> installed = RecognitionLanguages::installed();
    for (const QString &code : codes) {
        const bool wellFormed = !code.isEmpty() && std::all_of(code.begin(), code.end(), [](QChar c) {
            return c.unicode() < 128 && (c.isLetterOrNumber() || c == u'_' || c == u'-');
        });
        if (!wellFormed)
            return QStringLiteral("\"%1\" is not a list of language codes; join codes with \"+\", as in eng+deu.").arg(languages);
        if (installedOnly && std::find(installed.begin(), installed.end(), code.toStdString()) == installed.end()) {
            QStringList present;
            for (const std::string &name : installed)
                present << QString::fromStdString(name);
            return QStringLiteral("The language data for \"%1\" is not installed, so its text cannot be recognised.\n"
                                  "Installed: %2.")
                .arg(code, present.isEmpty() ? QStringLiteral("none") : present.join(QStringLiteral(", ")));
        }
    }
    return {};
}

bool ParseInteger(QStringView text, qint32 &value)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    int base = 10;
    if (text.mid(i).startsWith(u"0x", Qt::CaseInsensitive))
        base = 16, i += 2;
    else if (i < text.size() && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X'))
        base = 16, i += 1;
    if (i >= text.size())
        return false;
    quint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = base == 16 ? hexDigit(text[i]) : (text[i].isDigit() && text[i].unicode() < 128 ? text[i].unicode() - '0' : -1);
        if (digit < 0)
            return false;
        magnitude = magnitude * quint64(base) + quint64(digit);
        if (magnitude > 0xFFFFFFFFull)
            return false;
    }
    if (base == 16) {
        // Hexadecimal spells the 32 bits themselves: $FFFFFFFF is -1.
        const qint32 bits = qint32(quint32(magnitude));
        value = negative ? qint32(0u - quint32(bits)) : bits;
        return true;
    }
    if (magnitude > (negative ? 0x80000000ull : 0x7FFFFFFFull))
        return false;
    value = negative ? qint32(-qint64(magnitude)) : qint32(magnitude);
    return true;
}

void LoadSettings()
{
    const SettingsReader file(SettingsFilePath());
    Settings.samedir = file.boolean("samedir", false);
    Settings.targetdir = file.path("targetdir");
    Settings.adddir = file.path("adddir");
    Settings.fileovertp = quint8(file.integer("fileovertp", 0) & 0xFF);
    Settings.sourcecode = file.integer("sourcecode", 0);
    Settings.targetcode = file.integer("targetcode", 0);
    Settings.userfileext1 = file.bytes("userfileext1");
    Settings.selext1 = file.boolean("selext1", true);
    Settings.recursive = file.boolean("recursive", false);
    Settings.pagebreak = file.boolean("pagebreak", false);
    Settings.textorder = file.integer("textorder", 0);
    Settings.keepraw = file.integer("keepraw", 0);
    Settings.notlog = file.boolean("notlog", false);
    Settings.ocr = file.boolean("ocr", true);
    const QByteArray languages = file.bytes("ocrlang");
    Settings.ocrlang = languages.isEmpty() ? DefaultRecognitionLanguages() : QString::fromLatin1(languages);
    BuildExtensionLookup();

    Layout = TLayout();
    Layout.left = file.integer(LayoutSection, "left", 0);
    Layout.top = file.integer(LayoutSection, "top", 0);
    Layout.width = std::max(file.integer(LayoutSection, "width", 0), 0);
    Layout.height = std::max(file.integer(LayoutSection, "height", 0), 0);
    Layout.maximized = file.boolean(LayoutSection, "maximized", false);
    for (const QByteArray &width : file.bytes(LayoutSection, "columns").split(',')) {
        qint32 value = -1;
        Layout.columns << (ParseInteger(QString::fromLatin1(width), value) && value > 0 ? value : -1);
    }
    Layout.sortcolumn = file.integer(LayoutSection, "sortcolumn", -1);
    Layout.sortascending = file.boolean(LayoutSection, "sortascending", true);
}

void SaveSettings()
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
    if (Layout.width > 0) {
        file.setValue(LayoutSection, "left", QByteArray::number(Layout.left));
        file.setValue(LayoutSection, "top", QByteArray::number(Layout.top));
        file.setValue(LayoutSection, "width", QByteArray::number(Layout.width));
        file.setValue(LayoutSection, "height", QByteArray::number(Layout.height));
        file.setValue(LayoutSection, "maximized", boolean(Layout.maximized));
        QByteArrayList columns;
        for (int width : std::as_const(Layout.columns))
            columns << QByteArray::number(width);
        file.setValue(LayoutSection, "columns", columns.join(','));
        file.setValue(LayoutSection, "sortcolumn", QByteArray::number(Layout.sortcolumn));
        file.setValue(LayoutSection, "sortascending", boolean(Layout.sortascending));
    }
    file.save();
}
