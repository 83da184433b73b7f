#pragma once
// The site sheet window 现场表格: a pager or table caller sheet that a spreadsheet saved, shown
// row by row with each row's check, set in the host unit row after row and compared with what
// the unit holds. Its controls only; SiteSheet runs its commands.

#include <QWidget>

#include <optional>

class QAction;
class QFileDialog;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace callcfg {

class SiteSheetWindow final : public QWidget {
    Q_OBJECT
public:
    SiteSheetWindow();
    ~SiteSheetWindow() override;

    // Shows the file dialog to open a sheet or to save one; the name chosen.
    std::optional<QString> chooseFile(bool forSaving, const QString& suggestedName,
                                      const QString& title = {});

    QPushButton* openButton = nullptr;      // 打开表格
    QPushButton* startButton = nullptr;     // 开始设置
    QPushButton* stopButton = nullptr;      // 停止
    QPushButton* resumeButton = nullptr;    // 从选中行继续
    QPushButton* verifyButton = nullptr;    // 校验主机
    QPushButton* exportButton = nullptr;    // 导出主机表格…
    QPushButton* newSheetButton = nullptr;  // 新建表格…, a menu of its two actions
    QAction* newPagerSheetAction = nullptr; // 传呼机表格…
    QAction* newTableSheetAction = nullptr; // 餐桌呼叫器表格…
    QLabel* fileLabel = nullptr;            // the sheet, or why it cannot be sent
    QTableWidget* table = nullptr;          // 行, the sheet's columns, 检查, 结果, 主机
    QLabel* promptLabel = nullptr; // 请按餐桌号 … 的呼叫器的服务键, during a table row's wait
    QProgressBar* progressBar = nullptr;
    QLabel* summaryLabel = nullptr;
    QFileDialog* fileDialog = nullptr;
};

} // namespace callcfg
