#pragma once

#include "document/ProcessExit.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class CTest1Doc;

// A fresh folder for one test's files; the working directory is restored and the
// folder removed when the test ends, since readers move the working directory.
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
    std::filesystem::path previousDirectory_;
};

// Turns the end-of-process call into a thrown ProcessEnded for the test's lifetime.
class ThrowOnProcessExit {
public:
    ThrowOnProcessExit();
    ~ThrowOnProcessExit();

private:
    ProcessExitHandler previous_;
};

// Runs the start-up load with the end-of-process call throwing (ThrowOnProcessExit);
// returns the status the process would end with, or nothing when it goes on.
std::optional<int> RunStartUp(CTest1Doc& document, const std::vector<std::string>& args);
