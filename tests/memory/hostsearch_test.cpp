// The search for the host unit: which ports it asks and in what order (USB adapters first,
// each device once, Bluetooth only when mapped), that a port whose open stalls is left behind
// at the bound while the search goes on, and that no thread of a question that ended runs on.

#include "memory/hostsearch.h"
#include "wire.h"

#include <QtTest>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

using namespace callcfg;
using namespace std::chrono_literals;

namespace {

// The devices' side: "unit…" answers block 0 as a host unit, "zero…" with no data, "stall…"
// holds its open until the test ends, anything else cannot be opened. Every open is recorded in
// order.
struct Devices {
    std::mutex mutex;
    std::condition_variable released;
    bool ended = false;
    QStringList opened;
    std::atomic<int> threadsFinished = 0;
};

class SearchPort final : public SerialPort {
public:
    explicit SearchPort(std::shared_ptr<Devices> devices) : devices_(std::move(devices)) {}
    bool open(const QString& device) override {
        std::unique_lock lock(devices_->mutex);
        devices_->opened << device;
        // The question's thread finishes slowly once its question has ended.
        QObject::connect(QThread::currentThread(), &QThread::finished, [devices = devices_] {
            std::this_thread::sleep_for(50ms);
            ++devices->threadsFinished;
        });
        if (device.startsWith("stall"))
            devices_->released.wait_for(lock, 10s, [this] { return devices_->ended; });
        open_ = device.startsWith("unit") || device.startsWith("zero");
        zero_ = device.startsWith("zero");
        return open_;
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    void setRts(bool) override {}
    bool writeByte(std::uint8_t) override { return true; }
    std::optional<std::vector<std::uint8_t>> readAll() override {
        return hexBytes(zero_ ? "55 AA 02 0D 00 F0" : "55 AA 02 0D 80 00*128 70");
    }
    QString errorText() const override { return "No such file or directory"; }

private:
    std::shared_ptr<Devices> devices_;
    bool open_ = false;
    bool zero_ = false;
};

SerialDevice device(const char* path, bool usb = false, bool bluetooth = false) {
    SerialDevice d;
    d.path = path;
    d.usb = usb;
    d.byIdName = usb ? QString(path) : QString();
    d.bluetooth = bluetooth;
    return d;
}

using Present = std::vector<SerialDevice>;

} // namespace

Q_DECLARE_METATYPE(Present)

class HostSearchTest : public QObject {
    Q_OBJECT
private slots:
    void search_data() {
        QTest::addColumn<Present>("present");
        QTest::addColumn<QStringList>("mappings");
        QTest::addColumn<bool>("stopAtFirst");
        QTest::addColumn<QStringList>("asked");   // in order
        QTest::addColumn<QStringList>("answers"); // of the ports that have one
        QTest::addColumn<int>("found");
        QTest::newRow("USB adapters first, every port asked, a reply without data no host unit")
            << Present{device("none0"), device("unit1"), device("unit2", true), device("zero3")}
            << QStringList{} << false << QStringList{"unit2", "none0", "unit1", "zero3"}
            << QStringList{"COM1 not opened", "COM2 host unit", "COM3 no answer", "COM4 host unit"}
            << 4;
        QTest::newRow("the window stops at the first answer")
            << Present{device("none0"), device("unit1"), device("unit2", true)} << QStringList{}
            << true << QStringList{"unit2"} << QStringList{"COM3 host unit"} << 3;
        QTest::newRow("Bluetooth only when mapped, each device once, past COM8")
            << Present{device("rfcomm0", false, true), device("rfcomm1", false, true),
                       device("unit9")}
            << QStringList{"COM9=rfcomm1", "COM12=unit9"} << false
            << QStringList{"unit9", "rfcomm1"}
            << QStringList{"COM1 skipped", "COM2 skipped", "COM3 host unit", "COM9 not opened",
                           "COM12 host unit"}
            << 3;
        QTest::newRow("a stalled open is left behind at the bound")
            << Present{device("stall0", true), device("unit1")} << QStringList{} << false
            << QStringList{"stall0", "unit1"} << QStringList{"COM1 host unit", "COM2 stalled"} << 1;
    }
    void search() {
        QFETCH(Present, present);
        QFETCH(QStringList, mappings);
        QFETCH(bool, stopAtFirst);
        QFETCH(QStringList, asked);
        QFETCH(QStringList, answers);
        QFETCH(int, found);
        PortMap map([present] { return present; });
        for (const QString& mapping : mappings)
            QVERIFY(map.addMapping(mapping));
        auto devices = std::make_shared<Devices>();
        HostSearch search(
            map, {[devices] { return std::make_unique<SearchPort>(devices); }, 0.01, nullptr});
        if (stopAtFirst)
            search.stopAtFirst();
        QElapsedTimer clock;
        clock.start();
        search.run();
        const qint64 ms = clock.elapsed();
        qInfo("the search took %lld ms", ms);
        const bool stalls = !answers.filter("stalled").isEmpty();
        QCOMPARE(devices->threadsFinished.load(), int(asked.size()) - (stalls ? 1 : 0));
        {
            const std::lock_guard lock(devices->mutex);
            devices->ended = true;
            devices->released.notify_all();
            QCOMPARE(devices->opened, asked);
        }
        static const char* names[] = {"not present", "skipped", "not opened", "no answer",
                                      "host unit",   "stalled", "not asked"};
        QStringList got;
        for (const Probe& probe : search.probes())
            if (probe.answer != ProbeAnswer::NotPresent && probe.answer != ProbeAnswer::NotAsked)
                got << probe.target.name() + " " + names[int(probe.answer)];
        QCOMPARE(got, answers);
        QCOMPARE(search.found(), found);
        QVERIFY2(ms < (stalls ? 2600 : 600), qPrintable(QString::number(ms)));
        QVERIFY2(!stalls || ms >= 2000, qPrintable(QString::number(ms)));
    }
};

QTEST_GUILESS_MAIN(HostSearchTest)
#include "hostsearch_test.moc"
