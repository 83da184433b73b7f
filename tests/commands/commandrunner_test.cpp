// A command run from its encoding to its box: which box each outcome of the exchange
// shows, a port that refuses the request and one that fails during the wait included.

#include "commands/commandrunner.h"
#include "commands/mode.h"
#include "scriptedport.h"

#include <QtTest>

using namespace callcfg;

namespace {

struct RecordingInteraction : CommandInteraction {
    QStringList boxes;
    bool ensurePortOpen() override { return true; }
    bool confirm(const Box&) override { return true; }
    void showWaitBox(WaitBoxKind) override {}
    void hideWaitBox(WaitBoxKind) override {}
    void show(const Verdict& verdict) override {
        if (verdict.box)
            boxes << verdict.box->text;
    }
};

} // namespace

class CommandRunnerTest : public QObject {
    Q_OBJECT
private slots:
    void boxOfEachOutcome_data() {
        QTest::addColumn<int>("position"); // Combo4's; -1 cannot be sent
        QTest::addColumn<QString>("port"); // what the port does
        QTest::addColumn<int>("written");
        QTest::addColumn<QString>("box");
        const QString failure = QStringLiteral("工作模式设置失败！");
        const QString timeout = QStringLiteral("超时没有返回数据!!");
        QTest::newRow("unsendable") << -1 << "answers" << 0 << failure;
        QTest::newRow("refuses the request") << 1 << "refuses" << 0 << failure;
        QTest::newRow("fails during the wait") << 1 << "fails reads" << 8 << timeout;
        QTest::newRow("silent") << 1 << "silent" << 8 << timeout;
        QTest::newRow("answers") << 1 << "answers" << 8 << QStringLiteral("设置工作模式成功！");
    }

    void boxOfEachOutcome() {
        QFETCH(int, position);
        QFETCH(QString, port);
        QFETCH(int, written);
        QFETCH(QString, box);
        testsupport::ScriptedLink scripted;
        QVERIFY(scripted.link.open(QStringLiteral("scripted")));
        scripted.port.refuseWrites = port == "refuses";
        scripted.port.failReads = port == "fails reads";
        if (port == "answers")
            scripted.port.arrive({0x55, 0xAA, 0x02, 0x17, 0x00, 0xE6},
                                 std::chrono::milliseconds(10));
        RecordingInteraction screen;
        runCommand(scripted.link, screen, [&] { return encodeWorkMode(position); });
        QCOMPARE(screen.boxes, QStringList{box});
        QCOMPARE(int(scripted.port.takeWritten().size()), written);
    }
};

QTEST_GUILESS_MAIN(CommandRunnerTest)
#include "commandrunner_test.moc"
