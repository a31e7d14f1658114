#include "document/TextFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace {
struct FileDescriptor {
    int fd;
    ~FileDescriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};
} // namespace

bool LoadTextFile(const std::string& path, std::string& text) {
    text.clear();
    if (path.empty())
        return false;
    // O_NONBLOCK keeps the open itself from waiting for a FIFO's writer.
    FileDescriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0)
        return false;
    struct stat info {};
    if (::fstat(file.fd, &info) != 0)
        return false;
    // A folder is no file to read, whatever a stream on it would do.
    if (!S_ISREG(info.st_mode))
        return false;
    // Read straight into the text rather than through a buffer: a model of millions of
    // cells is tens of megabytes, and a second copy of it costs as much as the read.
    // One byte more than the size lets the read that finds the end need no growth.
    std::size_t filled = 0;
    text.resize(static_cast<std::size_t>(std::max<off_t>(info.st_size, 4096)) + 1);
    for (;;) {
        if (filled == text.size())
            text.resize(text.size() * 2); // the file grew since fstat
        const ssize_t got = ::read(file.fd, text.data() + filled, text.size() - filled);
        if (got > 0) {
            filled += static_cast<std::size_t>(got);
        } else if (got == 0) {
            break;
        } else if (errno != EINTR) {
            break; // what was read so far is all the reader gets
        }
    }
    text.resize(filled);
    return true;
}

bool PathExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

std::string ResolveAgainst(const std::string& folder, const std::string& name) {
    if (name.empty() || name.front() == '/' || folder.empty())
        return name;
    return (std::filesystem::path(folder) / name).string();
}

std::string EnterableFolder(const std::string& folder) {
    // A relative folder would be taken from wherever the process happens to be.
    if (folder.empty() || folder.front() != '/')
        return {};
    std::error_code ec;
    const std::filesystem::path physical = std::filesystem::canonical(folder, ec);
    // Entering needs search permission on the folder itself.
    if (ec || !std::filesystem::is_directory(physical, ec) || ::access(physical.c_str(), X_OK) != 0)
        return {};
    return physical.string();
}

std::string FolderPart(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return {};
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string OpenForReadingError(const std::string& path) {
    FileDescriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd >= 0)
        return {};
    const int error = errno;
    if (error == EACCES || error == EPERM)
        return "Access to " + path + " was denied.";
    if (error == ENOENT) {
        const std::string folder = FolderPart(path);
        struct stat info {};
        if (!folder.empty() && (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)))
            return path + " contains an incorrect path.";
        return path + " was not found.";
    }
    if (error == ENOTDIR)
        return path + " contains an incorrect path.";
    return "An error occurred while opening " + path + ": " + std::strerror(error);
}
