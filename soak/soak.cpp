#include "soak.h"

#include "callers/callerwindows.h"
#include "callers/handheldcallerwindow.h"
#include "callers/voicepromptwindow.h"
#include "memoryreader/memoryreaderwindow.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

using hostsim::Applied;
using hostsim::Fault;

namespace {

// A main-window or caller-window command with inputs that pass its checks, and the boxes that
// say the host unit took it.
struct SoakCommand {
    const char* name;
    std::uint8_t code;
    QStringList successes;
    std::size_t successLength; // the data length of the reply that means success
};

const SoakCommand kCommands[] = {
    {"set pager", 0x01, {"设置传呼号成功！"}, 0},
    {"delete pager", 0x04, {"删除传呼号成功！"}, 0},
    {"set table caller", 0x03, {"设置餐桌号成功！"}, 3},
    {"delete table caller", 0x07, {"删除餐桌号码成功！"}, 0},
    {"set receiver number", 0x02, {"设置接收器号码成功！"}, 0},
    {"initialise receiver", 0x08, {"初始化接收器成功！"}, 0},
    {"receiver frequency", 0x0A, {"接收器频率写入成功！"}, 0},
    {"transmitter frequency", 0x0B, {"发射机频率写入成功！"}, 0},
    {"set urge unit", 0x11, {"设置催菜器号码成功！"}, 2},
    {"delete urge unit", 0x12, {"删除催菜器号码成功！"}, 0},
    {"write repeater", 0x03, {"设置转发器成功！"}, 3},
    {"delete repeater", 0x07, {"删除转发器内容成功！"}, 0},
    {"work mode", 0x17, {"设置工作模式成功！"}, 0},
    {"display type", 0x13, {"信息机类型设为数字机！", "信息机类型设为语音机！"}, 0},
    {"voice prompts", 0x14, {"语音信息机中关于呼叫器的设置成功！"}, 0},
    {"handheld by pager", 0x16, {"设置成功！"}, 0},
};

const char* kindName(Fault::Kind kind) {
    switch (kind) {
    case Fault::Kind::NoReply:
        return "dropped reply";
    case Fault::Kind::BadChecksum:
        return "bad checksum";
    case Fault::Kind::Noise:
        return "noise before";
    case Fault::Kind::Split:
        return "split reply";
    case Fault::Kind::WrongCommand:
        return "other command code";
    case Fault::Kind::WrongLength:
        return "wrong length";
    case Fault::Kind::ForceData:
        return "other data";
    case Fault::Kind::Truncate:
        return "cut reply";
    case Fault::Kind::Delay:
        return "late reply";
    case Fault::Kind::MemoryFull:
        return "memory full";
    case Fault::Kind::GoAway:
        return "device gone";
    case Fault::Kind::Trickle:
        return "trickled reply";
    case Fault::Kind::NoiseAfter:
        return "noise after";
    case Fault::Kind::Corrupt:
        return "corrupted reply";
    }
    return "?";
}

// The faults the unit applied to the requests, for a violation's message.
QString faultsOf(const std::vector<Applied>& applied) {
    QStringList names;
    for (const Applied& a : applied)
        for (Fault::Kind kind : a.faults)
            names << QString::fromLatin1(kindName(kind));
    return names.isEmpty() ? QStringLiteral("no fault") : names.join(QStringLiteral(", "));
}

// Whether every request got a well-formed reply of the given data length.
bool allDelivered(const std::vector<Applied>& applied, std::size_t length) {
    return !applied.empty() && std::all_of(applied.begin(), applied.end(), [&](const Applied& a) {
        return a.delivered && a.delivered->size() == length;
    });
}

// Stops the soak when one operation does not end within a minute.
class Watchdog {
public:
    Watchdog()
        : thread_([this] {
              while (!stop_) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(200));
                  const auto since = busySince_.load();
                  const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
                  if (since != 0 &&
                      now - since > std::chrono::nanoseconds(60'000'000'000).count()) {
                      std::fprintf(stderr, "soak: %s did not end within a minute\nviolations: 1\n",
                                   operation_.load());
                      std::_Exit(1);
                  }
              }
          }) {}
    ~Watchdog() {
        stop_ = true;
        thread_.join();
    }
    void start(const char* operation) {
        operation_ = operation;
        busySince_ = std::chrono::steady_clock::now().time_since_epoch().count();
    }
    void done() { busySince_ = 0; }

private:
    std::atomic<bool> stop_{false};
    std::atomic<long long> busySince_{0};
    std::atomic<const char*> operation_{""};
    std::thread thread_;
};

