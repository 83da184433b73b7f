#include "ui/filedialog.h"

#include "ui/usersettingshidden.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace callcfg {

QString dialogStartFolder(const QString& current, const QStringList& programFolders,
                          const QString& documents) {
    // Compared without case: a needless move to the documents costs less than a dialog that
    // starts where nothing can be saved. The trailing '/' keeps "callcfg2" out of "callcfg".
    const auto withSlash = [](QString path) {
        path = QDir::cleanPath(path.replace(u'\\', u'/'));
        return path.endsWith(u'/') ? path : path + u'/';
    };
    const QString here = withSlash(current);
    for (const QString& folder : programFolders)
        if (!folder.isEmpty() && here.startsWith(withSlash(folder), Qt::CaseInsensitive))
            return documents.isEmpty() ? current : documents;
    return current;
}

namespace {

// The program's own folder and the system's program folders.
QStringList programFolders() {
    QStringList folders{QCoreApplication::applicationDirPath()};
#ifdef Q_OS_WIN
    for (const char* name : {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432", "SystemRoot"})
        folders << qEnvironmentVariable(name);
#else
    folders << QStringLiteral("/usr") << QStringLiteral("/opt");
#endif
    return folders;
}

} // namespace

QFileDialog* makeFileDialog(QWidget* parent, const QString& objectName) {
    const QString folder =
        dialogStartFolder(QDir::currentPath(), programFolders(),
                          QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
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
