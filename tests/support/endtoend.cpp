#include "endtoend.h"

#include "wire.h"

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
        host.withLine([](hostsim::HostLine& line) { return line.takeRequests(); });
    for (const auto& request : requests)
        frames << hexText(requestFrame(request.command, request.data));
    return frames;
}

QString EndToEnd::takeWire() {
    return hexText(host.withLine([](hostsim::HostLine& line) { return line.takeRawReceived(); }));
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

} // namespace testsupport
