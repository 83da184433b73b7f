#include "ui/waitboxes.h"

#include "ui/fonts.h"
#include "ui/twips.h"
#include "ui/windowpainting.h"

#include <QLabel>
#include <QScreen>
#include <QWindow>

namespace callcfg {

WaitBox::WaitBox(const char* name, const QString& caption, QSize clientTwips, QRect labelTwips,
                 const QString& text)
    : QWidget(nullptr, Qt::Window) {
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption);
    setFont(namedFont(kaiFace, 9));
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(0xE0, 0xE0, 0xE0));
    setPalette(grey);
    setAutoFillBackground(true);
    resize(twipsSize(clientTwips.width(), clientTwips.height()));

    message = new QLabel(text, this);
    message->setObjectName(QStringLiteral("Label1"));
    message->setFont(namedFont(songFace, 12));
    message->setWordWrap(true);
    message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    message->setGeometry(
        twipsRect(labelTwips.x(), labelTwips.y(), labelTwips.width(), labelTwips.height()));
}

void WaitBox::showAndPaint() {
    if (!isVisible()) {
        if (const QScreen* where = screen()) {
            QRect box(QPoint(), size());
            box.moveCenter(where->availableGeometry().center());
            move(box.topLeft());
        }
    }
    show();
    raise();
    // Under X11 a newly shown window is drawn only after the server has exposed it.
    letWindowsPaint(500, [this] { return windowHandle() && windowHandle()->isExposed(); });
    repaint();
}

CallerWaitBox::CallerWaitBox()
    : WaitBox("Form2", QStringLiteral("请按呼叫器的服务键！"), QSize(3030, 930),
              QRect(0, 210, 3255, 480),
              QStringLiteral("   请按呼叫器的服务键!     ……4秒钟后自动返回……")) {}

UrgeWaitBox::UrgeWaitBox()
    : WaitBox("Form4", QStringLiteral("Form4"), QSize(3255, 930), QRect(0, 240, 3255, 480),
              QStringLiteral(" 请按催菜器的任意键加#键     ……4秒钟后自动返回……")) {}

CallerWaitBox& WaitBoxes::callerBox() {
    if (!callerBox_)
        callerBox_ = std::make_unique<CallerWaitBox>();
    return *callerBox_;
}

WaitBox* WaitBoxes::box(WaitBoxKind kind) {
    switch (kind) {
    case WaitBoxKind::Caller:
        return &callerBox();
    case WaitBoxKind::Urge:
        return &urgeBox();
    case WaitBoxKind::None:
        break;
    }
    return nullptr;
}

UrgeWaitBox& WaitBoxes::urgeBox() {
    if (!urgeBox_)
        urgeBox_ = std::make_unique<UrgeWaitBox>();
    return *urgeBox_;
}

} // namespace callcfg
