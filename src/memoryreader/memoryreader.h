#pragma once
// The memory reader window (form3), opened by the main window's 数据备份 button, with its
// commands. The images and flags belong to the program and outlive the window. Closing it
// hides it; opening it again runs its load, as for a window opened for the first time.

#include <QObject>

namespace callcfg {

class MemoryReaderWindow;
class Link;
class ChosenPort;
struct Images;

class MemoryReader : public QObject {
    Q_OBJECT
public:
    MemoryReader(Link& link, ChosenPort& port, Images& images);
    ~MemoryReader() override;

    // Makes and loads form3 unless it is open, then shows it (not modal).
    void showMemoryReader();
    // The window once it has been made, or nullptr.
    MemoryReaderWindow* readerWindow() const { return readerWindow_; }

private:
    Link& link_;
    ChosenPort& port_;
    Images& images_;
    MemoryReaderWindow* readerWindow_ = nullptr;
};

} // namespace callcfg
