#include "ui/filedialog.h"

#include "ui/settingsshield.h"

#include <QFileDialog>

namespace callcfg {

QFileDialog* makeFileDialog(QWidget* parent, const QString& folder, const QString& objectName) {
    QFileDialog* dialog = nullptr;
    {
        // The dialog reads its settings while it is built.
        const SettingsShield shield;
        dialog = new QFileDialog(parent, QString(), folder);
        dialog->setOption(QFileDialog::DontUseNativeDialog);
    }
    dialog->setObjectName(objectName);
    return dialog;
}

} // namespace callcfg
