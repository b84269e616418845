#include "platform/os/Machine.h"

#include <QHostInfo>
#include <QProcessEnvironment>
#include <pwd.h>
#include <unistd.h>

namespace meridox::os {

QString computerName()
{
    return QHostInfo::localHostName().left(20).trimmed();
}

QString userName()
{
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty()) {
        if (const passwd* pw = getpwuid(getuid()))
            name = QString::fromLocal8Bit(pw->pw_name);
    }
    name = name.trimmed();
    return name.isEmpty() ? QStringLiteral("Unknown") : name.toUpper();
}

} // namespace meridox::os
