#include "link/portfailure.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

namespace callcfg {

PortFailure failureNamedIn(const QString& reason) {
    const auto says = [&](const QString& words) {
        return reason.contains(words, Qt::CaseInsensitive);
    };
    // Qt's words for a system error or a port's failure as its translation has them.
    const auto translated = [](const char* context, const char* words) {
        return QCoreApplication::translate(context, words);
    };
    if (says(QStringLiteral("Permission denied")) ||
        says(translated("QIODevice", "Permission denied")))
        return PortFailure::NoPermission;
    // Linux says the port is busy (in the C library's words) or locked.
    if (says(QStringLiteral("busy")) || says(QString::fromLocal8Bit(std::strerror(EBUSY))) ||
        says(QStringLiteral("locking")) ||
        says(translated("QSerialPort", "Permission error while locking the device")))
        return PortFailure::HeldElsewhere;
    if (says(QStringLiteral("No such file")) ||
        says(translated("QIODevice", "No such file or directory")))
        return PortFailure::NoSuchDevice;
    return PortFailure::Other;
}

} // namespace callcfg
