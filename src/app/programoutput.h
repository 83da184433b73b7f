#pragma once
// stdout and stderr as the command line writes them: UTF-8 with LF line ends on every system.
// On Windows, text for a console goes to it in UTF-16, the console's own encoding, so that
// Chinese shows whatever the console's code page. The window program callcfg.exe starts without
// a console: it prints to the console of the cmd or PowerShell that started it, and, without
// one, shows what it would have printed in a message box at the end, so that nothing is lost.

#include <QIODevice>
#include <QString>
#include <QTextStream>

#include <cstdio>
#include <memory>

namespace callcfg {

class ProgramOutput {
public:
    ProgramOutput();
    ~ProgramOutput(); // flushes; shows the text that had nowhere to go; lets a console go
    ProgramOutput(const ProgramOutput&) = delete;
    ProgramOutput& operator=(const ProgramOutput&) = delete;

    QTextStream& out() { return out_.stream; }
    QTextStream& err() { return err_.stream; }
    // stderr is a terminal or a console, where a progress line may be shown.
    bool errIsTerminal() const { return err_.terminal; }
    // Records the run's exit status (the box tells a failure from a success) and returns it;
    // when a write to stdout failed, says so on stderr, and a status of 0 becomes 1.
    int finish(int status);

private:
    struct Channel {
        std::unique_ptr<QIODevice> device;
        QString unprinted;
        QTextStream stream;
        bool terminal = false;
    };
    void route(Channel& channel, std::FILE* file);

    Channel out_, err_;
    bool attachedConsole_ = false;
    bool failed_ = false;
};

} // namespace callcfg
