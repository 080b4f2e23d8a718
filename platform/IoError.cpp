#include "platform/IoError.h"

#include <cstring>

OrdvaneError::OrdvaneError(const QString &message)
    : std::runtime_error(message.toStdString()), text(message)
{
}

QString IoFailure::reason() const
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

QString IoFailure::message() const
{
    return reason() + QLatin1String(":\n") + path;
}

IoError::IoError(int errorNumber, const QString &path) : OrdvaneError(IoFailure{errorNumber, path}.message()), code(errorNumber)
{
}
