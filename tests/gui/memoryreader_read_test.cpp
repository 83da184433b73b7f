// The three reads of form3 against the simulated host unit over a pty.

#include "memoryreader_fixture.h"

#include "hostsim/line/fault.h"
#include "link/linkobserver.h"

#include <QComboBox>
#include <QSignalSpy>

using namespace readertest;
using hostsim::Fault;

class MemoryReaderReadTest : public QObject {
    Q_OBJECT
private slots:
    void hostReadIsExact_data();
    void hostReadIsExact();
    void statusOnScreenBeforeFirstExchange();
    void receiverRead_data();
    void receiverRead();
    void hostReadFails_data();
    void hostReadFails();
    void portVanishesMidRead();
    void portVanishesWhileWaiting();
    void failedReceiverReadStillSelectsReceiver();
};

void MemoryReaderReadTest::hostReadIsExact_data() {
    QTest::addColumn<Memory>("memory");
    QTest::addColumn<QList<Fault>>("faults");
    const Memory random = randomMemory(7);
    QTest::newRow("random") << random << QList<Fault>{};
    Memory headers = withHeaders<8192>(0x0D, 0); // odd blocks: 55 AA 02 0E 80 at their end
    const auto other = withHeaders<8192>(0x0E, 123);
    for (int k = 1; k < 64; k += 2)
        std::copy(other.begin() + k * 128, other.begin() + k * 128 + 128,
                  headers.begin() + k * 128);
    QTest::newRow("data hold 55 AA 02 0D 80 and 55 AA 02 0E 80") << headers << QList<Fault>{};
    QTest::newRow("noise and a bad reply before replies")
        << random
        << QList<Fault>{
               Fault::noise({0x00, 0x55, 0x13}).onCommand(0x0D).onBlock(0),
               Fault::noise({0x55, 0xAA, 0x02, 0x0D, 0x00, 0x00}).onCommand(0x0D).onBlock(9),
               Fault::noise({0x55, 0xAA, 0x02}).onCommand(0x0D).onBlock(17),
               Fault::noise({0xFF}).onCommand(0x0D).onBlock(63)};
}

void MemoryReaderReadTest::hostReadIsExact() {
    QFETCH(Memory, memory);
    QFETCH(QList<Fault>, faults);
    ReaderRun run;
    run.setMemory(memory);
    for (const Fault& f : faults)
        run.fault(f);
    QTest::mouseClick(run.w().readHostButton, Qt::LeftButton);

    QStringList expected{"读取主机内容成功！"};
    if (QTest::currentDataTag() == QByteArray("noise and a bad reply before replies"))
        expected.prepend("CRC校验错误");
    QCOMPARE(run.boxes.takeTexts(), expected);
    QCOMPARE(run.images().hostImage, memory);
    QVERIFY(run.images().hostImagePresent && run.images().anyImagePresent &&
            !run.images().receiverSelected);
    QCOMPARE(run.w().hostStatusLabel->text(), "主机内容已读取");
    QCOMPARE(run.w().progressLabel->text(), "读取进度条");
    QCOMPARE(run.w().progressBar->value(), 0);
    QCOMPARE(run.w().progressBar->maximum(), 63);
    const QStringList frames = run.takeFrames();
    QCOMPARE(frames.size(), 64);
    QCOMPARE(frames.first(), "55 55 AA 01 0D 01 00 F0");
    QCOMPARE(frames.last(), "55 55 AA 01 0D 01 3F B1");
}

void MemoryReaderReadTest::statusOnScreenBeforeFirstExchange() {
    ReaderRun run;
    run.w().setListingSize();
    run.w().pagerHeader->show();
    run.fault(Fault::noReply().onCommand(0x0D).onBlock(0));
    // Looks at the window once the first request has gone out, before its wait.
    struct FirstSend : callcfg::LinkObserver {
        callcfg::MemoryReaderWindow* w = nullptr;
        QStringList seen;
        void sent(std::span<const std::uint8_t>) override {
            if (seen.isEmpty())
                seen << w->progressLabel->text() << QString::number(w->height())
                     << QString::number(w->pagerHeader->isVisible())
                     << QString::number(w->progressLabel->isVisible());
        }
    } firstSend;
    firstSend.w = &run.w();
    run.link().addObserver(&firstSend);
    QTest::mouseClick(run.w().readHostButton, Qt::LeftButton);
    run.link().removeObserver(&firstSend);
    const QStringList seen = firstSend.seen;
    // Compact: 2750 twips less the title bar's 390 is 157 pixels.
    QCOMPARE(seen, QStringList({"正在读取主机内容……", "157", "0", "1"}));
}

