#include "ui/filedialog.h"

#include "ui/usersettingshidden.h"

#include <QFileDialog>

namespace callcfg {

QFileDialog* makeFileDialog(QWidget* parent, const QString& folder, const QString& objectName) {
    QFileDialog* dialog = nullptr;
    {
        // The dialog reads its settings while it is built.
        const UserSettingsHidden hidden;
        dialog = new QFileDialog(parent, QString(), folder);
        dialog->setOption(QFileDialog::DontUseNativeDialog);
    }
    dialog->setObjectName(objectName);
    return dialog;
}

std::optional<QString> runFileDialog(QFileDialog& dialog, const QString& suggestedName) {
    if (!suggestedName.isEmpty())
        dialog.selectFile(suggestedName);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return std::nullopt;
    return chosen.first();
}

} // namespace callcfg
