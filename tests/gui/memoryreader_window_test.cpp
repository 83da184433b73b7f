// form3's layout, load, Label5 clicks, typed listing and hex view, opened by Command12 of the
// wired program. The listings read the images the program holds; no exchange is needed.

#include "memoryreader_fixture.h"
#include "ui/filedialog.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QStandardPaths>

using namespace readertest;

class MemoryReaderWindowTest : public QObject {
    Q_OBJECT
private slots:
    // Started from the program's own folder, as the Start menu starts the tool.
    void initTestCase() { QVERIFY(QDir::setCurrent(QCoreApplication::applicationDirPath())); }

    void layout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("pixels"); // twips / 15; labels sized by their text: size empty
        QTest::addColumn<bool>("visible");
        auto row = [](const char* name, const char* caption, QRect pixels, bool visible) {
            QTest::newRow(name) << name << QString::fromUtf8(caption) << pixels << visible;
        };
        row("Command1", "读取主机", {24, 16, 65, 33}, true);
        row("Command6", "保存文件", {120, 16, 65, 33}, true);
        row("Command7", "打开文件", {216, 16, 65, 33}, true);
        row("Command8", "下发主机", {312, 16, 65, 33}, true);
        row("Label5", "请选择显示的项目", {136, 72, 96, 12}, true);
        row("Command4", "内存排列", {360, 72, 33, 41}, false);
        row("Label6", "主机未读取", {32, 80, 0, 0}, true);
        row("Command5", "按类型显示", {280, 80, 73, 33}, true);
        row("Combo1", "传呼号", {128, 88, 121, 20}, true);
        row("Label1", "读取进度条", {16, 117, 0, 0}, true);
        row("ProgressBar1", "", {40, 130, 313, 17}, true);
        row("Label2", "  00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F", {48, 160, 294, 12},
            true);
        row("Label3", "传呼号     地址码       极性      机型      速率     音调", {16, 160, 0, 0},
            false);
        row("Label4", "餐桌号    叮当鸟特征码   对应传呼号1 对应传呼号2 对应传呼号3",
            {8, 160, 360, 12}, false);
        row("Label7", "分机未读取", {8, 410, 0, 0}, false);
        row("Text1", "", {8, 176, 377, 233}, true);
        row("Command3", "读取外置接收机", {296, 208, 97, 33}, false);
        row("Command2", "读取内置接收机", {288, 232, 97, 33}, false);
    }
    void layout() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRect, pixels);
        QFETCH(bool, visible);
        ReaderRun run;
        QWidget* control = run.w().findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->parentWidget(), &run.w());
        if (pixels.isEmpty())
            QCOMPARE(control->pos(), pixels.topLeft());
        else
            QCOMPARE(control->geometry(), pixels);
        QCOMPARE(control->isVisibleTo(&run.w()), visible);
        QVERIFY(control->isEnabled());
        if (auto* label = qobject_cast<QLabel*>(control))
            QCOMPARE(label->text(), caption);
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            QCOMPARE(button->text(), caption);
        else if (auto* combo = qobject_cast<QComboBox*>(control))
            QCOMPARE(combo->currentText(), caption);
    }

    void compactAndNotModal() {
        ReaderRun run;
        callcfg::MemoryReaderWindow& w = run.w();
        QCOMPARE(w.objectName(), "form3");
        QCOMPARE(w.windowTitle(), "读取");
        QVERIFY(w.isVisible() && !w.isModal());
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(w.size(), QSize(399, 157)); // 5985 x (2750 - 390 for the title bar) twips
        for (QWidget* control : w.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (control->isVisibleTo(&w) && control->y() < 160)
                QVERIFY2(control->geometry().bottom() < 157, qPrintable(control->objectName()));
        QCOMPARE(w.listingChoice->count(), 3);
        QCOMPARE(w.listingChoice->itemText(1), "餐桌号");
        QCOMPARE(w.listingChoice->itemText(2), "工作模式");
        QVERIFY(w.listingText->isReadOnly());
        const QFontMetrics metrics(w.listingText->font()); // half-width 6 pixels, Chinese 12
        QCOMPARE(metrics.horizontalAdvance("W"), 6);
        QCOMPARE(metrics.horizontalAdvance("i"), 6);
        QCOMPARE(metrics.horizontalAdvance("餐"), 12);
        auto* dialog = w.findChild<QFileDialog*>("CommonDialog1");
        QVERIFY(dialog && dialog->parent() == &w);
        QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
        // Started in the program's folder, the dialog starts in the documents (or the home
        // folder that holds them, when they are missing); nothing was created to find that out.
        QVERIFY(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                    .startsWith(dialog->directory().absolutePath()));
        QCOMPARE(QDir().entryList(QDir::Files).filter(".tmp"), QStringList());
        // Command12 again brings the open window forward without loading it again.
        w.listingText->setPlainText("kept");
        QTest::mouseClick(run.mainWindow().memoryReaderButton, Qt::LeftButton);
        QCOMPARE(run.program->memoryReader->readerWindow(), &w);
        QCOMPARE(w.listingText->toPlainText(), "kept");
    }

    void startFolder_data() {
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("documents"); // starts there, else in `current`
        QTest::addRow("elsewhere") << "D:/sites" << false;
        QTest::addRow("the program's folder") << "C:/Tools/callcfg" << true;
        QTest::addRow("inside it, other case") << "c:\\tools\\CALLCFG\\x\\" << true;
        QTest::addRow("a name that only begins alike") << "C:/Tools/callcfg2" << false;
        QTest::addRow("under a root") << "E:/x" << true;
    }

    void startFolder() {
        QFETCH(QString, current);
        QFETCH(bool, documents);
        const QString docs = "C:/Users/a/Documents";
        const QStringList programs{"", "C:\\Tools\\callcfg", "E:/"};
        QCOMPARE(callcfg::dialogStartFolder(current, programs, docs), documents ? docs : current);
    }

    void labelClicksAndReload() {
        ReaderRun run;
        callcfg::MemoryReaderWindow& w = run.w();
        for (int i = 0; i < 4; ++i)
            QTest::mouseClick(w.listPromptLabel, Qt::LeftButton);
        QVERIFY(w.hexViewButton->isHidden());
        QTest::mouseClick(w.listPromptLabel, Qt::LeftButton);
        QVERIFY(w.hexViewButton->isVisible());
        QTest::mouseClick(w.listPromptLabel, Qt::LeftButton);
        QVERIFY(w.hexViewButton->isVisible());
        QCOMPARE(w.labelClicks(), 6);

        // Closing and opening again runs the load, with the labels from the program's flags.
        run.images().hostImagePresent = run.images().receiverImagePresent =
            run.images().anyImagePresent = true;
        w.listingChoice->setCurrentIndex(2);
        w.listingButton->click();
        QCOMPARE(w.height(), 427); // listing size: 6800 - 390 twips
        w.progressBar->setValue(19);
        w.close();
        QTest::mouseClick(run.mainWindow().memoryReaderButton, Qt::LeftButton);
        QCOMPARE(&run.w(), &w);
        QVERIFY(w.isVisible() && w.hexViewButton->isHidden());
        QCOMPARE(w.labelClicks(), 0);
        QCOMPARE(w.hostStatusLabel->text(), "主机内容已读取");
        QCOMPARE(w.receiverStatusLabel->text(), "分机内容已读取");
        QCOMPARE(w.progressLabel->text(), "读取进度条");
        QCOMPARE(w.progressBar->value(), 0);
        QVERIFY(w.hexHeader->isVisibleTo(&w) && w.pagerHeader->isHidden() &&
                w.tableHeader->isHidden());
        QCOMPARE(w.listingChoice->currentIndex(), 0);
        QVERIFY(w.listingText->toPlainText().isEmpty());
        QCOMPARE(w.height(), 157);
        for (int i = 0; i < 4; ++i)
            QTest::mouseClick(w.listPromptLabel, Qt::LeftButton);
        QVERIFY(w.hexViewButton->isHidden());
    }

    void receiverButtonsByContextMenu() {
        ReaderRun run;
        callcfg::MemoryReaderWindow& w = run.w();
        QCOMPARE(w.contextMenuPolicy(), Qt::ActionsContextMenu);
        QStringList entries;
        for (QAction* action : w.actions())
            entries << action->text();
        QCOMPARE(entries, QStringList({"读取内置接收机", "读取外置接收机", "校验主机"}));
        QVERIFY(w.readBuiltInButton->isEnabled() && w.readExternalButton->isEnabled());
    }

    void listing_data() {
        QTest::addColumn<QString>("bytes"); // the host image's bytes "offset: hex bytes", by ';'
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("header");
        QTest::newRow("pager 12")
            << "55: 6B 12 34 56 72" << 0
            << "  12    1 2 3 4 5 6 7     正     中文字符    1200    音调3\r\n"
            << "Label3";
        QTest::newRow("no pager") << "" << 0 << "不存在传呼号！"
                                  << "Label3";
        QTest::newRow("one table")
            << "1280: 0A 1B 2C 00 0C 05 FF FF; 8191: 01" << 1
            << "共有 1个餐桌号：\r\n 12       0A  1B  2C        5           无          无\r\n"
            << "Label4";
        QTest::newRow("work mode 200") << "8166: C8" << 2 << "当前工作类型为：\r\n单键模式0"
                                       << "";
    }
    void listing() {
        QFETCH(QString, bytes);
        QFETCH(int, item);
        QFETCH(QString, text);
        QFETCH(QString, header);
        ReaderRun run;
        callcfg::Images& images = run.images();
        for (const QString& part : bytes.split(';', Qt::SkipEmptyParts)) {
            const QByteArray values = QByteArray::fromHex(part.section(':', 1).toLatin1());
            std::copy(values.begin(), values.end(),
                      images.hostImage.begin() + part.section(':', 0, 0).toInt());
        }
        images.anyImagePresent = true;
        run.w().hexHeader->show();
        run.w().listingChoice->setCurrentIndex(item);
        QTest::mouseClick(run.w().listingButton, Qt::LeftButton);
        QTest::mouseClick(run.w().listingButton, Qt::LeftButton); // the same text, not twice
        QCOMPARE(run.text1(), text);
        QCOMPARE(run.boxes.takeTexts(), QStringList{});
        QCOMPARE(run.w().height(), 427);
        QVERIFY(run.w().hexHeader->isHidden());
        QCOMPARE(run.w().pagerHeader->isVisible(), header == "Label3");
        QCOMPARE(run.w().tableHeader->isVisible(), header == "Label4");
    }

    void noImage_data() {
        QTest::addColumn<bool>("imagePresent");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        const char* empty = "读取数据区为空，请先读取主机或分机内容后再点击此按钮！";
        QTest::newRow("listing, no image")
            << false << "Command5" << empty << "错误" << int(QMessageBox::NoIcon);
        QTest::newRow("hex view, no image")
            << false << "Command4" << empty << "错误" << int(QMessageBox::NoIcon);
        QTest::newRow("tables, count 0") << true << "Command5"
                                         << "没有餐桌号！"
                                         << "注意" << int(QMessageBox::Critical);
    }
    void noImage() {
        QFETCH(bool, imagePresent);
        QFETCH(QString, button);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(int, icon);
        ReaderRun run;
        run.images().anyImagePresent = imagePresent;
        run.w().listingChoice->setCurrentIndex(1);
        run.w().listingText->setPlainText("earlier");
        run.w().findChild<QPushButton*>(button)->click();
        const auto seen = run.boxes.take();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].text, text);
        QCOMPARE(seen[0].title, title);
        QCOMPARE(int(seen[0].icon), icon);
        // Without an image nothing changes; without tables Label4 stands over an empty listing.
        QCOMPARE(run.text1(), imagePresent ? "" : "earlier");
        QCOMPARE(run.w().height(), imagePresent ? 427 : 157);
        QCOMPARE(run.w().tableHeader->isVisible(), imagePresent);
    }

    void fullHexDump() {
        ReaderRun run;
        for (int n = 0; n < 8192; ++n)
            run.images().hostImage[n] = static_cast<std::uint8_t>(n & 0xFF);
        run.images().anyImagePresent = true;
        run.w().pagerHeader->show();
        for (int i = 0; i < 5; ++i)
            QTest::mouseClick(run.w().listPromptLabel, Qt::LeftButton);
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(run.w().hexViewButton, Qt::LeftButton);
        QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
        run.w().hexViewButton->click();
        const QString dump = run.text1();
        QCOMPARE(dump.size(), 29961);
        QVERIFY(dump.startsWith(
            "000H -- 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F \r\n010H -- "));
        QVERIFY(dump.contains(
            "\r\n0F0H -- F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF \r\n100H -- "));
        QVERIFY(dump.contains("\r\n1000H -- 00 01 "));
        QVERIFY(dump.endsWith(
            "\r\n1FF0H -- F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF \r\n2000H -- "));
        QVERIFY(run.w().hexHeader->isVisible() && run.w().pagerHeader->isHidden());
        QCOMPARE(run.w().height(), 427);
    }
};

QTEST_MAIN(MemoryReaderWindowTest)
#include "memoryreader_window_test.moc"
