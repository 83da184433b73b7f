#pragma once
// The program subcommand's side of the plan runner (plan/planrunner.h): one line per row on
// stdout, the request to press a caller's service key, the progress line and the questions on
// stderr; a row in words for the dry run; and the command line that resumes a stopped run.

#include "cli/subcommands.h"
#include "plan/planrunner.h"

#include <QElapsedTimer>

#include <functional>

namespace callcfg {

// The rows of a plan as the terminal shows them.
class TerminalRows final : public RowInteraction {
public:
    // `stopAsked` ends the run before the next row (an interrupt held meanwhile).
    TerminalRows(const Invocation& call, std::function<bool()> stopAsked);

    void starting(const PlanRow& row, int position, int total) override;
    NotPressedChoice notPressed(const PlanRow& row) override;
    void lost(const QString& message) override;
    bool stopAsked() override { return stopAsked_(); }
    // The caller's wait box as a line: the unit learns the caller whose key is pressed now.
    void showWaitBox(WaitBoxKind kind) override;
    void hideWaitBox(WaitBoxKind) override {}
    // The row's line with the command's box text.
    void show(const Verdict& verdict) override;

private:
    void clearProgress();

    const Invocation& call_;
    std::function<bool()> stopAsked_;
    QElapsedTimer clock_;
    const PlanRow* row_ = nullptr; // the row being sent
};

// The row's line: "row 3: pager 12: <outcome>".
QString rowLine(const PlanRow& row, const QString& outcome);

// The row in words as its request carries it (as written when its check refuses it):
// "pager 12, address code 0012345, positive, 数字标准, 1200, 音调3" or
// "table 12, pagers 1, 2, 无".
QString rowWords(const PlanRow& row, const Encoded& encoded);

enum class Shell { Posix, Cmd };
#ifdef _WIN32
inline constexpr Shell kPlatformShell = Shell::Cmd;
#else
inline constexpr Shell kPlatformShell = Shell::Posix;
#endif

// `word` as one argument on `shell`'s command line: as it is when nothing in it is special to
// that shell, otherwise in single quotes (POSIX sh) or double quotes (cmd).
QString shellQuoted(const QString& word, Shell shell = kPlatformShell);

// The command line that goes on from row `row` of `path`: the --port mappings, --log,
// --device and --verify given, each quoted as `shell` needs.
QString resumeCommand(const Invocation& call, int row, const QString& path,
                      Shell shell = kPlatformShell);

} // namespace callcfg
