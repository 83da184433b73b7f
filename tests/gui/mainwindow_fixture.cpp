#include "mainwindow_fixture.h"

#include "callers/callerwindows.h"
#include "callers/handheldcallerwindow.h"
#include "callers/voicepromptwindow.h"
#include "mainwindow/mainwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QtTest>

#include <chrono>
#include <thread>

using namespace testsupport;

namespace mainwindowtests {

QString focusName() {
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString("(none)");
}

void addNamedFault(EndToEnd& e2e, const QString& name, std::uint8_t code) {
    if (name.isEmpty())
        return;
    const std::optional<hostsim::Fault> fault = hostsim::Fault::named(name.toStdString());
    if (!fault)
        qFatal("unknown fault %s", qPrintable(name));
    e2e.host.withLine([&](hostsim::HostLine& line) { line.addFault(fault->onCommand(code)); });
}

void showEverything(callcfg::MainWindow& form) {
    form.setFullView(true);
    form.setMaintenanceView(true);
}

void setInputs(QWidget& window, const QStringList& inputs) {
    for (const QString& input : inputs) {
        const qsizetype equals = input.indexOf('=');
        const QString name = input.left(equals);
        auto* control = window.findChild<QWidget*>(name);
        if (!control)
            qFatal("no control %s", qPrintable(name));
        EndToEnd::type(control, input.mid(equals + 1));
    }
}

void click(QWidget& window, const QString& button) {
    auto* target = window.findChild<QAbstractButton*>(button);
    if (!target)
        qFatal("no button %s", qPrintable(button));
    QTest::mouseClick(target, Qt::LeftButton);
}

void backTo(QWidget& window) {
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window))
        qWarning("%s did not become active again", qPrintable(window.objectName()));
}

QWidget* openCallerWindow(EndToEnd& e2e, const QString& name) {
    const bool voice = name == "form5";
    (voice ? e2e.mainWindow().voicePromptsButton : e2e.mainWindow().handheldButton)->click();
    QWidget* window = voice ? static_cast<QWidget*>(e2e.program->callerWindows->voiceWindow())
                            : e2e.program->callerWindows->handheldWindow();
    if (window && !QTest::qWaitForWindowActive(window))
        qWarning("%s did not become active", qPrintable(name));
    return window;
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
    const QString button = QString(request.button).section('/', -1);
    QStringList asked;
    if (!c.confirmation.isEmpty())
        asked << "confirm " + c.confirmationTitle + ": " + c.confirmation;
    const auto row = [&](const QString& what, const QString& fault, const QString& wire,
                         const QStringList& boxes, const testsupport::ExpectedBox& last,
                         const QStringList& inputs) {
        const QString name = QString("%1: %2").arg(QLatin1String(c.name), what);
        const QStringList seen = last.kind ? boxes + QStringList{describe(last)} : boxes;
        QTest::newRow(qPrintable(name)) << request.inputs + inputs << fault << wire << seen
                                        << (last.focus.isEmpty() ? button : last.focus) << tag;
    };
    const auto reply = [&](const QString& what, const QString& fault, const QStringList& boxes,
                           const testsupport::ExpectedBox& last) {
        row(what, fault, request.wire, asked + boxes, last, {});
    };
    reply("success", request.deletes ? "forceData" : "", {}, c.success().box);
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
                QString fault = "forceData";
                for (std::uint8_t byte : data)
                    fault += QString(" %1").arg(uint(byte), 2, 16, QChar('0')).toUpper();
                reply(data.empty() ? "empty reply" : "reply" + fault.mid(9), fault, {}, r.box);
                break;
            }
    }
    reply("no reply", "noReply", {}, c.noReply);
    reply("bad checksum", "badChecksum", {kCrc}, c.noReply);
    reply("reply to another command", QString("wrongCommand %1").arg(c.code == 0x02 ? 1 : 2), {},
          c.noReply);
    row("port fault", "portFault", "", asked, c.failure, {});
    if (!asked.isEmpty())
        row("cancel sends nothing", "cancel", "", asked, {}, {});
    // The port is looked at before anything else: no input check, no question, nothing sent.
    row("port missing", "portMissing", "", {}, {16, "错误", kPortBox.section(": ", 1), {}}, {});
    for (const testsupport::FieldRow& field : request.fields) {
        const bool refused = field.wire.isEmpty();
        row(field.tag, field.fault, field.wire, refused ? QStringList{} : asked,
            field.box.kind ? field.box : c.success().box, field.inputs);
    }
}

void runCommandRow(const testsupport::ExpectedRequest& request) {
    QFETCH(QStringList, inputs);
    QFETCH(QString, fault);
    QFETCH(QString, wire);
    QFETCH(QStringList, boxes);
    QFETCH(QString, focus);

    const QString windowName =
        QString(request.button).contains('/') ? QString(request.button).section('/', 0, 0) : "";
    EndToEnd e2e;
    showEverything(e2e.mainWindow());
    if (!windowName.isEmpty()) // the caller settings are taken by a voice display unit
        e2e.host.withUnit(
            [](hostsim::HostUnit& u) { u.setDisplayType(hostsim::DisplayType::Voice); });
    QWidget* window = windowName.isEmpty() ? &e2e.mainWindow() : openCallerWindow(e2e, windowName);
    QVERIFY(window);
    setInputs(*window, inputs);
    callcfg::WaitBoxes& waitBoxes = e2e.program->waitBoxes;
    WaitBoxWatch callerBox(&waitBoxes.callerBox());
    WaitBoxWatch urgeBox(&waitBoxes.urgeBox());
    if (fault == "cancel") {
        e2e.boxes.answerNext(QMessageBox::Cancel);
    } else if (fault == "portFault") {
        e2e.program->portRow->ensureOpen();
        QVERIFY(e2e.link().isOpen());
        e2e.host.goAway();
    } else if (fault == "portMissing") {
        EndToEnd::type(e2e.mainWindow().portList, "COM0"); // names no port
    } else {
        addNamedFault(e2e, fault, request.command->code);
    }
    click(*window, QString(request.button).section('/', -1));
    backTo(*window);

    const QList<SeenBox> seen = e2e.boxes.take();
    QCOMPARE(describe(seen), boxes);
    QCOMPARE(e2e.takeWire(), wire);
    QCOMPARE(focusName(), focus);
    const QString waitBox = QString(request.command->waitBox).section(' ', 0, 0);
    for (const SeenBox& box : seen) {
        // The checksum box comes from within the wait, over its wait box; the command's own
        // boxes come after it, over the command's window.
        if (box.text == "CRC校验错误")
            continue;
        QCOMPARE(box.parent, window->objectName());
        QVERIFY(!box.visibleWindows.contains("Form2"));
        QVERIFY(!box.visibleWindows.contains("Form4"));
    }
    QVERIFY(!waitBoxes.callerBox().isVisible());
    QVERIFY(!waitBoxes.urgeBox().isVisible());
    if (waitBox != "Form2" || fault == "portMissing")
        QCOMPARE(callerBox.showCount.load(), 0);
    if (waitBox != "Form4" || fault == "portMissing")
        QCOMPARE(urgeBox.showCount.load(), 0);
    if (fault == "portMissing")
        QVERIFY(!e2e.link().isOpen());
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
    backTo(e2e.mainWindow());
    run.host = host.get();
    run.shows = watch.showCount;
    run.hiddenAfter = !box->isVisible();
    run.boxes = e2e.boxes.take();
    return run;
}

} // namespace mainwindowtests
