#include "document/FileSettle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileLook LookAt(const std::string& path, bool lastByte) {
    FileLook look;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return look;
    look.exists = true;
    look.device = static_cast<std::uint64_t>(info.st_dev);
    look.inode = static_cast<std::uint64_t>(info.st_ino);
    look.size = static_cast<std::uint64_t>(info.st_size);
    look.modifiedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 +
                      static_cast<std::int64_t>(info.st_mtim.tv_nsec);
    if (lastByte && look.size > 0) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0) {
            char last = 0;
            look.endsWithLineBreak =
                ::pread(fd, &last, 1, static_cast<off_t>(look.size - 1)) == 1 && last == '\n';
            ::close(fd);
        }
    }
    return look;
}

void FileSettle::reset(const FileLook& look, std::int64_t nowMs) {
    last_ = read_ = look;
    stillSince_ = nowMs;
}

void FileSettle::observe(const FileLook& look, std::int64_t nowMs) {
    if (look == last_)
        return;
    last_ = look;
    stillSince_ = nowMs;
}

bool FileSettle::ready(std::int64_t nowMs) const {
    if (!changed() || !last_.exists)
        return false;
    const std::int64_t still = nowMs - stillSince_;
    if (still < StillMs)
        return false;
    return !needsLineBreak_ || last_.endsWithLineBreak || still >= NoLineBreakMs;
}
