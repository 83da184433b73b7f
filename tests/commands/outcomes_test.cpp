// Each command's description against what the installer is to see (expectedcommands.h): code,
// waits, wait box, confirmation, failure box, and the box, focus and success for every kind of
// reply and for no reply.

#include "expectedcommands.h"
#include "wire.h"

#include <QtTest>

using namespace callcfg;
using testsupport::ExpectedBox;
using testsupport::ExpectedCommand;

Q_DECLARE_METATYPE(const ExpectedCommand*)

namespace {

void compareBox(const std::optional<Box>& box, Focus focus, const ExpectedBox& expected) {
    QCOMPARE(box.has_value(), expected.kind != 0);
    if (box) {
        QCOMPARE(int(box->kind), expected.kind);
        QCOMPARE(box->text, expected.text);
        QCOMPARE(box->title, expected.title);
    }
    QCOMPARE(testsupport::formNameOf(focus), expected.focus);
}

} // namespace

class OutcomesTest : public QObject {
    Q_OBJECT
private slots:
    void descriptions_data();
    void descriptions();
    void replies_data();
    void replies();
};

void OutcomesTest::descriptions_data() {
    QTest::addColumn<const ExpectedCommand*>("wanted");
    for (const ExpectedCommand& wanted : testsupport::expectedCommands())
        QTest::newRow(wanted.name) << &wanted;
}

void OutcomesTest::descriptions() {
    QFETCH(const ExpectedCommand*, wanted);
    const Command& command = wanted->tool();

    QCOMPARE(command.code, wanted->code);
    QCOMPARE(command.wait.periods, wanted->periods);
    QCOMPARE(command.wait.seconds, wanted->seconds);

    QString box;
    if (command.waitBox == WaitBoxKind::Caller)
        box = QStringLiteral("Form2");
    else if (command.waitBox == WaitBoxKind::Urge)
        box = QStringLiteral("Form4");
    if (!box.isEmpty())
        box += command.waitBoxBeforeSend ? QStringLiteral(" before") : QStringLiteral(" after");
    QCOMPARE(box, QLatin1String(wanted->waitBox));

    QCOMPARE(command.confirmation.has_value(), !wanted->confirmation.isEmpty());
    if (command.confirmation) {
        QCOMPARE(int(command.confirmation->kind), 17);
        QCOMPARE(command.confirmation->text, wanted->confirmation);
        QCOMPARE(command.confirmation->title, wanted->confirmationTitle);
    }
    compareBox(command.failure.box, command.failure.focus, wanted->failure);
    QVERIFY(!command.failure.succeeded);
    compareBox(command.noReply.box, command.noReply.focus, wanted->noReply);
    QVERIFY(!command.noReply.succeeded);
}

// Every command against replies of 0 to 4 data bytes whose first byte is each status byte in
// use, so that each row of each table is met, and those beside it.
void OutcomesTest::replies_data() {
    QTest::addColumn<const ExpectedCommand*>("wanted");
    QTest::addColumn<Bytes>("reply");
    for (const ExpectedCommand& wanted : testsupport::expectedCommands()) {
        QTest::addRow("%s: empty", wanted.name) << &wanted << Bytes{};
        for (std::size_t length = 1; length <= 4; ++length)
            for (std::uint8_t first : {0x00, 0x01, 0x02, 0x03, 0x07, 0xFF}) {
                Bytes reply(length, 0x00);
                reply[0] = first;
                QTest::addRow("%s: %s", wanted.name, qPrintable(hexText(reply)))
                    << &wanted << reply;
            }
    }
}

void OutcomesTest::replies() {
    QFETCH(const ExpectedCommand*, wanted);
    QFETCH(Bytes, reply);

    const Verdict verdict = judge(wanted->tool(), reply);
    const ExpectedBox& expected = wanted->boxFor(reply);
    compareBox(verdict.box, verdict.focus, expected);
    QCOMPARE(verdict.succeeded, &expected == &wanted->success().box);
}

QTEST_APPLESS_MAIN(OutcomesTest)
#include "outcomes_test.moc"
