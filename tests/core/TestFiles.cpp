#include "TestFiles.h"

#include "document/CTest1Doc.h"

#include <cstdlib>
#include <fstream>

TestFolder::TestFolder() : previousDirectory_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvex-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a test folder");
    path_ = pattern;
}

TestFolder::~TestFolder() {
    std::error_code ec;
    std::filesystem::current_path(previousDirectory_, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string TestFolder::write(const std::string& relative, const std::string& text) const {
    const auto file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << text;
    return file.string();
}

ThrowOnProcessExit::ThrowOnProcessExit()
    : previous_(SetProcessExitHandler([](int status) { throw ProcessEnded{status}; })) {}

ThrowOnProcessExit::~ThrowOnProcessExit() {
    SetProcessExitHandler(previous_);
}

std::optional<int> RunStartUp(CTest1Doc& document, const std::vector<std::string>& args) {
    try {
        document.ApplyCommandLine(args);
    } catch (const ProcessEnded& ended) {
        return ended.status;
    }
    return std::nullopt;
}
