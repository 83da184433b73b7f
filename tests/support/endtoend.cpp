#include "endtoend.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace testsupport {

EndToEnd::EndToEnd(double timeScale) {
    host.setPacing(false);
    host.withUnit([](hostsim::HostUnit& unit) { unit.setLearnDelay(0); });
    callcfg::PortMap map;
    map.map(1, QString::fromStdString(host.devicePath()));
    program = std::make_unique<callcfg::Program>(map);
    program->exitProgram = [] {};
    program->link.setTimeScale(timeScale);
    program->mainWindow.show();
    program->mainWindow.activateWindow();
    QApplication::setActiveWindow(&program->mainWindow);
    if (!QTest::qWaitForWindowActive(&program->mainWindow))
        qWarning("Form1 did not become active");
}

EndToEnd::~EndToEnd() {
    program.reset();
}

QStringList EndToEnd::takeFrames() {
    QStringList frames;
    const auto requests =
        host.withUnit([](hostsim::HostUnit& unit) { return unit.takeRequests(); });
    for (const auto& request : requests) {
        // Worked out here, not by the code under test: 0xFF minus the low byte of the sum.
        std::vector<std::uint8_t> wire{0x55,
                                       0x55,
                                       0xAA,
                                       0x01,
                                       request.command,
                                       static_cast<std::uint8_t>(request.data.size())};
        for (std::uint8_t byte : request.data)
            wire.push_back(byte);
        unsigned sum = 0;
        for (std::size_t i = 3; i < wire.size(); ++i)
            sum += wire[i];
        wire.push_back(static_cast<std::uint8_t>(0xFF - (sum & 0xFF)));
        frames << wireText(wire);
    }
    return frames;
}

QString EndToEnd::takeWire() {
    return wireText(host.withUnit([](hostsim::HostUnit& unit) { return unit.takeRawReceived(); }));
}

void EndToEnd::type(QWidget* field, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        edit->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(field)) {
        const int index = combo->findText(text);
        if (index >= 0)
            combo->setCurrentIndex(index);
        else
            combo->setEditText(text);
    }
}

QString wireText(const std::vector<std::uint8_t>& bytes) {
    QByteArray raw(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<qsizetype>(bytes.size()));
    return QString::fromLatin1(raw.toHex(' ').toUpper());
}

} // namespace testsupport
