#pragma once
// The memory reader window form3 ("读取"): its controls, its two sizes, its load and the
// clicks on Label5 that reveal the hex view button. The commands live in MemoryReader and
// reach the controls through the public pointers; each objectName is the form name.

#include <QWidget>

#include <optional>

class QAction;
class QComboBox;
class QFileDialog;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace callcfg {

struct Images;

class Form3 : public QWidget {
    Q_OBJECT
public:
    // Window sizes in twips as the form gives them, title bar and frame included.
    static constexpr int layoutWidth = 5985;
    static constexpr int compactHeight = 2750; // everything from top 2400 down is outside
    static constexpr int listingHeight = 6800; // the headers and Text1 are in view

    explicit Form3(QWidget* parent = nullptr);

    // The load: status labels from the flags, Command4 hidden, click count 0, Label1 and the
    // progress bar at rest, only the hex header above Text1, Text1 empty, Combo1 at its first
    // entry, compact size, no remembered file name.
    void load(const Images& images);

    // Shows CommonDialog1 for saving or for opening, starting from the name chosen last since
    // the load; the chosen absolute path, or nothing when the user cancelled.
    std::optional<QString> chooseFile(bool forSaving);

    void setCompactSize();
    void setListingSize();
    int labelClicks() const { return labelClicks_; }

    // Sets a status label's caption and fits the label to it.
    static void setCaption(QLabel* label, const QString& caption);

    QPushButton* command1 = nullptr; // 读取主机
    QPushButton* command6 = nullptr; // 保存文件
    QPushButton* command7 = nullptr; // 打开文件
    QPushButton* command8 = nullptr; // 下发主机
    QLabel* label5 = nullptr;        // 请选择显示的项目; five clicks show Command4
    QPushButton* command4 = nullptr; // 内存排列 (hex view)
    QLabel* label6 = nullptr;        // host status
    QPushButton* command5 = nullptr; // 按类型显示
    QComboBox* combo1 = nullptr;     // 传呼号, 餐桌号, 工作模式
    QLabel* label1 = nullptr;        // status beside the progress bar
    QProgressBar* progressBar1 = nullptr;
    QLabel* label2 = nullptr; // hex view column header
    QLabel* label3 = nullptr; // pager listing column header
    QLabel* label4 = nullptr; // table listing column header
    QLabel* label7 = nullptr; // receiver status, shown by a receiver read, under the listing
    QPlainTextEdit* text1 = nullptr;
    QPushButton* command3 = nullptr; // 读取外置接收机, hidden: reached by its context menu entry
    QPushButton* command2 = nullptr; // 读取内置接收机, hidden: reached by its context menu entry
    QFileDialog* commonDialog1 = nullptr;

    // Entries of the window's context menu that click the hidden receiver buttons.
    QAction* readBuiltInAction = nullptr;
    QAction* readExternalAction = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setLayoutHeight(int twips);

    int labelClicks_ = 0;
    QString chosenName_;
};

} // namespace callcfg
