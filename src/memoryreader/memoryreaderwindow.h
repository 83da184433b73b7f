#pragma once
// The memory reader window ("读取", form3): its controls, its two sizes, its load and the
// clicks on the prompt label that reveal the hex view button. Its commands live beside it and
// reach the controls through the public pointers.

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

class MemoryReaderWindow : public QWidget {
    Q_OBJECT
public:
    // Window sizes in twips as the form gives them, title bar and frame included.
    static constexpr int layoutWidth = 5985;
    static constexpr int compactHeight = 2750; // everything from top 2400 down is outside
    static constexpr int listingHeight = 6800; // the headers and Text1 are in view

    explicit MemoryReaderWindow(QWidget* parent = nullptr);
    ~MemoryReaderWindow() override;

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

    // Each control's form name, its objectName, is in the comment beside it.
    QPushButton* readHostButton = nullptr; // Command1 "读取主机"
    QPushButton* saveFileButton = nullptr; // Command6 "保存文件"
    QPushButton* openFileButton = nullptr; // Command7 "打开文件"
    QPushButton* downloadButton = nullptr; // Command8 "下发主机"
    QLabel* listPromptLabel = nullptr;     // Label5 "请选择显示的项目"; five clicks show
                                           // the hex view button
    QPushButton* hexViewButton = nullptr;  // Command4 "内存排列"
    QLabel* hostStatusLabel = nullptr;     // Label6
    QPushButton* listingButton = nullptr;  // Command5 "按类型显示"
    QComboBox* listingChoice = nullptr;    // Combo1: 传呼号, 餐桌号, 工作模式
    QLabel* progressLabel = nullptr;       // Label1, beside the progress bar
    QProgressBar* progressBar = nullptr;   // ProgressBar1
    // Beside Label1 after a download that stopped part-way: what the host unit now holds.
    QLabel* transferNoteLabel = nullptr; // DownloadNoteLabel
    void showTransferNote(const QString& note);
    // The block progress during a transfer. The bar is painted with the window's other changes
    // during the wait for the next reply, not at once: a block costs no painting of its own.
    void showBlockProgress(int value);
    QLabel* hexHeader = nullptr;               // Label2, hex view column header
    QLabel* pagerHeader = nullptr;             // Label3, pager listing column header
    QLabel* tableHeader = nullptr;             // Label4, table listing column header
    QLabel* receiverStatusLabel = nullptr;     // Label7, shown by a receiver read
    QPlainTextEdit* listingText = nullptr;     // Text1
    QPushButton* readExternalButton = nullptr; // Command3 "读取外置接收机", hidden
    QPushButton* readBuiltInButton = nullptr;  // Command2 "读取内置接收机", hidden
    QFileDialog* fileDialog = nullptr;         // CommonDialog1

    // Entries of the window's context menu that click the hidden receiver buttons.
    QAction* readBuiltInAction = nullptr;
    QAction* readExternalAction = nullptr;
    // The context menu's entry that compares the host unit with the host image.
    QAction* verifyHostAction = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setLayoutHeight(int twips);

    int labelClicks_ = 0;
    QString chosenName_;
};

} // namespace callcfg
