// The backup loader over arbitrary file contents, written to a temporary file.
//
// Checks: a file of at least 8192 bytes loads its first 8192 bytes, a shorter one loads nothing.

#include "check.h"

#include "memory/backupfile.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

const std::string& tempPath() {
    static const std::string path = [] {
        const char* dir = std::getenv("TMPDIR");
        std::string name = std::string(dir && *dir ? dir : "/tmp") + "/callcfg-backup-XXXXXX";
        const int fd = mkstemp(name.data());
        FUZZ_CHECK(fd >= 0);
        close(fd);
        std::atexit([] { unlink(tempPath().c_str()); });
        return name;
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(tempPath().c_str(), "wb");
    FUZZ_CHECK(file);
    FUZZ_CHECK(std::fwrite(data, 1, size, file) == size);
    std::fclose(file);

    const auto bytes = callcfg::readBackup(QString::fromStdString(tempPath()));
    FUZZ_CHECK(bytes.has_value() == (size >= 8192));
    if (!bytes)
        return 0;
    FUZZ_CHECK(std::equal(bytes->begin(), bytes->end(), data));
    return 0;
}
