#include "platform/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace Translations {

namespace {

// The program's own are built in (":/i18n"); Qt's come with Qt's translation package.
std::unique_ptr<QTranslator> program, qtOwn;
QString installedLanguage;

std::unique_ptr<QTranslator> loaded(const QLocale &locale, const QString &name, const QString &folder)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, name, QStringLiteral("_"), folder))
        return nullptr;
    QCoreApplication::installTranslator(translator.get());
    return translator;
}

} // namespace

void install(const QLocale &locale)
{
    program.reset();
    qtOwn.reset();
    installedLanguage.clear();
    // English is the source language: only its plural forms are translated, and they show
    // wherever no other translation does.
    if (locale.language() != QLocale::C && locale.language() != QLocale::English)
        program = loaded(locale, QStringLiteral("ordvane"), QStringLiteral(":/i18n"));
    if (!program) {
        program = std::make_unique<QTranslator>();
        if (program->load(QStringLiteral(":/i18n/ordvane_en.qm")))
            QCoreApplication::installTranslator(program.get());
        return;
    }
    installedLanguage = program->language().section(u'_', 0, 0);
    qtOwn = loaded(locale, QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

QString language()
{
    return installedLanguage;
}

}
