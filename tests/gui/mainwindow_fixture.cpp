#include "mainwindow_fixture.h"

#include "mainwindow/mainwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QtTest>

#include <chrono>
#include <thread>

using namespace testsupport;

namespace mainwindowtests {

QString focusName() {
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString("(none)");
}

std::optional<hostsim::Fault> faultNamed(const QString& name, std::uint8_t code) {
    using hostsim::Fault;
    const QStringList words = name.split(' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return std::nullopt;
    const QString kind = words.first();
    std::optional<Fault> fault;
    if (kind == "noReply")
        fault = Fault::noReply();
    else if (kind == "badChecksum")
        fault = Fault::badChecksum();
    else if (kind == "wrongCommand")
        fault = Fault::wrongCommand(code == 0x02 ? 0x01 : 0x02);
    else if (kind == "memoryFull")
        fault = Fault::memoryFull();
    else if (kind == "length")
        fault = Fault::wrongLength(static_cast<std::uint8_t>(words.value(1).toInt()));
    else if (kind == "data") {
        std::vector<std::uint8_t> data;
        for (const QString& byte : words.mid(1))
            data.push_back(static_cast<std::uint8_t>(byte.toUInt(nullptr, 16)));
        fault = Fault::forceData(std::move(data));
    }
    if (!fault)
        qFatal("unknown fault %s", qPrintable(name));
    return fault->onCommand(code);
}

void showEverything(callcfg::MainWindow& form) {
    form.setFullView(true);
    form.setMaintenanceView(true);
}

void setInputs(callcfg::MainWindow& form, const QStringList& inputs) {
    for (const QString& input : inputs) {
        const qsizetype equals = input.indexOf('=');
        const QString name = input.left(equals);
        auto* control = form.findChild<QWidget*>(name);
        if (!control)
            qFatal("no control %s", qPrintable(name));
        EndToEnd::type(control, input.mid(equals + 1));
    }
}

void click(callcfg::MainWindow& form, const QString& button) {
    auto* target = form.findChild<QAbstractButton*>(button);
    if (!target)
        qFatal("no button %s", qPrintable(button));
    QTest::mouseClick(target, Qt::LeftButton);
}

void backToMainWindow(callcfg::MainWindow& form) {
    QApplication::setActiveWindow(&form);
    if (!QTest::qWaitForWindowActive(&form))
        qWarning("Form1 did not become active again");
}

void addCommandColumns() {
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("wire");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("focus");
}

bool requestArrives(EndToEnd& e2e, int ms) {
    return e2e.host.waitFor([](const hostsim::HostLine& line) { return !line.requests().empty(); },
                            std::chrono::milliseconds(ms));
}

namespace {

QString describe(const testsupport::ExpectedBox& box) {
    return QString("%1 %2: %3").arg(box.kind == 16 ? "error" : "notice", box.title, box.text);
}

} // namespace

void addExpectedRows(const testsupport::ExpectedRequest& request, int tag) {
    const testsupport::ExpectedCommand& c = *request.command;
    const QString button = QLatin1String(request.button);
    QStringList asked;
    if (!c.confirmation.isEmpty())
        asked << "confirm " + c.confirmationTitle + ": " + c.confirmation;
    const auto row = [&](const QString& what, const QString& fault, const QString& wire,
                         const QStringList& boxes, const testsupport::ExpectedBox& last) {
        const QString name = QString("%1: %2").arg(QLatin1String(c.name), what);
        const QStringList seen = last.kind ? asked + boxes + QStringList{describe(last)} : asked;
        QTest::newRow(qPrintable(name)) << request.inputs << fault << wire << seen
                                        << (last.focus.isEmpty() ? button : last.focus) << tag;
    };
    row("success", request.deletes ? "data" : "", request.wire, {}, c.success().box);
    // A reply for each other row: its length (one shorter and one longer than success's when
    // any), its first byte (0 or 5 when any), and only when that row is the one it matches.
    for (std::size_t i = 1; i < c.replies.size(); ++i) {
        const testsupport::ExpectedReply& r = c.replies[i];
        const int usual = c.success().length;
        for (int length : r.length >= 0 ? QList{r.length} : QList{usual - 1, usual + 1})
            for (int first : r.firstByte >= 0 ? QList{r.firstByte} : QList{0x00, 0x05}) {
                std::vector<std::uint8_t> data(std::size_t(std::max(length, 0)), 0x00);
                if (length > 0)
                    data[0] = std::uint8_t(first);
                if (length < 0 || &c.boxFor(data) != &r.box)
                    continue;
                QString fault = "data";
                for (std::uint8_t byte : data)
                    fault += QString(" %1").arg(uint(byte), 2, 16, QChar('0')).toUpper();
                row(data.empty() ? "empty reply" : "reply" + fault.mid(4), fault, request.wire, {},
                    r.box);
                break;
            }
    }
    row("no reply", "noReply", request.wire, {}, c.noReply);
    row("bad checksum", "badChecksum", request.wire, {kCrc}, c.noReply);
    row("reply to another command", "wrongCommand", request.wire, {}, c.noReply);
    row("port fault", "portFault", "", {}, c.failure);
    if (!asked.isEmpty())
        row("cancel sends nothing", "cancel", "", {}, {});
}

void runCommandRow(const QString& button, std::uint8_t code, const QString& waitBox) {
    QFETCH(QStringList, inputs);
    QFETCH(QString, fault);
    QFETCH(QString, wire);
    QFETCH(QStringList, boxes);
    QFETCH(QString, focus);

    EndToEnd e2e;
    showEverything(e2e.mainWindow());
    setInputs(e2e.mainWindow(), inputs);
    callcfg::WaitBoxes& waitBoxes = e2e.program->waitBoxes;
    WaitBoxWatch callerBox(&waitBoxes.callerBox());
    WaitBoxWatch urgeBox(&waitBoxes.urgeBox());
    if (fault == "cancel") {
        e2e.boxes.answerNext(QMessageBox::Cancel);
    } else if (fault == "portFault") {
        e2e.program->portRow->ensureOpen();
        QVERIFY(e2e.link().isOpen());
        e2e.host.goAway();
    } else if (auto injected = faultNamed(fault, code)) {
        e2e.host.withLine([&](hostsim::HostLine& line) { line.addFault(*injected); });
    }
    click(e2e.mainWindow(), button);
    backToMainWindow(e2e.mainWindow());

    const QList<SeenBox> seen = e2e.boxes.take();
    QCOMPARE(describe(seen), boxes);
    QCOMPARE(e2e.takeWire(), wire);
    QCOMPARE(focusName(), focus);

    // The checksum box comes from within the wait; the command's own boxes come after it.
    for (const SeenBox& box : seen) {
        if (box.text == "CRC校验错误")
            continue;
        QVERIFY(!box.visibleWindows.contains("Form2"));
        QVERIFY(!box.visibleWindows.contains("Form4"));
    }
    QVERIFY(!waitBoxes.callerBox().isVisible());
    QVERIFY(!waitBoxes.urgeBox().isVisible());
    if (waitBox != "Form2")
        QCOMPARE(callerBox.showCount.load(), 0);
    if (waitBox != "Form4")
        QCOMPARE(urgeBox.showCount.load(), 0);
}

WaitBoxWatch::WaitBoxWatch(QWidget* box) {
    box->installEventFilter(this);
}

bool WaitBoxWatch::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
        painted = false;
        shown = true;
        ++showCount;
        if (onShow)
            onShow();
        break;
    case QEvent::Hide:
        shown = false;
        break;
    case QEvent::Paint:
        if (shown)
            painted = true;
        break;
    default:
        break;
    }
    return false;
}

