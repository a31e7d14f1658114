// Open and Reload read their files on a worker thread: the window goes on answering and
// drawing the data it has until the reads have ended, and then ends up exactly where
// the same load on the spot leaves it, with the same messages in the same order.
#include "AppFixture.h"

#include "dialogs/CFileLoad.h"
#include "shell/BackgroundLoad.h"
#include "shell/CommandIds.h"

#include <QGuiApplication>
#include <QProgressBar>
#include <QTest>

#include <atomic>
#include <cmath>
#include <string>
#include <thread>

namespace {
using Kind = RecordingMessages::Kind;
using Entry = RecordingMessages::Entry;

// A model of 300 x 200 cells: large enough to be read in two halves.
std::string LargeModel(double scale) {
    std::string text = "300 200\n";
    for (int i = 0; i < 300 * 200; ++i)
        text += std::to_string(scale * (1 + i % 997)) + (i % 300 == 299 ? "\n" : " ");
    return text;
}

class BackgroundLoadTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        folder.write("big.msh", "1 0 3000 300\n1 0 2000 200\n");
        folder.write("big.con", LargeModel(0.001));
        ASSERT_TRUE(start({folder.at("big.msh"), folder.at("big.con")}));
        app->SetLoadsInBackground(true);
    }
    // Open with the dialog's entries, as a user who types them and presses OK.
    void open(const std::string& mesh, const std::string& model, const std::string& output) {
        answer = [=](QDialog& dialog) {
            auto& load = dynamic_cast<CFileLoad&>(dialog);
            load.meshFileName = mesh;
            load.modelFileName = model;
            load.outputFileName = output;
            return int(QDialog::Accepted);
        };
        frame().Dispatch(ID_OPEN_FILES);
    }
    // Lets the event loop run until the load has ended.
    void runUntilLoaded() {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !app->loads().busy(); }, 10000));
    }
};

TEST_F(BackgroundLoadTest, ReloadKeepsTheOldDataUntilTheReadEndsThenTakesTheNew) {
    const float before = doc().model.values[1][2];
    folder.write("big.con", LargeModel(0.002));
    EXPECT_TRUE(frame().Dispatch(ID_RELOAD));
    // The command returns at once: the end of the load arrives through the event loop
    // (however fast the read), and until then the window has the data it had.
    EXPECT_TRUE(app->loads().busy());
    EXPECT_EQ(doc().model.values[1][2], before);
    EXPECT_TRUE(doc().loaded);
    ASSERT_TRUE(QGuiApplication::overrideCursor());
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    runUntilLoaded();
    EXPECT_FALSE(QGuiApplication::overrideCursor());
    EXPECT_TRUE(doc().loaded);
    EXPECT_EQ(doc().model.values[1][2], std::log10(std::stof(std::to_string(0.002 * 303))));
    EXPECT_TRUE(messages.entries.empty());
    // A second command while a load runs is not begun.
    EXPECT_TRUE(frame().Dispatch(ID_RELOAD));
    EXPECT_TRUE(frame().Dispatch(ID_RELOAD));
    app->WaitForLoad();
    EXPECT_FALSE(app->loads().busy());
}

TEST_F(BackgroundLoadTest, FailedOpenGivesTheMessagesAndStateOfTheLoadOnTheSpot) {
    folder.write("bad.out", "x\n");
    folder.write("other.msh", "1 0 10 4\n1 0 10 4\n");
    // A bad convergence file (two messages), then a mesh that does not fit the model.
    const auto outcome = [&](bool background) {
        app->SetLoadsInBackground(background);
        messages.entries.clear();
        open(folder.at("other.msh"), folder.at("big.con"), folder.at("bad.out"));
        runUntilLoaded();
        return std::tuple(messages.entries, doc().loaded, doc().title, doc().convergenceLoaded,
                          frame().windowTitle(), frame().IsEnabled(ID_RELOAD));
    };
    const auto background = outcome(true);
    ASSERT_TRUE(start({folder.at("big.msh"), folder.at("big.con")}));
    EXPECT_EQ(outcome(false), background);
    EXPECT_EQ(std::get<0>(background),
              (std::vector<Entry>{
                  {Kind::Warning, "Error reading convergence file\n" + folder.at("bad.out")},
                  {Kind::Error, "Number of cells in the mesh is not the\nsame as in the model."}}));
    EXPECT_FALSE(std::get<1>(background));
}

TEST_F(BackgroundLoadTest, ALongLoadShowsItsProgressBesideTheWaitCursor) {
    std::atomic<bool> release{false};
    bool ended = false;
    app->loads().start(
        [&](ReadProgress& progress) {
            progress.bytesTotal = 4000;
            progress.bytesRead = 1000;
            while (!release)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        },
        [&] { ended = true; });
    QTest::qWait(BackgroundLoad::ProgressDelayMs / 2);
    EXPECT_TRUE(!frame().loadProgressBar() || frame().loadProgressBar()->isHidden());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return frame().loadProgressBar() && frame().loadProgressBar()->isVisible(); }));
    EXPECT_EQ(frame().loadProgressBar()->value(), 250);
    release = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended; }));
    EXPECT_TRUE(frame().loadProgressBar()->isHidden());
}

TEST(BackgroundLoadEnd, LeavingDuringALoadStopsItsReadsAndSkipsItsEnd) {
    bool ended = false;
    std::atomic<bool> reading{false};
    {
        BackgroundLoad loads;
        loads.start(
            [&](ReadProgress& progress) {
                reading = true;
                while (!progress.cancelled)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
            },
            [&] { ended = true; });
        while (!reading)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    QTest::qWait(10);
    EXPECT_FALSE(ended);
}
} // namespace
