#include "ui/commandroad.h"

#include "link/link.h"
#include "ui/messagebox.h"
#include "ui/waitboxes.h"

#include <QWidget>

namespace callcfg {

namespace {

void show(QWidget* window, const Verdict& verdict) {
    if (verdict.box)
        showBox(window, *verdict.box);
    if (verdict.focus.isEmpty())
        return;
    if (auto* control = window->findChild<QWidget*>(verdict.focus)) {
        // The box has just closed; give its window back the keyboard before the move.
        window->activateWindow();
        control->setFocus(Qt::OtherFocusReason);
    }
}

WaitBox* waitBoxFor(const Command& command, WaitBoxes& boxes) {
    switch (command.waitBox) {
    case WaitBoxKind::Caller:
        return &boxes.form2();
    case WaitBoxKind::Urge:
        return &boxes.form4();
    case WaitBoxKind::None:
        break;
    }
    return nullptr;
}

} // namespace

void runCommand(QWidget* window, Link& link, WaitBoxes& waitBoxes,
                const std::function<Encoded()>& encode) {
    link.ensurePortOpen();
    if (!link.portOpen)
        return;

    const Encoded encoded = encode();
    if (const auto* refusal = std::get_if<Refusal>(&encoded)) {
        show(window, Verdict{refusal->box, refusal->focus});
        return;
    }
    if (const auto* fault = std::get_if<Fault>(&encoded)) {
        show(window, fault->command->fault);
        return;
    }
    const Frame& frame = std::get<Frame>(encoded);
    const Command& command = *frame.command;
    if (command.confirmation &&
        !confirmBox(window, command.confirmation->text, command.confirmation->title))
        return;

    WaitBox* waitBox = waitBoxFor(command, waitBoxes);
    if (waitBox && command.waitBoxBeforeSend)
        waitBox->showAndPaint();
    const std::vector<std::uint8_t> body = frame.body();
    std::copy(body.begin(), body.end(), link.frameBuffer.begin());
    try {
        link.sendFrame();
    } catch (const PortFault&) {
        if (waitBox)
            waitBox->hide();
        show(window, command.fault);
        return;
    }
    if (waitBox && !command.waitBoxBeforeSend)
        waitBox->showAndPaint();
    link.waitPeriods = static_cast<std::uint8_t>(command.waitPeriods);
    link.periodLength = command.periodLength;
    link.awaitReply();
    if (waitBox)
        waitBox->hide();

    std::optional<std::span<const std::uint8_t>> reply;
    if (link.replyComplete) {
        link.replyComplete = false;
        reply.emplace(link.replyBuffer.data() + 3, link.replyBuffer[2]);
    }
    show(window, judge(command, reply));
}

} // namespace callcfg