void MemoryReaderReadTest::receiverRead_data() {
    QTest::addColumn<bool>("external");
    QTest::addColumn<int>("headerAt");
    QTest::addColumn<QString>("firstFrame");
    QTest::addColumn<QString>("success");
    QTest::newRow("built-in") << false << 0 << "55 55 AA 01 0E 01 00 EF"
                              << "读取内置接收机内容成功！";
    QTest::newRow("external") << true << 60 << "55 55 AA 01 0E 02 00 01 ED"
                              << "读取外置接收机内容成功！";
    QTest::newRow("built-in, header at the end of the data")
        << false << 123 << "55 55 AA 01 0E 01 00 EF"
        << "读取内置接收机内容成功！";
}

void MemoryReaderReadTest::receiverRead() {
    QFETCH(bool, external);
    QFETCH(int, headerAt);
    QFETCH(QString, firstFrame);
    QFETCH(QString, success);
    ReaderRun run;
    const Receiver image = withHeaders<256>(0x0E, headerAt);
    Receiver other;
    other.fill(0xEE);
    run.setReceiver(external ? 1 : 0, image);
    run.setReceiver(external ? 0 : 1, other);
    // The receiver gathers its memory for 4 s (of its 9 s wait) before it answers the first
    // block; the second block's reply comes in two parts.
    run.fault(Fault::delay(4 * kTimeScale).onCommand(0x0E).onBlock(0));
    run.fault(Fault::split(40, 0.01).onCommand(0x0E).onBlock(1));
    QSignalSpy ran(external ? run.w().readExternalButton : run.w().readBuiltInButton,
                   &QPushButton::clicked);
    (external ? run.w().readExternalAction : run.w().readBuiltInAction)->trigger();
    QCOMPARE(ran.size(), 1);

    QCOMPARE(run.images().receiverImage, image);
    QVERIFY(run.images().receiverImagePresent && run.images().receiverSelected &&
            run.images().anyImagePresent);
    QVERIFY(!run.images().hostImagePresent);
    QCOMPARE(run.boxes.takeTexts(), QStringList{success});
    QCOMPARE(run.w().receiverStatusLabel->text(), "分机内容已读取");
    QVERIFY(run.w().receiverStatusLabel->isVisibleTo(&run.w()));
    QVERIFY(run.w().receiverStatusLabel->y() >=
            run.w().height()); // the read leaves the compact size
    QCOMPARE(run.w().progressBar->maximum(), 2);
    const QStringList frames = run.takeFrames();
    QCOMPARE(frames.size(), 2);
    QCOMPARE(frames.first(), firstFrame);

    // The hex view shows the receiver image: 16 rows, 936 characters.
    for (int i = 0; i < 5; ++i)
        QTest::mouseClick(run.w().listPromptLabel, Qt::LeftButton);
    QTest::mouseClick(run.w().hexViewButton, Qt::LeftButton);
    const QString dump = run.text1();
    QCOMPARE(dump.size(), 936);
    QVERIFY(dump.startsWith(headerAt == 0
                                ? "000H -- 55 AA 02 0E 80 26 2D 34 3B 42 49 50 57 5E 65 6C \r\n"
                                : "000H -- 03 0A 11 18 1F 26 2D 34 3B 42 49 50 57 5E 65 6C \r\n"));
    QVERIFY(dump.endsWith("\r\n100H -- "));
    QVERIFY(run.w().rect().contains(
        run.w().receiverStatusLabel->geometry())); // in view at listing size
}

