#include "memoryreader/wrapbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace callcfg {

void WrapButton::paintEvent(QPaintEvent* event) {
    QStyleOptionButton option;
    initStyleOption(&option);
    const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this) / 2;
    const QRect inside = rect().adjusted(margin, 0, -margin, 0);
    if (fontMetrics().horizontalAdvance(text()) <= inside.width()) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(inside, Qt::AlignCenter | Qt::TextWrapAnywhere, text());
}

} // namespace callcfg
