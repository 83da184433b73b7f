#include "failingreads.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

struct Failing {
    bool on = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t from = 0;
    ReadFault fault = ReadFault::Error;
} failing;

bool syncFails = false;

} // namespace

FailingReads::FailingReads(const std::string& path, long long from, ReadFault fault) {
    struct stat file {};
    if (::stat(path.c_str(), &file) == 0)
        failing = {true, file.st_dev, file.st_ino, off_t(from), fault};
}

FailingReads::~FailingReads() {
    failing.on = false;
}

// Takes the place of the C library's read(2) in the whole program.
extern "C" ssize_t read(int fd, void* buffer, size_t count) {
    struct stat file {};
    if (failing.on && ::fstat(fd, &file) == 0 && file.st_dev == failing.device &&
        file.st_ino == failing.inode) {
        const off_t at = ::lseek(fd, 0, SEEK_CUR);
        if (at >= failing.from && at < file.st_size) {
            if (failing.fault == ReadFault::EarlyEnd)
                return 0;
            errno = EIO;
            return -1;
        }
        if (at >= 0 && at < failing.from)
            count = std::min<size_t>(count, size_t(failing.from - at));
    }
    return ::syscall(SYS_read, fd, buffer, count);
}

FailingSync::FailingSync() {
    syncFails = true;
}

FailingSync::~FailingSync() {
    syncFails = false;
}

// Takes the place of the C library's fsync(2) in the whole program.
extern "C" int fsync(int fd) {
    if (syncFails) {
        syncFails = false;
        errno = EIO;
        return -1;
    }
    return int(::syscall(SYS_fsync, fd));
}
