#include "ui/waitboxes.h"

#include "ui/fonts.h"
#include "ui/paintpump.h"
#include "ui/twips.h"

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
    pumpPaintOnly(500, [this] { return windowHandle() && windowHandle()->isExposed(); });
    repaint();
}

Form2::Form2()
    : WaitBox("Form2", QStringLiteral("请按呼叫器的服务键！"), QSize(3030, 930),
              QRect(0, 210, 3255, 480),
              QStringLiteral("   请按呼叫器的服务键!     ……4秒钟后自动返回……")) {}

Form4::Form4()
    : WaitBox("Form4", QStringLiteral("Form4"), QSize(3255, 930), QRect(0, 240, 3255, 480),
              QStringLiteral(" 请按催菜器的任意键加#键     ……4秒钟后自动返回……")) {}

Form2& WaitBoxes::form2() {
    if (!form2_)
        form2_ = std::make_unique<Form2>();
    return *form2_;
}

WaitBox* WaitBoxes::box(WaitBoxKind kind) {
    switch (kind) {
    case WaitBoxKind::Caller:
        return &form2();
    case WaitBoxKind::Urge:
        return &form4();
    case WaitBoxKind::None:
        break;
    }
    return nullptr;
}

Form4& WaitBoxes::form4() {
    if (!form4_)
        form4_ = std::make_unique<Form4>();
    return *form4_;
}

} // namespace callcfg
