#include "ui/exchangescreen.h"

#include "ui/messagebox.h"
#include "ui/paintpump.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace callcfg {

// The main window is brought up to date at once: whatever changed in it since it was last
// painted is painted now, before the wait. A window with nothing to paint costs nothing here.
void ExchangeScreen::sent(std::span<const std::uint8_t>) {
    QCoreApplication::sendPostedEvents(&mainWindow_, QEvent::UpdateRequest);
}

void ExchangeScreen::checksumFailed() {
    QWidget* parent = QApplication::activeWindow();
    showBoxDuringWait(parent ? parent : &mainWindow_,
                      {BoxKind::Error, QStringLiteral("CRC校验错误"), QStringLiteral("错误")});
}

void ExchangeScreen::waiting() {
    pumpPaintOnly(0);
}

} // namespace callcfg
