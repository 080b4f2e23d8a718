#pragma once
// Upper- and lower-casing of UTF-16 text unit by unit, so the length never changes (unlike
// QString::toUpper, which turns "ß" into "SS").
#include <QString>

inline QString upperCasedUnits(QString text)
{
    for (QChar &c : text)
        c = c.toUpper();
    return text;
}

inline QString lowerCasedUnits(QString text)
{
    for (QChar &c : text)
        c = c.toLower();
    return text;
}
