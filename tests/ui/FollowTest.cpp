// Following files that another program rewrites: what a followed reload keeps, how a
// half-written file is waited out, and a writer process that rewrites the model 200
// times while the viewer follows it.
#include "AppFixture.h"

#include "dialogs/CDoi.h"
#include "dialogs/CMinMax.h"
#include "document/ModelReader.h"
#include "doi/DoiComputation.h"
#include "plot/ValueScale.h"
#include "shell/BackgroundLoad.h"
#include "shell/CommandIds.h"
#include "shell/FileFollower.h"

#include <QProcess>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <set>
#include <thread>

namespace {
using Kind = RecordingMessages::Kind;
using Entry = RecordingMessages::Entry;

// A model of nx by nz conductivities whose values differ from one version to the next.
std::string ModelText(int nx, int nz, int version) {
    std::string text = std::to_string(nx) + " " + std::to_string(nz) + "\n";
    char number[32];
    for (int i = 0; i < nx * nz; ++i) {
        const double exponent = -3.0 + ((i * 37 + version * 101) % 1000) / 400.0;
        std::snprintf(number, sizeof number, "%.6e", std::pow(10.0, exponent));
        text += number;
        text += (i + 1) % 10 == 0 ? '\n' : ' ';
    }
    if (text.back() != '\n')
        text += '\n';
    return text;
}

class FollowTest : public AppFixture {
protected:
    static constexpr int Nx = 40;
    static constexpr int Nz = 10;

    // Starts on the files with "/follow" and the loads on the worker thread.
    void startFollowing(std::vector<std::string> args) {
        args.push_back("/follow");
        ASSERT_TRUE(start(args));
        app->SetLoadsInBackground(true);
        ASSERT_TRUE(app->follower().isOn());
        ASSERT_TRUE(checked(ID_FOLLOW_FILES));
    }
    QString idle() { return frame().idleText(); }
    // Waits until a followed read has ended with this idle text.
    bool waitForIdle(const QString& start, int ms = 4000) {
        return QTest::qWaitFor([&] { return idle().startsWith(start); }, ms);
    }
};

TEST_F(FollowTest, ReloadKeepsTheDisplayWaitsOutAHalfWrittenFileAndStopsForAnotherMesh) {
    folder.write("grid.msh", "1 0 400 40\n1 0 100 10\n");
    const std::string model = folder.write("model.txt", ModelText(Nx, Nz, 0));
    folder.write("ohmsolv.out", "2\n0 1000 0\n1 100 10\n2 10 20\n5 target\n");
    const std::string second = folder.write("second.con", ModelText(Nx, Nz, 500));
    startFollowing({"grid.msh", "model.txt", "/conv"});

    // The user's display: Log10, another colour map, the curves, a zoom and a mask.
    frame().Dispatch(ID_LOG10);
    frame().Dispatch(ID_COLOURS_VIRIDIS);
    frame().Dispatch(ID_CONVERGENCE);
    ASSERT_TRUE(view().canZoomIn());
    view().zoomAboutCentre(2.0);
    answer = [&](QDialog& dialog) {
        auto& doi = dynamic_cast<CDoi&>(dialog);
        doi.fileName = second;
        doi.useRecoveredModel = true;
        return int(QDialog::Accepted);
    };
    frame().Dispatch(ID_DEPTH_OF_INVESTIGATION);
    ASSERT_TRUE(view().state().doi.shown);
    const DisplaySettings before = view().state().settings;
    const auto maskBefore = view().state().doi.values;
    ASSERT_TRUE(before.zoom);

    // A new version: the range follows the values, everything else stays.
    folder.write("model.txt", ModelText(Nx, Nz, 1));
    folder.write("ohmsolv.out", "3\n0 1000 0\n1 100 10\n2 10 20\n3 5 30\n5 target\n");
    ASSERT_TRUE(waitForIdle(" Updated "));
    EXPECT_TRUE(idle().endsWith(", iteration 3")) << idle().toStdString();
    EXPECT_EQ(frame().StatusText(), idle());
    const DisplaySettings& after = view().state().settings;
    EXPECT_EQ(doc().history.misfit.size(), 4u);
    EXPECT_TRUE(after.showLog);
    EXPECT_EQ(after.colourMap, ColourMap::Viridis);
    EXPECT_TRUE(after.showConvergence);
    EXPECT_EQ(after.zoom, before.zoom);
    const ValueRange automatic = AutomaticRange(doc().model);
    EXPECT_EQ(after.rangeMin, automatic.min);
    EXPECT_EQ(after.rangeMax, automatic.max);
    // The mask is that of the new values.
    DoiIndex fresh;
    ASSERT_TRUE(ComputeDoi(doc(), second, DoiMethod::RecoveredModel, fresh, messages));
    EXPECT_TRUE(view().state().doi.shown);
    EXPECT_EQ(view().state().doi.values, fresh.values);
    EXPECT_NE(view().state().doi.values, maskBefore);

    // A typed range stays through the next version.
    answer = [](QDialog& dialog) {
        auto& range = dynamic_cast<CMinMax&>(dialog);
        range.min = -2.5;
        range.max = -1.0;
        return int(QDialog::Accepted);
    };
    frame().Dispatch(ID_MIN_MAX);
    const double typedMin = view().state().settings.rangeMin;
    const double typedMax = view().state().settings.rangeMax;

    // Caught mid-write (the values end early): not shown, not reported, waited out.
    const auto values = doc().model.values;
    const std::string whole = ModelText(Nx, Nz, 2);
    folder.write("model.txt", whole.substr(0, whole.size() / 2) + "\n");
    ASSERT_TRUE(waitForIdle(FileFollower::WaitingText));
    EXPECT_EQ(doc().model.values, values);
    EXPECT_TRUE(doc().loaded);
    EXPECT_TRUE(view().state().doi.shown);
    folder.write("model.txt", whole);
    ASSERT_TRUE(waitForIdle(" Updated "));
    EXPECT_NE(doc().model.values, values);
    EXPECT_EQ(view().state().settings.rangeMin, typedMin);
    EXPECT_EQ(view().state().settings.rangeMax, typedMax);
    EXPECT_TRUE(messages.entries.empty());

    // Turned off, nothing is watched; turned on again, it catches up.
    frame().Dispatch(ID_FOLLOW_FILES);
    EXPECT_FALSE(app->follower().isOn());
    EXPECT_EQ(idle(), CMainFrame::IdleText);
    const auto followed = doc().model.values;
    folder.write("model.txt", ModelText(Nx, Nz, 4));
    QTest::qWait(FileFollower::TickMs + 2 * FileSettle::StillMs);
    EXPECT_EQ(doc().model.values, followed);
    frame().Dispatch(ID_FOLLOW_FILES);
    EXPECT_TRUE(checked(ID_FOLLOW_FILES));
    ASSERT_TRUE(QTest::qWaitFor([&] { return doc().model.values != followed; }, 4000));

    // A model for another mesh ends the following as Reload would end.
    folder.write("model.txt", ModelText(Nz, Nx, 3));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !app->follower().isOn(); }, 4000));
    EXPECT_EQ(messages.entries,
              (std::vector<Entry>{{Kind::Warning, "Cannot reload model if the mesh has changed.\n"
                                                  "Use File | Open  instead."}}));
    EXPECT_FALSE(checked(ID_FOLLOW_FILES));
    EXPECT_FALSE(doc().loaded);
    EXPECT_EQ(idle(), CMainFrame::IdleText);
    EXPECT_EQ(frame().StatusText(), CMainFrame::IdleText);
    (void)model;
}

