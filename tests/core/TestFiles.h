#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// A fresh folder for one test's files, removed when the test ends. Tests hand it to
// the code as the launch folder or the folder relative names are taken from; the
// process's working directory is left alone.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes the text to a file below the folder (creating subfolders) and returns its path.
    std::string write(const std::string& relative, const std::string& text) const;
    std::string at(const std::string& relative) const { return (path_ / relative).string(); }

private:
    std::filesystem::path path_;
};

// Fails every test after which the process's working directory is not where it was:
// the program never changes it. Installed by the test programs' main.
class WorkingDirectoryCheck : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override;
    void OnTestEnd(const ::testing::TestInfo&) override;

    std::filesystem::path before_;
};
