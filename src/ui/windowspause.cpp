#include "ui/windowspause.h"

#include <QApplication>

namespace callcfg {

OtherWindowsPaused::OtherWindowsPaused(const QWidget* running) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != running && window->isVisible() && window->isEnabled()) {
            window->setEnabled(false);
            paused_ << window;
        }
    }
}

OtherWindowsPaused::~OtherWindowsPaused() {
    for (const QPointer<QWidget>& window : paused_)
        if (window)
            window->setEnabled(true);
}

} // namespace callcfg
