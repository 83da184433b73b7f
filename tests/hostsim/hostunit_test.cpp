// The simulated host unit's answers and what it keeps in its memory.
#include "hostsim/line/hostline.h"
#include "wire.h"

#include <QTest>

using hostsim::HostLine;
using hostsim::HostUnit;

namespace {

// The unit's replies to whole frames, through a line of its own.
std::vector<hostsim::Reply> feed(HostUnit& unit, const Bytes& frames) {
    return HostLine(unit).feed(frames);
}

Bytes answerTo(HostUnit& unit, std::uint8_t command, const Bytes& data) {
    const auto replies = feed(unit, requestFrame(command, data));
    return replies.empty() ? Bytes{} : replies.front().bytes;
}

Bytes memoryRange(const HostUnit& unit, std::size_t offset, std::size_t count) {
    return Bytes(unit.memory().begin() + offset, unit.memory().begin() + offset + count);
}

// A unit holding pager 5, table 300 (record 0) and one repeater entry 3C 5A 01.
void stock(HostUnit& unit) {
    for (const auto& [offset, bytes] : {std::pair{20, "4B"},
                                        {1280, "0A 1B 2C 01 2C 05 FF FF"},
                                        {8191, "01"},
                                        {5504, "01 3C 5A 01"}}) {
        const Bytes values = hexBytes(bytes);
        for (std::size_t i = 0; i < values.size(); ++i)
            unit.setMemoryAt(offset + i, values[i]);
    }
}

} // namespace

class TestHostUnit : public QObject {
    Q_OBJECT
private slots:
    void answers_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<bool>("learns");

