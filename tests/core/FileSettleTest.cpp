#include "TestFiles.h"

#include "document/FileSettle.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace {
TEST(FileSettleTest, AChangedModelIsReadOnceStillAndEndedOrStillForLong) {
    TestFolder folder;
    const std::string path = folder.write("model.txt", "2 1\n1 2\n");
    FileSettle model(true);
    model.reset(LookAt(path, true), 0);
    EXPECT_FALSE(model.changed());
    EXPECT_FALSE(model.ready(10000));

    // Cut inside its last number: still for 300 ms is not enough, 2 s is.
    folder.write("model.txt", "2 1\n1 2.5");
    model.observe(LookAt(path, true), 1000);
    EXPECT_TRUE(model.changed());
    EXPECT_FALSE(model.ready(1000 + FileSettle::StillMs));
    EXPECT_FALSE(model.ready(1000 + FileSettle::NoLineBreakMs - 1));
    EXPECT_TRUE(model.ready(1000 + FileSettle::NoLineBreakMs));

    // Written on: the stillness starts again, and a line break at the end needs 300 ms.
    folder.write("model.txt", "2 1\n1 2.55\n");
    model.observe(LookAt(path, true), 1500);
    EXPECT_TRUE(model.last().endsWithLineBreak);
    EXPECT_FALSE(model.ready(1500 + FileSettle::StillMs - 1));
    EXPECT_TRUE(model.ready(1500 + FileSettle::StillMs));
    model.taken();
    EXPECT_FALSE(model.ready(5000));

    // Replaced by a rename with the same text and size: another file all the same.
    const std::string other = folder.write("other.txt", "2 1\n1 2.56\n");
    std::filesystem::rename(other, path);
    model.observe(LookAt(path, true), 6000);
    EXPECT_TRUE(model.changed());
    // Deleted: never read while it is not there.
    std::filesystem::remove(path);
    model.observe(LookAt(path, true), 6100);
    EXPECT_FALSE(model.last().exists);
    EXPECT_FALSE(model.ready(60000));

    // The convergence file needs no line break.
    const std::string history = folder.write("run.out", "1\n0 10 0\n1 5 2");
    FileSettle convergence;
    convergence.reset({}, 0);
    convergence.observe(LookAt(history, false), 100);
    EXPECT_TRUE(convergence.ready(100 + FileSettle::StillMs));
}
} // namespace
