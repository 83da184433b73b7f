#pragma once
// The search for the host unit as the window shows it: a small dialog, modal to the main
// window, that names the port being asked and has a 停止 button. The search goes on in steps
// between the window's events, its questions on threads of their own, so the window is never
// held by a driver.

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

namespace callcfg {

class HostSearch;

class HostSearchDialog final : public QDialog {
    Q_OBJECT
public:
    HostSearchDialog(QWidget& window, HostSearch& search);

    // Shows the dialog until the search has ended (true) or was stopped (false): 停止, Esc or
    // closing the dialog.
    bool runSearch();
    void reject() override;

    QLabel* portLabel = nullptr;
    QPushButton* stopButton = nullptr;

private:
    void step();

    HostSearch& search_;
    QTimer* steps_ = nullptr;
};

} // namespace callcfg
