#include "scriptedport.h"

#include <algorithm>

namespace testsupport {

void ScriptedPort::arrive(Bytes bytes, std::chrono::milliseconds after) {
    const Chunk chunk{clock_.now() + after, std::move(bytes)};
    const auto later = std::upper_bound(chunks_.begin(), chunks_.end(), chunk.at,
                                        [](auto at, const Chunk& c) { return at < c.at; });
    chunks_.insert(later, chunk);
}

ScriptedPort::Bytes ScriptedPort::takeArrived() {
    Bytes arrived;
    auto due = chunks_.begin();
    for (; due != chunks_.end() && due->at <= clock_.now(); ++due)
        arrived.insert(arrived.end(), due->bytes.begin(), due->bytes.end());
    chunks_.erase(chunks_.begin(), due);
    return arrived;
}

bool ScriptedPort::open(const QString&) {
    takeArrived(); // a device opened afresh holds nothing of what came before
    error_.clear();
    open_ = true;
    return true;
}

bool ScriptedPort::writeByte(std::uint8_t byte) {
    if (!open_ || refuseWrites) {
        error_ = QStringLiteral("device gone");
        return false;
    }
    written_.push_back(byte);
    return true;
}

std::optional<ScriptedPort::Bytes> ScriptedPort::readAll() {
    return readTaking(readAllTakes);
}

std::optional<ScriptedPort::Bytes> ScriptedPort::readAllFor(std::chrono::milliseconds span) {
    return readTaking(span);
}

std::optional<ScriptedPort::Bytes> ScriptedPort::readTaking(std::chrono::milliseconds span) {
    if (open_ && !failReads && !readsCompleteAtOnce)
        clock_.advance(span);
    if (!open_ || failReads) {
        error_ = QStringLiteral("device gone");
        return std::nullopt;
    }
    return takeArrived();
}

} // namespace testsupport
