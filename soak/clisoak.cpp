#include "clisoak.h"

#include "faultdraw.h"
#include "memorypattern.h"
#include "transferjudge.h"

#include "hostsim/line/ptyhost.h"
#include "memory/hostmemory.h"
#include "protocol/commands.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>
#include <thread>

namespace soak {

using hostsim::Fault;
using hostsim::LineRecord;
namespace P = callcfg::protocol;

namespace {

constexpr int kBlocks = 64;

QByteArray bytesOf(std::span<const std::uint8_t> memory) {
    return QByteArray(reinterpret_cast<const char*>(memory.data()), qsizetype(memory.size()));
}

TransferPlan readPlan() {
    return {kBlocks, P::kReadHostBlock, [](int k) { return Bytes{std::uint8_t(k)}; },
            [](int) { return 0.2; }, 128};
}

TransferPlan downloadPlan(const hostsim::Memory& image) {
    return {kBlocks, P::kWriteHostBlock,
            [image](int k) {
                Bytes data{std::uint8_t(k)};
                data.insert(data.end(), image.begin() + k * 128, image.begin() + (k + 1) * 128);
                return data;
            },
            [](int) { return 0.3; }, 1};
}

// The requests the program wrote whole, from its traffic log ("<ms> sent <device> <bytes>"). The
// log has whole milliseconds of the monotonic clock, cut: a request left no earlier.
std::vector<Sent> sentFromLog(const QString& path) {
    std::vector<Sent> sent;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return sent;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 4 || fields[1] != "sent")
            continue;
        const QByteArray hex = line.mid(line.indexOf(fields[2]) + fields[2].size() + 1);
        const QByteArray bytes = QByteArray::fromHex(hex);
        sent.push_back({Clock::time_point(std::chrono::duration_cast<Clock::duration>(
                            std::chrono::milliseconds(fields[0].toLongLong()))),
                        Bytes(bytes.begin(), bytes.end())});
    }
    return sent;
}

// Where a backup, restore or verify said it stopped: status 3 and the block named on stderr,
// which counts blocks from 1.
std::optional<std::pair<Stop, int>> stopOf(const QString& err) {
    static const std::pair<Stop, QRegularExpression> kinds[] = {
        {Stop::NoReply,
         QRegularExpression(QStringLiteral("no reply from \\S+ at block (\\d+) of 64"))},
        {Stop::WrongLength,
         QRegularExpression(QStringLiteral("at block (\\d+) of 64 has a wrong data length"))},
        {Stop::SendFailure,
         QRegularExpression(QStringLiteral(
             "(disconnected: .*|took no byte for a second.*)\\(sending block (\\d+) of 64\\)"))},
        {Stop::PortLost,
         QRegularExpression(QStringLiteral("disconnected: .*\\(at block (\\d+) of 64\\)"))}};
    for (const auto& [stop, pattern] : kinds)
        if (const auto match = pattern.match(err); match.hasMatch())
            return std::pair(stop, match.captured(match.lastCapturedIndex()).toInt() - 1);
    return std::nullopt;
}

QString outcomeName(Stop stop) {
    switch (stop) {
    case Stop::Done:
        return QStringLiteral("success");
    case Stop::NoReply:
        return QStringLiteral("time-out");
    case Stop::WrongLength:
        return QStringLiteral("wrong length");
    case Stop::SendFailure:
        return QStringLiteral("write failed");
    case Stop::PortLost:
        return QStringLiteral("device lost while waiting");
    }
    return {};
}

class Worker {
public:
    Worker(quint32 seed, Tally& tally, const QString& program)
        : random_(seed), tally_(tally), draw_(random_, tally), program_(program) {
        plugIn();
    }

    void runOperation() {
        const int roll = random_.bounded(10);
        if (roll < 4)
            backup();
        else if (roll < 7)
            restore();
        else
            verify();
        tally_.operationDone();
        if (host_->isGone()) {
            plugIn();
            tally_.deviceBack();
        }
    }

private:
    struct Run {
        int status = -1;
        QString err;
        std::vector<Sent> sent;
        std::vector<LineRecord> records;
    };

    void plugIn() {
        hostsim::HostUnit unit;
        unit.setMemory(distinctBlocks<hostsim::Memory>(random_));
        host_ = std::make_unique<hostsim::PtyHost>(std::move(unit));
        host_->setPacing(false);
    }

    hostsim::Memory memory() {
        return host_->withUnit([](hostsim::HostUnit& u) { return u.memory(); });
    }

