#include "TestFiles.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

TestFolder::TestFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvex-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a test folder");
    path_ = pattern;
}

TestFolder::~TestFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string TestFolder::write(const std::string& relative, const std::string& text) const {
    const auto file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << text;
    return file.string();
}

void WorkingDirectoryCheck::OnTestStart(const ::testing::TestInfo&) {
    before_ = std::filesystem::current_path();
}

void WorkingDirectoryCheck::OnTestEnd(const ::testing::TestInfo&) {
    EXPECT_EQ(std::filesystem::current_path(), before_) << "the working directory moved";
}
