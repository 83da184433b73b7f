#pragma once
// A traffic log for support: one line per request sent, per read that returned bytes, per
// drop of bytes that came before a request, per line error, per port lost and per note,
//   <milliseconds on the monotonic clock> <sent|read|dropped> <device> <bytes in hex>
//   <milliseconds on the monotonic clock> line-error <device> <the error>
//   <milliseconds on the monotonic clock> lost <device> <what happened>
//   <milliseconds on the monotonic clock> note <what happened>
// (the error: overrun, receive-buffer-overrun, framing, parity or break), appended to a file
// that is opened once, at start. Logs of several links may share the file, from any thread: each
// line is written whole.

#include "link/linkobserver.h"

#include <QString>

#include <memory>

namespace callcfg {

// Bytes as the log writes them: upper-case hex, a space between bytes ("55 AA 02").
QByteArray spacedHex(std::span<const std::uint8_t> bytes);

class Link;

// The log's file, which the logs of several links may share.
class TrafficLogFile {
public:
    TrafficLogFile();
    ~TrafficLogFile();
    // Opens `path` for appending; false with error() when it cannot.
    bool open(const QString& path);
    bool isOpen() const;
    QString error() const;
    // Appends one whole line; nothing while the file is not open.
    void writeLine(const QByteArray& line);

private:
    struct Guarded; // the file and the lock of its lines
    std::unique_ptr<Guarded> guarded_;
};

class TrafficLog final : public LinkObserver {
public:
    // Writes `link`'s lines into `file`, a file of its own by default.
    explicit TrafficLog(const Link& link,
                        std::shared_ptr<TrafficLogFile> file = std::make_shared<TrafficLogFile>())
        : link_(link), file_(std::move(file)) {}

    // The file this log writes to.
    const std::shared_ptr<TrafficLogFile>& file() const { return file_; }
    bool open(const QString& path) { return file_->open(path); }
    QString error() const { return file_->error(); }

    void sent(std::span<const std::uint8_t> wire) override;
    void received(std::span<const std::uint8_t> bytes) override;
    void dropped(std::span<const std::uint8_t> bytes) override;
    void lineError(LineError error) override;
    void portLost(const QString& message) override;
    void note(const QString& text) override;

private:
    void write(const char* direction, std::span<const std::uint8_t> bytes);
    void writeLine(const char* what, const QByteArray& text);
    void writeStamped(const QByteArray& line);

    const Link& link_;
    std::shared_ptr<TrafficLogFile> file_;
};

} // namespace callcfg
