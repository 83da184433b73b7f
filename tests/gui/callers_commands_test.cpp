// The caller windows driven as an installer drives them, against the simulated host unit over
// a pseudo-terminal: the bytes each list and check box puts on the wire, the inputs refused, and
// the host unit's refusal while its display unit is digital. Each command's replies and port
// failures are the table of expected commands' rows.

#include "callers/callerwindows.h"
#include "callers/handheldcallerwindow.h"
#include "callers/voicepromptwindow.h"
#include "mainwindow_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using hostsim::DisplayType;
using hostsim::HostLine;
using hostsim::HostUnit;
using testsupport::describe;
using testsupport::EndToEnd;
using testsupport::SeenBox;

namespace {

const QString voiceTaken = "notice OK: 语音信息机中关于呼叫器的设置成功！";
const QString handheldTaken = "notice OK: 设置成功！";
const QString digitalDisplay = "notice ERR: 当前信息机类型为数字机，设置失败！";
const QString voiceFailed = "error 错误: 设置呼叫器的语音提示类型失败!";
const QString handheldFailed = "error 错误: 设置手持呼叫器的语音提示类型失败!";

// Selects all of a list's text and types `text` over it character by character, as an input
// method commits Chinese text (empty: just deletes).
void typeOver(QComboBox* list, const QString& text) {
    QLineEdit* line = list->lineEdit();
    line->selectAll();
    QTest::keyClick(line, Qt::Key_Backspace);
    for (const QChar character : text) {
        QInputMethodEvent typed;
        typed.setCommitString(character);
        QApplication::sendEvent(line, &typed);
    }
}

// Edits in the form "Combo2=服务台" (choose that entry), "Combo2:雅座" (type over the text;
// "Combo2:" empties it) and "Check1:off" (untick).
void applyEdits(QWidget* window, const QStringList& edits) {
    for (const QString& edit : edits) {
        const qsizetype at = edit.indexOf(QRegularExpression("[=:]"));
        const QString name = edit.left(at), value = edit.mid(at + 1);
        if (auto* box = window->findChild<QCheckBox*>(name)) {
            box->setChecked(value != "off");
            continue;
        }
        auto* list = window->findChild<QComboBox*>(name);
        QVERIFY2(list, qPrintable(name));
        if (edit[at] == '=') {
            QVERIFY2(list->findText(value) >= 0, qPrintable(value));
            list->setCurrentIndex(list->findText(value));
        } else {
            typeOver(list, value);
        }
        QCOMPARE(list->currentText(), value);
    }
}

} // namespace

class CallersCommandsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<EndToEnd> e2e;

    QWidget* openWindow(const QString& name) {
        return mainwindowtests::openCallerWindow(*e2e, name);
    }

    // Clicks `button` ("form5/Command1") with the window opened, returns the window.
    QWidget* press(const QString& button, const QStringList& edits = {}) {
        QWidget* window = openWindow(button.section('/', 0, 0));
        if (!window)
            return nullptr;
        applyEdits(window, edits);
        auto* send = window->findChild<QPushButton*>(button.section('/', 1));
        if (send)
            send->click();
        return window;
    }

    // The bytes on the wire once `count` of them have arrived (or after a second).
    QString wireOf(std::size_t count) {
        e2e->host.waitFor([count](const HostLine& l) { return l.rawReceived().size() >= count; },
                          std::chrono::seconds(1));
        return e2e->takeWire();
    }

    bool nothingSent() {
        return !e2e->host.waitFor([](const HostLine& l) { return !l.rawReceived().empty(); },
                                  std::chrono::milliseconds(150));
    }

    void setDisplayType(DisplayType type) {
        e2e->host.withUnit([type](HostUnit& unit) { unit.setDisplayType(type); });
    }

    // Compares the only box shown since the last call, and the window it belongs to.
    void checkBox(const QString& box, const QString& parent) {
        const QList<SeenBox> seen = e2e->boxes.take();
        QCOMPARE(describe(seen), QStringList{box});
        QCOMPARE(seen[0].parent, parent);
    }

