// The subcommands that talk to the host unit: backup, restore and verify. They read and write
// the memory exactly as the memory reader window does: the same requests, waits and checks.

#include "cli/backupoutput.h"
#include "cli/subcommands.h"
#include "link/link.h"
#include "link/portremedy.h"
#include "link/serialport.h"
#include "link/texts.h"
#include "link/trafficlog.h"

#include <QRegularExpression>
#include <QTextStream>

namespace callcfg {

namespace {

// What DEV names: a port name COMn is mapped as the port list maps it; anything else is the
// device itself.
PortTarget targetOf(const Invocation& call) {
    const QString dev = call.parser.value(QStringLiteral("device"));
    static const QRegularExpression portName(QStringLiteral("^COM([1-9])$"),
                                             QRegularExpression::CaseInsensitiveOption);
    const auto match = portName.match(dev);
    if (match.hasMatch())
        return call.portMap.target(match.captured(1).toInt());
    PortTarget target;
    target.device = dev;
    return target;
}

// The link to the host unit, opened, with the traffic log when one was asked for.
class Session {
public:
    explicit Session(const Invocation& call)
        : call_(call), link_(call.environment.makePort()), log_(link_) {
        link_.setTimeScale(call.environment.timeScale);
    }
    ~Session() {
        link_.removeObserver(&log_);
        link_.close();
    }

    // The checks before any file is touched: the options, the log.
    std::optional<int> prepare(int files) {
        if (!call_.parser.isSet(QStringLiteral("device")))
            return call_.usageError(Texts::tr("--device DEV is required"));
        if (!call_.expectFiles(files))
            return kUsageOrFileError;
        return call_.attachLog(link_, log_);
    }

    // Opens the device and drops what it held; false after a message.
    bool open() {
        const PortTarget target = targetOf(call_);
        device_ = target.device;
        if (device_.isEmpty()) {
            call_.tell(target.absence);
            return false;
        }
        if (!link_.open(device_, target.port ? target.name() : QString())) {
            call_.tell(Texts::tr("cannot open %1: %2")
                           .arg(device_, withPortRemedy(link_.portError(), link_.portFailure())));
            return false;
        }
        link_.discardInput();
        return true;
    }

    // Reads the host unit; false after a message.
    bool read(HostMemory& memory) {
        return completed(readHostMemory(link_, memory, progress(Texts::tr("reading block %1/%2"))));
    }

    // Writes the memory into the host unit; false after a message.
    bool write(const HostMemory& memory) {
        return completed(
            writeHostMemory(link_, memory, progress(Texts::tr("writing block %1/%2"))));
    }

    const QString& device() const { return device_; }

private:
    std::function<void(int)> progress(const QString& what) {
        if (!call_.environment.progress)
            return {};
        return [this, what](int k) {
            call_.environment.err << '\r' << what.arg(k + 1).arg(protocol::kHostBlockCount)
                                  << Qt::flush;
        };
    }

    bool completed(const TransferResult& result) {
        if (call_.environment.progress)
            call_.environment.err << Qt::endl;
        const QString block =
            Texts::tr("block %1 of %2").arg(result.block).arg(protocol::kHostBlockCount);
        switch (result.stop) {
        case TransferStop::Done:
            return true;
        case TransferStop::NoReply:
            call_.tell(Texts::tr("no reply from %1 to %2").arg(device_, block));
            break;
        case TransferStop::WrongLength:
            call_.tell(
                Texts::tr("the reply from %1 to %2 has a wrong data length").arg(device_, block));
            break;
        case TransferStop::PortFault: {
            const QString lost = link_.lostMessage(result.portFault.reason);
            call_.tell(result.portFault.whileSending ? Texts::tr("%1 (sending %2)").arg(lost, block)
                                                     : Texts::tr("%1 (at %2)").arg(lost, block));
            break;
        }
        }
        return false;
    }

    const Invocation& call_;
    Link link_;
    TrafficLog log_;
    QString device_;
};

// Compares what the host unit holds with the file's image.
int compared(const Invocation& call, const HostMemory& host, const HostMemory& file,
             const QString& path) {
    const auto difference = compareMemory(host, file);
    if (!difference) {
        call.tell(Texts::tr("the host unit holds %1").arg(path));
        return kDone;
    }
    call.tell(Texts::tr("the host unit differs from %1: %2 bytes, the first at 0x%3 in block %4")
                  .arg(path)
                  .arg(difference->bytes)
                  .arg(difference->firstOffset, 4, 16, QLatin1Char('0'))
                  .arg(difference->firstBlock()));
    return kDiffer;
}

} // namespace

int runBackup(const Invocation& call) {
    Session session(call);
    if (const auto status = session.prepare(1))
        return *status;
    const QString path = call.files().first();
    if (const auto problem = backupWriteProblem(path)) {
        call.tell(Texts::tr("cannot write %1: %2").arg(path, *problem));
        return kUsageOrFileError;
    }
    HostMemory memory{};
    if (!session.open() || !session.read(memory))
        return kCommunicationFailure;
    if (const auto problem = writeBackupFile(path, memory)) {
        call.tell(Texts::tr("cannot write %1: %2").arg(path, *problem));
        return kUsageOrFileError;
    }
    call.tell(
        Texts::tr("%1 bytes from %2 written to %3").arg(memory.size()).arg(session.device(), path));
    return kDone;
}

namespace {

// The start of restore and verify: the options, the log, the file.
std::optional<int> prepareWithFile(const Invocation& call, Session& session,
                                   std::optional<HostMemory>& memory) {
    if (const auto status = session.prepare(1))
        return status;
    memory = loadBackupFile(call, call.files().first());
    if (!memory)
        return kUsageOrFileError;
    return std::nullopt;
}

} // namespace

int runRestore(const Invocation& call) {
    Session session(call);
    std::optional<HostMemory> memory;
    if (const auto status = prepareWithFile(call, session, memory))
        return *status;
    const QString path = call.files().first();
    if (!session.open() || !session.write(*memory))
        return kCommunicationFailure;
    if (call.parser.isSet(QStringLiteral("no-verify"))) {
        call.tell(Texts::tr("%1 written to %2").arg(path, session.device()));
        return kDone;
    }
    HostMemory readBack{};
    if (!session.read(readBack))
        return kCommunicationFailure;
    return compared(call, readBack, *memory, path);
}

int runVerify(const Invocation& call) {
    Session session(call);
    std::optional<HostMemory> memory;
    if (const auto status = prepareWithFile(call, session, memory))
        return *status;
    const QString path = call.files().first();
    HostMemory host{};
    if (!session.open() || !session.read(host))
        return kCommunicationFailure;
    return compared(call, host, *memory, path);
}

} // namespace callcfg
