#include "windowsoak.h"

#include "memorypattern.h"
#include "watchdog.h"
#include "windowcommands.h"

#include "commands/repeater.h"
#include "commands/table.h"
#include "memory/hostmemory.h"
#include "memoryreader/memoryreaderwindow.h"
#include "protocol/commands.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>

namespace soak {

using hostsim::Fault;
using hostsim::LineRecord;
namespace P = callcfg::protocol;

namespace {

// The soak's waits are a tenth of the real ones: 20 ms a host block, 100 ms a command period.
constexpr double kTimeScale = 0.1;
const QString kNoReply = QStringLiteral("通讯失败！请检查连线！");
const QString kChecksumBox = QStringLiteral("CRC校验错误");

// Whether `boxes` are: the question (if any), between min and max checksum boxes, then one of
// the finals ("" for no box at all). Empty when they are; otherwise what is wrong.
QString checkBoxes(const QStringList& boxes, const QString& question, int minChecksum,
                   int maxChecksum, const QStringList& finals) {
    const auto problem = [&](const QString& what) {
        return what + QStringLiteral(": ") + boxes.join(QStringLiteral(" | ")) +
               QStringLiteral(" (allowed: ") + QString::number(minChecksum) + QStringLiteral("..") +
               QString::number(maxChecksum) + QStringLiteral(" checksum boxes, then one of ") +
               finals.join(QStringLiteral(" / ")) + QLatin1Char(')');
    };
    qsizetype i = 0;
    if (!question.isEmpty() && boxes.value(i++) != question)
        return problem(QStringLiteral("no question first"));
    int checksum = 0;
    while (i < boxes.size() && boxes[i] == kChecksumBox) {
        ++checksum;
        ++i;
    }
    if (checksum < minChecksum || checksum > maxChecksum)
        return problem(QStringLiteral("%1 checksum boxes").arg(checksum));
    const QString final = i < boxes.size() ? boxes[i++] : QString();
    if (i != boxes.size())
        return problem(QStringLiteral("boxes after the outcome"));
    if (!finals.contains(final))
        return problem(QStringLiteral("an outcome the line did not allow"));
    return {};
}

QString faultsOf(const std::vector<LineRecord>& records) {
    QStringList names;
    for (const LineRecord& r : records)
        for (Fault::Kind kind : r.applied.faults)
            names << QLatin1String(Fault::name(kind));
    return names.isEmpty() ? QStringLiteral("no fault") : names.join(QStringLiteral(", "));
}

Bytes blockOf(std::span<const std::uint8_t> memory, int k) {
    const auto block = memory.subspan(std::size_t(k) * 128, 128);
    return Bytes(block.begin(), block.end());
}

Bytes joined(const std::vector<Bytes>& replies) {
    Bytes all;
    for (const Bytes& r : replies)
        all.insert(all.end(), r.begin(), r.end());
    return all;
}

} // namespace

WindowSoak::WindowSoak(quint32 seed, Tally& tally)
    : random_(seed), tally_(tally), draw_(random_, tally),
      device_(dir_.filePath(QStringLiteral("usb-serial"))) {
    plugIn();
    callcfg::PortMap map;
    map.map(1, device_);
    program_ = std::make_unique<callcfg::Program>(map);
    program_->exitProgram = [] {};
    program_->link.setTimeScale(kTimeScale);
    program_->link.addObserver(this);
    // The installer reads each box for 0.3 to 1.5 s, at the same tenth: a late reply lands
    // meanwhile, before the next request, as it does on site.
    boxes_.setAnswerDelays([this] { return random_.bounded(300, 1501) / 10; });
    program_->mainWindow.show();
    program_->mainWindow.setFullView(true);
    program_->mainWindow.setMaintenanceView(true);
    program_->mainWindow.memoryReaderButton->click();
    program_->mainWindow.voicePromptsButton->click();
    program_->mainWindow.handheldButton->click();
}

WindowSoak::~WindowSoak() {
    program_->link.removeObserver(this);
}

void WindowSoak::sent(std::span<const std::uint8_t> wire) {
    sent_.push_back({Clock::now(), Bytes(wire.begin(), wire.end())});
}

// A unit whose memory and receivers hold a fresh pattern of blocks unlike each other.
void WindowSoak::plugIn() {
    hostsim::HostUnit unit;
    unit.setLearnDelay(0);
    unit.setMemory(distinctBlocks<hostsim::Memory>(random_));
    for (int receiver : {hostsim::BuiltInReceiver, hostsim::ExternalReceiver})
        unit.setReceiverImage(receiver, distinctBlocks<hostsim::ReceiverImage>(random_));
    host_ = std::make_unique<hostsim::PtyHost>(std::move(unit));
    host_->setPacing(false);
    QFile::remove(device_);
    QFile::link(QString::fromStdString(host_->devicePath()), device_);
}

hostsim::HostUnit WindowSoak::unitNow() {
    return host_->withUnit([](hostsim::HostUnit& u) { return u; });
}

void WindowSoak::click(QAbstractButton* button, const char* what) {
    watchdog().start(what);
    button->click();
    watchdog().done();
}

void WindowSoak::click(QAction* action, const char* what) {
    watchdog().start(what);
    action->trigger();
    watchdog().done();
}

// The operation's boxes, and the unit's records once its answers are out; the faults that did
// not act are dropped, so that none reaches a later operation.
WindowSoak::Finished WindowSoak::finish() {
    Finished done;
    done.boxes = boxes_.takeTexts();
    // On a loaded machine the unit may lag behind the tool: every request the tool wrote whole
    // is in before its answers are awaited.
    const std::size_t wrote = sent_.size();
    host_->waitFor(
        [&](const hostsim::HostLine& l) { return l.requests().size() >= wrote || host_->isGone(); },
        std::chrono::seconds(10));
    if (!host_->waitForQuiet(std::chrono::seconds(10)))
        tally_.violation(QStringLiteral("the unit's answers did not go out"));
    host_->withLine([](hostsim::HostLine& l) {
        l.clearFaults();
        l.takeRequests();
        l.takeRawReceived();
    });
    done.records = host_->takeRecords();
    done.sent = std::exchange(sent_, {});
    tally_.count(done.records);
    return done;
}

void WindowSoak::countOutcome(const QString& final, const QString& success,
                              const QString& timeout) {
    if (final == success)
        tally_.outcome(QStringLiteral("success"));
    else if (final == timeout || final == kNoReply)
        tally_.outcome(QStringLiteral("time-out"));
    else if (final.contains(QStringLiteral("长度错误")))
        tally_.outcome(QStringLiteral("wrong length"));
    else if (final.endsWith(QStringLiteral("失败!")) || final.endsWith(QStringLiteral("失败！")))
        tally_.outcome(final.contains(QStringLiteral("数字机"))
                           ? QStringLiteral("the unit's answer")
                           : QStringLiteral("write failed"));
    else if (final.contains(QStringLiteral("不一致")))
        tally_.outcome(QStringLiteral("images differ"));
    else
        tally_.outcome(final.isEmpty() ? QStringLiteral("no box")
                                       : QStringLiteral("the unit's answer"));
}

// Faults on the requests of a transfer (none, or 1 to 6) or on a command's one request (blocks 0).
void WindowSoak::addFaults(std::uint8_t command, int blocks, std::size_t wireSize,
                           double waitSeconds) {
    std::vector<Fault> faults;
    if (blocks == 0) {
        const int roll = random_.bounded(20);
        const int count = roll == 0 ? 0 : roll < 12 ? 1 : 2;
        for (int i = 0; i < count; ++i)
            faults.push_back(draw_.draw(
                {command, -1, wireSize, waitSeconds, command == P::kSetTableCaller, true}));
    } else {
        const int count = random_.bounded(6) == 0 ? 0 : random_.bounded(1, 7);
        faults =
            draw_.drawTransfer({command, 0, wireSize, waitSeconds, false, true}, blocks, count, 8);
    }
    host_->withLine([&](hostsim::HostLine& line) {
        for (const Fault& f : faults)
            line.addFault(f);
    });
}

void WindowSoak::runCommand() {
    const auto& entries = testsupport::expectedCommands();
    auto chosen = entries.begin() + random_.bounded(int(entries.size()));
    // The learn commands, on which memory full acts, come more often while it lags behind.
    if (draw_.lagging(Fault::Kind::MemoryFull, allFaultKinds()) && random_.bounded(4)) {
        const auto learn =
            random_.bounded(2) ? callcfg::setTableCallerCommand : callcfg::writeRepeaterCommand;
        chosen = std::find_if(entries.begin(), entries.end(),
                              [&](const auto& e) { return e.tool == learn; });
    }
    const testsupport::ExpectedCommand& entry = *chosen;
    if (entry.code >= P::kSetVoicePrompts && entry.code <= P::kHandheldModeByPager)
        host_->withUnit([&](hostsim::HostUnit& u) {
            u.setDisplayType(random_.bounded(2) ? hostsim::DisplayType::Voice
                                                : hostsim::DisplayType::Digital);
        });
    const hostsim::HostUnit before = unitNow();
    const ReadyCommand ready = prepareCommand(entry, *program_, random_, before);
    addFaults(entry.code, 0, 6 + std::size_t(std::max(0, entry.success().length)),
              entry.waitSeconds() * kTimeScale);
    click(ready.button, entry.name);
    const Finished done = finish();
    const auto violation = [&](const QString& what) {
        tally_.violation(QLatin1String(entry.name) + QStringLiteral(": ") + what +
                         QStringLiteral(" (") + faultsOf(done.records) + QLatin1Char(')'));
    };

    QStringList finals;
    int minChecksum = 0, maxChecksum = 0;
    if (done.records.size() > 1)
        violation(QStringLiteral("%1 requests for one command").arg(done.records.size()));
    if (done.records.empty() && host_->isGone())
        finals << entry.failure.text;
    if (done.records.size() == 1) {
        const LineRecord& r = done.records[0];
        const Allowed a = allowedOutcomes(
            {&r, sendTimes(done.records, done.sent)[0], entry.waitSeconds() * kTimeScale});
        if (a.reply)
            finals << entry.boxFor(*a.reply).text;
        if (a.noReply)
            finals << entry.noReply.text;
        if (a.sendFailure)
            finals << entry.failure.text;
        minChecksum = a.minChecksumErrors;
        maxChecksum = a.maxChecksumErrors;
        if (r.applied.refused)
            violation(QStringLiteral("the unit refused the request as malformed"));
        if (!r.applied.lostAfter && !r.applied.refused) {
            const Bytes answer(r.applied.right.begin() + 5, r.applied.right.end() - 1);
            const hostsim::HostUnit after = unitNow();
            if (int(answer.size()) == entry.success().length) {
                if (const QString problem = ready.check(after, answer); !problem.isEmpty())
                    violation(problem);
            } else if (after.memory() != before.memory()) {
                violation(QStringLiteral("the unit changed its memory but did not do it"));
            }
        }
    }
    if (const QString problem =
            checkBoxes(done.boxes, entry.confirmation, minChecksum, maxChecksum, finals);
        !problem.isEmpty())
        violation(problem);
    tally_.outcome(QStringLiteral("checksum box"), int(done.boxes.count(kChecksumBox)));
    countOutcome(done.boxes.isEmpty() || done.boxes.last() == entry.confirmation ||
                         done.boxes.last() == kChecksumBox
                     ? QString()
                     : done.boxes.last(),
                 entry.success().box.text, entry.noReply.text);
}

void WindowSoak::runTransfer(Transfer transfer) {
    callcfg::MemoryReaderWindow& w = *program_->memoryReader->readerWindow();
    callcfg::Images& images = program_->images;
    if (!blocksDistinct(unitNow().memory())) // a command may have made two blocks alike
        host_->withUnit(
            [&](hostsim::HostUnit& u) { u.setMemory(distinctBlocks<hostsim::Memory>(random_)); });
    const hostsim::HostUnit before = unitNow();
    const auto hostImageBefore = images.hostImage;
    const auto receiverImageBefore = images.receiverImage;
    const hostsim::Memory& memory = before.memory();
    const int receiver =
        transfer == Transfer::ExternalRead ? hostsim::ExternalReceiver : hostsim::BuiltInReceiver;

    TransferPlan plan{64, P::kReadHostBlock, [](int k) { return Bytes{std::uint8_t(k)}; },
                      [](int) { return 0.2 * kTimeScale; }, 128};
    QString success, wrongLength = QStringLiteral("接收数据长度错误！"), failure;
    const char* name = "host read";
    hostsim::Memory image{};
    std::function<void()> start = [&] { click(w.readHostButton, name); };
    switch (transfer) {
    case Transfer::HostRead:
        success = QStringLiteral("读取主机内容成功！");
        failure = QStringLiteral("读取主机内容失败！");
        break;
    case Transfer::BuiltInRead:
    case Transfer::ExternalRead: {
        const bool external = transfer == Transfer::ExternalRead;
        name = external ? "external receiver read" : "built-in receiver read";
        plan = {2, P::kReadReceiverBlock,
                [external](int k) {
                    return external ? Bytes{std::uint8_t(k), 0x01} : Bytes{std::uint8_t(k)};
                },
                [](int k) { return (k == 0 ? 9.0 : 1.0) * kTimeScale; }, 128};
        success = external ? QStringLiteral("读取外置接收机内容成功！")
                           : QStringLiteral("读取内置接收机内容成功！");
        failure = external ? QStringLiteral("读取外置接收机内容失败！")
                           : QStringLiteral("读取内置接收机内容失败！");
        start = [&, external] {
            click(external ? w.readExternalButton : w.readBuiltInButton, name);
        };
        break;
    }
    case Transfer::Download:
        name = "download";
        image = distinctBlocks<hostsim::Memory>(random_);
        plan = {64, P::kWriteHostBlock,
                [&](int k) {
                    Bytes data{std::uint8_t(k)};
                    const Bytes block = blockOf(image, k);
                    data.insert(data.end(), block.begin(), block.end());
                    return data;
                },
                [](int) { return 0.3 * kTimeScale; }, 1};
        success = QStringLiteral("下发备份数据到主机成功！");
        wrongLength = QStringLiteral("返回数据长度错误！");
        failure = QStringLiteral("下发主机内容失败！");
        start = [&] { click(w.downloadButton, name); };
        break;
    case Transfer::Verify: {
        name = "verify";
        image = memory;
        for (int changes = random_.bounded(2) ? random_.bounded(1, 6) : 0; changes > 0; --changes)
            image[std::size_t(random_.bounded(8192))] ^= std::uint8_t(random_.bounded(1, 256));
        const auto difference = callcfg::compareMemory(memory, image);
        success = difference
                      ? QStringLiteral("主机内容与当前数据不一致！第%1块起共有%2个字节不同。")
                            .arg(difference->firstBlock() + 1) // counted from 1
                            .arg(difference->bytes)
                      : QStringLiteral("主机内容与当前数据一致！");
        failure = QStringLiteral("校验主机内容失败！");
        start = [&] { click(w.verifyHostAction, name); };
        break;
    }
    }
    if (transfer == Transfer::Download || transfer == Transfer::Verify) {
        images.hostImage = image;
        images.hostImageFile.clear();
        images.hostImagePresent = images.anyImagePresent = true;
    }
    addFaults(plan.command, plan.blocks, plan.replyLength + 6, plan.waitSeconds(1));
    start();
    const Finished done = finish();
    const auto violation = [&](const QString& what) {
        tally_.violation(QLatin1String(name) + QStringLiteral(": ") + what + QStringLiteral(" (") +
                         faultsOf(done.records) + QLatin1Char(')'));
    };

    const TransferVerdict verdict = judgeTransfer(plan, done.records, done.sent, host_->isGone());
    for (const QString& problem : verdict.problems)
        violation(problem);
    QStringList finals;
    for (const auto& [stop, block] : verdict.stops)
        finals << (stop == Stop::Done          ? success
                   : stop == Stop::WrongLength ? wrongLength
                   : stop == Stop::SendFailure ? failure
                                               : kNoReply);
    // The download asks first; the image it writes was read from no file.
    const QString question =
        transfer == Transfer::Download
            ? QStringLiteral("下发将用读取的主机内容覆盖主机内存储的所有信息！！\r\n"
                             "   您确认执行请按确定，否则请取消！")
            : QString();
    if (const QString problem = checkBoxes(done.boxes, question, verdict.minChecksumErrors,
                                           verdict.maxChecksumErrors, finals);
        !problem.isEmpty())
        violation(problem);
    const bool done_ = !done.boxes.isEmpty() && done.boxes.last() == success;
    tally_.outcome(QStringLiteral("checksum box"), int(done.boxes.count(kChecksumBox)));
    countOutcome(done.boxes.value(done.boxes.size() - 1), success, kNoReply);

    // Every image the tool holds or wrote, byte for byte.
    switch (transfer) {
    case Transfer::HostRead:
        if (!done_ && images.hostImage != hostImageBefore)
            violation(QStringLiteral("a failed read changed the image"));
        if (done_ && (images.hostImage != memory ||
                      joined(verdict.replies) != Bytes(memory.begin(), memory.end())))
            violation(QStringLiteral("the image is not the unit's memory"));
        if (done_ && random_.bounded(2))
            saveBackup(memory);
        break;
    case Transfer::BuiltInRead:
    case Transfer::ExternalRead:
        if (images.receiverImage != (done_ ? before.receiverImage(receiver) : receiverImageBefore))
            violation(done_ ? QStringLiteral("the image is not the receiver's memory")
                            : QStringLiteral("a failed read changed the image"));
        break;
    case Transfer::Download:
        if (done_ && unitNow().memory() != image)
            violation(QStringLiteral("the unit's memory is not the image"));
        break;
    case Transfer::Verify:
        if (images.hostImage != image)
            violation(QStringLiteral("verifying changed the image"));
        break;
    }
}

// 保存文件 after a read: the file holds the unit's memory as it was read.
void WindowSoak::saveBackup(const hostsim::Memory& memory) {
    callcfg::MemoryReaderWindow& w = *program_->memoryReader->readerWindow();
    const QString path = dir_.filePath(QStringLiteral("backup-%1.cat").arg(++savedFiles_));
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, path] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        dialog->selectFile(path);
        if (auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            field->setText(path);
        static_cast<QDialog*>(dialog)->accept();
        timer->deleteLater();
    });
    timer->start(5);
    click(w.saveFileButton, "save");
    const QStringList boxes = boxes_.takeTexts();
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (boxes != QStringList{QStringLiteral("记录已保存到") + path} ||
        bytes != QByteArray(reinterpret_cast<const char*>(memory.data()), qsizetype(memory.size())))
        tally_.violation(QStringLiteral("save: the file is not the memory read (%1)")
                             .arg(boxes.join(QStringLiteral(" | "))));
    QFile::remove(path);
    tally_.outcome(QStringLiteral("backup file saved"));
}

