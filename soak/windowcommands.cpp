#include "windowcommands.h"

#include "callers/handheldcallerwindow.h"
#include "callers/voicepromptwindow.h"
#include "commands/mode.h"
#include "commands/pager.h"
#include "commands/receiver.h"
#include "commands/repeater.h"
#include "commands/table.h"
#include "commands/urge.h"
#include "commands/voice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace soak {

namespace {

using Unit = hostsim::HostUnit;

QString differs(const char* what) {
    return QStringLiteral("the unit's %1 is not what was asked").arg(QLatin1String(what));
}

// Chooses a random entry; its position is what the host unit is told.
int choose(QComboBox* list, QRandomGenerator& random) {
    const int position = random.bounded(list->count());
    list->setCurrentIndex(position);
    return position;
}

// Table numbers mostly from a few, so that deletes find tables; now and then any.
int tableNumber(QRandomGenerator& random) {
    return random.bounded(3) ? random.bounded(1, 9) : random.bounded(1, 65536);
}

// The command's request in the table of expected commands, and the button that sends it.
const testsupport::ExpectedRequest& requestOf(const testsupport::ExpectedCommand& entry) {
    for (const testsupport::ExpectedRequest& request : testsupport::windowRequests())
        if (request.command == &entry)
            return request;
    qFatal("no request for %s", entry.name);
}

QPushButton* buttonOf(const testsupport::ExpectedRequest& request, callcfg::Program& program) {
    const QString button = QLatin1String(request.button);
    QWidget* window = &program.mainWindow;
    if (button.startsWith(QLatin1String("form5/")))
        window = program.callerWindows->voiceWindow();
    else if (button.startsWith(QLatin1String("Form6/")))
        window = program.callerWindows->handheldWindow();
    return window->findChild<QPushButton*>(button.section(QLatin1Char('/'), -1));
}

// A command without random inputs of its own: the typed request of the table, and no check of
// the unit beyond the one every command gets (no change when it did not succeed).
void typeExpectedRequest(const testsupport::ExpectedRequest& request, callcfg::MainWindow& f,
                         ReadyCommand& ready) {
    for (const QString& input : request.inputs) {
        const QString name = input.section('=', 0, 0), value = input.section('=', 1);
        if (auto* field = f.findChild<QLineEdit*>(name))
            field->setText(value);
        else if (auto* list = f.findChild<QComboBox*>(name))
            list->setCurrentText(value);
    }
    ready.check = [](const Unit&, const Bytes&) { return QString(); };
}

} // namespace

