#pragma once
// Shared by the end-to-end tests of the main window's commands: one row of a command's table
// (inputs, a fault of the host unit, the bytes expected on the wire, the boxes and the focus)
// driven through the real window against the simulated host unit.

#include "endtoend.h"
#include "expectedboxes.h"
#include "expectedcommands.h"
#include "hostsim/line/fault.h"

#include <QStringList>

#include <atomic>
#include <functional>
#include <future>
#include <optional>

namespace mainwindowtests {

using testsupport::describe;

// objectName of the control holding the keyboard focus.
QString focusName();

// Queues the fault named `name` (see hostsim::Fault::named; empty: none) for the next request
// with command `code`. "portFault" and "cancel" are handled by runCommandRow.
void addNamedFault(testsupport::EndToEnd& e2e, const QString& name, std::uint8_t code);

// Every command control on screen: the window at full height, the maintenance view on.
void showEverything(callcfg::MainWindow& form);

// Each entry "objectName=text" names a control of `window`; a list takes the item of that text,
// or the text as typed.
void setInputs(QWidget& window, const QStringList& inputs);

// Clicks the window's button with the mouse, as an installer does; the button takes the focus.
void click(QWidget& window, const QString& button);

// Makes the window active again, as the window manager does when a message box closes (the
// offscreen platform leaves no window active); its focus control takes the focus.
void backTo(QWidget& window);

// Opens the caller window "form5" or "Form6" with its button in the main window.
QWidget* openCallerWindow(testsupport::EndToEnd& e2e, const QString& name);

// Columns of a command table: inputs (QStringList), fault (QString), wire (QString, every byte
// the host unit received), boxes (QStringList, see describe) and focus (QString).
void addCommandColumns();

// The rows of `request` (of the table of expected commands): its request and the box and focus
// for each kind of reply, for no reply, a bad checksum, a reply to another command, a port that
// went away, a port that names no device and a declined confirmation; then its field rows.
// `tag` is added as a column of its own.
void addExpectedRows(const testsupport::ExpectedRequest& request, int tag);

// Runs the current row of `request` on a fresh program: inputs, fault, a click on its button in
// its window, then compares. "portFault": the port is opened, then the device goes away before
// the click; "portMissing": the port list names no port; "cancel": the confirmation is
// answered with Cancel. Only the command's own wait box may show, and never over a box.
void runCommandRow(const testsupport::ExpectedRequest& request);

// Whether the host unit has received a request, waiting up to `ms` for one.
bool requestArrives(testsupport::EndToEnd& e2e, int ms);

// Follows a wait box from the event loop: whether it is shown and whether it has been
// painted since it was last shown. Readable from any thread.
class WaitBoxWatch : public QObject {
public:
    explicit WaitBoxWatch(QWidget* box);
    std::atomic<bool> shown{false};
    std::atomic<bool> painted{false};
    std::atomic<int> showCount{0};
    // Runs on the event loop's thread as the box is shown, before it paints.
    std::function<void()> onShow;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Waits on another thread until the host unit has received a request and records whether the
// wait box was shown and painted at that moment, and whether it came on screen and stayed there
// while the tool waited for the reply (looked at for `lookMs` after the request, before the
// unit answers).
struct SeenFromHost {
    bool request = false;
    bool onScreenAtRequest = false;
    bool onScreenDuringWait = false;
};
std::future<SeenFromHost> watchFromHost(testsupport::EndToEnd& e2e, const WaitBoxWatch& watch,
                                        int lookMs);

// One command with a wait box, the host unit learning for 0.3 s: what the host side saw, whether
// the frame had reached the host unit when the box was shown, how often the box was shown,
// whether it is hidden afterwards, and the boxes.
struct WaitBoxRun {
    SeenFromHost host;
    bool frameBeforeShow = false;
    int shows = 0;
    bool hiddenAfter = false;
    QList<testsupport::SeenBox> boxes;
};
WaitBoxRun runWithWaitBox(testsupport::EndToEnd& e2e, QWidget* box, const QString& button);

} // namespace mainwindowtests