// The device came back: choosing the port again must make the next command work.
void WindowSoak::afterDeviceLoss() {
    plugIn();
    tally_.deviceBack();
    callcfg::MainWindow& f = program_->mainWindow;
    QApplication::setActiveWindow(&f);
    f.portList->setFocus();
    QTest::keyClick(f.portList, Qt::Key_Down);
    QTest::keyClick(f.portList, Qt::Key_Up);
    const int mode = random_.bounded(f.workModeList->count());
    f.workModeList->setCurrentIndex(mode);
    click(f.writeWorkModeButton, "work mode after the device came back");
    const Finished done = finish();
    if (done.boxes != QStringList{QStringLiteral("设置工作模式成功！")} ||
        unitNow().workMode() != mode)
        tally_.violation(QStringLiteral("not usable once the device came back: ") +
                         done.boxes.join(QStringLiteral(" | ")));
}

void WindowSoak::run(int exchanges) {
    const auto began = Clock::now();
    while (tally_.exchanges() < exchanges) {
        const int roll = random_.bounded(100);
        if (roll < 85)
            runCommand();
        else if (roll < 91)
            runTransfer(Transfer::HostRead);
        else if (roll < 93)
            runTransfer(random_.bounded(2) ? Transfer::ExternalRead : Transfer::BuiltInRead);
        else if (roll < 98)
            runTransfer(Transfer::Download);
        else
            runTransfer(Transfer::Verify);
        tally_.operationDone();
        if (host_->isGone())
            afterDeviceLoss();
    }
    tally_.setSeconds(std::chrono::duration<double>(Clock::now() - began).count());
}

} // namespace soak
