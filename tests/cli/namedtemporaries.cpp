// The file system of a FAT USB stick or of a network share, for a program a test starts with
// this library in LD_PRELOAD: it makes no unnamed temporary files (O_TMPFILE), so QSaveFile
// names its temporary file beside the file it writes, as it does there.

#undef _FORTIFY_SOURCE
#include <cerrno>
#include <cstdarg>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

extern "C" int open64(const char* path, int flags, ...) {
    mode_t mode = 0;
    if (flags & (O_CREAT | __O_TMPFILE)) {
        va_list arguments;
        va_start(arguments, flags);
        mode = va_arg(arguments, mode_t);
        va_end(arguments);
    }
    if ((flags & O_TMPFILE) == O_TMPFILE) {
        errno = EOPNOTSUPP;
        return -1;
    }
    return int(::syscall(SYS_openat, AT_FDCWD, path, flags, mode));
}