    QString file(const char* name) const { return files_.filePath(QLatin1String(name)); }

    // Faults on 3 to 6 blocks of one phase (now and then none): each run costs its 64 blocks
    // at real timing when none ends it.
    void addFaults(std::uint8_t command, double waitSeconds, std::size_t wireSize) {
        const int count = random_.bounded(40) == 0 ? 0 : random_.bounded(3, 7);
        const std::vector<Fault> faults = draw_.drawTransfer(
            {command, 0, wireSize, waitSeconds, false, false}, kBlocks, count, 8);
        host_->withLine([&](hostsim::HostLine& line) {
            for (const Fault& f : faults)
                line.addFault(f);
        });
    }

    Run run(QStringList arguments) {
        const QString log = logs_.filePath(QStringLiteral("traffic.log"));
        QFile::remove(log);
        arguments.insert(1, QStringLiteral("--device"));
        arguments.insert(2, QString::fromStdString(host_->devicePath()));
        arguments.insert(3, QStringLiteral("--log"));
        arguments.insert(4, log);
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        process.setProcessEnvironment(environment);
        process.start(program_, arguments);
        Run result;
        if (!process.waitForFinished(120000)) {
            tally_.violation(arguments.first() + QStringLiteral(" did not end within two minutes"));
            process.kill();
            process.waitForFinished();
        }
        result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.err = QString::fromUtf8(process.readAllStandardError());
        result.sent = sentFromLog(log);
        if (!host_->waitForQuiet(std::chrono::seconds(10)))
            tally_.violation(QStringLiteral("the unit's answers did not go out"));
        host_->withLine([](hostsim::HostLine& l) {
            l.clearFaults();
            l.takeRequests();
            l.takeRawReceived();
        });
        result.records = host_->takeRecords();
        tally_.count(result.records);
        return result;
    }

    void violation(const Run& r, const QString& what) {
        QStringList faults;
        for (const LineRecord& record : r.records)
            for (Fault::Kind kind : record.applied.faults)
                faults << QLatin1String(Fault::name(kind));
        tally_.violation(what +
                         QStringLiteral(" [status %1: %2] (%3)")
                             .arg(r.status)
                             .arg(r.err.trimmed().replace(QLatin1Char('\n'), QStringLiteral(" / ")),
                                  faults.isEmpty() ? QStringLiteral("no fault")
                                                   : faults.join(QStringLiteral(", "))));
    }

    // The stop the run reported, if the verdict allows it; counts it.
    bool judgeStop(const Run& r, const TransferVerdict& verdict, const char* what) {
        for (const QString& problem : verdict.problems)
            violation(r, QLatin1String(what) + QStringLiteral(": ") + problem);
        const auto stop = r.status == 0   ? std::optional(std::pair(Stop::Done, kBlocks))
                          : r.status == 3 ? stopOf(r.err)
                                          : std::nullopt;
        if (!stop || !verdict.allows(stop->first, stop->second)) {
            violation(r, QLatin1String(what) + QStringLiteral(": a stop the line did not allow"));
            return false;
        }
        tally_.outcome(outcomeName(stop->first));
        return true;
    }

