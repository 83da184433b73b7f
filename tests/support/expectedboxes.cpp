#include "expectedboxes.h"

namespace testsupport {

QString describe(const SeenBox& box) {
    QString kind;
    if (box.icon == QMessageBox::Critical && box.buttons == QMessageBox::Ok)
        kind = "error";
    else if (box.icon == QMessageBox::NoIcon && box.buttons == QMessageBox::Ok)
        kind = "notice";
    else if (box.icon == QMessageBox::Critical &&
             box.buttons == (QMessageBox::Ok | QMessageBox::Cancel))
        kind = "confirm";
    else
        kind = QString("icon %1 buttons %2").arg(box.icon).arg(box.buttons.toInt(), 0, 16);
    return QString("%1 %2: %3").arg(kind, box.title, box.text);
}

QStringList describe(const QList<SeenBox>& boxes) {
    QStringList described;
    for (const SeenBox& box : boxes)
        described << describe(box);
    return described;
}

} // namespace testsupport
