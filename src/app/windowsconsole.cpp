#include "app/windowsconsole.h"

#include <algorithm>

#include <windows.h>

namespace callcfg {

namespace {

class ConsoleOutput : public QIODevice {
public:
    explicit ConsoleOutput(HANDLE console) : console_(console) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    ~ConsoleOutput() override { CloseHandle(console_); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        const auto* text = reinterpret_cast<const wchar_t*>(data);
        qint64 left = size / 2;
        while (left > 0) {
            DWORD written = 0;
            // Older consoles take at most some 64 KiB per call.
            const DWORD chunk = DWORD(std::min<qint64>(left, 8192));
            if (!WriteConsoleW(console_, text, chunk, &written, nullptr) || written == 0)
                return -1;
            text += written;
            left -= written;
        }
        return size;
    }

private:
    HANDLE console_;
};

} // namespace

StreamEnd streamEnd(std::FILE* stream) {
    const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return StreamEnd::Nowhere;
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) ? StreamEnd::Console : StreamEnd::FileOrPipe;
}

bool attachParentConsole() {
    return AttachConsole(ATTACH_PARENT_PROCESS) != 0;
}

void detachConsole() {
    FreeConsole();
}

std::unique_ptr<QIODevice> openConsoleOutput() {
    const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE)
        return nullptr;
    return std::make_unique<ConsoleOutput>(console);
}

void releaseOwnConsole() {
    DWORD processes[2];
    if (GetConsoleProcessList(processes, 2) == 1)
        FreeConsole();
}

void showInMessageBox(const QString& text, bool failed) {
    MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(text.utf16()), L"callcfg",
                MB_OK | (failed ? MB_ICONERROR : MB_ICONINFORMATION));
}

} // namespace callcfg
