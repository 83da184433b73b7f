// Each command's description against what the installer is to see (specifiedcommands.h): code,
// waits, wait box, confirmation, failure box, and the box, focus and success for every kind of
// reply and for no reply.

#include "mainwindow/focusnames.h"
#include "specifiedcommands.h"
#include "wire.h"

#include <QtTest>

using namespace callcfg;
using testsupport::SpecifiedBox;
using testsupport::SpecifiedCommand;

Q_DECLARE_METATYPE(const SpecifiedCommand*)

namespace {

void compareBox(const std::optional<Box>& box, Focus focus, const SpecifiedBox& expected) {
    QCOMPARE(box.has_value(), expected.kind != 0);
    if (box) {
        QCOMPARE(int(box->kind), expected.kind);
        QCOMPARE(box->text, expected.text);
        QCOMPARE(box->title, expected.title);
    }
    QCOMPARE(focusObjectName(focus), expected.focus);
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
    QTest::addColumn<const SpecifiedCommand*>("specified");
    for (const SpecifiedCommand& specified : testsupport::specifiedCommands())
        QTest::newRow(specified.name) << &specified;
}

void OutcomesTest::descriptions() {
    QFETCH(const SpecifiedCommand*, specified);
    const Command& command = specified->tool();

    QCOMPARE(command.code, specified->code);
    QCOMPARE(command.wait.periods, specified->periods);
    QCOMPARE(command.wait.seconds, specified->seconds);

    QString box;
    if (command.waitBox == WaitBoxKind::Caller)
        box = QStringLiteral("Form2");
    else if (command.waitBox == WaitBoxKind::Urge)
        box = QStringLiteral("Form4");
    if (!box.isEmpty())
        box += command.waitBoxBeforeSend ? QStringLiteral(" before") : QStringLiteral(" after");
    QCOMPARE(box, QLatin1String(specified->waitBox));

    QCOMPARE(command.confirmation.has_value(), !specified->confirmation.isEmpty());
    if (command.confirmation) {
        QCOMPARE(int(command.confirmation->kind), 17);
        QCOMPARE(command.confirmation->text, specified->confirmation);
        QCOMPARE(command.confirmation->title, specified->confirmationTitle);
    }
    compareBox(command.failure.box, command.failure.focus, specified->failure);
    QVERIFY(!command.failure.succeeded);
    compareBox(command.noReply.box, command.noReply.focus, specified->noReply);
    QVERIFY(!command.noReply.succeeded);
}

// Every command against replies of 0 to 4 data bytes whose first byte is each status byte in
// use, so that each row of each table is met, and those beside it.
void OutcomesTest::replies_data() {
    QTest::addColumn<const SpecifiedCommand*>("specified");
    QTest::addColumn<Bytes>("reply");
    for (const SpecifiedCommand& specified : testsupport::specifiedCommands()) {
        QTest::addRow("%s: empty", specified.name) << &specified << Bytes{};
        for (std::size_t length = 1; length <= 4; ++length)
            for (std::uint8_t first : {0x00, 0x01, 0x02, 0x03, 0x07, 0xFF}) {
                Bytes reply(length, 0x00);
                reply[0] = first;
                QTest::addRow("%s: %s", specified.name, qPrintable(hexText(reply)))
                    << &specified << reply;
            }
    }
}

void OutcomesTest::replies() {
    QFETCH(const SpecifiedCommand*, specified);
    QFETCH(Bytes, reply);

    const Verdict verdict = judge(specified->tool(), reply);
    const SpecifiedBox& expected = specified->boxFor(reply);
    compareBox(verdict.box, verdict.focus, expected);
    QCOMPARE(verdict.succeeded, &expected == &specified->success().box);
}

QTEST_APPLESS_MAIN(OutcomesTest)
#include "outcomes_test.moc"
