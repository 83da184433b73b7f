#pragma once
// What the memory reader's buttons do: the three reads, the typed listing and the hex view,
// the backup file, the download. Each works on the window, the link and the program's images.

#include <QString>

namespace callcfg {

class MemoryReaderWindow;
class Link;
class ChosenPort;

struct Box;
struct Images;
struct TransferResult;

struct MemoryReaderContext {
    MemoryReaderWindow& window;
    Link& link;
    ChosenPort& port;
    Images& images;

    // A message box on form3.
    void box(const Box& box) const;
    // A problem told on stderr ("callcfg: <problem>") and, when one is open, in the traffic log.
    void tell(const QString& problem) const;
    // The start of a read or a download once the port is open: the port's waiting input
    // dropped, the compact size, the progress bar from 0 to `progressMaximum` and the status
    // on screen.
    void beginTransfer(int progressMaximum, const QString& status) const;
    // Sets the status beside the progress bar and repaints, so that it is on screen before a
    // long run.
    void showStatus(const QString& caption) const;
    // Shows how a read or the download stopped: no reply, a wrong data length or a port that
    // failed during a wait put the status back to `atRest`; a port that refused a request shows
    // `portFailure` and leaves the running status.
    // True when every block went through; the progress bar is then empty and the status back
    // to `atRest`.
    bool transferCompleted(const TransferResult& result, const QString& wrongLength,
                           const QString& portFailure, const QString& atRest) const;
};

enum class MemoryRead { Host, BuiltInReceiver, ExternalReceiver };

void readMemory(const MemoryReaderContext& context, MemoryRead what); // readcommand.cpp
void showListing(const MemoryReaderContext& context);                 // viewcommands.cpp
void showHexView(const MemoryReaderContext& context);                 // viewcommands.cpp
void saveBackupFile(const MemoryReaderContext& context);              // filecommands.cpp
void openBackupFile(const MemoryReaderContext& context);              // filecommands.cpp
void downloadToHost(const MemoryReaderContext& context);              // downloadcommand.cpp
void verifyHost(const MemoryReaderContext& context);                  // verifycommand.cpp

} // namespace callcfg
