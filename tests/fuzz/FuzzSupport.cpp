#include "FuzzSupport.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fuzz {

const std::string& Folder() {
    // Never destroyed: the exit handler below still needs the name.
    static const std::string* const folder = [] {
        // run-fuzzers.sh names a folder it removes itself, since libFuzzer may end the
        // process without running exit handlers.
        if (const char* given = std::getenv("KORVEX_FUZZ_DIR"); given && *given)
            return new std::string(given);
        const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/korvex-fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create the fuzz folder");
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(Folder(), ec);
        });
        return new std::string(pattern);
    }();
    return *folder;
}

std::string WriteFile(const std::string& name, const std::string& bytes) {
    const std::string path = Folder() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    Check(static_cast<bool>(out), "writing the input file");
    return path;
}

} // namespace fuzz
