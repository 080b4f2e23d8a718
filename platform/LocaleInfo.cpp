#include "platform/LocaleInfo.h"

#include "platform/CodePage.h"

#include <clocale>

namespace LocaleInfo {

void initialise()
{
    std::setlocale(LC_ALL, "");
}

QString formatDateTime(const std::tm &local)
{
    const bool midnight = local.tm_hour == 0 && local.tm_min == 0 && local.tm_sec == 0;
    char buffer[256];
    const size_t length = std::strftime(buffer, sizeof buffer, midnight ? "%x" : "%x %X", &local);
    // strftime writes in the locale's character set.
    return CodePage::toUnicode(QByteArrayView(buffer, qsizetype(length)), CodePage::System);
}

}
