#include "cli/session.h"

#include "link/portremedy.h"
#include "link/serialport.h"
#include "link/texts.h"

#include <QRegularExpression>
#include <QTextStream>

namespace callcfg {

namespace {

// What DEV names: a port name COMn (1 to 255) is mapped as the port list maps it; COM with
// another number names no port; anything else is the device itself.
PortTarget targetOf(const Invocation& call) {
    const QString dev = call.parser.value(QStringLiteral("device"));
    if (const auto port = portNamed(dev))
        return call.portMap.target(*port);
    static const QRegularExpression outOfRange(QStringLiteral("^COM[0-9]+$"),
                                               QRegularExpression::CaseInsensitiveOption);
    PortTarget target;
    if (outOfRange.match(dev).hasMatch())
        target.absence =
            Texts::tr("%1 names no port: a port number is 1 to %2").arg(dev).arg(kHighestPort);
    else
        target.device = dev;
    return target;
}

} // namespace

Session::Session(const Invocation& call)
    : call_(call), link_(call.environment.makePort()), log_(link_) {
    link_.setTimeScale(call.environment.timeScale);
}

Session::~Session() {
    link_.removeObserver(&log_);
    link_.close();
}

std::optional<int> Session::prepare(int files) {
    if (!call_.parser.isSet(QStringLiteral("device")))
        return call_.usageError(Texts::tr("--device DEV is required"));
    if (call_.parser.value(QStringLiteral("device")).isEmpty())
        return call_.usageError(
            Texts::tr("--device names no device: give a device's path or a port name COMn"));
    if (!call_.expectFiles(files))
        return kUsageOrFileError;
    return call_.attachLog(link_, log_);
}

bool Session::open() {
    target_ = targetOf(call_);
    const PortTarget& target = target_;
    device_ = target.device;
    if (device_.isEmpty()) {
        call_.tell(target.absence);
        return false;
    }
    if (!link_.open(device_, target.port ? target.name() : QString())) {
        call_.tell(
            openFailureMessage(portAndDevice(target.port ? target.name() : QString(), device_),
                               link_.portError(), link_.portFailure()));
        return false;
    }
    link_.discardInput();
    return true;
}

bool Session::read(HostMemory& memory) {
    return completed(readHostMemory(link_, memory, progress(Texts::tr("reading block %1/%2"))));
}

bool Session::write(const HostMemory& memory, const StopAsked& stopAsked) {
    return completed(
        writeHostMemory(link_, memory, progress(Texts::tr("writing block %1/%2")), stopAsked));
}

QString Session::deviceWords() const {
    std::optional<SerialDevice> found = target_.found;
    if (!target_.port && call_.environment.listDevices)
        for (const SerialDevice& present : call_.environment.listDevices())
            if (present.path == device_)
                found = present;
    QString words = target_.port ? QStringLiteral("%1 → %2").arg(target_.name(), device_) : device_;
    if (found)
        words += Texts::tr(", ") + whatItIs(*found);
    return words;
}

std::function<void(int)> Session::progress(const QString& what) {
    if (!call_.environment.progress)
        return {};
    return [this, what](int k) {
        call_.environment.err << '\r' << what.arg(k + 1).arg(protocol::kHostBlockCount)
                              << Qt::flush;
    };
}

bool Session::completed(const TransferResult& result) {
    if (call_.environment.progress)
        call_.environment.err << Qt::endl;
    // Blocks are counted from 1, as the progress line counts them.
    const QString block = QString::number(result.block + 1);
    const QString blocks = QString::number(protocol::kHostBlockCount);
    endedAt_ = result.block;
    switch (result.stop) {
    case TransferStop::Done:
        return true;
    case TransferStop::Stopped:
        stoppedAt_ = result.block;
        return false;
    case TransferStop::NoReply:
        call_.tell(Texts::tr("no reply from %1 at block %2 of %3").arg(device_, block, blocks));
        break;
    case TransferStop::WrongLength:
        call_.tell(Texts::tr("the reply from %1 at block %2 of %3 has a wrong data length")
                       .arg(device_, block, blocks));
        break;
    case TransferStop::PortFault: {
        const QString lost = link_.lostMessage(result.portFault);
        call_.tell(result.portFault.whileSending
                       ? Texts::tr("%1 (sending block %2 of %3)").arg(lost, block, blocks)
                       : Texts::tr("%1 (at block %2 of %3)").arg(lost, block, blocks));
        break;
    }
    }
    return false;
}

} // namespace callcfg
