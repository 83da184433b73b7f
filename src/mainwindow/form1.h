#pragma once
// The main window: one frame per configuration task, the port row, the test window and the
// greeting boxes. The command handlers live elsewhere and reach the controls through the
// public pointers below; each control's objectName is its form name ("Text1(0)", "Combo5").

#include <QHash>
#include <QWidget>
#include <functional>

class QAction;
class QAbstractButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace callcfg {

class Form1 : public QWidget {
    Q_OBJECT
public:
    // Whole window heights in twips, title bar and frame included: at load, with everything
    // in view, in test mode (the test window and every frame below it), after test mode.
    static constexpr int loadHeight = 6100;
    static constexpr int fullHeight = 11295;
    static constexpr int testHeight = fullHeight;
    static constexpr int afterTestHeight = 6000;
    static constexpr int layoutWidth = 8450;

    explicit Form1(QWidget* parent = nullptr);

    // The load of the window: geometry and start state of the controls, then the port list
    // click for "COM1". Runs once; the first show runs it if nobody did before.
    void load();

    // Sets the whole window's height in twips (title bar and frame included); the width is kept.
    void setLayoutHeight(int twips);

    // "显示全部功能": the window grows to show every frame (or back to the load height).
    void setFullView(bool on);
    // "显示维护功能": shows the maintenance controls (transmitter and receiver frequency,
    // test button, initialise receiver); hides them again when off. Command18 stays hidden.
    void setMaintenanceView(bool on);
    bool isFullView() const;
    bool isMaintenanceView() const;

    // Draws k in 0..4 for the greeting box; the default draws uniformly at random.
    void setGreetingChooser(std::function<int()> choose);

    // Checkable view actions, also on the background's context menu with their shortcuts.
    QAction* fullViewAction = nullptr;        // Ctrl+Shift+A
    QAction* maintenanceViewAction = nullptr; // Ctrl+Shift+M

    // Port row.
    QLabel* label9 = nullptr;         // "通讯端口"; double-click emits portToggleRequested()
    QComboBox* combo5 = nullptr;      // port list, editable; activation emits portListClicked()
    QPushButton* command15 = nullptr; // open/close
    QLabel* label10 = nullptr;
    QLabel* label11 = nullptr; // port status

    // Work mode and data backup.
    QComboBox* combo4 = nullptr;
    QPushButton* command11 = nullptr;
    QPushButton* command12 = nullptr; // opens the memory reader

    // 设置传呼机: pager number, address code; machine type, polarity, rate, tone.
    QLineEdit* text1[2] = {};
    QComboBox* combo1[4] = {};
    QPushButton* command1 = nullptr;

    // 设置餐桌呼叫器: table number, receiver number (always hidden), pager numbers 1 to 3.
    QLineEdit* text3[5] = {};
    QPushButton* command3 = nullptr;
    QPushButton* command7 = nullptr; // initialise host unit

    QLineEdit* text4 = nullptr; // 删除传呼机
    QPushButton* command4 = nullptr;
    QLineEdit* text6 = nullptr; // 删除餐桌呼叫器
    QPushButton* command5 = nullptr;
    QPushButton* command9 = nullptr; // exit

    // Maintenance controls, hidden unless the maintenance view is on.
    QLineEdit* text7 = nullptr; // transmitter frequency
    QPushButton* command14 = nullptr;
    QComboBox* combo2 = nullptr; // receiver frequency, editable (its text may be emptied)
    QLineEdit* text10 = nullptr; // receiver number for the frequency
    QPushButton* command13 = nullptr;
    QPushButton* command8 = nullptr;  // test mode
    QPushButton* command6 = nullptr;  // initialise receiver
    QPushButton* command18 = nullptr; // no action, never shown

    // Test window and its poll timer (10 ms, not started).
    QLabel* label7 = nullptr;
    QPlainTextEdit* text8 = nullptr;
    QTimer* timer1 = nullptr;

    QLineEdit* text11 = nullptr; // 设置催菜器
    QPushButton* command19 = nullptr;
    QLineEdit* text5 = nullptr; // 删除催菜器
    QPushButton* command10 = nullptr;
    QLineEdit* text2 = nullptr; // 设置接收器号码
    QPushButton* command2 = nullptr;
    QComboBox* combo3 = nullptr; // 信息机类型
    QPushButton* command20 = nullptr;
    QPushButton* command16 = nullptr; // 增强器内容: write, delete
    QPushButton* command17 = nullptr;
    QPushButton* command21 = nullptr; // opens the voice prompt window
    QPushButton* command22 = nullptr; // opens the handheld caller window

signals:
    // The port list was clicked: on activation of Combo5 and once by the load.
    void portListClicked();
    // Label9 was double-clicked: open the port when closed, close it when open.
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
    void wireKeyboard();
    void countBackgroundClick();
    QList<QWidget*> maintenanceControls() const;

    QHash<QObject*, QAbstractButton*> enterButtons_;
    QHash<QObject*, bool> selectOnFocus_; // field -> whole text selected on focus, or none
    QList<QWidget*> maintenanceLabels_;
    std::function<int()> chooseGreeting_;
    unsigned char backgroundClicks_ = 0;
    bool backgroundPressed_ = false;
    bool loaded_ = false;
};

} // namespace callcfg