Watchdog& watchdog() {
    static Watchdog dog;
    return dog;
}

} // namespace

struct Soak::Command {
    const SoakCommand& entry;
};

Soak::Soak(quint32 seed) : random_(seed), device_(dir_.filePath(QStringLiteral("usb-serial"))) {
    plugIn();
    callcfg::PortMap map;
    map.map(1, device_);
    program_ = std::make_unique<callcfg::Program>(map);
    program_->exitProgram = [] {};
    // Periods of a tenth of their length: 20 ms a host block, 100 ms a command period.
    program_->link.setTimeScale(0.1);
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

Soak::~Soak() = default;

void Soak::plugIn() {
    host_ = std::make_unique<hostsim::PtyHost>();
    host_->setPacing(false);
    host_->withUnit([this](hostsim::HostUnit& unit) {
        unit.setLearnDelay(0);
        hostsim::Memory memory;
        for (auto& byte : memory)
            byte = static_cast<std::uint8_t>(random_.bounded(256));
        unit.setMemory(memory);
        unit.initialise(); // a consistent memory: no tables, no pagers
        for (std::size_t n = 6000; n < 8000; ++n)
            unit.setMemoryAt(n, memory[n]);
    });
    QFile::remove(device_);
    QFile::link(QString::fromStdString(host_->devicePath()), device_);
}

Fault Soak::randomFault(std::uint8_t command, int blocks) {
    const int roll = random_.bounded(24);
    std::vector<std::uint8_t> noise;
    for (int i = random_.bounded(1, 8); i > 0; --i)
        noise.push_back(static_cast<std::uint8_t>(random_.bounded(256)));
    Fault fault = Fault::delay(0).onCommand(0x77); // none
    switch (roll) {
    case 0:
    case 1:
        fault = Fault::noReply();
        break;
    case 2:
        fault = Fault::badChecksum();
        break;
    case 3:
        fault = Fault::noise(noise);
        break;
    case 4:
        fault = Fault::noiseAfter(noise);
        break;
    case 5:
        fault = Fault::split(random_.bounded(1, 6), random_.bounded(30) / 1000.0);
        break;
    case 6:
        fault = Fault::trickle(random_.bounded(1, 4) / 1000.0);
        break;
    case 7:
        fault = Fault::wrongCommand(static_cast<std::uint8_t>(command ^ 0x01));
        break;
    case 8:
        fault = Fault::wrongLength(static_cast<std::uint8_t>(random_.bounded(4)));
        break;
    case 9:
        fault = Fault::truncate(random_.bounded(1, 6));
        break;
    case 10:
        fault = Fault::corrupt(random_.bounded(0, 7));
        break;
    case 11:
        // Late, but within the wait of most requests: up to one and a half of its periods.
        fault = Fault::delay(random_.bounded(150) / 1000.0);
        break;
    case 12:
        if (random_.bounded(3) == 0) {
            fault = Fault::goAway(random_.bounded(0, 8));
            break;
        }
        [[fallthrough]];
    default:
        return fault;
    }
    fault = fault.onCommand(command);
    if (blocks > 0)
        fault = fault.onBlock(random_.bounded(blocks));
    count(faults_, QString::fromLatin1(kindName(fault.kind)));
    return fault;
}

std::vector<Applied> Soak::takeApplied() {
    return host_->withUnit([](hostsim::HostUnit& unit) { return unit.takeApplied(); });
}

void Soak::violation(const QString& what) {
    violations_ << QStringLiteral("operation %1: %2").arg(operations_).arg(what);
}

void Soak::countOutcome(const QStringList& boxes, const QStringList& successes) {
    if (boxes.contains(QStringLiteral("CRC校验错误")))
        count(outcomes_, QStringLiteral("checksum box"));
    const QString last = boxes.value(boxes.size() - 1);
    if (successes.contains(last))
        count(outcomes_, QStringLiteral("success"));
    else if (last.startsWith(QStringLiteral("超时")) ||
             last == QStringLiteral("通讯失败！请检查连线！"))
        count(outcomes_, QStringLiteral("time-out"));
    else if (last.contains(QStringLiteral("长度错误")))
        count(outcomes_, QStringLiteral("length error"));
    else if (!last.contains(QStringLiteral("数字机")) &&
             (last.endsWith(QStringLiteral("失败!")) || last.endsWith(QStringLiteral("失败！"))))
        count(outcomes_, QStringLiteral("port failure"));
    else
        count(outcomes_, QStringLiteral("refused by the unit"));
}

void Soak::runCommand(const Command& command) {
    const SoakCommand& entry = command.entry;
    callcfg::MainWindow& f = program_->mainWindow;
    const QString name = QString::fromLatin1(entry.name);
    const std::uint8_t repeaterCode = entry.code;
    host_->withUnit([&](hostsim::HostUnit& unit) {
        unit.addFault(randomFault(repeaterCode, 0));
        unit.setDisplayType(random_.bounded(2) ? hostsim::DisplayType::Voice
                                               : hostsim::DisplayType::Digital);
    });
    const QString number = QString::number(random_.bounded(1, 10));
    QPushButton* button = nullptr;
    if (name == "set pager") {
        f.pagerNumberEdit->setText(QString::number(random_.bounded(1, 255)));
        f.addressCodeEdit->setText(QString::number(random_.bounded(10000000)));
        button = f.setPagerButton;
    } else if (name == "delete pager") {
        f.deletePagerEdit->setText(QString::number(random_.bounded(1, 255)));
        button = f.deletePagerButton;
    } else if (name == "set table caller") {
        f.tableNumberEdit->setText(QString::number(random_.bounded(1, 65536)));
        button = f.setTableButton;
    } else if (name == "delete table caller") {
        f.deleteTableEdit->setText(QString::number(random_.bounded(1, 65536)));
        button = f.deleteTableButton;
    } else if (name == "set receiver number") {
        f.receiverNumberEdit->setText(number);
        button = f.setReceiverNumberButton;
    } else if (name == "initialise receiver") {
        button = f.initialiseReceiverButton;
    } else if (name == "receiver frequency") {
        f.frequencyReceiverEdit->setText(random_.bounded(2) ? number : QString());
        button = f.writeReceiverFrequencyButton;
    } else if (name == "transmitter frequency") {
        f.transmitterFrequencyEdit->setText(QStringLiteral("430.225"));
        button = f.writeTransmitterButton;
    } else if (name == "set urge unit") {
        f.setUrgeEdit->setText(number);
        button = f.setUrgeButton;
    } else if (name == "delete urge unit") {
        f.deleteUrgeEdit->setText(number);
        button = f.deleteUrgeButton;
    } else if (name == "write repeater") {
        button = f.writeRepeaterButton;
    } else if (name == "delete repeater") {
        button = f.deleteRepeaterButton;
    } else if (name == "work mode") {
        button = f.writeWorkModeButton;
    } else if (name == "display type") {
        button = f.writeDisplayTypeButton;
    } else if (name == "voice prompts") {
        button = program_->callerWindows->voiceWindow()->writeButton;
    } else {
        button = program_->callerWindows->handheldWindow()->writeByPagerButton;
    }
    watchdog().start(entry.name);
    button->click();
    watchdog().done();

    const QStringList boxes = boxes_.takeTexts();
    const std::vector<Applied> applied = takeApplied();
    exchanges_ += int(applied.size());
    countOutcome(boxes, entry.successes);
    if (!entry.successes.contains(boxes.value(boxes.size() - 1)))
        return;
    if (!allDelivered(applied, entry.successLength))
        violation(name + QStringLiteral(": success, but the unit sent no reply that says so (") +
                  faultsOf(applied) + QLatin1Char(')'));
}

void Soak::runRead(bool hostRead) {
    callcfg::MemoryReaderWindow& w = *program_->memoryReader->readerWindow();
    const bool external = random_.bounded(2) == 1;
    host_->withUnit([&](hostsim::HostUnit& unit) {
        unit.addFault(randomFault(hostRead ? 0x0D : 0x0E, hostRead ? 64 : 2));
    });
    watchdog().start(hostRead ? "host read" : "receiver read");
    (hostRead ? w.readHostButton : external ? w.readExternalButton : w.readBuiltInButton)->click();
    watchdog().done();
    const QStringList boxes = boxes_.takeTexts();
    const std::vector<Applied> applied = takeApplied();
    exchanges_ += int(applied.size());
    const QString success = hostRead   ? QStringLiteral("读取主机内容成功！")
                            : external ? QStringLiteral("读取外置接收机内容成功！")
                                       : QStringLiteral("读取内置接收机内容成功！");
    countOutcome(boxes, {success});
    if (boxes.value(boxes.size() - 1) != success)
        return;
    const auto& images = program_->images;
    bool same = true;
    if (hostRead) {
        const hostsim::Memory memory =
            host_->withUnit([](hostsim::HostUnit& u) { return u.memory(); });
        same = images.hostImage == memory;
    } else {
        const hostsim::ReceiverImage image = host_->withUnit(
            [&](hostsim::HostUnit& u) { return u.receiverImage(external ? 1 : 0); });
        same = images.receiverImage == image;
    }
    if (!same)
        violation(success + QStringLiteral(", but the image differs from the unit's memory (") +
                  faultsOf(applied) + QLatin1Char(')'));
    if (!allDelivered(applied, 128))
        violation(success + QStringLiteral(", but a block was not answered whole (") +
                  faultsOf(applied) + QLatin1Char(')'));
}

void Soak::runDownload() {
    callcfg::MemoryReaderWindow& w = *program_->memoryReader->readerWindow();
    auto& images = program_->images;
    for (std::uint8_t& byte : images.hostImage)
        byte = static_cast<std::uint8_t>(random_.bounded(256));
    images.hostImagePresent = images.anyImagePresent = true;
    host_->withUnit([&](hostsim::HostUnit& unit) { unit.addFault(randomFault(0x18, 64)); });
    watchdog().start("download");
    w.downloadButton->click();
    watchdog().done();
    const QStringList boxes = boxes_.takeTexts();
    const std::vector<Applied> applied = takeApplied();
    exchanges_ += int(applied.size());
    const QString success = QStringLiteral("下发备份数据到主机成功！");
    countOutcome(boxes, {success});
    if (boxes.value(boxes.size() - 1) != success)
        return;
    const hostsim::Memory memory = host_->withUnit([](hostsim::HostUnit& u) { return u.memory(); });
    if (images.hostImage != memory)
        violation(success + QStringLiteral(", but the unit's memory differs from the image (") +
                  faultsOf(applied) + QLatin1Char(')'));
    if (!allDelivered(applied, 1))
        violation(success + QStringLiteral(", but a block was not acknowledged (") +
                  faultsOf(applied) + QLatin1Char(')'));
}

// The device came back: choosing the port again must make the next command work.
void Soak::afterDeviceLoss() {
    plugIn();
    ++returns_;
    callcfg::MainWindow& f = program_->mainWindow;
    QApplication::setActiveWindow(&f);
    f.portList->setFocus();
    QTest::keyClick(f.portList, Qt::Key_Down);
    QTest::keyClick(f.portList, Qt::Key_Up);
    watchdog().start("work mode after the device came back");
    f.writeWorkModeButton->click();
    watchdog().done();
    const QStringList boxes = boxes_.takeTexts();
    exchanges_ += int(takeApplied().size());
    if (boxes != QStringList{QStringLiteral("设置工作模式成功！")})
        violation(QStringLiteral("not usable once the device came back: ") +
                  boxes.join(QStringLiteral(" | ")));
}

void Soak::run(int exchanges) {
    QElapsedTimer clock;
    clock.start();
    while (exchanges_ < exchanges) {
        ++operations_;
        const int roll = random_.bounded(100);
        if (roll < 62)
            runCommand({kCommands[random_.bounded(int(std::size(kCommands)))]});
        else if (roll < 82)
            runRead(true);
        else if (roll < 88)
            runRead(false);
        else
            runDownload();
        if (host_->isGone())
            afterDeviceLoss();
    }
    seconds_ = clock.elapsed() / 1000.0;
}

QString Soak::report() const {
    QString text;
    const auto line = [&text](const QString& name, int value) {
        text += QStringLiteral("  %1 %2\n").arg(name, -24).arg(value, 7);
    };
    text += QStringLiteral("exchanges %1 in %2 operations, %3 s; the device came back %4 times\n")
                .arg(exchanges_)
                .arg(operations_)
                .arg(seconds_, 0, 'f', 1)
                .arg(returns_);
    int injected = 0;
    for (const auto& [kind, n] : faults_)
        injected += n;
    text += QStringLiteral("faults injected (%1)\n").arg(injected);
    for (const auto& [kind, n] : faults_)
        line(kind, n);
    text += QStringLiteral("outcomes\n");
    for (const auto& [kind, n] : outcomes_)
        line(kind, n);
    for (const QString& v : violations_)
        text += QStringLiteral("VIOLATION %1\n").arg(v);
    text += QStringLiteral("violations: %1\n").arg(violations_.size());
    return text;
}
