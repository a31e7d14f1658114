#include "export/AtomicFile.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

AtomicFile::AtomicFile(std::string fileName) : name_(std::move(fileName)) {
    // In the same folder, so that the rename stays on one file system and is atomic.
    // The permissions are those of any new file (0666 less the umask).
    const auto seed =
        static_cast<unsigned long>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (unsigned long attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        char suffix[48];
        std::snprintf(suffix, sizeof suffix, ".%ld-%06lx.part", static_cast<long>(::getpid()),
                      (seed + attempt * 7919) & 0xffffff);
        temporary_ = name_ + suffix;
        fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    failed_ = fd_ < 0;
}

AtomicFile::~AtomicFile() {
    discard();
}

void AtomicFile::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
        ::unlink(temporary_.c_str());
    }
    failed_ = true;
}

bool AtomicFile::write(std::string_view bytes) {
    while (!failed_ && !bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            discard();
            break;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return !failed_;
}

bool AtomicFile::commit() {
    if (failed_)
        return false;
    // On disk before the rename: a crash must not leave a short file under the name.
    if (::fsync(fd_) != 0) {
        discard();
        return false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || ::rename(temporary_.c_str(), name_.c_str()) != 0) {
        ::unlink(temporary_.c_str());
        failed_ = true;
        return false;
    }
    failed_ = true; // done: nothing more can be written
    return true;
}