private slots:
    void init() {
        e2e = std::make_unique<EndToEnd>();
        setDisplayType(DisplayType::Voice);
    }

    void cleanup() { e2e.reset(); }

    void voiceSettings_data() {
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QString>("wire"); // empty: nothing may be sent
        QTest::addColumn<QString>("box");

        const auto sent = [](const char* name, const QStringList& edits, const char* wire) {
            QTest::newRow(name) << edits << QString(wire) << voiceTaken;
        };
        const auto refused = [](const char* name, const QStringList& edits) {
            QTest::newRow(name) << edits << QString() << voiceFailed;
        };
        sent("keys 2 and 3 off", {"Check1:off", "Check2:off"},
             "55 55 AA 01 14 05 00 01 03 FF FF E3");
        sent("Callsfor for key 3", {"Combo5=Callsfor"}, "55 55 AA 01 14 05 00 01 03 04 0F CE");
        sent("取消 for key 1", {"Combo3=取消"}, "55 55 AA 01 14 05 00 01 00 04 07 D9");
        sent("英文发音 and Table", {"Combo1=英文发音", "Combo2=Table"},
             "55 55 AA 01 14 05 01 08 03 04 07 CE");
        sent("first entries and late phrases",
             {"Combo1=英文发音", "Combo2=号", "Combo3=需要服务", "Combo4=Service", "Combo5=Bill"},
             "55 55 AA 01 14 05 01 00 02 0C 0E C8");
        sent("key 2 off, its text typed", {"Check1:off", "Combo4:上菜"},
             "55 55 AA 01 14 05 00 01 03 FF 07 DB");
        sent("key 2 off, its text emptied", {"Check1:off", "Combo4:"},
             "55 55 AA 01 14 05 00 01 03 FF 07 DB");
        sent("key 3 off, its text typed", {"Check2:off", "Combo5:结账"},
             "55 55 AA 01 14 05 00 01 03 04 FF DE");
        sent("initiator emptied", {"Combo2:"}, "55 55 AA 01 14 05 00 FF 03 04 07 D8");
        sent("key 1 emptied", {"Combo3:"}, "55 55 AA 01 14 05 00 01 FF 04 07 DA");
        refused("initiator typed as it was", {"Combo2:桌"});
        refused("initiator typed", {"Combo2:雅座"});
        refused("initiator edited", {"Combo2:桌子"});
        refused("list word typed, not chosen", {"Combo2:餐厅"});
        refused("pronunciation emptied", {"Combo1:"});
        refused("pronunciation typed", {"Combo1:粤语"});
        refused("key 1 typed", {"Combo3:上菜"});
        refused("key 2 emptied while on", {"Combo4:"});
        refused("key 3 typed while on", {"Combo5:结账"});
    }

    void voiceSettings() {
        QFETCH(QStringList, edits);
        QFETCH(QString, wire);
        QFETCH(QString, box);
        QWidget* window = press("form5/Command1", edits);
        QVERIFY(window);
        if (wire.isEmpty())
            QVERIFY(nothingSent());
        else
            QCOMPARE(wireOf(12), wire);
        checkBox(box, "form5");
        QVERIFY(window->isVisible()); // stays open, as it was
    }

    void handheld_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QString>("wire"); // empty: nothing may be sent

        QTest::newRow("by table, 服务台")
            << "Form6/Command1" << QStringList{"Combo1=服务台"} << "55 55 AA 01 15 01 02 E6";
        QTest::newRow("by pager, 服务台")
            << "Form6/Command2" << QStringList{"Combo2=服务台"} << "55 55 AA 01 16 01 02 E5";
        QTest::newRow("by table, 总台")
            << "Form6/Command1" << QStringList{"Combo1=总台"} << "55 55 AA 01 15 01 01 E7";
        QTest::newRow("by pager, 厨房")
            << "Form6/Command2" << QStringList{"Combo2=厨房"} << "55 55 AA 01 16 01 00 E7";
        QTest::newRow("by pager, table list typed")
            << "Form6/Command2" << QStringList{"Combo1:后厨"} << "55 55 AA 01 16 01 01 E6";
        QTest::newRow("by pager, emptied")
            << "Form6/Command2" << QStringList{"Combo2:"} << QString();
        QTest::newRow("by table, typed")
            << "Form6/Command1" << QStringList{"Combo1:后厨"} << QString();
        QTest::newRow("by table, edited")
            << "Form6/Command1" << QStringList{"Combo1:厨房间"} << QString();
        QTest::newRow("by pager, list word typed")
            << "Form6/Command2" << QStringList{"Combo2:服务台"} << QString();
    }

    void handheld() {
        QFETCH(QString, button);
        QFETCH(QStringList, edits);
        QFETCH(QString, wire);
        QVERIFY(press(button, edits));
        if (wire.isEmpty()) {
            QVERIFY(nothingSent());
            checkBox(handheldFailed, "Form6");
        } else {
            QCOMPARE(wireOf(8), wire);
            checkBox(handheldTaken, "Form6");
        }
    }

    // Typing an entry's exact text gives no position, whether the list then gets Enter or
    // loses the focus to the mouse; the arrow keys choose again.
    void typedTextHasNoPosition_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosen"); // the frame after an arrow key chose an entry
        QTest::newRow("form5") << "form5/Command1"
                               << "Combo2"
                               << "Table"
                               << "55 55 AA 01 14 05 00 07 03 04 07 D0";
        QTest::newRow("Form6") << "Form6/Command2"
                               << "Combo2"
                               << "服务台"
                               << "55 55 AA 01 16 01 01 E6";
    }

    void typedTextHasNoPosition() {
        QFETCH(QString, button);
        QFETCH(QString, list);
        QFETCH(QString, typed);
        QFETCH(QString, chosen);
        QWidget* window = openWindow(button.section('/', 0, 0));
        QVERIFY(window);
        auto* combo = window->findChild<QComboBox*>(list);
        auto* send = window->findChild<QPushButton*>(button.section('/', 1));
        combo->setFocus();
        QTRY_VERIFY(combo->hasFocus());
        typeOver(combo, typed);
        QTest::keyClick(combo, Qt::Key_Return);
        QTest::mouseClick(send, Qt::LeftButton);
        QVERIFY(nothingSent());
        QCOMPARE(e2e->boxes.take().size(), 1);
        QCOMPARE(combo->currentText(), typed);

        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        combo->setFocus();
        QTRY_VERIFY(combo->hasFocus());
        QTest::keyClick(combo, Qt::Key_Up);
        QTest::mouseClick(send, Qt::LeftButton);
        QCOMPARE(wireOf(std::size_t(chosen.size() + 1) / 3), chosen);
    }

    // The lower frame's failure leaves the upper frame as it was.
    void handheldFramesIndependent() {
        QWidget* window = press("Form6/Command2", {"Combo2:"});
        QVERIFY(window);
        QVERIFY(nothingSent());
        checkBox(handheldFailed, "Form6");
        window->findChild<QPushButton*>("Command1")->click();
        QCOMPARE(wireOf(8), QString("55 55 AA 01 15 01 00 E8"));
        checkBox(handheldTaken, "Form6");
        QCOMPARE(window->findChild<QComboBox*>("Combo2")->currentText(), QString());
    }

    // The host unit takes voice settings only while its display unit is a voice unit; the
    // installer sets the type with the main window's 信息机类型 command.
    void displayUnitGate_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("wire");
        QTest::addColumn<QString>("taken");
        QTest::newRow("form5") << "form5/Command1"
                               << "55 55 AA 01 14 05 00 01 03 04 07 D6" << voiceTaken;
        QTest::newRow("Form6 by table") << "Form6/Command1"
                                        << "55 55 AA 01 15 01 00 E8" << handheldTaken;
        QTest::newRow("Form6 by pager") << "Form6/Command2"
                                        << "55 55 AA 01 16 01 01 E6" << handheldTaken;
    }

    void displayUnitGate() {
        QFETCH(QString, button);
        QFETCH(QString, wire);
        QFETCH(QString, taken);
        const QString window = button.section('/', 0, 0);
        const auto setType = [this](const char* type, const char* frame, const char* box) {
            callcfg::MainWindow& mainWindow = e2e->mainWindow();
            mainWindow.displayTypeList->setCurrentIndex(mainWindow.displayTypeList->findText(type));
            mainWindow.writeDisplayTypeButton->click();
            QCOMPARE(wireOf(8), QString(frame));
            checkBox(box, "Form1");
        };

        setType("数字", "55 55 AA 01 13 01 FF EB", "notice OK: 信息机类型设为数字机！");
        QVERIFY(press(button));
        QCOMPARE(wireOf(wire.size() / 3 + 1), wire);
        checkBox(digitalDisplay, window);

        setType("语音", "55 55 AA 01 13 01 00 EA", "notice OK: 信息机类型设为语音机！");
        QVERIFY(press(button));
        QCOMPARE(wireOf(wire.size() / 3 + 1), wire);
        checkBox(taken, window);
    }
};

QTEST_MAIN(CallersCommandsTest)
#include "callers_commands_test.moc"
