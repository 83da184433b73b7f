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
    // starts where nothing can be saved.
    const auto normal = [](QString path) { return QDir::cleanPath(path.replace(u'\\', u'/')); };
    const QString here = normal(current);
    for (const QString& folder : programFolders) {
        if (folder.isEmpty())
            continue;
        const QString program = normal(folder);
        const bool inside =
            here.compare(program, Qt::CaseInsensitive) == 0 ||
            here.startsWith(program.endsWith(u'/') ? program : program + u'/', Qt::CaseInsensitive);
        if (inside)
            return documents.isEmpty() ? current : documents;
    }
    return current;
}

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