ReadyCommand prepareCommand(const testsupport::ExpectedCommand& entry, callcfg::Program& program,
                            QRandomGenerator& random, const Unit& unit) {
    using namespace callcfg;
    MainWindow& f = program.mainWindow;
    const auto is = [&entry](const Command& (*tool)()) { return entry.tool == tool; };
    const testsupport::ExpectedRequest& request = requestOf(entry);
    ReadyCommand ready{&entry, buttonOf(request, program), {}};
    auto& check = ready.check;
    if (is(setPagerCommand)) {
        const int pager = random.bounded(1, 255);
        const QString address =
            QString::number(random.bounded(10000000)).rightJustified(random.bounded(1, 8), '0');
        Unit::PagerEntry entry;
        for (qsizetype i = 0; i < address.size(); ++i)
            entry.address[std::size_t(7 - address.size() + i)] =
                static_cast<std::uint8_t>(address[i].digitValue());
        f.pagerNumberEdit->setText(QString::number(pager));
        f.addressCodeEdit->setText(address);
        entry.machineType = choose(f.machineTypeList, random);
        entry.polarity = choose(f.polarityList, random);
        entry.rate = choose(f.rateList, random);
        entry.tone = choose(f.toneList, random);
        check = [=](const Unit& u, const Bytes&) {
            return u.pager(pager) == entry ? QString() : differs("pager");
        };
    } else if (is(deletePagerCommand)) {
        const int pager = random.bounded(1, 255);
        f.deletePagerEdit->setText(QString::number(pager));
        check = [=](const Unit& u, const Bytes&) {
            return u.pager(pager) ? differs("deleted pager") : QString();
        };
    } else if (is(setTableCallerCommand)) {
        const int table = tableNumber(random);
        f.tableNumberEdit->setText(QString::number(table));
        std::array<std::uint8_t, 3> pagers{};
        for (std::size_t i = 0; i < 3; ++i) {
            const int pager = random.bounded(3) ? random.bounded(1, 256) : 0;
            pagers[i] = pager ? std::uint8_t(pager) : 0xFF;
            f.tablePagerEdits[i]->setText(pager ? QString::number(pager) : QString());
        }
        check = [=](const Unit& u, const Bytes& answer) {
            const auto entry = u.tableCaller(table);
            const bool same =
                entry && entry->pagers == pagers &&
                std::equal(answer.begin(), answer.end(), entry->code.begin(), entry->code.end());
            return same ? QString() : differs("table caller");
        };
    } else if (is(deleteTableCallerCommand)) {
        const int table = tableNumber(random);
        f.deleteTableEdit->setText(QString::number(table));
        check = [=](const Unit& u, const Bytes&) {
            return u.tableCaller(table) ? differs("deleted table caller") : QString();
        };
    } else if (is(setReceiverNumberCommand)) {
        const int number = random.bounded(1, 81);
        f.receiverNumberEdit->setText(QString::number(number));
        check = [=](const Unit& u, const Bytes&) {
            return u.receiverNumber() == number ? QString() : differs("receiver number");
        };
    } else if (is(initialiseReceiverCommand)) {
        check = [](const Unit& u, const Bytes&) {
            return u.receiverImage(hostsim::BuiltInReceiver) ==
                           Unit::factoryReceiverImage(hostsim::BuiltInReceiver)
                       ? QString()
                       : differs("built-in receiver");
        };
    } else if (is(initialiseHostCommand)) {
        check = [](const Unit& u, const Bytes&) {
            return u.memory() == Unit().memory() ? QString() : differs("memory");
        };
    } else if (is(receiverFrequencyCommand)) {
        const int receiver = random.bounded(2) ? random.bounded(1, 81) : 0;
        f.frequencyReceiverEdit->setText(receiver ? QString::number(receiver) : QString());
        const int position = choose(f.receiverFrequencyList, random);
        check = [=](const Unit& u, const Bytes&) {
            return u.receiverFrequency(receiver) == position ? QString()
                                                             : differs("receiver frequency");
        };
    } else if (is(setTransmitterCommand) || is(clearTransmitterCommand)) {
        // 100 to 500 MHz in steps of 12.5 kHz; the unit keeps it in units of 100 Hz.
        const int steps = is(clearTransmitterCommand) ? 0 : random.bounded(8000, 40001);
        f.transmitterFrequencyEdit->setText(steps ? QString::number(steps * 0.0125, 'f', 4)
                                                  : QString());
        const unsigned units = unsigned(steps) * 125;
        const std::array<std::uint8_t, 3> stored =
            steps ? std::array<std::uint8_t, 3>{std::uint8_t(units >> 16), std::uint8_t(units >> 8),
                                                std::uint8_t(units)}
                  : std::array<std::uint8_t, 3>{0xFF, 0xFF, 0xFF};
        check = [=](const Unit& u, const Bytes&) {
            return u.transmitterFrequency() == stored ? QString()
                                                      : differs("transmitter frequency");
        };
    } else if (is(setUrgeCommand) || is(deleteUrgeCommand)) {
        const int number = random.bounded(1, 10);
        const bool set = is(setUrgeCommand);
        (set ? f.setUrgeEdit : f.deleteUrgeEdit)->setText(QString::number(number));
        check = [=](const Unit& u, const Bytes& answer) {
            const auto code = u.urgeUnit(number);
            const bool same = set ? code && Bytes(code->begin(), code->end()) == answer : !code;
            return same ? QString() : differs("urge unit");
        };
    } else if (is(writeRepeaterCommand)) {
        check = [](const Unit& u, const Bytes& answer) {
            const auto entries = u.repeaterEntries();
            const bool stored = std::any_of(entries.begin(), entries.end(), [&](const auto& c) {
                return Bytes(c.begin(), c.end()) == answer;
            });
            return stored ? QString() : differs("repeater");
        };
    } else if (is(deleteRepeaterCommand)) {
        const hostsim::CallerCode pressed = unit.callerToDelete();
        check = [=](const Unit& u, const Bytes&) {
            const auto entries = u.repeaterEntries();
            return std::find(entries.begin(), entries.end(), pressed) == entries.end()
                       ? QString()
                       : differs("repeater");
        };
    } else if (is(workModeCommand)) {
        const int mode = choose(f.workModeList, random);
        check = [=](const Unit& u, const Bytes&) {
            return u.workMode() == mode ? QString() : differs("work mode");
        };
    } else if (is(digitalDisplayCommand) || is(voiceDisplayCommand)) {
        const bool voice = is(voiceDisplayCommand);
        f.displayTypeList->setCurrentIndex(voice ? 1 : 0);
        check = [=](const Unit& u, const Bytes&) {
            return (u.displayType() == hostsim::DisplayType::Voice) == voice
                       ? QString()
                       : differs("display type");
        };
    } else if (is(voiceSettingsCommand)) {
        VoicePromptWindow& w = *program.callerWindows->voiceWindow();
        std::array<std::uint8_t, 5> settings{};
        settings[0] = std::uint8_t(choose(w.pronunciationList, random));
        settings[1] = std::uint8_t(choose(w.initiatorList, random));
        settings[2] = std::uint8_t(choose(w.key1List, random));
        for (auto [list, enabled, at] :
             {std::tuple{w.key2List, w.key2Enabled, 3}, std::tuple{w.key3List, w.key3Enabled, 4}}) {
            const auto position = std::uint8_t(choose(list, random));
            enabled->setChecked(random.bounded(2));
            settings[std::size_t(at)] = enabled->isChecked() ? position : 0xFF;
        }
        check = [=](const Unit& u, const Bytes&) {
            return u.voiceSettings() == settings ? QString() : differs("voice settings");
        };
    } else if (is(handheldByTableCommand) || is(handheldByPagerCommand)) {
        HandheldCallerWindow& w = *program.callerWindows->handheldWindow();
        const bool byTable = is(handheldByTableCommand);
        const int place = choose(byTable ? w.byTablePlaceList : w.byPagerPlaceList, random);
        check = [=](const Unit& u, const Bytes&) {
            return u.handheldMode(byTable) == place ? QString() : differs("handheld mode");
        };
    } else {
        typeExpectedRequest(request, f, ready);
    }
    return ready;
}

} // namespace soak
