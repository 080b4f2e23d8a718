#pragma once
// The one code-page converter of the program: UTF-16 text to and from the 8-bit encodings
// named by Windows code-page numbers, through glibc iconv. Code page 0 is the system code
// page, the character set of the C library locale.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace CodePage {

constexpr int System = 0;
constexpr int Utf16LE = 1200;
constexpr int Utf8 = 65001;

// Characters the code page cannot hold become '?'. A code page without a converter gives
// an empty result and ok false.
QByteArray fromUnicode(QStringView text, int codePage, bool *ok = nullptr);
// Bytes that are not valid in the code page become U+FFFD.
QString toUnicode(QByteArrayView bytes, int codePage, bool *ok = nullptr);

// Whether text can be written in the code page: false for a number that names no code
// page this system can convert to.
bool hasConverter(int codePage);

// The character set of the locale, as nl_langinfo reports it ("UTF-8", "ISO-8859-1" ...).
QByteArray systemCharset();
bool systemIsUtf8();
// The locale's default ANSI code page: 0 for a UTF-8 locale, otherwise the Windows number of
// its character set, or 0 when it has none (0 then still means the locale's own set).
int localeAnsiCodePage();
int windowsNumberOfCharset(QByteArrayView charset);

}
