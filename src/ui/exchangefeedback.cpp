#include "ui/exchangefeedback.h"

#include "ui/messagebox.h"
#include "ui/windowpainting.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace callcfg {

// The main window is brought up to date at once: whatever changed in it since it was last
// painted is painted now, before the wait. A window with nothing to paint costs nothing here.
void ExchangeFeedback::sent(std::span<const std::uint8_t>) {
    QCoreApplication::sendPostedEvents(&mainWindow_, QEvent::UpdateRequest);
}

void ExchangeFeedback::checksumFailed() {
    QWidget* parent = QApplication::activeWindow();
    showBoxDuringWait(parent ? parent : &mainWindow_,
                      {BoxKind::Error, QStringLiteral("CRC校验错误"), QStringLiteral("错误")});
}

void ExchangeFeedback::waiting() {
    letWindowsPaint(0);
}

} // namespace callcfg
