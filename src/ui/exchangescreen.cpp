#include "ui/exchangescreen.h"

#include "ui/messagebox.h"
#include "ui/paintpump.h"

#include <QApplication>
#include <QWidget>

namespace callcfg {

void ExchangeScreen::sent(std::span<const std::uint8_t>) {
    mainWindow_.repaint();
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