TEST_F(FollowTest, AChangeDuringAnotherLoadIsReadOnceThatLoadHasEnded) {
    folder.write("grid.msh", "1 0 400 40\n1 0 100 10\n");
    folder.write("model.txt", ModelText(Nx, Nz, 0));
    startFollowing({"grid.msh", "model.txt"});
    // Another load (an Open, say) that runs until the test lets it end.
    std::atomic<bool> release{false};
    ASSERT_TRUE(app->loads().start(
        [&](ReadProgress&) {
            while (!release)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        },
        [] {}));
    const auto values = doc().model.values;
    folder.write("model.txt", ModelText(Nx, Nz, 1));
    QTest::qWait(FileFollower::TickMs + 2 * FileSettle::StillMs);
    EXPECT_EQ(doc().model.values, values);
    release = true;
    ASSERT_TRUE(waitForIdle(" Updated "));
    EXPECT_NE(doc().model.values, values);
}

TEST_F(FollowTest, AWriterRewritingTheModel200TimesIsOnlyEverSeenWhole) {
    constexpr int Versions = 200;
    folder.write("grid.msh", "1 0 500 50\n1 0 100 20\n");
    // Each version once as the reader takes it, to tell the versions apart.
    std::vector<ValueGrid> expected;
    for (int version = 0; version < Versions; ++version) {
        char name[32];
        std::snprintf(name, sizeof name, "versions/v%03d.txt", version);
        const std::string path = folder.write(name, ModelText(50, 20, version + 1));
        MeshGrid counts;
        CellModel read;
        RecordingMessages unseen;
        ASSERT_EQ(ReadModel({}, path, Conductivity, counts, read, unseen), ReadResult::Ok);
        expected.push_back(std::move(read.values));
    }
    folder.write("model.txt", ModelText(50, 20, 0));
    startFollowing({"grid.msh", "model.txt"});

    // After every swap: which version the document shows (-1: none of them).
    std::vector<int> shown;
    doc().AddUpdateListener([&] {
        const auto found = std::find(expected.begin(), expected.end(), doc().model.values);
        shown.push_back(found == expected.end() ? -1 : static_cast<int>(found - expected.begin()));
    });

    QProcess writer;
    writer.start(QStringLiteral(FOLLOW_WRITER), {QString::fromStdString(folder.at("model.txt")),
                                                 QString::fromStdString(folder.at("versions")),
                                                 QString::number(Versions), QStringLiteral("18")});
    ASSERT_TRUE(writer.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return writer.state() == QProcess::NotRunning; }, 60000));
    ASSERT_EQ(writer.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(writer.exitCode(), 0);
    // The last version settles and is read.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return !shown.empty() && shown.back() == Versions - 1; }, 5000));

    ASSERT_FALSE(shown.empty());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_GE(shown[i], 0) << "swap " << i << " showed a model that was never written whole";
        if (i > 0) {
            EXPECT_GE(shown[i], shown[i - 1]) << "swap " << i << " went back to an older version";
        }
    }
    EXPECT_EQ(shown.back(), Versions - 1);
    EXPECT_TRUE(messages.entries.empty());
    EXPECT_TRUE(app->follower().isOn());
    std::printf("%zu swaps, %zu distinct versions shown\n", shown.size(),
                std::set<int>(shown.begin(), shown.end()).size());
}
} // namespace