std::future<SeenFromHost> watchFromHost(EndToEnd& e2e, const WaitBoxWatch& watch, int lookMs) {
    return std::async(std::launch::async, [&e2e, &watch, lookMs] {
        using namespace std::chrono;
        SeenFromHost seen;
        seen.request = requestArrives(e2e, 5000);
        if (!seen.request)
            return seen;
        seen.onScreenAtRequest = watch.shown && watch.painted;
        // A look taken before `until` is one before the unit answers: the box, once on screen,
        // must stay there.
        const auto until = steady_clock::now() + milliseconds(lookMs);
        bool gone = false;
        for (;;) {
            const bool onScreen = watch.shown && watch.painted;
            if (steady_clock::now() >= until)
                break;
            gone = gone || (seen.onScreenDuringWait && !onScreen);
            seen.onScreenDuringWait = seen.onScreenDuringWait || onScreen;
            std::this_thread::sleep_for(milliseconds(2));
        }
        seen.onScreenDuringWait = seen.onScreenDuringWait && !gone;
        return seen;
    });
}

WaitBoxRun runWithWaitBox(EndToEnd& e2e, QWidget* box, const QString& button) {
    e2e.host.withUnit([](hostsim::HostUnit& unit) { unit.setLearnDelay(0.3); });
    WaitBoxRun run;
    WaitBoxWatch watch(box);
    // A frame sent before the box reaches the host unit at once; one still to be sent cannot.
    watch.onShow = [&] { run.frameBeforeShow = requestArrives(e2e, 200); };
    std::future<SeenFromHost> host = watchFromHost(e2e, watch, 250);
    click(e2e.mainWindow(), button);
    backToMainWindow(e2e.mainWindow());
    run.host = host.get();
    run.shows = watch.showCount;
    run.hiddenAfter = !box->isVisible();
    run.boxes = e2e.boxes.take();
    return run;
}

} // namespace mainwindowtests
