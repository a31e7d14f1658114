#include "TestFiles.h"

#include "document/ConvergenceReader.h"
#include "document/RecordingMessages.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
class ConvergenceReaderTest : public ::testing::Test {
protected:
    ReadResult read(const std::string& text, std::optional<std::string> chi = std::nullopt) {
        // A relative name: found in the folder, named as given in the messages.
        folder.write("run.out", text);
        name = "run.out";
        return ReadConvergence(folder.path().string(), name, chi, history, messages);
    }

    TestFolder folder;
    std::string name;
    ConvergenceHistory history;
    RecordingMessages messages;
};

const char* const FourRows = "3  iterations\n"
                             "0 1000 0     1.0 2.0\n"
                             "1 100  10    extra columns\n"
                             "2 50   1000\n"
                             "3 20   100\r\n";

TEST_F(ConvergenceReaderTest, RowsForIterationsZeroToNAreLogged) {
    ASSERT_EQ(read(FourRows), ReadResult::Ok);
    ASSERT_EQ(history.misfit.size(), 4u);
    EXPECT_EQ(history.misfit[1], 2.0);
    EXPECT_EQ(history.misfit[3], std::log10(20.0));
    EXPECT_EQ(history.misfitMax, 3.0);
    EXPECT_EQ(history.misfitMin, std::log10(20.0));
    // A norm of 0 stays 0 and is no part of the norm range.
    EXPECT_EQ(history.modelNorm[0], 0.0);
    EXPECT_EQ(history.modelNorm[2], 3.0);
    EXPECT_EQ(history.normMin, 1.0);
    EXPECT_EQ(history.normMax, 3.0);
    EXPECT_FALSE(history.hasTarget);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(ConvergenceReaderTest, ShortTableOrBadCountFailsWithEmptyArrays) {
    EXPECT_EQ(read("3\n0 1000 0\n1 100 10\n2 50 1000\n"), ReadResult::Failed);
    EXPECT_TRUE(history.misfit.empty());
    EXPECT_TRUE(history.modelNorm.empty());
    EXPECT_EQ(read("0\n0 1000 0\n"), ReadResult::Failed);
    EXPECT_EQ(read("2\n0 1000 0\n1 oops 10\n2 50 1000\n"), ReadResult::Failed);
    EXPECT_TRUE(history.misfit.empty());
    // A count the file cannot hold fails without sizing anything for it.
    EXPECT_EQ(read("2000000000\n0 1000 0\n"), ReadResult::Failed);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(ConvergenceReaderTest, TargetWordMustMatchExactly) {
    const std::string table = "1\n0 100 0\n1 10 5\n";
    ASSERT_EQ(read(table + "1234.5 target\n"), ReadResult::Ok);
    EXPECT_TRUE(history.hasTarget);
    EXPECT_EQ(history.targetMisfit, std::log10(1234.5));

    ASSERT_EQ(read(table + "1234.5 Target\n"), ReadResult::Ok);
    EXPECT_FALSE(history.hasTarget);
    ASSERT_EQ(read(table + "1234.5 targets\n"), ReadResult::Ok);
    EXPECT_FALSE(history.hasTarget);
    // No finite logarithm: no target rather than -inf or NaN.
    ASSERT_EQ(read(table + "0 target\n"), ReadResult::Ok);
    EXPECT_FALSE(history.hasTarget);
    ASSERT_EQ(read(table + "-5 target\n"), ReadResult::Ok);
    EXPECT_FALSE(history.hasTarget);
}

TEST_F(ConvergenceReaderTest, ChiSwitchScalesTheWholePartOfTheNumber) {
    const std::string table = "1\n0 100 0\n1 10 5\n";
    ASSERT_EQ(read(table + "1234.5 target\n", "0.5"), ReadResult::Ok);
    EXPECT_TRUE(history.hasTarget);
    EXPECT_EQ(history.targetMisfit, std::log10(617.0));

    ASSERT_EQ(read(table + "1234.5 target\n", "0"), ReadResult::Ok);
    EXPECT_FALSE(history.hasTarget);
    ASSERT_EQ(read(table + "1234.5 target\n", "half"), ReadResult::Ok);
    EXPECT_FALSE(history.hasTarget);
    ASSERT_EQ(read(table + "target 1234\n", "0.5"), ReadResult::Ok);
    EXPECT_FALSE(history.hasTarget);
}

TEST_F(ConvergenceReaderTest, LineSkipStopsAfterOneHundredCharacters) {
    // A remainder of exactly 100 blanks is skipped; what follows on the same line is
    // read as the next row.
    ASSERT_EQ(read("1\n0 1000 10" + std::string(100, ' ') + "1 50 20\n"), ReadResult::Ok);
    ASSERT_EQ(history.misfit.size(), 2u);
    EXPECT_EQ(history.misfit[1], std::log10(50.0));

    // One blank fewer and the skip swallows the "1" as well, so the row is misread.
    ASSERT_EQ(read("1\n0 1000 10" + std::string(99, ' ') + "1 50 20\n3 4 5\n"), ReadResult::Ok);
    EXPECT_EQ(history.misfit[1], std::log10(20.0));
}

TEST_F(ConvergenceReaderTest, MissingFileIsNotFound) {
    EXPECT_EQ(ReadConvergence({}, folder.at("none.out"), std::nullopt, history, messages),
              ReadResult::NotFound);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, "Output file not found: " + folder.at("none.out"));
    EXPECT_EQ(messages.entries[0].kind, RecordingMessages::Kind::Error);
}
} // namespace
