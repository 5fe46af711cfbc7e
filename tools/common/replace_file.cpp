#include "replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

namespace vorlane::tools {
namespace {

namespace fs = std::filesystem;

// Opens a new file beside `target`, named after it with a random suffix, with
// the permissions a plain new file gets (0666 less the umask).
int openTemporary(const fs::path& target, std::string& name) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = target;
        candidate.replace_filename("." + target.filename().string() + "." +
                                   std::to_string(random() % 1000000) + ".tmp");
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            name = candidate.string();
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

bool writeAll(int fd, const std::vector<unsigned char>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool replaceFile(const std::string& path, const std::vector<unsigned char>& bytes,
                 std::string& error) {
    std::string temporary;
    const int fd = openTemporary(fs::path(path), temporary);
    if (fd < 0) {
        error = "cannot write '" + path + "': " + std::strerror(errno);
        return false;
    }
    // Data on disk before the rename, so that a crash cannot leave an empty
    // file under the final name.
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    int reason = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        reason = errno;
    }
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        reason = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        error = "cannot write '" + path + "': " + std::strerror(reason);
    }
    return ok;
}

}  // namespace vorlane::tools
