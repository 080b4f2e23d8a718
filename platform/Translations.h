#pragma once
// The program speaks the user's language where a translation is built in; the English
// source texts are what every other locale sees.
#include <QLocale>
#include <QString>

namespace Translations {

// Puts the program's translation for the locale in place, with Qt's own for its standard
// buttons and dialogs; a second call replaces the first. Texts made before keep their words.
void install(const QLocale &locale = QLocale::system());

// The language of the translation in place ("de", "fr" ...), empty when the English texts show.
QString language();

}
