#pragma once
// The C library locale stands in for the user's regional settings.
#include <QString>
#include <ctime>

namespace LocaleInfo {

// Takes the user's locale from the environment; called once at start-up.
void initialise();

// The user's date format, one space and the time format; at exactly 00:00:00 the date alone.
QString formatDateTime(const std::tm &local);

}
