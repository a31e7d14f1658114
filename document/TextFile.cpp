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
