#include "sitesheet/sitesheetwindow.h"

#include "ui/filedialog.h"
#include "ui/usersettingshidden.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace callcfg {

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QLabel* label(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

} // namespace

SiteSheetWindow::SiteSheetWindow() : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("SiteSheetWindow"));
    setWindowTitle(QStringLiteral("现场表格"));
    resize(900, 560);

    openButton = button(this, "OpenSheetButton", QStringLiteral("打开表格(&O)"));
    startButton = button(this, "StartButton", QStringLiteral("开始设置(&S)"));
    stopButton = button(this, "StopButton", QStringLiteral("停止(&T)"));
    resumeButton = button(this, "ResumeButton", QStringLiteral("从选中行继续(&R)"));
    verifyButton = button(this, "VerifyButton", QStringLiteral("校验主机(&V)"));
    exportButton = button(this, "ExportButton", QStringLiteral("导出主机表格(&E)…"));
    newSheetButton = button(this, "NewSheetButton", QStringLiteral("新建表格(&N)"));
    auto* newSheetMenu = new QMenu(newSheetButton);
    newPagerSheetAction = newSheetMenu->addAction(QStringLiteral("传呼机表格…"));
    newTableSheetAction = newSheetMenu->addAction(QStringLiteral("餐桌呼叫器表格…"));
    newSheetButton->setMenu(newSheetMenu);
    fileLabel = label(this, "SheetFileLabel");
    fileLabel->setText(
        QStringLiteral("请打开 Excel、WPS 的工作簿（.xlsx）或 CSV 表格（传呼机或餐桌呼叫器）。"));
    table = new QTableWidget(this);
    table->setObjectName(QStringLiteral("SheetTable"));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    promptLabel = label(this, "CallerPromptLabel");
    QFont prompt = promptLabel->font();
    prompt.setBold(true);
    prompt.setPointSize(prompt.pointSize() + 4);
    promptLabel->setFont(prompt);
    promptLabel->hide();
    progressBar = new QProgressBar(this);
    progressBar->setObjectName(QStringLiteral("SheetProgressBar"));
    progressBar->setValue(0);
    summaryLabel = label(this, "SheetSummaryLabel");

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {newSheetButton, openButton, startButton, stopButton, resumeButton,
                           verifyButton, exportButton})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(fileLabel);
    layout->addWidget(table, 1);
    layout->addWidget(promptLabel);
    layout->addWidget(progressBar);
    layout->addWidget(summaryLabel);
    setTabOrder(openButton, startButton);

    // As the backup file's dialog: nothing kept in the registry.
    fileDialog = makeFileDialog(this, QStringLiteral("SheetFileDialog"));
}

SiteSheetWindow::~SiteSheetWindow() {
    // The dialog writes what it remembers as it is destroyed.
    const UserSettingsHidden hidden;
    delete fileDialog;
}

std::optional<QString> SiteSheetWindow::chooseFile(bool forSaving, const QString& suggestedName,
                                                   const QString& title) {
    fileDialog->setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    fileDialog->setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // A name typed without an extension is saved as the sheet it is; Qt asks before it
    // replaces an existing file.
    fileDialog->setDefaultSuffix(forSaving ? QStringLiteral("csv") : QString());
    const QString workbook = QStringLiteral("Excel 工作簿 (*.xlsx)");
    fileDialog->setWindowTitle(!title.isEmpty() ? title
                               : forSaving      ? QStringLiteral("导出主机表格")
                                                : QStringLiteral("打开表格"));
    fileDialog->setNameFilters(
        forSaving ? QStringList{QStringLiteral("CSV 表格 (*.csv)"), workbook}
                  : QStringList{QStringLiteral("表格 (*.xlsx *.XLSX *.csv *.CSV *.txt *.TXT)"),
                                QStringLiteral("所有文件 (*)")});
    // A name typed without an extension takes the chosen type's.
    const auto suffix = connect(
        fileDialog, &QFileDialog::filterSelected, this, [this, workbook](const QString& filter) {
            fileDialog->setDefaultSuffix(filter == workbook ? QStringLiteral("xlsx")
                                                            : QStringLiteral("csv"));
        });
    const std::optional<QString> chosen = runFileDialog(*fileDialog, suggestedName);
    disconnect(suffix);
    return chosen;
}

} // namespace callcfg