void MemoryReaderReadTest::hostReadFails_data() {
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("progress");
    QTest::newRow("no reply at block 40")
        << Fault::noReply().onCommand(0x0D).onBlock(40) << "通讯失败！请检查连线！" << 39;
    QTest::newRow("bad checksum at block 40")
        << Fault::badChecksum().onCommand(0x0D).onBlock(40) << "通讯失败！请检查连线！" << 39;
    QTest::newRow("reply to another command at block 40")
        << Fault::wrongCommand(0x0E).onCommand(0x0D).onBlock(40) << "通讯失败！请检查连线！" << 39;
    QTest::newRow("127 data bytes at block 40")
        << Fault::wrongLength(127).onCommand(0x0D).onBlock(40) << "接收数据长度错误！" << 40;
}

void MemoryReaderReadTest::hostReadFails() {
    QFETCH(Fault, fault);
    QFETCH(QString, box);
    QFETCH(int, progress);
    ReaderRun run;
    const Memory old = randomMemory(1);
    run.images().hostImage = old;
    const Memory memory = randomMemory(2);
    run.setMemory(memory);
    run.fault(fault);
    QTest::mouseClick(run.w().readHostButton, Qt::LeftButton);

    QCOMPARE(run.boxes.takeTexts().last(), box);
    QCOMPARE(run.images().hostImage, old);
    QVERIFY(!run.images().hostImagePresent && !run.images().anyImagePresent);
    QCOMPARE(run.w().progressBar->value(), progress);
    QCOMPARE(run.w().progressLabel->text(), "读取进度条");
    QCOMPARE(run.w().hostStatusLabel->text(), "主机未读取");
    QCOMPARE(run.takeFrames().size(), 41); // nothing is sent after the failed block

    // The blocks of the failed read leave nothing behind: the next read takes the whole memory.
    QTest::mouseClick(run.w().readHostButton, Qt::LeftButton);
    QCOMPARE(run.boxes.takeTexts(), QStringList{"读取主机内容成功！"});
    QCOMPARE(run.images().hostImage, memory);
}

void MemoryReaderReadTest::portVanishesMidRead() {
    ReaderRun run;
    // The device goes away between two blocks: the request for block 31 cannot be written.
    QObject::connect(run.w().progressBar, &QProgressBar::valueChanged, [&](int value) {
        if (value == 30)
            run.host.goAway();
    });
    QTest::mouseClick(run.w().readHostButton, Qt::LeftButton);
    QCOMPARE(run.takeFrames().size(), 31);
    QCOMPARE(run.boxes.takeTexts(), QStringList{"读取主机内容失败！"});
    QVERIFY(!run.images().hostImagePresent && !run.images().anyImagePresent);
    QCOMPARE(run.w().progressBar->value(), 0);
    QCOMPARE(run.w().progressLabel->text(), "正在读取主机内容……");
    QCOMPARE(run.w().height(), 157);
}

void MemoryReaderReadTest::portVanishesWhileWaiting() {
    ReaderRun run;
    run.fault(Fault::goAway(0).onCommand(0x0D).onBlock(30));
    QTest::mouseClick(run.w().readHostButton, Qt::LeftButton);
    const QStringList texts = run.boxes.takeTexts();
    QCOMPARE(texts.size(), 1);
    QVERIFY(texts.first() == "读取主机内容失败！" || texts.first() == "通讯失败！请检查连线！");
    QVERIFY(!run.images().hostImagePresent && !run.images().anyImagePresent);
    QCOMPARE(run.takeFrames().size(), 31);
}

void MemoryReaderReadTest::failedReceiverReadStillSelectsReceiver() {
    ReaderRun run;
    run.images().hostImagePresent = run.images().anyImagePresent = true; // as after a host read
    run.fault(Fault::noReply().onCommand(0x0E).onBlock(0));
    run.w().readBuiltInButton->click();
    QCOMPARE(run.boxes.takeTexts().last(), "通讯失败！请检查连线！");
    QVERIFY(run.images().receiverSelected && !run.images().receiverImagePresent);
    QCOMPARE(run.w().progressBar->value(), 0);
    // The hex view now shows the receiver image, zeros as none was ever read.
    for (int i = 0; i < 5; ++i)
        QTest::mouseClick(run.w().listPromptLabel, Qt::LeftButton);
    run.w().hexViewButton->click();
    QCOMPARE(run.text1().size(), 936);
    QVERIFY(run.text1().startsWith("000H -- 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 \r\n"));
}

QTEST_MAIN(MemoryReaderReadTest)
#include "memoryreader_read_test.moc"
