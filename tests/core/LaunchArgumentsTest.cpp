#include "TestFiles.h"

#include "document/LaunchArguments.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

namespace {
using Args = std::vector<std::string>;

TEST(InfoRequestTest, HelpWinsWhereverItStandsAndOnlyWholeWordsCount) {
    for (bool render : {false, true}) {
        SCOPED_TRACE(render);
        EXPECT_EQ(FindInfoRequest({"--frobnicate", "grid.msh", "-h"}, render), InfoRequest::Help);
        EXPECT_EQ(FindInfoRequest({"--version", "--help"}, render), InfoRequest::Help);
        EXPECT_EQ(FindInfoRequest({"grid.msh", "m.con", "--version"}, render),
                  InfoRequest::Version);
        EXPECT_EQ(FindInfoRequest({"--helpme", "-help", "--version=1", "-H", "/h"}, render),
                  InfoRequest::None);
        EXPECT_EQ(FindInfoRequest({}, render), InfoRequest::None);
    }
    // After "--" korvex-render takes only names; the viewer has no such marker.
    EXPECT_EQ(FindInfoRequest({"-o", "a.png", "--", "-h", "--version"}, true), InfoRequest::None);
    EXPECT_EQ(FindInfoRequest({"--", "-h"}, false), InfoRequest::Help);
}

// Meshes written both ways the readers accept them, and a model.
const char* const MeshOneCountPerLine = "2\n-50 0 2\n100 10\n1\n0 30 2\n";
const char* const MeshAxisPerLine = "1 0 100 4\r\n1 0 30 2\r\n";
const char* const Model = "4 2\n0.01 0.02 0.03 0.04\n0.1 0.2 0.3 0.4\n";

class FileManagerOrderTest : public ::testing::Test {
protected:
    Args order(const Args& args) { return FileManagerOrder(args, folder.path().string()); }
    TestFolder folder;
};

TEST_F(FileManagerOrderTest, ModelBeforeMeshIsTurnedRound) {
    folder.write("a.msh", MeshOneCountPerLine);
    folder.write("b.msh", MeshAxisPerLine);
    folder.write("m.con", Model);
    // Relative names are looked up in the launch folder, absolute ones as they are.
    EXPECT_EQ(order({"m.con", "a.msh"}), (Args{"a.msh", "m.con"}));
    EXPECT_EQ(order({folder.at("m.con"), folder.at("b.msh")}),
              (Args{folder.at("b.msh"), folder.at("m.con")}));
    // Whole-number chargeabilities whose numbers would also make a mesh: the two counts
    // alone on the first line that holds any make it a model.
    folder.write("ip.chg", "\n2 4\n0 1\n1 1\n1 0\n1 1\n");
    EXPECT_EQ(order({"ip.chg", "b.msh"}), (Args{"b.msh", "ip.chg"}));
}

TEST_F(FileManagerOrderTest, EveryOtherStartIsLeftAsItIs) {
    folder.write("a.msh", MeshOneCountPerLine);
    folder.write("m.con", Model);
    folder.write("n.con", Model);
    folder.write("short.msh", "2\n-50 0 2\n100 10\n1\n0 30\n"); // a number short
    std::filesystem::create_directory(folder.at("dir"));
    ::mkfifo(folder.at("pipe").c_str(), 0600);
    for (const Args& args : {
             Args{"a.msh", "m.con"},          // already right
             Args{"m.con", "n.con"},          // neither is a mesh: today's messages
             Args{"a.msh", "a.msh"},          // both are
             Args{"m.con", "a.msh", "/conv"}, // a switch: typed by hand
             Args{"/ip", "m.con"},
             Args{"m.con"},
             Args{"m.con", "short.msh"},
             Args{"m.con", "missing.msh"},
             Args{"m.con", "dir"},
             Args{"m.con", "pipe"},
         }) {
        EXPECT_EQ(order(args), args) << ::testing::PrintToString(args);
    }
}

TEST_F(FileManagerOrderTest, OnlyTheStartOfALongFileIsJudged) {
    // 40000 segments of one cell each; a cell count that is no whole number makes it no
    // mesh where it is looked at, and is not seen beyond.
    auto mesh = [](int badSegment) {
        std::string text = "40000\n0";
        for (int s = 1; s <= 40000; ++s)
            text += "\n" + std::to_string(s) + (s == badSegment ? " 1.5" : " 1");
        return text + "\n1 0 30 2\n";
    };
    EXPECT_TRUE(ReadsAsMesh(folder.write("big.msh", mesh(0))));
    EXPECT_FALSE(ReadsAsMesh(folder.write("early.msh", mesh(100))));
    EXPECT_TRUE(ReadsAsMesh(folder.write("late.msh", mesh(30000))));
}
} // namespace
