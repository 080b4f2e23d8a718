#include "settings/RecognitionChoice.h"

#include "base/RecognitionLanguages.h"
#include "platform/Translations.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>
#include <algorithm>

QString DefaultRecognitionLanguages()
{
    // The language the program speaks, else the first the user asks for (LANGUAGE, LC_MESSAGES);
    // Tesseract names its data by ISO 639-2/T codes, Chinese by script.
    const QString speaking = Translations::language();
    const QLocale locale(!speaking.isEmpty() ? speaking : QLocale::system().uiLanguages().value(0, QStringLiteral("C")));
    QString code = QLocale::languageToCode(locale.language(), QLocale::ISO639Part2T);
    if (locale.language() == QLocale::Chinese)
        code = locale.script() == QLocale::TraditionalChineseScript ? QStringLiteral("chi_tra") : QStringLiteral("chi_sim");
    const std::vector<std::string> installed = RecognitionLanguages::installed();
    if (code.isEmpty() || code == QLatin1String("eng")
        || std::find(installed.begin(), installed.end(), code.toStdString()) == installed.end())
        return QStringLiteral("eng");
    return QStringLiteral("eng+") + code;
}

QString RecognitionLanguagesProblem(const QString &languages, bool installedOnly, bool translated)
{
    const auto text = [translated](const char *english) {
        return translated ? QCoreApplication::translate("RecognitionChoice", english) : QString::fromLatin1(english);
    };
    const QStringList codes = languages.split(u'+');
    if (languages.isEmpty())
        return installedOnly ? text(QT_TRANSLATE_NOOP("RecognitionChoice", "Enter at least one recognition language, such as eng.")) : QString();
    const std::vector<std::string> installed = RecognitionLanguages::installed();
    for (const QString &code : codes) {
        const bool wellFormed = !code.isEmpty() && std::all_of(code.begin(), code.end(), [](QChar c) {
            return c.unicode() < 128 && (c.isLetterOrNumber() || c == u'_' || c == u'-');
        });
        if (!wellFormed)
            return text(QT_TRANSLATE_NOOP("RecognitionChoice", "\"%1\" is not a list of language codes; join codes with \"+\", as in eng+deu.")).arg(languages);
        if (installedOnly && std::find(installed.begin(), installed.end(), code.toStdString()) == installed.end()) {
            QStringList present;
            for (const std::string &name : installed)
                present << QString::fromStdString(name);
            return text(QT_TRANSLATE_NOOP("RecognitionChoice",
                                          "The language data for \"%1\" is not installed, so text in that language "
                                          "cannot be recognised; the package %2 holds it.\nInstalled: %3."))
                .arg(code, QString::fromStdString(RecognitionLanguages::packageForLanguage(code.toStdString())),
                     present.isEmpty() ? text(QT_TRANSLATE_NOOP("RecognitionChoice", "none")) : present.join(QStringLiteral(", ")));
        }
    }
    return {};
}
