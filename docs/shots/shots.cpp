// callcfg_shots DIR: the windows as an installer meets them, on a simulated host unit with a
// few pagers and table callers, grabbed to PNG files in DIR. Meant to run under a real X
// server (xvfb-run), with the fonts a desktop has.

#include "app/program.h"
#include "boxwatcher.h"
#include "callers/callerwindows.h"
#include "callers/handheldcallerwindow.h"
#include "callers/voicepromptwindow.h"
#include "hostsim/line/ptyhost.h"
#include "memoryreader/memoryreaderwindow.h"
#include "sitesheet/sitesheetwindow.h"
#include "ui/fonts.h"
#include "ui/waitboxes.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>

namespace {

void settle() {
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
}

// What the X server shows of the window: its real background and fonts, as on a desktop.
bool save(QWidget* window, const QString& dir, const char* name) {
    window->raise();
    if (!QTest::qWaitForWindowExposed(window))
        qWarning("%s was not exposed", name);
    QTest::qWait(200);
    settle();
    const QString path = QDir(dir).filePath(QString::fromLatin1(name));
    const bool saved = window->screen()->grabWindow(window->winId()).save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}

// Pagers 3, 12 and 105 and three table callers, as an installer would have set them.
void setUpUnit(hostsim::HostUnit& unit) {
    unit.setLearnDelay(0);
    const auto request = [&unit](std::uint8_t command, std::vector<std::uint8_t> data) {
        unit.carryOut({command, std::move(data)});
    };
    request(0x01, {0, 3, 0, 2, 0, 0, 0, 1, 2, 3, 4, 5, 0});
    request(0x01, {0, 12, 0, 1, 1, 1, 2, 3, 4, 5, 6, 7, 2});
    request(0x01, {1, 5, 0, 8, 0, 7, 6, 5, 4, 3, 2, 1, 1});
    request(0x03, {0, 0, 12, 3, 12, 0xFF});
    request(0x03, {0, 0, 25, 105, 0xFF, 0xFF});
    request(0x03, {0, 1, 0, 3, 12, 105});
    request(0x17, {1});
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(dir);
    callcfg::installFontSubstitutions();
    hostsim::PtyHost host;
    host.setPacing(false);
    host.withUnit(setUpUnit);
    callcfg::PortMap map;
    map.map(1, QString::fromStdString(host.devicePath()));
    callcfg::Program program(map);
    program.exitProgram = [] {};
    program.link.setTimeScale(0.02);
    // Every read and command ends with a box.
    auto answerer = std::make_unique<testsupport::BoxWatcher>();
    callcfg::MainWindow& f = program.mainWindow;
    f.show();
    bool ok = true;

    f.pagerNumberEdit->setText(QStringLiteral("12"));
    f.addressCodeEdit->setText(QStringLiteral("1234567"));
    f.tableNumberEdit->setText(QStringLiteral("12"));
    f.tablePagerEdits[0]->setText(QStringLiteral("3"));
    f.openPortButton->click();
    ok &= save(&f, dir, "main-window.png");
    f.setFullView(true);
    f.setMaintenanceView(true);
    ok &= save(&f, dir, "main-window-all-functions.png");
    f.setMaintenanceView(false);
    f.setFullView(false);

    f.memoryReaderButton->click();
    callcfg::MemoryReaderWindow& w = *program.memoryReader->readerWindow();
    w.move(f.x() + 40, f.y() + 40);
    w.readHostButton->click();
    w.listingButton->click();
    ok &= save(&w, dir, "memory-reader-pagers.png");
    w.listingChoice->setCurrentIndex(1);
    w.listingButton->click();
    ok &= save(&w, dir, "memory-reader-tables.png");
    w.hexViewButton->show(); // as five clicks on the prompt label show it
    w.hexViewButton->click();
    ok &= save(&w, dir, "memory-reader-hex.png");
    w.load(program.images);
    ok &= save(&w, dir, "memory-reader.png");

    f.voicePromptsButton->click();
    ok &= save(program.callerWindows->voiceWindow(), dir, "voice-prompts.png");
    f.handheldButton->click();
    ok &= save(program.callerWindows->handheldWindow(), dir, "handheld-callers.png");

    // The site sheet: a sheet with a column of its own and a row its check refuses, set and
    // compared with the unit.
    QTemporaryDir sheetDir;
    const QString sheet = sheetDir.filePath(QStringLiteral("pagers.csv"));
    QFile sheetFile(sheet);
    if (sheetFile.open(QIODevice::WriteOnly)) {
        sheetFile.write("\xEF\xBB\xBF传呼号,地址码,极性,机型,速率,音调,备注\r\n"
                        "21,1000021,正,数字标准,1200,音调3,前台\r\n"
                        "22,1000022,正,中文字符,1200,音调1,厨房\r\n"
                        "23,1000023,反,数字标准,512,音调2,二楼\r\n"
                        "300,1000024,正,数字标准,1200,音调3,包间\r\n"
                        "25,1000025,正,英文,1200,音调3,收银\r\n");
        sheetFile.close();
    }
    f.siteSheetAction->trigger();
    callcfg::SiteSheetWindow& sheetWindow = *program.siteSheet->window();
    sheetWindow.move(20, f.y() + 60);
    program.siteSheet->load(sheet);
    sheetWindow.startButton->click();
    QTest::qWaitFor([&] { return sheetWindow.summaryLabel->text().startsWith(u"设置完毕"); },
                    30000);
    sheetWindow.verifyButton->click();
    ok &= save(&sheetWindow, dir, "site-sheet.png");
    sheetWindow.hide();

    program.waitBoxes.callerBox().show();
    ok &= save(&program.waitBoxes.callerBox(), dir, "caller-wait-box.png");
    program.waitBoxes.callerBox().hide();

    answerer.reset(); // this box is shown for its picture, not answered
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("OK"), QStringLiteral("设置传呼号成功！"),
                    QMessageBox::Ok, &f);
    box.show();
    ok &= save(&box, dir, "success-box.png");
    box.hide();
    return ok ? 0 : 1;
}