    void backup() {
        if (!blocksDistinct(memory()))
            host_->withUnit([&](hostsim::HostUnit& u) {
                u.setMemory(distinctBlocks<hostsim::Memory>(random_));
            });
        const hostsim::Memory held = memory();
        const QString path = file("backup.cat");
        const QByteArray older = random_.bounded(2) ? QByteArray("an older backup") : QByteArray();
        QFile::remove(path);
        if (!older.isEmpty()) {
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write(older);
        }
        addFaults(P::kReadHostBlock, 0.2, 134);
        const Run r = run({QStringLiteral("backup"), QStringLiteral("--force"), path});
        const TransferVerdict verdict =
            judgeTransfer(readPlan(), r.records, r.sent, host_->isGone());
        judgeStop(r, verdict, "backup");
        QFile f(path);
        const QByteArray now = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        if (r.status == 0 && now != bytesOf(held))
            violation(r, QStringLiteral("backup: status 0, but the file is not the unit's memory"));
        if (r.status != 0 && now != older)
            violation(r, QStringLiteral("backup: failed, but the file changed"));
        const QStringList left =
            QDir(files_.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
        if (left != (now.isEmpty() ? QStringList{} : QStringList{QStringLiteral("backup.cat")}))
            violation(r,
                      QStringLiteral("backup: files left behind: ") + left.join(QLatin1Char(' ')));
        QFile::remove(path);
    }

    void restore() {
        const auto image = distinctBlocks<hostsim::Memory>(random_);
        const QString path = file("restore.cat");
        {
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write(bytesOf(image));
        }
        const bool noVerify = random_.bounded(4) == 0;
        if (noVerify || random_.bounded(10) < 9)
            addFaults(P::kWriteHostBlock, 0.3, 7);
        else
            addFaults(P::kReadHostBlock, 0.2, 134);
        QStringList arguments{QStringLiteral("restore"), path};
        if (noVerify)
            arguments << QStringLiteral("--no-verify");
        const Run r = run(arguments);
        // The download's records, then the read-back's.
        const auto split =
            std::find_if(r.records.begin(), r.records.end(), [](const LineRecord& x) {
                return !x.applied.lostAfter && x.applied.request.command != P::kWriteHostBlock;
            });
        const std::span<const LineRecord> written(r.records.data(),
                                                  std::size_t(split - r.records.begin()));
        const std::span<const LineRecord> read(written.data() + written.size(),
                                               r.records.size() - written.size());
        const bool gone = host_->isGone();
        const TransferVerdict download =
            judgeTransfer(downloadPlan(image), written, r.sent, gone && read.empty());
        const bool downloaded = download.allows(Stop::Done, kBlocks);
        if (!downloaded || (noVerify && read.empty())) {
            if (!read.empty())
                violation(r, QStringLiteral("restore: read back after a failed download"));
            judgeStop(r, download, "restore");
        } else {
            const TransferVerdict back = judgeTransfer(readPlan(), read, r.sent, gone);
            if (judgeStop(r, back, "restore's read-back") && r.status == 0) {
                Bytes all;
                for (const Bytes& block : back.replies)
                    all.insert(all.end(), block.begin(), block.end());
                if (all != Bytes(image.begin(), image.end()))
                    violation(r, QStringLiteral("restore: status 0, but the read-back differs"));
            }
        }
        if (r.status == 0 && memory() != image)
            violation(r,
                      QStringLiteral("restore: status 0, but the unit's memory is not the file"));
        QFile::remove(path);
    }

    void verify() {
        const hostsim::Memory held = memory();
        hostsim::Memory image = held;
        for (int changes = random_.bounded(2) ? random_.bounded(1, 6) : 0; changes > 0; --changes)
            image[std::size_t(random_.bounded(8192))] ^= std::uint8_t(random_.bounded(1, 256));
        const QString path = file("verify.cat");
        {
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write(bytesOf(image));
        }
        addFaults(P::kReadHostBlock, 0.2, 134);
        Run r = run({QStringLiteral("verify"), path});
        const TransferVerdict verdict =
            judgeTransfer(readPlan(), r.records, r.sent, host_->isGone());
        const bool same = image == held;
        if (r.status == 1) {
            const auto difference = callcfg::compareMemory(held, image);
            const QString told = difference
                                     ? QStringLiteral("%1 bytes, the first at 0x%2 in block %3")
                                           .arg(difference->bytes)
                                           .arg(difference->firstOffset, 4, 16, QLatin1Char('0'))
                                           .arg(difference->firstBlock() + 1)
                                     : QString();
            if (same || !verdict.allows(Stop::Done, kBlocks) || !r.err.contains(told))
                violation(r,
                          QStringLiteral("verify: status 1, but not for the difference there is"));
            tally_.outcome(QStringLiteral("images differ"));
        } else {
            judgeStop(r, verdict, "verify");
            if (r.status == 0 && !same)
                violation(r,
                          QStringLiteral("verify: status 0, but the unit differs from the file"));
        }
        QFile::remove(path);
    }

    QRandomGenerator random_;
    Tally& tally_;
    FaultDraw draw_;
    QString program_;
    QTemporaryDir files_;
    QTemporaryDir logs_;
    std::unique_ptr<hostsim::PtyHost> host_;
};

} // namespace

void runCommandLineSoak(quint32 seed, Tally& tally, const QString& program, int exchanges,
                        int workers) {
    const auto began = Clock::now();
    tally.cannotAct(Fault::Kind::MemoryFull); // no table caller set or repeater write here
    std::vector<std::thread> threads;
    for (int i = 0; i < workers; ++i)
        threads.emplace_back([=, &tally] {
            Worker worker(seed * 1000 + quint32(i), tally, program);
            while (tally.exchanges() < exchanges)
                worker.runOperation();
        });
    for (std::thread& t : threads)
        t.join();
    tally.setSeconds(std::chrono::duration<double>(Clock::now() - began).count());
}

} // namespace soak
