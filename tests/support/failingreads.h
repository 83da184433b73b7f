#pragma once
// Reads of one file that fail part-way, as on a failing USB stick or a network share that goes
// away, and the sync of a written file that fails, as a share's late error does. A program that
// links failingreads.cpp takes read(2) and fsync(2) from it for every library, Qt's included:
// reads of other files pass through unchanged.

#include <string>

enum class ReadFault {
    Error,   // read(2) fails with EIO
    EarlyEnd // read(2) returns 0, as at the end of the file
};

// While it lives, reads of the file at `path` fail from byte `from` on (before the file's
// end; a read across `from` stops there).
class FailingReads {
public:
    FailingReads(const std::string& path, long long from, ReadFault fault);
    ~FailingReads();
    FailingReads(const FailingReads&) = delete;
    FailingReads& operator=(const FailingReads&) = delete;
};

// While it lives, the next fsync(2) fails with EIO; later ones go through.
class FailingSync {
public:
    FailingSync();
    ~FailingSync();
    FailingSync(const FailingSync&) = delete;
    FailingSync& operator=(const FailingSync&) = delete;
};
