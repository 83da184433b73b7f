#include "ui/messagebox.h"

#include <QMessageBox>

namespace callcfg {

void showBox(QWidget* parent, const Box& box) {
    const auto icon = box.kind == BoxKind::Notice ? QMessageBox::NoIcon : QMessageBox::Critical;
    QMessageBox message(icon, box.title, box.text, QMessageBox::Ok, parent);
    message.exec();
}

bool confirmBox(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox message(QMessageBox::Critical, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                        parent);
    return message.exec() != QMessageBox::Cancel;
}

} // namespace callcfg
