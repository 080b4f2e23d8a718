#include "platform/IoError.h"

#include <cstring>

OrdvaneError::OrdvaneError(const QString &message)
    : std::runtime_error(message.toStdString()), text(message)
{
}

IoError::IoError(int errorNumber, const QString &path)
    : OrdvaneError(QString::fromLocal8Bit(std::strerror(errorNumber)) + QLatin1String(":\n") + path),
      code(errorNumber)
{
}
