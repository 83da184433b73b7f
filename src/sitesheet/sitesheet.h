#pragma once
// The site sheet's commands: 打开表格 reads a sheet through the plan reader and shows each row
// with its check; 开始设置 and 从选中行继续 send its rows one after another through the set
// pager or set table caller command on the main window's port and link, each row's outcome in
// its row, no box per row; 停止 ends the run after the row in flight; 校验主机 reads the unit into
// the sheet's own image and marks each row; 导出主机表格… writes, after a run or 校验主机, every
// column of the sheet with each row's 结果 and 主机, or without a sheet the image's pagers or
// tables, for a spreadsheet. While a run or a read goes on, the other windows take no input.

#include "memory/memoryimage.h"
#include "plan/plan.h"
#include "plan/planrunner.h"

#include <QObject>

#include <memory>
#include <optional>

namespace callcfg {

class Link;
class OtherWindowsPaused;
class ChosenPort;
class SiteSheetWindow;

class SiteSheet final : public QObject {
    Q_OBJECT
public:
    SiteSheet(Link& link, ChosenPort& port);
    ~SiteSheet() override;

    // Makes the window unless it exists, then shows it.
    void showSiteSheet();
    SiteSheetWindow* window() const { return window_; }

    // Reads the sheet at `path` into the window; what 打开表格 does with the name chosen.
    void load(const QString& path);

private:
    void openSheet();
    void fillTable();
    void runFrom(std::size_t index);
    void runNextRow();
    void endRun(const QString& summary);
    void verifyHost();
    void exportHost();
    // 新建表格: an empty sheet of pagers or tables to fill in, saved where the installer says.
    void newSheet(bool tables);
    // The sheet's columns as it names them, then 结果 and 主机, a row each as the window shows it.
    std::vector<QStringList> sheetWithOutcomes() const;
    void showButtons();
    NotPressedChoice askNotPressed(const PlanRow& row);

    int tableRowOf(const PlanRow& row) const;
    void setCell(const PlanRow& row, int column, const QString& text, Qt::GlobalColor colour);
    int resultColumn() const;

    static inline const QString kTitle = QStringLiteral("现场表格");
    static constexpr int kRowColumn = 0; // the sheet's row number, before the sheet's columns

    Link& link_;
    ChosenPort& port_;
    SiteSheetWindow* window_ = nullptr;
    std::optional<Plan> plan_;
    // The sheet's rows as the window shows them: the prompt during a table row's wait, each
    // row's outcome in its row, no box per row.
    class SheetRows final : public RowInteraction {
    public:
        explicit SheetRows(SiteSheet& sheet) : sheet_(sheet) {}
        void starting(const PlanRow& row, int, int) override { row_ = &row; }
        NotPressedChoice notPressed(const PlanRow& row) override {
            return sheet_.askNotPressed(row);
        }
        void lost(const QString& message) override;
        void sleepUntil(TimePoint until) override;
        void showWaitBox(WaitBoxKind kind) override;
        void hideWaitBox(WaitBoxKind kind) override;
        void show(const Verdict& verdict) override;

    private:
        SiteSheet& sheet_;
        const PlanRow* row_ = nullptr;
    };
    SheetRows rows_{*this};
    PlanRunner runner_;
    std::optional<HostMemory> unitImage_; // the last 校验主机 read
    std::unique_ptr<OtherWindowsPaused> paused_;
    std::size_t next_ = 0; // the row a run sends next
    bool running_ = false;
    bool ran_ = false; // a run of the loaded sheet has ended
    bool stopAsked_ = false;
    int done_ = 0;
    int failed_ = 0;
};

} // namespace callcfg
