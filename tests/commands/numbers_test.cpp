// The number test, rounding and the fit of rounded values into wire fields.

#include "commands/numbers.h"

#include <QtTest>

using namespace callcfg;

class NumbersTest : public QObject {
    Q_OBJECT
private slots:
    void numberTest_data();
    void numberTest();
    void rounding_data();
    void rounding();
    void fit();
};

void NumbersTest::numberTest_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<double>("value");

    QTest::newRow("digits") << "254" << true << 254.0;
    QTest::newRow("blanks around") << "  12 " << true << 12.0;
    QTest::newRow("tab before") << "\t7" << true << 7.0;
    QTest::newRow("plus") << "+5" << true << 5.0;
    QTest::newRow("minus") << "-5" << true << -5.0;
    QTest::newRow("leading point") << ".5" << true << 0.5;
    QTest::newRow("trailing point") << "5." << true << 5.0;
    QTest::newRow("minus point") << "-.25" << true << -0.25;
    QTest::newRow("exponent e") << "1e3" << true << 1000.0;
    QTest::newRow("exponent E sign") << "2.5E-1" << true << 0.25;
    QTest::newRow("exponent d") << "1d3" << true << 1000.0;
    QTest::newRow("exponent D sign") << "-4D+2" << true << -400.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blanks only") << "   " << false << 0.0;
    QTest::newRow("point only") << "." << false << 0.0;
    QTest::newRow("sign only") << "-" << false << 0.0;
    QTest::newRow("exponent only") << "e3" << false << 0.0;
    QTest::newRow("exponent without digits") << "1e" << false << 0.0;
    QTest::newRow("exponent sign only") << "1e+" << false << 0.0;
    QTest::newRow("thousands separator") << "1,000" << false << 0.0;
    QTest::newRow("hex") << "0x10" << false << 0.0;
    QTest::newRow("basic hex") << "&H10" << false << 0.0;
    QTest::newRow("letters after") << "12a" << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("blank inside") << "1 2" << false << 0.0;
    QTest::newRow("blank after sign") << "- 5" << false << 0.0;
    QTest::newRow("sign after") << "5-" << false << 0.0;
    QTest::newRow("two signs") << "--5" << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("full-width digits") << "１２" << false << 0.0;
    QTest::newRow("beyond a double") << "1e400" << false << 0.0;
    QTest::newRow("too small for a double reads as zero") << "1e-400" << true << 0.0;
}

void NumbersTest::numberTest() {
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QFETCH(double, value);
    QCOMPARE(isNumeric(text), numeric);
    const std::optional<double> parsed = numericValue(text);
    QCOMPARE(parsed.has_value(), numeric);
    if (numeric)
        QCOMPARE(*parsed, value);
}

void NumbersTest::rounding_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("halfEven");
    QTest::addColumn<double>("truncated");

    QTest::newRow("0.5") << 0.5 << 0.0 << 0.0;
    QTest::newRow("1.5") << 1.5 << 2.0 << 1.0;
    QTest::newRow("2.5") << 2.5 << 2.0 << 2.0;
    QTest::newRow("-0.5") << -0.5 << 0.0 << 0.0;
    QTest::newRow("-1.5") << -1.5 << -2.0 << -1.0;
    QTest::newRow("-2.5") << -2.5 << -2.0 << -2.0;
    QTest::newRow("2.6") << 2.6 << 3.0 << 2.0;
    QTest::newRow("-2.6") << -2.6 << -3.0 << -2.0;
    QTest::newRow("0.49") << 0.49 << 0.0 << 0.0;
    QTest::newRow("199.6") << 199.6 << 200.0 << 199.0;
    QTest::newRow("254.5") << 254.5 << 254.0 << 254.0;
    QTest::newRow("255.5") << 255.5 << 256.0 << 255.0;
    QTest::newRow("whole") << 7.0 << 7.0 << 7.0;
}

void NumbersTest::rounding() {
    QFETCH(double, value);
    QFETCH(double, halfEven);
    QFETCH(double, truncated);
    QCOMPARE(roundHalfEven(value), halfEven);
    QCOMPARE(truncateTowardZero(value), truncated);
}

void NumbersTest::fit() {
    QCOMPARE(roundedByte(255.4), std::optional<std::uint8_t>(255));
    QCOMPARE(roundedByte(-0.5), std::optional<std::uint8_t>(0));
    QVERIFY(!roundedByte(255.5));
    QVERIFY(!roundedByte(-0.6));
    QCOMPARE(roundedWord(65534.5), std::optional<std::uint16_t>(65534));
    QVERIFY(!roundedWord(65535.5));
    QCOMPARE(positionByte(0), std::optional<std::uint8_t>(0));
    QVERIFY(!positionByte(-1));
    QVERIFY(!positionByte(256));
}

QTEST_APPLESS_MAIN(NumbersTest)
#include "numbers_test.moc"
