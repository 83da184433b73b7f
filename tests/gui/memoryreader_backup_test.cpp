// form3's backup file (Command6 save, Command7 open) and download (Command8) against the
// simulated host unit over a pty.

#include "memoryreader_fixture.h"

#include "expectedboxes.h"
#include "files.h"
#include "hostsim/line/fault.h"
#include "wire.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>

#include <sys/stat.h>

using namespace readertest;
using hostsim::Fault;

namespace {

QByteArray asBytes(const Memory& m) {
    return QByteArray(reinterpret_cast<const char*>(m.data()), 8192);
}

// "55 55 AA 01 18 81 k <128 bytes> checksum": block k of the image as the unit must receive it.
QString downloadFrame(const Memory& m, int k) {
    Bytes data{std::uint8_t(k)};
    data.insert(data.end(), m.begin() + k * 128, m.begin() + (k + 1) * 128);
    return hexText(requestFrame(0x18, data));
}

// The question before a download of the image read from a unit, or opened from `file`.
QString downloadQuestion(const QString& file = {}) {
    return "下发将用" + (file.isEmpty() ? QString("读取的主机内容") : "备份文件" + file) +
           "覆盖主机内存储的所有信息！！\r\n   您确认执行请按确定，否则请取消！";
}

// Clicks the button, its file dialog answered with `path` (cancelled when empty).
void clickAnswering(QPushButton* button, const QString& path, QString* shown = nullptr) {
    answerDialog(path, shown);
    QTest::mouseClick(button, Qt::LeftButton);
}

// Gives the program a host image without a read.
void holdImage(ReaderRun& run, const Memory& m) {
    run.images().hostImage = m;
    run.images().hostImagePresent = run.images().anyImagePresent = true;
}

} // namespace

class MemoryReaderBackupTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(dir.isValid()); }

    void roundTripIntoAFreshHostUnit_data() {
        QTest::addColumn<Memory>("memory");
        QTest::newRow("random") << randomMemory(11);
        QTest::newRow("data hold 55 AA 02 0D 80") << withHeaders<8192>(0x0D, 70);
        QTest::newRow("data hold 55 AA 02 0E 80") << withHeaders<8192>(0x0E, 0);
    }
    void roundTripIntoAFreshHostUnit() {
        QFETCH(Memory, memory);
        const QString path = dir.filePath(QString("unit %1.cat").arg(QTest::currentDataTag()));
        {
            ReaderRun run;
            run.setMemory(memory);
            QTest::mouseClick(run.w().readHostButton, Qt::LeftButton);
            clickAnswering(run.w().saveFileButton, path);
            QCOMPARE(run.boxes.takeTexts(),
                     QStringList({"读取主机内容成功！", "记录已保存到" + path}));
        }
        QCOMPARE(readFile(path), asBytes(memory));

        ReaderRun run; // a new run of the tool and a replacement host unit, memory all zero
        clickAnswering(run.w().openFileButton, path);
        QCOMPARE(run.boxes.takeTexts(), QStringList{"已成功打开备份文件" + path});
        QVERIFY(run.images().hostImagePresent && run.images().anyImagePresent);
        QCOMPARE(run.w().hostStatusLabel->text(), "主机内容已读取");

        QTest::mouseClick(run.w().downloadButton, Qt::LeftButton);
        QCOMPARE(testsupport::describe(run.boxes.take()),
                 QStringList({"confirm 注意！！: " + downloadQuestion(path),
                              "notice OK: 下发备份数据到主机成功！"}));
        QCOMPARE(run.memory(), memory);
        const QStringList frames = run.takeFrames();
        QCOMPARE(frames.size(), 64);
        QCOMPARE(frames[0], downloadFrame(memory, 0));
        QCOMPARE(frames[63], downloadFrame(memory, 63));
        QCOMPARE(run.w().progressLabel->text(), "下发进度条");
        QCOMPARE(run.w().progressBar->value(), 0);

        run.images().hostImage.fill(0);
        QTest::mouseClick(run.w().readHostButton, Qt::LeftButton);
        QCOMPARE(run.images().hostImage, memory);
    }

    void extension_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow(".cat") << "a.cat" << true;
        QTest::newRow(".CAT") << "b.CAT" << true;
        QTest::newRow(".Cat") << "c.Cat" << false;
    }
    void extension() {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        const QString path = dir.filePath(name);
        ReaderRun run;
        const Memory memory = randomMemory(5);
        holdImage(run, memory);
        clickAnswering(run.w().saveFileButton, path);
        QCOMPARE(run.boxes.takeTexts(),
                 QStringList{accepted ? "记录已保存到" + path
                                      : QString("保存文件的扩展名必须为.cat！")});
        QCOMPARE(QFile::exists(path), accepted);

        writeFile(path, asBytes(randomMemory(6)));
        clickAnswering(run.w().openFileButton, path);
        QCOMPARE(run.boxes.takeTexts(),
                 QStringList{accepted ? "已成功打开备份文件" + path : QString("请选择.cat文件")});
        const Memory now = accepted ? randomMemory(6) : memory;
        QCOMPARE(run.images().hostImage, now);
    }

    void openFailureLeavesImage_data() {
        QTest::addColumn<int>("size"); // -1: no such file
        QTest::newRow("missing") << -1;
        QTest::newRow("8191 bytes") << 8191;
    }
    void openFailureLeavesImage() {
        QFETCH(int, size);
        const QString path = dir.filePath("short.cat");
        QFile::remove(path);
        if (size >= 0)
            writeFile(path, QByteArray(size, '\x5A'));
        ReaderRun run;
        run.images().hostImage.fill(7);
        clickAnswering(run.w().openFileButton, path);
        QCOMPARE(run.boxes.takeTexts(), QStringList{"文件" + path + "打开失败！"});
        QCOMPARE(run.images().hostImage[0], 7);
        QCOMPARE(run.images().hostImage[8191], 7);
        QVERIFY(!run.images().hostImagePresent && !run.images().anyImagePresent);
        QCOMPARE(run.w().hostStatusLabel->text(), "主机未读取");
        QCOMPARE(QFile::exists(path), size >= 0); // opening never creates the file
        // Nothing to download either.
        QTest::mouseClick(run.w().downloadButton, Qt::LeftButton);
        QCOMPARE(run.boxes.takeTexts(), QStringList{"主机数据未读取，无法下发主机！"});
    }

    void openKeepsReceiverSelectedAndRemembersName() {
        const QString path = dir.filePath("kept.CAT");
        const QByteArray bytes = asBytes(randomMemory(8));
        writeFile(path, bytes);
        ReaderRun run;
        run.images().receiverSelected = true;
        clickAnswering(run.w().openFileButton, path);
        QCOMPARE(run.boxes.takeTexts(), QStringList{"已成功打开备份文件" + path});
        QCOMPARE(asBytes(run.images().hostImage), bytes);
        QVERIFY(run.images().receiverSelected);

        // The dialog starts from the name chosen last; a save then goes to it, once Qt's own
        // question has been answered.
        QString shown;
        clickAnswering(run.w().saveFileButton, path, &shown);
        QCOMPARE(shown, path);
        QCOMPARE(run.boxes.takeTexts().value(1), "记录已保存到" + path);
        QCOMPARE(readFile(path), bytes);
    }

    void saveFailure_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason"); // the system's, or why the tool writes nothing there
        // A file cannot be created under a name whose directory is a plain file.
        QTest::newRow("folder is a file") << "plain/backup.cat"
                                          << "Not a directory";
        QTest::newRow("a FIFO") << "fifo.cat"
                                << "这是命名管道（FIFO），不是普通文件";
    }
    void saveFailure() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        writeFile(dir.filePath("plain"), "not a directory");
        ::mkfifo(qPrintable(dir.filePath("fifo.cat")), 0600);
        const QString path = dir.filePath(name);
        ReaderRun run;
        holdImage(run, randomMemory(9));
        clickAnswering(run.w().saveFileButton, path);
        const auto seen = run.boxes.take();
        QCOMPARE(seen.size() - 1, name == "fifo.cat" ? 1 : 0); // Qt's question: it exists
        QCOMPARE(seen.last().text, "文件" + path + "保存失败！\n" + reason);
        QCOMPARE(seen.last().title, "错误");
        QCOMPARE(seen.last().icon, QMessageBox::Critical);
        QCOMPARE(QFileInfo(path).isFile(), false);
    }

    void cancelledDialogEndsCommand() {
        ReaderRun run;
        holdImage(run, randomMemory(12));
        for (QPushButton* button : {run.w().saveFileButton, run.w().openFileButton}) {
            clickAnswering(button, {});
        }
        QCOMPARE(run.boxes.takeTexts(), QStringList{});
        QCOMPARE(run.images().hostImage, randomMemory(12));
    }

    void refusedWithoutHostImage_data() {
        QTest::addColumn<bool>("receiverRead"); // a receiver image alone is no host image
        QTest::newRow("nothing read") << false;
        QTest::newRow("receiver read") << true;
    }
    void refusedWithoutHostImage() {
        QFETCH(bool, receiverRead);
        ReaderRun run;
        run.images().anyImagePresent = run.images().receiverImagePresent = receiverRead;
        QTest::mouseClick(run.w().saveFileButton, Qt::LeftButton);
        QTest::mouseClick(run.w().downloadButton, Qt::LeftButton);
        QCOMPARE(run.boxes.takeTexts(),
                 QStringList({"主机数据未读取，无法保存文件！", "主机数据未读取，无法下发主机！"}));
        QCOMPARE(run.takeFrames(), QStringList{});
    }

    void downloadStops_data() {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("progress");
        QTest::addColumn<int>("sent");
        QTest::addColumn<QString>("note"); // what the unit holds now, beside the progress bar
        QTest::newRow("no acknowledgement at block 20")
            << Fault::noReply().onCommand(0x18).onBlock(20) << "通讯失败！请检查连线！" << 19 << 21
            << "主机第 1–20 块已是新内容，其余为原内容";
        QTest::newRow("acknowledgement of 2 bytes at block 5")
            << Fault::forceData({0, 0}).onCommand(0x18).onBlock(5) << "返回数据长度错误！" << 5 << 6
            << "主机第 1–5 块已是新内容，其余为原内容";
        QTest::newRow("acknowledgement without data at block 0")
            << Fault::forceData({}).onCommand(0x18).onBlock(0) << "返回数据长度错误！" << 0 << 1
            << "主机未写入任何块，仍为原内容";
        QTest::newRow("declined: nothing sent")
            << Fault::noReply().onCommand(0x77) << "" << 0 << 0 << "";
    }
    void downloadStops() {
        QFETCH(Fault, fault);
        QFETCH(QString, box);
        QFETCH(int, progress);
        QFETCH(int, sent);
        QFETCH(QString, note);
        ReaderRun run;
        Memory old;
        old.fill(0xC3);
        run.setMemory(old);
        const Memory image = randomMemory(13);
        holdImage(run, image);
        run.fault(fault);
        run.w().setListingSize();
        if (box.isEmpty())
            run.boxes.answerNext(QMessageBox::Cancel);
        QTest::mouseClick(run.w().downloadButton, Qt::LeftButton);

        QStringList boxes{downloadQuestion()};
        if (!box.isEmpty())
            boxes << box;
        QCOMPARE(run.boxes.takeTexts(), boxes);
        QCOMPARE(run.w().progressBar->value(), progress);
        QCOMPARE(run.w().progressLabel->text(),
                 box.isEmpty() ? QString("读取进度条") : "下发进度条");
        QCOMPARE(run.w().transferNoteLabel->isVisible(), !note.isEmpty());
        QCOMPARE(run.w().transferNoteLabel->text(), note);
        QCOMPARE(run.w().height(), box.isEmpty() ? 427 : 157);
        std::vector<int> expected(sent);
        for (int k = 0; k < sent; ++k)
            expected[k] = k;
        QCOMPARE(run.writtenBlocks(), expected); // nothing is sent after the failed block
        const Memory now = run.memory();
        const int acknowledged = std::max(sent - 1, 0);
        QVERIFY(std::equal(now.begin(), now.begin() + acknowledged * 128, image.begin()));
        QVERIFY(std::all_of(now.begin() + sent * 128, now.end(), [](auto b) { return b == 0xC3; }));
    }

    void downloadPortVanishes() {
        ReaderRun run;
        holdImage(run, randomMemory(14));
        QObject::connect(run.w().progressBar, &QProgressBar::valueChanged, [&](int value) {
            if (value == 10)
                run.host.goAway();
        });
        QTest::mouseClick(run.w().downloadButton, Qt::LeftButton);
        QCOMPARE(run.boxes.takeTexts(), QStringList({downloadQuestion(), "下发主机内容失败！"}));
        QCOMPARE(run.w().progressBar->value(), 0);
        QCOMPARE(run.w().progressLabel->text(), "正在下发数据到主机……");
    }

    // 校验主机 reads the host unit into an image of its own: the images and the flags stay.
    void verify_data() {
        QTest::addColumn<bool>("held");          // the program holds a host image
        QTest::addColumn<QList<int>>("changed"); // offsets the host unit holds otherwise
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("frames");
        const Fault none = Fault::delay(0).onCommand(0x77);
        QTest::newRow("equal") << true << QList<int>{} << none << "主机内容与当前数据一致！" << 64;
        QTest::newRow("three bytes from the 18th block")
            << true << QList<int>{17 * 128 + 5, 17 * 128 + 6, 8191} << none
            << "主机内容与当前数据不一致！第18块起共有3个字节不同。" << 64;
        QTest::newRow("no reply at block 9")
            << true << QList<int>{} << Fault::noReply().onCommand(0x0D).onBlock(9)
            << "通讯失败！请检查连线！" << 10;
        QTest::newRow("no host image")
            << false << QList<int>{} << none << "主机数据未读取，无法校验主机！" << 0;
    }
    void verify() {
        QFETCH(bool, held);
        QFETCH(QList<int>, changed);
        QFETCH(Fault, fault);
        QFETCH(QString, box);
        QFETCH(int, frames);
        ReaderRun run;
        const Memory image = randomMemory(21);
        Memory unit = image;
        for (int offset : changed)
            unit[offset] ^= 0x5A;
        run.setMemory(unit);
        if (held)
            holdImage(run, image);
        run.fault(fault);
        run.images().receiverImage.fill(7);
        run.w().verifyHostAction->trigger();
        QCOMPARE(run.boxes.takeTexts(), QStringList{box});
        QCOMPARE(run.takeFrames().size(), frames);
        QVERIFY(!held || run.images().hostImage == image);
        QCOMPARE(run.images().hostImagePresent, held);
        QVERIFY(!run.images().receiverSelected);
        QCOMPARE(run.images().receiverImage[100], 7);
    }

private:
    QTemporaryDir dir;
};

QTEST_MAIN(MemoryReaderBackupTest)
#include "memoryreader_backup_test.moc"
