#pragma once
// A push button whose caption wraps onto further lines when the button is too narrow for
// it, as the narrow hex view button "内存排列" needs.

#include <QPushButton>

namespace callcfg {

class WrapButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace callcfg
