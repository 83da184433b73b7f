#pragma once
// What the windows do while the link works: the main window is repainted once a request has
// left, windows may paint (and nothing else runs) during a wait, and a reply that fails its
// checksum shows the box "CRC校验错误" there and then.

#include "link/linkobserver.h"

class QWidget;

namespace callcfg {

class ExchangeFeedback final : public LinkObserver {
public:
    explicit ExchangeFeedback(QWidget& mainWindow) : mainWindow_(mainWindow) {}

    void sent(std::span<const std::uint8_t> wire) override;
    void checksumFailed() override;
    void waiting() override;

private:
    QWidget& mainWindow_;
};

} // namespace callcfg
