#pragma once
// The main window: one frame per configuration task, the port row, the test window and the
// greeting boxes. The port row and the test mode are wired elsewhere and reach the controls
// through the public pointers below; the commands name them by objectName.

#include <QHash>
#include <QWidget>

#include <array>
#include <functional>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace callcfg {

class MainWindow : public QWidget {
    Q_OBJECT
public:
    // Whole window heights in twips, title bar and frame included: at load, with everything
    // in view, in test mode (the test window and every frame below it), after test mode.
    static constexpr int loadHeight = 6100;
    static constexpr int fullHeight = 11295;
    static constexpr int testHeight = fullHeight;
    static constexpr int afterTestHeight = 6000;
    static constexpr int layoutWidth = 8450;

    explicit MainWindow(QWidget* parent = nullptr);

    // The load of the window: geometry and start state of the controls, then the port list
    // click for "COM1". Runs once; the first show runs it if nobody did before.
    void load();

    // Sets the whole window's height in twips (title bar and frame included); the width is kept.
    void setLayoutHeight(int twips);

    // "显示全部功能": the window grows to show every frame (or back to the load height).
    void setFullView(bool on);
    // "显示维护功能": shows the maintenance controls (transmitter and receiver frequency,
    // test button, initialise receiver); hides them again when off. The unused write button
    // stays hidden.
    void setMaintenanceView(bool on);
    bool isFullView() const;
    bool isMaintenanceView() const;

    // Draws k in 0..4 for the greeting box; the default draws uniformly at random.
    void setGreetingChooser(std::function<int()> choose);

    // Checkable view actions, also on the background's context menu with their shortcuts.
    QAction* fullViewAction = nullptr;        // Ctrl+Shift+A
    QAction* maintenanceViewAction = nullptr; // Ctrl+Shift+M
    // "查找主机", last on the context menu: asks every port for the host unit.
    QAction* findHostAction = nullptr;
    // "按表格设置…", last on the context menu: opens the site sheet window 现场表格.
    QAction* siteSheetAction = nullptr;

    // Each control's form name, its objectName, is in the comment beside it.

    // Port row.
    QLabel* portLabel = nullptr;           // Label9 "通讯端口"; a double-click toggles the port
    QComboBox* portList = nullptr;         // Combo5, editable; choosing an entry closes the port
    QPushButton* openPortButton = nullptr; // Command15
    QLabel* portStatusCaption = nullptr;   // Label10 "端口状态："
    QLabel* portStatusLabel = nullptr;     // Label11

    // Work mode and data backup.
    QComboBox* workModeList = nullptr;          // Combo4
    QPushButton* writeWorkModeButton = nullptr; // Command11
    QPushButton* memoryReaderButton = nullptr;  // Command12, opens the memory reader window

    // 设置传呼机.
    QLineEdit* pagerNumberEdit = nullptr;  // Text1(0)
    QLineEdit* addressCodeEdit = nullptr;  // Text1(1)
    QComboBox* machineTypeList = nullptr;  // Combo1(0)
    QComboBox* polarityList = nullptr;     // Combo1(1)
    QComboBox* rateList = nullptr;         // Combo1(2)
    QComboBox* toneList = nullptr;         // Combo1(3)
    QPushButton* setPagerButton = nullptr; // Command1

    // 设置餐桌呼叫器.
    QLineEdit* tableNumberEdit = nullptr;        // Text3(0)
    QLineEdit* tableReceiverEdit = nullptr;      // Text3(1), always hidden, never read
    std::array<QLineEdit*, 3> tablePagerEdits{}; // Text3(2) to Text3(4)
    QPushButton* setTableButton = nullptr;       // Command3
    QPushButton* initialiseHostButton = nullptr; // Command7

    QLineEdit* deletePagerEdit = nullptr;     // Text4, 删除传呼机
    QPushButton* deletePagerButton = nullptr; // Command4
    QLineEdit* deleteTableEdit = nullptr;     // Text6, 删除餐桌呼叫器
    QPushButton* deleteTableButton = nullptr; // Command5
    QPushButton* exitButton = nullptr;        // Command9

    // Maintenance controls, hidden unless the maintenance view is on.
    QLineEdit* transmitterFrequencyEdit = nullptr;       // Text7
    QPushButton* writeTransmitterButton = nullptr;       // Command14
    QComboBox* receiverFrequencyList = nullptr;          // Combo2, editable
    QLineEdit* frequencyReceiverEdit = nullptr;          // Text10
    QPushButton* writeReceiverFrequencyButton = nullptr; // Command13
    QPushButton* testButton = nullptr;                   // Command8, test mode
    QPushButton* initialiseReceiverButton = nullptr;     // Command6
    QPushButton* unusedWriteButton = nullptr;            // Command18, no action, never shown

    // Test window and its poll timer (10 ms, not started).
    QLabel* testWindowLabel = nullptr;    // Label7
    QPlainTextEdit* testWindow = nullptr; // Text8
    QTimer* pollTimer = nullptr;          // Timer1

    QLineEdit* setUrgeEdit = nullptr;               // Text11, 设置催菜器
    QPushButton* setUrgeButton = nullptr;           // Command19
    QLineEdit* deleteUrgeEdit = nullptr;            // Text5, 删除催菜器
    QPushButton* deleteUrgeButton = nullptr;        // Command10
    QLineEdit* receiverNumberEdit = nullptr;        // Text2, 设置接收器号码
    QPushButton* setReceiverNumberButton = nullptr; // Command2
    QComboBox* displayTypeList = nullptr;           // Combo3, 信息机类型
    QPushButton* writeDisplayTypeButton = nullptr;  // Command20
    QPushButton* writeRepeaterButton = nullptr;     // Command16, 增强器内容
    QPushButton* deleteRepeaterButton = nullptr;    // Command17
    QPushButton* voicePromptsButton = nullptr;      // Command21, opens the voice prompt window
    QPushButton* handheldButton = nullptr;          // Command22, opens the handheld caller window

signals:
    // An entry of the port list was chosen, by the user or by the load (typing is no choice).
    void portListClicked();
    // The port label was double-clicked: open the port when closed, close it when open.
    void portToggleRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void buildUpperStrip();
    void buildMaintenanceControls();
    void buildLowerStrip();
    void buildViewActions();
    void wireFocusAndLabel();
    void countBackgroundClick();
    QList<QWidget*> maintenanceControls() const;

    QHash<QObject*, bool> selectOnFocus_; // field -> whole text selected on focus, or none
    QList<QWidget*> maintenanceLabels_;
    std::function<int()> chooseGreeting_;
    unsigned char backgroundClicks_ = 0;
    bool backgroundPressed_ = false;
    bool loaded_ = false;
};

} // namespace callcfg