        auto row = [](const char* name, const char* setup, const char* req, const char* rep,
                      bool learns = false) {
            QTest::newRow(name) << setup << req << rep << learns;
        };
        row("01 set pager", "", "55 55 AA 01 01 0D 00 0C 00 00 01 01 02 03 04 05 06 07 02 C5",
            "55 AA 02 01 00 FC");
        row("01 mode index 12", "", "55 55 AA 01 01 0D 00 0C 01 02 01 01 02 03 04 05 06 07 02 C2",
            "55 AA 02 01 01 FF FC");
        row("02 receiver 80", "", "55 55 AA 01 02 01 50 AB", "55 AA 02 02 00 FB");
        row("02 receiver 81", "", "55 55 AA 01 02 01 51 AA", "55 AA 02 02 01 FF FB");
        row("03 table caller", "", "55 55 AA 01 03 06 00 00 0C 05 FF FF E6",
            "55 AA 02 03 03 3C 5A 01 60", true);
        row("03 repeater write", "", "55 55 AA 01 03 00 FB", "55 AA 02 03 03 3C 5A 01 60", true);
        row("04 delete pager", "stocked", "55 55 AA 01 04 01 05 F4", "55 AA 02 04 00 F9");
        row("04 no such pager", "", "55 55 AA 01 04 01 07 F2", "55 AA 02 04 01 01 F7");
        row("07 delete table", "stocked", "55 55 AA 01 07 02 01 2C C8", "55 AA 02 07 00 F6");
        row("07 no such table", "stocked", "55 55 AA 01 07 02 01 2D C7", "55 AA 02 07 01 02 F3");
        row("07 repeater delete", "stocked", "55 55 AA 01 07 00 F7", "55 AA 02 07 00 F6", true);
        row("07 repeater empty", "", "55 55 AA 01 07 00 F7", "55 AA 02 07 01 00 F5", true);
        row("07 not in repeater", "other caller", "55 55 AA 01 07 00 F7", "55 AA 02 07 01 01 F4",
            true);
        row("08 init receiver", "", "55 55 AA 01 08 00 F6", "55 AA 02 08 00 F5");
        row("09 init host", "stocked", "55 55 AA 01 09 00 F5", "55 AA 02 09 00 F4");
        row("0A built-in", "", "55 55 AA 01 0A 01 07 EC", "55 AA 02 0A 00 F3");
        row("0A receiver 12", "", "55 55 AA 01 0A 02 07 0C DF", "55 AA 02 0A 00 F3");
        row("0A position 8", "", "55 55 AA 01 0A 01 08 EB", "55 AA 02 0A 01 FF F3");
        row("0A receiver 0", "", "55 55 AA 01 0A 02 07 00 EB", "55 AA 02 0A 01 FF F3");
        row("0B 430.225", "", "55 55 AA 01 0B 03 41 A5 AA 60", "55 AA 02 0B 00 F2");
        row("0B clear", "", "55 55 AA 01 0B 00 F3", "55 AA 02 0B 00 F2");
        row("0B 99.9999", "", "55 55 AA 01 0B 03 0F 42 3F 60", "55 AA 02 0B 01 FF F2");
        row("0B off 12.5k", "", "55 55 AA 01 0B 03 41 A5 AB 5F", "55 AA 02 0B 01 FF F2");
        row("0D block 42", "", "55 55 AA 01 0D 01 2A C6", "55 AA 02 0D 80 FF*128 F0");
        row("0D block 64", "", "55 55 AA 01 0D 01 40 B0", "55 AA 02 0D 01 FF F0");
        row("0E built-in 0", "", "55 55 AA 01 0E 01 00 EF", "55 AA 02 0E 80 00 07 FF*126 E6");
        row("0E external 1", "", "55 55 AA 01 0E 02 01 01 EC", "55 AA 02 0E 80 FF*128 EF");
        row("0E block 2", "", "55 55 AA 01 0E 01 02 ED", "55 AA 02 0E 01 FF EF");
        row("0E bad selector", "", "55 55 AA 01 0E 02 00 02 EC", "55 AA 02 0E 01 FF EF");
        row("11 urge 9", "", "55 55 AA 01 11 01 09 E3", "55 AA 02 11 02 5A 01 8F", true);
        row("11 urge 10", "", "55 55 AA 01 11 01 0A E2", "55 AA 02 11 01 FF EC");
        row("12 urge 1", "", "55 55 AA 01 12 01 01 EA", "55 AA 02 12 00 EB");
        row("12 urge 0", "", "55 55 AA 01 12 01 00 EB", "55 AA 02 12 01 FF EB");
        row("13 digital", "", "55 55 AA 01 13 01 FF EB", "55 AA 02 13 00 EA");
        row("13 voice", "", "55 55 AA 01 13 01 00 EA", "55 AA 02 13 00 EA");
        row("13 other", "", "55 55 AA 01 13 01 05 E5", "55 AA 02 13 01 FF EA");
        row("14 digital", "", "55 55 AA 01 14 05 00 01 03 04 07 D6", "55 AA 02 14 01 01 E7");
        row("14 voice", "voice", "55 55 AA 01 14 05 00 01 03 04 07 D6", "55 AA 02 14 00 E9");
        row("14 phrase 16", "voice", "55 55 AA 01 14 05 00 01 03 04 10 CD", "55 AA 02 14 01 FF E9");
        row("15 digital", "", "55 55 AA 01 15 01 00 E8", "55 AA 02 15 01 01 E6");
        row("15 voice", "voice", "55 55 AA 01 15 01 02 E6", "55 AA 02 15 00 E8");
        row("15 place 3", "voice", "55 55 AA 01 15 01 03 E5", "55 AA 02 15 01 FF E8");
        row("16 digital", "", "55 55 AA 01 16 01 01 E6", "55 AA 02 16 01 01 E5");
        row("16 voice", "voice", "55 55 AA 01 16 01 01 E6", "55 AA 02 16 00 E7");
        row("17 work mode", "", "55 55 AA 01 17 01 02 E4", "55 AA 02 17 00 E6");
        row("17 mode 3", "", "55 55 AA 01 17 01 03 E3", "55 AA 02 17 01 FF E6");
        row("18 block 0", "", "55 55 AA 01 18 81 00 5A*128 65", "55 AA 02 18 01 00 E4");
        row("18 block 64", "", "55 55 AA 01 18 81 40 5A*128 25", "55 AA 02 18 00 E5");
        row("05 unknown", "", "55 55 AA 01 05 00 F9", "");
        row("bad checksum", "", "55 55 AA 01 08 00 F5", "");
    }
    void answers() {
        QFETCH(QString, setup);
        QFETCH(QString, request);
        QFETCH(QString, reply);
        QFETCH(bool, learns);

        HostUnit unit;
        unit.setLearnDelay(0.5);
        if (setup == "stocked")
            stock(unit);
        if (setup == "other caller") {
            stock(unit);
            unit.setNextCallerCode({0x11, 0x22, 0x33});
        }
        if (setup == "voice")
            unit.setDisplayType(hostsim::DisplayType::Voice);

        const auto replies = feed(unit, hexBytes(request));
        if (reply.isEmpty()) {
            QVERIFY(replies.empty());
            return;
        }
        QCOMPARE(replies.size(), std::size_t{1});
        QCOMPARE(hexText(replies[0].bytes), hexText(hexBytes(reply)));
        QCOMPARE(replies[0].delay, learns ? 0.5 : 0.0);
        QCOMPARE(replies[0].splitAt, std::size_t{0});
        QVERIFY(!replies[0].goAway);
    }

    void pagerRecord_data() {
        QTest::addColumn<int>("pager");
        QTest::addColumn<int>("modeIndex");
        QTest::addColumn<int>("polarity");
        QTest::addColumn<QString>("record");

        // Address 1234567, tone 音调3 (2) unless stated.
        QTest::newRow("12 中文字符 1200 正") << 12 << 0 << 1 << "6B 12 34 56 72";
        QTest::newRow("1 数字新型 1200 反") << 1 << 1 << 0 << "51 12 34 56 72";
        QTest::newRow("2 数字标准 1200") << 2 << 2 << 0 << "55 12 34 56 72";
        QTest::newRow("3 中文字符 512") << 3 << 3 << 0 << "48 12 34 56 72";
        QTest::newRow("4 数字新型 512") << 4 << 4 << 0 << "42 12 34 56 72";
        QTest::newRow("5 数字标准 512") << 5 << 5 << 0 << "4D 12 34 56 72";
        QTest::newRow("99 英文 1200") << 99 << 6 << 0 << "45 12 34 56 72";
        QTest::newRow("100 英文 512") << 100 << 7 << 0 << "46 12 34 56 72";
        QTest::newRow("105 中文字符 2400") << 105 << 8 << 0 << "43 12 34 56 72";
        QTest::newRow("200 数字新型 2400 正") << 200 << 9 << 1 << "64 12 34 56 72";
        QTest::newRow("254 数字标准 2400") << 254 << 10 << 0 << "49 12 34 56 72";
        QTest::newRow("255 英文 2400 正") << 255 << 11 << 1 << "6A 12 34 56 72";
    }
    void pagerRecord() {
        QFETCH(int, pager);
        QFETCH(int, modeIndex);
        QFETCH(int, polarity);
        QFETCH(QString, record);

        HostUnit unit;
        const Bytes data{std::uint8_t(pager / 100),
                         std::uint8_t(pager % 100),
                         std::uint8_t(modeIndex / 10),
                         std::uint8_t(modeIndex % 10),
                         std::uint8_t(polarity),
                         1,
                         2,
                         3,
                         4,
                         5,
                         6,
                         7,
                         2};
        QCOMPARE(answerTo(unit, 0x01, data), hexBytes("55 AA 02 01 00 FC"));
        const std::size_t offset = (pager - 1) * 5;
        QCOMPARE(memoryRange(unit, offset, 5), hexBytes(record));
        // Read back as it was set: the mode index names machine type x 16 + rate.
        const int code = callcfg::protocol::kPagerModeCodes[modeIndex];
        const HostUnit::PagerEntry entry{
            {1, 2, 3, 4, 5, 6, 7}, code >> 4, code & 0x0F, polarity, 2};
        QVERIFY(unit.pager(pager) == entry);
        // Neighbouring slots stay empty.
        if (pager > 1)
            QCOMPARE(unit.memoryAt(offset - 5), std::uint8_t{0xFF});
        if (pager < 255)
            QCOMPARE(unit.memoryAt(offset + 5), std::uint8_t{0xFF});
    }

    void deletePager() {
        HostUnit unit;
        answerTo(unit, 0x01, {0, 12, 0, 0, 1, 0, 0, 0, 0, 0, 1, 2, 3});
        QCOMPARE(memoryRange(unit, 55, 5), hexBytes("6B 00 00 01 23"));
        QCOMPARE(answerTo(unit, 0x04, {12}), hexBytes("55 AA 02 04 00 F9"));
        QCOMPARE(memoryRange(unit, 55, 5), hexBytes("FF*5"));
        QVERIFY(!unit.pager(12));
        QCOMPARE(answerTo(unit, 0x04, {12}), hexBytes("55 AA 02 04 01 01 F7"));
        unit.setMemoryAt(60, 0x00); // kind byte 0 is an empty slot too
        QCOMPARE(answerTo(unit, 0x04, {13}), hexBytes("55 AA 02 04 01 01 F7"));
    }

    void tableRecords() {
        HostUnit unit;
        QCOMPARE(answerTo(unit, 0x03, {0, 0, 12, 5, 0xFF, 0xFF}),
                 hexBytes("55 AA 02 03 03 3C 5A 01 60"));
        QCOMPARE(answerTo(unit, 0x03, {0, 0xFF, 0xFF, 1, 2, 3}),
                 hexBytes("55 AA 02 03 03 3C 5A 02 5F"));
        QCOMPARE(memoryRange(unit, 1280, 16),
                 hexBytes("3C 5A 01 00 0C 05 FF FF 3C 5A 02 FF FF 01 02 03"));
        QCOMPARE(memoryRange(unit, 8190, 2), hexBytes("00 02"));

        // Binding table 12 again replaces its record in place with the newly learned caller.
        QCOMPARE(answerTo(unit, 0x03, {0, 0, 12, 7, 8, 0xFF}),
                 hexBytes("55 AA 02 03 03 3C 5A 03 5E"));
        QCOMPARE(memoryRange(unit, 1280, 8), hexBytes("3C 5A 03 00 0C 07 08 FF"));
        QCOMPARE(memoryRange(unit, 8190, 2), hexBytes("00 02"));
        QVERIFY(unit.tableCaller(12) == (HostUnit::TableEntry{{0x3C, 0x5A, 0x03}, {7, 8, 0xFF}}));

        // Deleting the first record moves the second down.
        QCOMPARE(answerTo(unit, 0x07, {0, 12}), hexBytes("55 AA 02 07 00 F6"));
        QCOMPARE(memoryRange(unit, 1280, 16), hexBytes("3C 5A 02 FF FF 01 02 03 FF*8"));
        QCOMPARE(memoryRange(unit, 8190, 2), hexBytes("00 01"));
        QCOMPARE(answerTo(unit, 0x07, {0, 12}), hexBytes("55 AA 02 07 01 02 F3"));
        QVERIFY(!unit.tableCaller(12));

        // Table number 0 is refused and stores nothing.
        QCOMPARE(answerTo(unit, 0x03, {0, 0, 0, 1, 2, 3}), hexBytes("55 AA 02 03 01 FF FA"));
        QCOMPARE(memoryRange(unit, 8190, 2), hexBytes("00 01"));
    }

    void tablesFullAt512() {
        HostUnit unit;
        unit.setLearnDelay(0.25);
        for (int t = 1; t <= 512; ++t) {
            const auto replies =
                feed(unit, requestFrame(0x03, {0, static_cast<std::uint8_t>(t >> 8),
                                               static_cast<std::uint8_t>(t), 0xFF, 0xFF, 0xFF}));
            QCOMPARE(replies.size(), std::size_t{1});
            QCOMPARE(replies[0].bytes[4], std::uint8_t{3});
        }
        QCOMPARE(memoryRange(unit, 8190, 2), hexBytes("02 00"));
        QCOMPARE(memoryRange(unit, 5368, 8), hexBytes("3C 5C 00 02 00 FF FF FF"));

        // Full: answered at once with no data; the memory is unchanged.
        const auto full = feed(unit, requestFrame(0x03, {0, 0x02, 0x01, 0xFF, 0xFF, 0xFF}));
        QCOMPARE(full.size(), std::size_t{1});
        QCOMPARE(full[0].bytes, hexBytes("55 AA 02 03 00 FA"));
        QCOMPARE(full[0].delay, 0.0);
        QCOMPARE(memoryRange(unit, 8190, 2), hexBytes("02 00"));
        QCOMPARE(unit.memoryAt(5376), std::uint8_t{0xFF});

        // An existing table can still be bound anew, and a deletion makes room.
        QCOMPARE(answerTo(unit, 0x03, {0, 0x02, 0x00, 9, 0xFF, 0xFF}).size(), std::size_t{9});
        QCOMPARE(answerTo(unit, 0x07, {0x00, 0x01}), hexBytes("55 AA 02 07 00 F6"));
        QCOMPARE(answerTo(unit, 0x03, {0, 0x02, 0x01, 0xFF, 0xFF, 0xFF}).size(), std::size_t{9});
        QCOMPARE(memoryRange(unit, 8190, 2), hexBytes("02 00"));
    }

    void repeaterEntries() {
        HostUnit unit;
        QCOMPARE(answerTo(unit, 0x03, {}), hexBytes("55 AA 02 03 03 3C 5A 01 60"));
        QCOMPARE(answerTo(unit, 0x03, {}), hexBytes("55 AA 02 03 03 3C 5A 02 5F"));
        QCOMPARE(memoryRange(unit, 5504, 7), hexBytes("02 3C 5A 01 3C 5A 02"));
        QCOMPARE(unit.repeaterEntries().size(), std::size_t{2});
        QVERIFY(unit.repeaterEntries()[1] == (hostsim::CallerCode{0x3C, 0x5A, 0x02}));

        // The caller learned last is the one pressed for a delete.
        QVERIFY(unit.callerToDelete() == (hostsim::CallerCode{0x3C, 0x5A, 0x02}));
        QCOMPARE(answerTo(unit, 0x07, {}), hexBytes("55 AA 02 07 00 F6"));
        QCOMPARE(memoryRange(unit, 5504, 7), hexBytes("01 3C 5A 01 FF FF FF"));
        QCOMPARE(answerTo(unit, 0x07, {}), hexBytes("55 AA 02 07 01 01 F4"));
        unit.setNextCallerCode({0x3C, 0x5A, 0x01});
        QCOMPARE(answerTo(unit, 0x07, {}), hexBytes("55 AA 02 07 00 F6"));
        QCOMPARE(answerTo(unit, 0x07, {}), hexBytes("55 AA 02 07 01 00 F5"));

        for (int i = 0; i < 64; ++i)
            QCOMPARE(answerTo(unit, 0x03, {}).size(), std::size_t{9});
        QCOMPARE(answerTo(unit, 0x03, {}), hexBytes("55 AA 02 03 00 FA"));
        QCOMPARE(unit.memoryAt(5504), std::uint8_t{64});
    }

    void settingsOffsets() {
        HostUnit unit;
        unit.setNextCallerCode({0x00, 0x12, 0x34});
        answerTo(unit, 0x02, {12});
        answerTo(unit, 0x13, {0x00});
        answerTo(unit, 0x0B, {0x41, 0xA5, 0xAA});
        answerTo(unit, 0x0A, {3});
        answerTo(unit, 0x0A, {5, 80});
        answerTo(unit, 0x14, {1, 8, 15, 0, 0xFF});
        answerTo(unit, 0x15, {2});
        answerTo(unit, 0x16, {1});
        answerTo(unit, 0x11, {9});
        answerTo(unit, 0x17, {0});
        QCOMPARE(memoryRange(unit, 5376, 13), hexBytes("0C 00 41 A5 AA 03 01 08 0F 00 FF 02 01"));
        QCOMPARE(unit.memoryAt(5471), std::uint8_t{5});
        QCOMPARE(memoryRange(unit, 5496, 3), hexBytes("01 12 34"));
        QCOMPARE(unit.memoryAt(8166), std::uint8_t{0});
        // The same, read back as the commands stored it.
        QCOMPARE(unit.receiverNumber(), std::uint8_t{12});
        QCOMPARE(unit.transmitterFrequency(), (std::array<std::uint8_t, 3>{0x41, 0xA5, 0xAA}));
        QCOMPARE(unit.receiverFrequency(0), std::uint8_t{3});
        QCOMPARE(unit.receiverFrequency(80), std::uint8_t{5});
        QCOMPARE(unit.voiceSettings(), (std::array<std::uint8_t, 5>{1, 8, 15, 0, 0xFF}));
        QCOMPARE(unit.handheldMode(true), std::uint8_t{2});
        QCOMPARE(unit.handheldMode(false), std::uint8_t{1});
        QCOMPARE(unit.urgeUnit(9), (std::optional(std::array<std::uint8_t, 2>{0x12, 0x34})));
        QCOMPARE(unit.workMode(), 0);

        answerTo(unit, 0x12, {9});
        QCOMPARE(memoryRange(unit, 5496, 3), hexBytes("FF FF FF"));
        QVERIFY(!unit.urgeUnit(9));
        answerTo(unit, 0x0B, {});
        QCOMPARE(memoryRange(unit, 5378, 3), hexBytes("FF FF FF"));
    }

    void backupRestoreKeepsSettings() {
        HostUnit original;
        answerTo(original, 0x13, {0x00});
        answerTo(original, 0x15, {2});
        answerTo(original, 0x01, {0, 12, 0, 0, 1, 1, 2, 3, 4, 5, 6, 7, 2});
        answerTo(original, 0x03, {0, 0, 12, 5, 0xFF, 0xFF});
        answerTo(original, 0x03, {});
        answerTo(original, 0x0B, {0x41, 0xA5, 0xAA});

        HostUnit restored;
        for (std::uint8_t k = 0; k < 64; ++k) {
            Bytes block = answerTo(original, 0x0D, {k});
            QCOMPARE(block.size(), std::size_t{134});
            Bytes data{k};
            data.insert(data.end(), block.begin() + 5, block.end() - 1);
            QCOMPARE(answerTo(restored, 0x18, data), hexBytes("55 AA 02 18 01 00 E4"));
        }
        QVERIFY(restored.memory() == original.memory());
        QCOMPARE(restored.displayType(), hostsim::DisplayType::Voice);
        QCOMPARE(answerTo(restored, 0x04, {12}), hexBytes("55 AA 02 04 00 F9"));
        QCOMPARE(answerTo(restored, 0x07, {0, 12}), hexBytes("55 AA 02 07 00 F6"));
        restored.setNextCallerCode({0x3C, 0x5A, 0x02});
        QCOMPARE(answerTo(restored, 0x07, {}), hexBytes("55 AA 02 07 00 F6"));
    }

    void initialiseEmptiesMemory() {
        HostUnit unit;
        stock(unit);
        answerTo(unit, 0x13, {0x00});
        answerTo(unit, 0x17, {2});
        QCOMPARE(answerTo(unit, 0x09, {}), hexBytes("55 AA 02 09 00 F4"));
        for (std::size_t i = 0; i < 8192; ++i) {
            const std::uint8_t expected = i == 8166                               ? 0x01
                                          : (i == 8190 || i == 8191 || i == 5504) ? 0x00
                                                                                  : 0xFF;
            if (unit.memoryAt(i) != expected)
                QFAIL(qPrintable(QString("offset %1 holds %2").arg(i).arg(unit.memoryAt(i))));
        }
        QCOMPARE(unit.displayType(), hostsim::DisplayType::Digital);
        QCOMPARE(answerTo(unit, 0x15, {0}), hexBytes("55 AA 02 15 01 01 E6"));
    }

    void receiverImages() {
        HostUnit unit;
        answerTo(unit, 0x02, {12});
        answerTo(unit, 0x0A, {3, 12});
        answerTo(unit, 0x0A, {2});
        QCOMPARE(answerTo(unit, 0x0E, {0, 1}), hexBytes("55 AA 02 0E 80 0C 03 FF*126 DE"));
        QCOMPARE(answerTo(unit, 0x0E, {0}), hexBytes("55 AA 02 0E 80 00 02 FF*126 EB"));

        hostsim::ReceiverImage image;
        for (int i = 0; i < 256; ++i)
            image[i] = static_cast<std::uint8_t>(i);
        unit.setReceiverImage(hostsim::BuiltInReceiver, image);
        const Bytes block1 = answerTo(unit, 0x0E, {1});
        QCOMPARE(block1.size(), std::size_t{134});
        QCOMPARE(block1[5], std::uint8_t{0x80});
        QCOMPARE(block1[132], std::uint8_t{0xFF});

        QCOMPARE(answerTo(unit, 0x08, {}), hexBytes("55 AA 02 08 00 F5"));
        QCOMPARE(answerTo(unit, 0x0E, {0}), hexBytes("55 AA 02 0E 80 00 07 FF*126 E6"));
        QCOMPARE(unit.receiverImage(hostsim::ExternalReceiver)[0], std::uint8_t{12});
    }

    void framing_data() {
        QTest::addColumn<QString>("received");
        QTest::addColumn<int>("chunk");
        QTest::addColumn<QString>("replies");

        const char* twoFrames = "55 55 AA 01 08 00 F6 55 55 AA 01 09 00 F5";
        QTest::newRow("two frames at once")
            << twoFrames << 0 << "55 AA 02 08 00 F5 55 AA 02 09 00 F4";
        QTest::newRow("byte by byte") << twoFrames << 1 << "55 AA 02 08 00 F5 55 AA 02 09 00 F4";
        QTest::newRow("chunks of 5") << twoFrames << 5 << "55 AA 02 08 00 F5 55 AA 02 09 00 F4";
        QTest::newRow("garbage around")
            << "00 13 55 AA 55 55 55 AA 01 08 00 F6 FF 55" << 0 << "55 AA 02 08 00 F5";
        QTest::newRow("bad frame then good")
            << "55 55 AA 01 08 00 F7 55 55 AA 01 09 00 F5" << 3 << "55 AA 02 09 00 F4";
        QTest::newRow("false start")
            << "55 55 AA 01 55 00 00 55 55 AA 01 08 00 F6" << 0 << "55 AA 02 08 00 F5";
        QTest::newRow("address 02 ignored")
            << "55 55 AA 02 08 00 F5 55 55 AA 01 08 00 F6" << 0 << "55 AA 02 08 00 F5";
        QTest::newRow("request bytes in block data")
            << "55 55 AA 01 18 81 00 55 55 AA 01 08 00 F6 00*121 12" << 7 << "55 AA 02 18 01 00 E4";
    }
    void framing() {
        QFETCH(QString, received);
        QFETCH(int, chunk);
        QFETCH(QString, replies);

        HostUnit unit;
        HostLine line(unit);
        const Bytes bytes = hexBytes(received);
        Bytes out;
        const std::size_t step = chunk > 0 ? chunk : bytes.size();
        for (std::size_t i = 0; i < bytes.size(); i += step) {
            const std::size_t n = std::min(step, bytes.size() - i);
            for (const auto& r : line.feed(bytes.data() + i, n))
                out.insert(out.end(), r.bytes.begin(), r.bytes.end());
        }
        QCOMPARE(hexText(out), hexText(hexBytes(replies)));
    }

    void logsWhatArrived() {
        HostUnit unit;
        HostLine line(unit);
        line.feed(hexBytes("00 55 55 AA 01 0D 01 2A C6 55 55 AA 01 05 00 F9 55 55 AA 01 08"));
        QVERIFY(line.hasPartialFrame());
        QCOMPARE(line.rawReceived().size(), std::size_t{21});
        const auto requests = line.takeRequests();
        QCOMPARE(requests.size(), std::size_t{2}); // the unknown 05 is logged, though not answered
        QCOMPARE(requests[0].command, std::uint8_t{0x0D});
        QCOMPARE(requests[0].data, hexBytes("2A"));
        QCOMPARE(requests[1].command, std::uint8_t{0x05});
        QVERIFY(line.takeRequests().empty());

        line.dropPartialFrame();
        QVERIFY(!line.hasPartialFrame());
        line.feed(hexBytes("00 F6"));
        QVERIFY(line.requests().empty());
        QCOMPARE(line.takeRawReceived().size(), std::size_t{23});
        QVERIFY(line.rawReceived().empty());
    }
};

QTEST_APPLESS_MAIN(TestHostUnit)
#include "hostunit_test.moc"
