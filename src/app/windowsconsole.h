#pragma once
// The Win32 console as the programs use it. callcfg.com is a console program: it gets the console
// of the cmd or PowerShell it was typed in, or one of its own when started from Explorer.
// callcfg.exe is a window program: it starts without one.

#include <QIODevice>
#include <QString>

#include <cstdio>
#include <memory>

namespace callcfg {

enum class StreamEnd { Nowhere, Console, FileOrPipe };

// Where stdout or stderr leads.
StreamEnd streamEnd(std::FILE* stream);

// Attaches to the console of the process that started this one, if it has one.
bool attachParentConsole();
void detachConsole();

// Writes to this process's console in UTF-16; null without a console.
std::unique_ptr<QIODevice> openConsoleOutput();

// Started from Explorer, a console program got a console of its own, which the window does not
// need. A console shared with cmd stays.
void releaseOwnConsole();

void showInMessageBox(const QString& text, bool failed);

} // namespace callcfg
