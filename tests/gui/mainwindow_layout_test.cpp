// The main window as an installer sees it: controls, start state, views, keyboard, greetings.

#include "boxwatcher.h"
#include "expectedcommands.h"
#include "link/link.h"
#include "link/qtserialport.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/mainwindowcommands.h"
#include "mainwindow/testmode.h"
#include "ui/chosenport.h"
#include "ui/waitboxes.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <memory>

using callcfg::MainWindow;

namespace {

const QStringList commandButtons{
    "Command1",  "Command2",  "Command3",  "Command4",  "Command5",  "Command6",  "Command7",
    "Command8",  "Command9",  "Command10", "Command11", "Command12", "Command13", "Command14",
    "Command15", "Command16", "Command17", "Command19", "Command20", "Command21", "Command22"};

} // namespace

class MainWindowLayoutTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindow> form;

    template <typename T = QWidget> T* control(const QString& name) {
        auto* found = form->findChild<T*>(name);
        if (!found)
            qWarning("no control %s", qPrintable(name));
        return found;
    }

    QRect inWindow(QWidget* w) { return QRect(w->mapTo(form.get(), QPoint(0, 0)), w->size()); }

    bool reachable(QWidget* w) {
        return w->isVisibleTo(form.get()) && w->isEnabled() && form->rect().contains(inWindow(w));
    }

    void activate() {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    void pressView(const QString& keys) {
        for (QChar key : keys) {
            const auto code = key == 'A' ? Qt::Key_A : Qt::Key_M;
            QTest::keyClick(form.get(), code, Qt::ControlModifier | Qt::ShiftModifier);
        }
    }

    void clickBackground(int times, QPoint at = QPoint(5, 5)) {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(form.get(), Qt::LeftButton, {}, at);
    }

private slots:
    void init() {
        form = std::make_unique<MainWindow>();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void cleanup() { form.reset(); }

    void controls_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("items");
        QTest::addColumn<QString>("selected");
        const QString list = "QComboBox", label = "QLabel", button = "QPushButton",
                      field = "QLineEdit", frame = "QGroupBox";
        auto row = [](const char* name, const QString& type, const QString& parent,
                      const QString& caption, const QString& items = {},
                      const QString& selected = {}) {
            QTest::newRow(name) << type << parent << caption << items << selected;
        };
        row("Label9", label, "Form1", "通讯端口");
        row("Combo5", list, "Form1", "", "COM1|COM2|COM3|COM4|COM5|COM6|COM7|COM8", "COM1");
        row("Command15", button, "Form1", "打开");
        row("Label10", label, "Form1", "端口状态：");
        row("Label11", label, "Form1", "串口关闭");
        row("LabelWorkMode", label, "Form1", "工作模式");
        row("Combo4", list, "Form1", "", "单键模式1|多键模式|单键模式0", "多键模式");
        row("Command11", button, "Form1", "写入");
        row("LabelDataBackup", label, "Form1", "数据备份");
        row("Command12", button, "Form1", "打开");
        row("FramePager", frame, "Form1", "设置传呼机");
        row("LabelPagerNumber", label, "FramePager", "传呼号");
        row("LabelAddressCode", label, "FramePager", "地址码");
        row("LabelMachineType", label, "FramePager", "机型");
        row("LabelPolarity", label, "FramePager", "极性");
        row("LabelRate", label, "FramePager", "速率");
        row("LabelTone", label, "FramePager", "音调");
        row("Text1(0)", field, "FramePager", "");
        row("Text1(1)", field, "FramePager", "");
        row("Combo1(0)", list, "FramePager", "", "数字标准|数字新型|中文字符|英文", "数字标准");
        row("Combo1(1)", list, "FramePager", "", "反|正", "反");
        row("Combo1(2)", list, "FramePager", "", "512|1200|2400", "1200");
        row("Combo1(3)", list, "FramePager", "", "音调1|音调2|音调3|音调4", "音调1");
        row("Command1", button, "FramePager", "写入");
        row("FrameTable", frame, "Form1", "设置餐桌呼叫器");
        row("LabelTableNumber", label, "FrameTable", "餐桌号");
        row("LabelTableReceiver", label, "FrameTable", "接收器号码");
        row("LabelPager1", label, "FrameTable", "传呼号1");
        row("LabelPager2", label, "FrameTable", "传呼号2");
        row("LabelPager3", label, "FrameTable", "传呼号3");
        for (int i = 0; i < 5; ++i)
            row(qPrintable(QString("Text3(%1)").arg(i)), field, "FrameTable", "");
        row("Command3", button, "FrameTable", "写入");
        row("Command7", button, "Form1", "初始化主机");
        row("FrameDeletePager", frame, "Form1", "删除传呼机");
        row("LabelDeletePager", label, "FrameDeletePager", "传呼号");
        row("Text4", field, "FrameDeletePager", "");
        row("Command4", button, "FrameDeletePager", "删除");
        row("FrameDeleteTable", frame, "Form1", "删除餐桌呼叫器");
        row("LabelDeleteTable", label, "FrameDeleteTable", "餐桌号");
        row("Text6", field, "FrameDeleteTable", "");
        row("Command5", button, "FrameDeleteTable", "删除");
        row("Command9", button, "Form1", "退出(&x)");
        row("LabelTransmitterFrequency", label, "Form1", "发射机频率  （MHZ）");
        row("Text7", field, "Form1", "");
        row("Command14", button, "Form1", "写入");
        row("LabelReceiverFrequency", label, "Form1", "接收器频率   （MHZ）");
        row("Combo2", list, "Form1", "", "314.2|314.4|314.6|314.8|315.0|315.2|315.4|315.6",
            "315.6");
        row("LabelFrequencyReceiver", label, "Form1", "接收器号码");
        row("Text10", field, "Form1", "");
        row("Command13", button, "Form1", "写入");
        row("Command18", button, "Form1", "写入");
        row("Command8", button, "Form1", "测试(&t)");
        row("Label7", label, "Form1", "测试窗口");
        row("Text8", "QPlainTextEdit", "Form1", "");
        row("FrameDeleteUrge", frame, "Form1", "删除催菜器");
        row("LabelDeleteUrge", label, "FrameDeleteUrge", "催菜器号码");
        row("Text5", field, "FrameDeleteUrge", "");
        row("Command10", button, "FrameDeleteUrge", "删除");
        row("FrameSetUrge", frame, "Form1", "设置催菜器");
        row("LabelSetUrge", label, "FrameSetUrge", "催菜器号码");
        row("Text11", field, "FrameSetUrge", "");
        row("Command19", button, "FrameSetUrge", "写入");
        row("FrameReceiverNumber", frame, "Form1", "设置接收器号码");
        row("LabelReceiverNumber", label, "FrameReceiverNumber", "接收器号码");
        row("Text2", field, "FrameReceiverNumber", "");
        row("Command2", button, "FrameReceiverNumber", "写入");
        row("FrameDisplayType", frame, "Form1", "信息机类型");
        row("Combo3", list, "FrameDisplayType", "", "数字|语音", "数字");
        row("Command20", button, "FrameDisplayType", "写入");
        row("FrameRepeater", frame, "Form1", "增强器内容");
        row("Command16", button, "FrameRepeater", "写入");
        row("Command17", button, "FrameRepeater", "删除");
        row("FrameVoicePrompt", frame, "Form1", "语音提示类型设置");
        row("Command21", button, "FrameVoicePrompt", "叮当鸟呼叫器");
        row("Command22", button, "FrameVoicePrompt", "手持呼叫器");
        row("Command6", button, "Form1", "初始化接收器");
    }

    void controls() {
        QFETCH(QString, type);
        QFETCH(QString, parent);
        QFETCH(QString, caption);
        QFETCH(QString, items);
        QFETCH(QString, selected);
        QCOMPARE(form->objectName(), QString("Form1"));
        QCOMPARE(form->windowTitle(), QString("鸣玉配置软件4.0+"));
        QWidget* w = control(QTest::currentDataTag());
        QVERIFY(w);
        QCOMPARE(QString(w->metaObject()->className()), type);
        QCOMPARE(w->parentWidget()->objectName(), parent);
        if (auto* l = qobject_cast<QLabel*>(w))
            QCOMPARE(l->text(), caption);
        else if (auto* b = qobject_cast<QPushButton*>(w))
            QCOMPARE(b->text(), caption);
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            QCOMPARE(g->title(), caption);
        else if (auto* e = qobject_cast<QLineEdit*>(w))
            QCOMPARE(e->text(), QString());
        else if (auto* t = qobject_cast<QPlainTextEdit*>(w))
            QCOMPARE(t->toPlainText(), QString());
        if (auto* c = qobject_cast<QComboBox*>(w)) {
            QStringList texts;
            for (int i = 0; i < c->count(); ++i)
                texts << c->itemText(i);
            QCOMPARE(texts.join('|'), items);
            QCOMPARE(c->currentText(), selected);
            QCOMPARE(c->itemText(c->currentIndex()), selected);
            // The port and frequency lists can be typed in; the others only chosen from.
            const bool typed = QTest::currentDataTag() == QString("Combo5") ||
                               QTest::currentDataTag() == QString("Combo2");
            QCOMPARE(c->isEditable(), typed);
        }
    }

    void captionColours_data() {
        QTest::addColumn<QColor>("colour");
        const QColor blue(0, 0, 255), darkRed(192, 0, 0),
            plain = QApplication::palette().color(QPalette::WindowText);
        for (const char* name : {"FramePager", "FrameTable", "FrameReceiverNumber", "FrameSetUrge",
                                 "FrameVoicePrompt", "LabelWorkMode", "LabelDataBackup",
                                 "LabelTransmitterFrequency", "LabelReceiverFrequency"})
            QTest::newRow(name) << blue;
        for (const char* name : {"FrameDeletePager", "FrameDeleteTable", "FrameDeleteUrge"})
            QTest::newRow(name) << darkRed;
        // Controls inside a coloured frame keep the plain colour, as do the other captions.
        for (const char* name :
             {"LabelPagerNumber", "LabelDeleteUrge", "LabelReceiverNumber", "Label9", "Label7",
              "FrameDisplayType", "FrameRepeater", "LabelFrequencyReceiver"})
            QTest::newRow(name) << plain;
    }

    void captionColours() {
        QFETCH(QColor, colour);
        QCOMPARE(control(QTest::currentDataTag())->palette().color(QPalette::WindowText), colour);
    }

    void fonts() {
        for (const char* name : {"Label9", "Label10", "Label11"}) {
            const QFont font = control(name)->font();
            QCOMPARE(font.family(), QString("楷体_GB2312"));
            QVERIFY2(QFontInfo(font).family().startsWith("AR PL UKai"), name);
        }
        QVERIFY(QFontInfo(control("Command1")->font()).family().startsWith("AR PL UMing"));
    }

    // A Chinese Windows has these faces: they win over the AR PL stand-ins.
    void windowsFacesFirst_data() {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QStringList>("windowsFaces");
        QTest::newRow("楷体_GB2312") << QString("楷体_GB2312") << QStringList{"楷体", "KaiTi"};
        QTest::newRow("楷体") << QString("楷体") << QStringList{"KaiTi"};
        QTest::newRow("宋体") << QString("宋体") << QStringList{"SimSun", "新宋体", "NSimSun"};
        QTest::newRow("新宋体") << QString("新宋体") << QStringList{"NSimSun", "宋体", "SimSun"};
    }
    void windowsFacesFirst() {
        QFETCH(QString, face);
        QFETCH(QStringList, windowsFaces);
        const QStringList substitutes = QFont::substitutes(face); // Qt keeps them in lower case
        for (qsizetype i = 0; i < windowsFaces.size(); ++i)
            QCOMPARE(substitutes.value(i), windowsFaces[i].toLower());
        QVERIFY(substitutes.value(windowsFaces.size()).startsWith("ar pl"));
    }

    void upperStripGeometry_data() {
        QTest::addColumn<QRect>("expected"); // an empty size: only the position is laid out
        auto at = [](const char* name, int x, int y) { QTest::newRow(name) << QRect(x, y, 0, 0); };
        at("Label9", 32, 8);
        at("Combo5", 112, 6);
        at("Command15", 192, 6);
        at("Label10", 288, 8);
        at("Label11", 384, 8);
        at("LabelWorkMode", 32, 61);
        at("Combo4", 104, 58);
        at("Command11", 200, 54);
        at("LabelDataBackup", 336, 61);
        at("Command12", 408, 54);
        QTest::newRow("FramePager") << QRect(24, 104, 505, 65);
        QTest::newRow("FrameTable") << QRect(24, 192, 337, 65);
        QTest::newRow("Command7") << QRect(408, 208, 89, 33);
        QTest::newRow("FrameDeletePager") << QRect(24, 272, 153, 65);
        QTest::newRow("FrameDeleteTable") << QRect(208, 272, 153, 65);
        QTest::newRow("Command9") << QRect(408, 280, 89, 33);
        at("Label7", 24, 384);
        QTest::newRow("Text8") << QRect(24, 400, 505, 173);
    }

    void upperStripGeometry() {
        QFETCH(QRect, expected);
        const QRect actual = control(QTest::currentDataTag())->geometry();
        QCOMPARE(actual.topLeft(), expected.topLeft());
        if (!expected.size().isEmpty())
            QCOMPARE(actual.size(), expected.size());
    }

    void loadGeometry() {
        QCOMPARE(form->size(), QSize(563, 381)); // 8450 x (6100 - 390 for the title bar) twips
        const QRect screen = form->screen()->availableGeometry();
        QCOMPARE(form->frameGeometry().top(), screen.top());
        QCOMPARE(form->frameGeometry().left(),
                 screen.left() + screen.width() / 2 - form->frameGeometry().width() / 2);
    }

    // At the load and after-test heights the upper strip is wholly in view and nothing of the
    // lower strip peeks in; in test mode every control that is shown is wholly in view.
    void heightsShowTheirStrips_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("client");
        QTest::newRow("load") << MainWindow::loadHeight << 381;
        QTest::newRow("after test") << MainWindow::afterTestHeight << 374;
        QTest::newRow("test mode") << MainWindow::testHeight << 727;
    }

    void heightsShowTheirStrips() {
        QFETCH(int, height);
        QFETCH(int, client);
        form->setLayoutHeight(height);
        QCOMPARE(form->height(), client);
        const QRect area = form->rect();
        const bool testMode = height == MainWindow::testHeight;
        for (QWidget* w : form->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(form.get()) || w->objectName().isEmpty() ||
                qobject_cast<QGroupBox*>(w->parentWidget()))
                continue;
            const QRect at = inWindow(w);
            if (testMode || at.top() < 5055 / 15)
                QVERIFY2(area.contains(at), qPrintable(w->objectName()));
            else
                QVERIFY2(!area.intersects(at), qPrintable(w->objectName()));
        }
    }

    void loadRunsThePortListClickOnce() {
        MainWindow fresh;
        QStringList portAtClick;
        connect(&fresh, &MainWindow::portListClicked, this,
                [&] { portAtClick << fresh.portList->currentText(); });
        fresh.rateList->setCurrentIndex(0);
        fresh.deletePagerEdit->setText("9");
        fresh.load();
        fresh.show();
        fresh.load();
        QCOMPARE(portAtClick, QStringList{"COM1"});
        QCOMPARE(fresh.rateList->currentText(), QString("1200"));
        QCOMPARE(fresh.deletePagerEdit->text(), QString());

        auto* timer = fresh.findChild<QTimer*>("Timer1");
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 10);
        QVERIFY(!timer->isActive());
    }

    void choosingAPortClicksThePortList() {
        QSignalSpy clicked(form.get(), &MainWindow::portListClicked);
        form->portList->setCurrentIndex(3); // the program's own selection is no click
        QCOMPARE(clicked.count(), 0);
        form->portList->showPopup();
        QAbstractItemView* view = form->portList->view();
        QTRY_VERIFY(view->isVisible());
        QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_Return);
        QTRY_COMPARE(clicked.count(), 1);
        QCOMPARE(form->portList->currentText(), QString("COM5"));
    }

    void doubleClickOnPortLabelTogglesThePort() {
        QSignalSpy toggle(form.get(), &MainWindow::portToggleRequested);
        QTest::mouseClick(control("Label9"), Qt::LeftButton);
        QCOMPARE(toggle.count(), 0);
        QTest::mouseDClick(control("Label9"), Qt::LeftButton);
        QCOMPARE(toggle.count(), 1);
    }

    void defaultViewShowsTheUpperStrip() {
        for (const char* name :
             {"Text3(1)", "LabelTableReceiver", "LabelTransmitterFrequency", "Text7", "Command14",
              "LabelReceiverFrequency", "Combo2", "LabelFrequencyReceiver", "Text10", "Command13",
              "Command18", "Command8", "Command6"})
            QVERIFY2(!control(name)->isVisibleTo(form.get()), name);
        for (const char* name : {"Label7", "FrameSetUrge", "FrameDeleteUrge", "FrameReceiverNumber",
                                 "FrameDisplayType", "FrameRepeater", "FrameVoicePrompt"})
            QVERIFY2(control(name)->y() >= form->height(), name);
        for (const char* name : {"Label9", "Combo5", "Command15", "Label10", "Label11", "Combo4",
                                 "Command11", "Command12", "FramePager", "FrameTable", "Command7",
                                 "FrameDeletePager", "FrameDeleteTable", "Command9"})
            QVERIFY2(reachable(control(name)), name);
        QVERIFY(!form->isFullView());
        QVERIFY(!form->isMaintenanceView());
    }

    void noTwoVisibleControlsOverlap_data() {
        QTest::addColumn<bool>("full");
        QTest::addColumn<bool>("maintenance");
        QTest::addColumn<int>("height");
        QTest::newRow("default") << false << false << 0;
        QTest::newRow("maintenance") << false << true << 0;
        QTest::newRow("full") << true << false << 0;
        QTest::newRow("full and maintenance") << true << true << 0;
        QTest::newRow("test mode, maintenance") << false << true << MainWindow::testHeight;
    }

    void noTwoVisibleControlsOverlap() {
        QFETCH(bool, full);
        QFETCH(bool, maintenance);
        QFETCH(int, height);
        form->setFullView(full);
        form->setMaintenanceView(maintenance);
        if (height)
            form->setLayoutHeight(height);
        QList<QWidget*> shown;
        for (QWidget* w : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!w->isVisibleTo(form.get()))
                continue;
            shown << w;
            if (qobject_cast<QGroupBox*>(w)) {
                for (QWidget* inner : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                    if (!inner->isVisibleTo(form.get()))
                        continue;
                    QVERIFY2(w->rect().contains(inner->geometry()),
                             qPrintable(inner->objectName()));
                    shown << inner;
                }
            }
        }
        QVERIFY(shown.size() > 40);
        for (int i = 0; i < shown.size(); ++i)
            for (int j = i + 1; j < shown.size(); ++j) {
                QWidget *a = shown[i], *b = shown[j];
                if (a->isAncestorOf(b) || b->isAncestorOf(a))
                    continue;
                QVERIFY2(!inWindow(a).intersects(inWindow(b)),
                         qPrintable(a->objectName() + " overlaps " + b->objectName()));
            }
        if (full) // every control is inside the window
            for (QWidget* w : shown)
                QVERIFY2(form->rect().contains(inWindow(w)), qPrintable(w->objectName()));
    }

    void fullViewFitsALaptopScreen() {
        form->setFullView(true);
        QVERIFY(form->height() <= 740);
        QCOMPARE(form->width(), 563);
        form->setFullView(false);
        QCOMPARE(form->height(), 381);
    }

    void everyCommandIsReachable_data() {
        QTest::addColumn<QString>("keys"); // view shortcuts: A = all functions, M = maintenance
        for (const char* name : {"Command15", "Command11", "Command12", "Command1", "Command3",
                                 "Command7", "Command4", "Command5", "Command9"})
            QTest::newRow(name) << "";
        for (const char* name : {"Command19", "Command10", "Command2", "Command20", "Command16",
                                 "Command17", "Command21", "Command22"})
            QTest::newRow(name) << "A";
        for (const char* name : {"Command14", "Command13", "Command8"})
            QTest::newRow(name) << "M";
        QTest::newRow("Command6") << "AM";
    }

    void everyCommandIsReachable() {
        QFETCH(QString, keys);
        activate();
        QWidget* button = control(QTest::currentDataTag());
        pressView(keys);
        QVERIFY(reachable(button));
        QCOMPARE(form->isFullView(), keys.contains('A'));
        QCOMPARE(form->isMaintenanceView(), keys.contains('M'));
        if (!keys.isEmpty()) { // the same keys hide it again
            pressView(keys);
            QVERIFY(!reachable(button));
        }
    }

    void allCommandsReachableTogether() {
        activate();
        pressView("AM");
        for (const QString& name : commandButtons)
            QVERIFY2(reachable(control(name)), qPrintable(name));
        QVERIFY(!control("Command18")->isVisibleTo(form.get()));
    }

    void contextMenuOffersTheViews() {
        activate();
        QStringList offered;
        QTimer::singleShot(50, this, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* action : menu->actions())
                offered << action->text();
            menu->actions().first()->trigger();
            menu->close();
        });
        const QPoint at(540, 200);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, form->mapToGlobal(at));
        QApplication::sendEvent(form.get(), &event);
        QCOMPARE(offered, (QStringList{"显示全部功能", "显示维护功能", "查找主机", "按表格设置…"}));
        QVERIFY(form->isFullView());
        QVERIFY(reachable(control("Command21")));
    }

    // Out of view in the default view, the commands still act when clicked.
    void hiddenCommandsStillAct() {
        for (const char* name : {"Command14", "Command13", "Command8", "Command6", "Command18",
                                 "Command19", "Command20", "Command22"}) {
            auto* button = control<QPushButton>(name);
            QVERIFY2(button->isEnabled(), name);
            QSignalSpy clicked(button, &QPushButton::clicked);
            button->click();
            QVERIFY2(clicked.count() == 1, name);
        }
    }

    void selectOnFocus_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("selects");
        const QStringList selecting{"Text1(0)", "Text1(1)", "Text2",    "Text3(0)",
                                    "Text3(2)", "Text3(3)", "Text3(4)", "Text4",
                                    "Text5",    "Text6",    "Text7"};
        const std::pair<const char*, Qt::FocusReason> reasons[] = {
            {"mouse", Qt::MouseFocusReason},
            {"tab", Qt::TabFocusReason},
            {"backtab", Qt::BacktabFocusReason},
            {"other", Qt::OtherFocusReason}};
        for (const auto& [how, reason] : reasons) {
            for (const QString& name : selecting)
                QTest::addRow("%s %s", qPrintable(name), how) << name << int(reason) << true;
            for (const char* name : {"Text10", "Text11"})
                QTest::addRow("%s %s", name, how) << QString(name) << int(reason) << false;
        }
    }

    void selectOnFocus() {
        QFETCH(QString, field);
        QFETCH(int, reason);
        QFETCH(bool, selects);
        form->setFullView(true);
        form->setMaintenanceView(true);
        activate();
        auto* edit = control<QLineEdit>(field);
        edit->setText("12345");
        edit->setCursorPosition(2);
        form->workModeList->setFocus();
        QTRY_VERIFY(form->workModeList->hasFocus());
        if (reason == Qt::MouseFocusReason)
            QTest::mouseClick(edit, Qt::LeftButton, {},
                              QPoint(edit->width() - 4, edit->height() / 2));
        else
            edit->setFocus(Qt::FocusReason(reason));
        QTRY_VERIFY(edit->hasFocus());
        QTest::qWait(20);
        if (selects) {
            QCOMPARE(edit->selectedText(), QString("12345"));
            QCOMPARE(edit->cursorPosition(), 0);
        } else {
            QCOMPARE(edit->selectedText(), QString());
        }
    }

    void enterClicksTheTaskButton_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        auto row = [](const QString& name, const QString& field, const QString& button, int key,
                      int modifiers) {
            QTest::newRow(qPrintable(name)) << field << button << key << modifiers;
        };
        // Each field, then the button its Enter clicks; the mode lists click none.
        QList<std::pair<QString, QString>> fields{{"Combo4", ""}, {"Combo5", ""}};
        for (const testsupport::ExpectedRequest& request : testsupport::windowRequests())
            for (const QString& field : request.enterFields)
                fields.append({field, request.button});
        for (const auto& [field, button] : fields) {
            row(field + " return", field, button, Qt::Key_Return, Qt::NoModifier);
            row(field + " keypad enter", field, button, Qt::Key_Enter, Qt::KeypadModifier);
        }
        // Only a plain carriage return counts: Ctrl and Alt make another key of it.
        const int ctrl = Qt::ControlModifier, alt = Qt::AltModifier;
        row("Text1(0) ctrl return", "Text1(0)", "", Qt::Key_Return, ctrl);
        row("Text4 alt return", "Text4", "", Qt::Key_Return, alt);
        row("Combo2 ctrl keypad enter", "Combo2", "", Qt::Key_Enter, ctrl | Qt::KeypadModifier);
        row("Combo1(1) alt return", "Combo1(1)", "", Qt::Key_Return, alt);
        row("Text2 shift return", "Text2", "Command2", Qt::Key_Return, Qt::ShiftModifier);
    }

    // In the maintenance view at the load height, so the lower frames are out of view.
    void enterClicksTheTaskButton() {
        QFETCH(QString, field);
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        // The commands behind the buttons, with no port to open: a click ends at once.
        struct NoPort : callcfg::ChosenPort {
            bool ensureOpen() override { return false; }
        } noPort;
        callcfg::Link link(std::make_unique<callcfg::QtSerialPort>());
        callcfg::WaitBoxes waitBoxes;
        callcfg::MainWindowCommands commands(*form, link, noPort, waitBoxes);
        form->setMaintenanceView(true);
        activate();
        QWidget* target = control(field);
        target->setFocus();
        QTRY_VERIFY(target->hasFocus());
        QList<std::pair<QString, QSignalSpy*>> spies;
        for (const QString& name : commandButtons + QStringList{"Command18"})
            spies.append({name, new QSignalSpy(control<QPushButton>(name), &QPushButton::clicked)});
        auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        if (auto* list = qobject_cast<QComboBox*>(target); list && list->lineEdit())
            edit = list->lineEdit();
        std::unique_ptr<QSignalSpy> reached;
        if (edit)
            reached = std::make_unique<QSignalSpy>(edit, &QLineEdit::returnPressed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                        Qt::KeyboardModifiers(modifiers));
        for (const auto& [name, spy] : spies) {
            QCOMPARE(spy->count(), name == button ? 1 : 0);
            delete spy;
        }
        if (reached && !(modifiers & (Qt::ControlModifier | Qt::AltModifier)))
            QCOMPARE(reached->count(), 1); // the key went on to the field
    }

    void testWindowLine() {
        QCOMPARE(callcfg::hexLine(std::vector<std::uint8_t>{0x05, 0xAA, 0x00, 0x10}),
                 QStringLiteral("5 AA 0 10 \r\n"));
    }

    void otherKeysGoToTheField() {
        activate();
        QSignalSpy clicked(form->setPagerButton, &QPushButton::clicked);
        form->pagerNumberEdit->setFocus();
        QTRY_VERIFY(form->pagerNumberEdit->hasFocus());
        QTest::keyClicks(form->pagerNumberEdit, "12a");
        QCOMPARE(form->pagerNumberEdit->text(), QString("12a"));
        QCOMPARE(clicked.count(), 0);
    }

    void greetingOnEvery15thBackgroundClick_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        auto row = [](const char* name, int k, const char* title, const char* text) {
            QTest::newRow(name) << k << title << text;
        };
        row("0", 0, "提示", "注意，如果通讯不成功，请换个串口试试！");
        row("1", 1, "欢迎使用", "十年瑞川，专业精神，竭诚服务！");
        row("2 contact", 2, "联系方式", "请与设备供应商联系获取技术支持。");
        row("3 author", 3, "鸣玉配置软件", "");
        row("4", 4, "888", "恭喜发财！");
    }

    void greetingOnEvery15thBackgroundClick() {
        QFETCH(int, k);
        QFETCH(QString, title);
        QFETCH(QString, text);
        form->setGreetingChooser([k] { return k; });
        testsupport::BoxWatcher boxes;
        clickBackground(14);
        QCOMPARE(boxes.boxes().size(), 0);
        clickBackground(1, QPoint(540, 200));
        QCOMPARE(boxes.boxes().size(), 1);
        QCOMPARE(boxes.boxes()[0].title, title);
        QCOMPARE(boxes.boxes()[0].text, text);
        QCOMPARE(boxes.boxes()[0].icon, QMessageBox::NoIcon);
        QCOMPARE(boxes.boxes()[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        clickBackground(14);
        QCOMPARE(boxes.boxes().size(), 1);
        clickBackground(1);
        QCOMPARE(boxes.boxes().size(), 2);
    }

    void greetingDrawnAtRandom() {
        testsupport::BoxWatcher boxes;
        const QStringList titles{"提示", "欢迎使用", "联系方式", "鸣玉配置软件", "888"};
        clickBackground(15 * 6);
        QCOMPARE(boxes.boxes().size(), 6);
        for (const auto& box : boxes.boxes())
            QVERIFY2(titles.contains(box.title), qPrintable(box.title));
    }

    void clicksOnControlsDoNotCount() {
        form->setGreetingChooser([] { return 4; });
        testsupport::BoxWatcher boxes;
        for (int i = 0; i < 15; ++i) {
            QTest::mouseClick(control("Label9"), Qt::LeftButton);
            QTest::mouseClick(control("LabelWorkMode"), Qt::LeftButton);
            QTest::mouseClick(control("FramePager"), Qt::LeftButton, {}, QPoint(500, 60));
        }
        // A double-click on the background is one click.
        QTest::mouseDClick(form->windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
        clickBackground(13);
        QCOMPARE(boxes.boxes().size(), 0);
        clickBackground(1);
        QCOMPARE(boxes.boxes().size(), 1);
    }
};

QTEST_MAIN(MainWindowLayoutTest)
#include "mainwindow_layout_test.moc"
