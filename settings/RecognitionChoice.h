#pragma once
// The user's choice of recognition languages, checked against the installed data.
#include <QString>

// Recognition languages: "eng", and the locale's language when its data is installed.
QString DefaultRecognitionLanguages();
// Why the "+"-joined language codes cannot be used for recognition, or empty text when
// each is well-formed and installed. With installedOnly false, only the form is checked.
// In the user's language, or in English for the activity log.
QString RecognitionLanguagesProblem(const QString &languages, bool installedOnly = true, bool translated = true);
