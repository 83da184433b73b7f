#pragma once
// What a window's host-unit commands show and ask: boxes parented to the window, the shared wait
// boxes, and the window's controls for each focus role.

#include "commands/commandrunner.h"

#include <QHash>

#include <initializer_list>
#include <utility>

class QWidget;

namespace callcfg {

class ChosenPort;
class WaitBoxes;

// Which control of a window takes the focus for each role its commands name.
class FocusTargets {
public:
    FocusTargets() = default;
    FocusTargets(std::initializer_list<std::pair<Focus, QWidget*>> targets);

    void add(Focus role, QWidget* control) { targets_.insert(role, control); }
    // The control for the role; nullptr for Focus::Unchanged.
    QWidget* controlFor(Focus role) const;
    // Stops the program at start unless every role has a control.
    void requireEveryRole(const char* window) const;

private:
    QHash<Focus, QWidget*> targets_;
};

class WindowInteraction final : public CommandInteraction {
public:
    WindowInteraction(QWidget* window, ChosenPort& port, WaitBoxes& waitBoxes,
                      FocusTargets focus = {});

    bool ensurePortOpen() override;
    bool confirm(const Box& question) override;
    void showWaitBox(WaitBoxKind kind) override;
    void hideWaitBox(WaitBoxKind kind) override;
    void show(const Verdict& verdict) override;

private:
    QWidget* window_;
    ChosenPort& port_;
    WaitBoxes& waitBoxes_;
    FocusTargets focus_;
};

} // namespace callcfg
