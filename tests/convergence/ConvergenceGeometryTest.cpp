#include "convergence/ConvergenceGeometry.h"
#include "HistoryBuilder.h"
#include "plot/PageUnits.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>

namespace {

constexpr double W = 10000.0;
constexpr double H = 2500.0;

std::vector<std::string> Texts(const std::vector<PlotTick>& ticks) {
    std::vector<std::string> result;
    for (const PlotTick& t : ticks) {
        result.push_back(t.text);
    }
    return result;
}

std::vector<double> Ones(int count) {
    return std::vector<double>(count, 1.0);
}

} // namespace

TEST(ConvergenceIterations, OneIterationSplitsTheWidthInTwo) {
    const ConvergenceGeometry g(MakeHistory({100, 10}, {0, 5}), W, H);
    EXPECT_EQ(g.EntryCount(), 2);
    EXPECT_EQ(g.TitleText(), "Iterations done: 1");
    EXPECT_EQ(g.TitlePosition(), (PlotPoint{5000, -4200}));
    EXPECT_EQ(g.EntryX(0), 0);
    EXPECT_EQ(g.EntryX(1), 5000);
    EXPECT_EQ(g.IterationLabels(), (std::vector<PlotTick>{{5000, "1"}}));
    EXPECT_EQ(g.OriginY(), 8500);
}

TEST(ConvergenceIterations, TwelveIterationsAreLabelledEverySecond) {
    const ConvergenceGeometry g(MakeHistory(Ones(13), Ones(13)), W, H);
    EXPECT_EQ(g.LabelStep(), 2);
    EXPECT_EQ(g.IterationLabels(),
              (std::vector<PlotTick>{
                  {769, "1"}, {2308, "3"}, {3846, "5"}, {5385, "7"}, {6923, "9"}, {8462, "11"}}));
    // The last entry stops short of the frame's right side.
    EXPECT_EQ(g.EntryX(12), 9231);
    EXPECT_LT(g.EntryX(12), g.FrameRight());
}

TEST(ConvergenceIterations, FewIterationsAreAllLabelled) {
    const ConvergenceGeometry g(MakeHistory(Ones(5), Ones(5)), W, H);
    EXPECT_EQ(g.LabelStep(), 1);
    EXPECT_EQ(Texts(g.IterationLabels()), (std::vector<std::string>{"1", "2", "3", "4"}));
    // Half a unit rounds away from zero: 10000 / 32 = 312.5.
    EXPECT_EQ(ConvergenceGeometry(MakeHistory(Ones(32), Ones(32)), W, H).EntryX(1), 313);
}

TEST(ConvergenceMisfitAxis, DecadesInsideTheRangeOnly) {
    ConvergenceHistory h = MakeHistory({100, 10, 2}, Ones(3));
    h.misfitMin = 0.3;
    h.misfitMax = 2.7;
    const ConvergenceGeometry g(h, W, H);
    EXPECT_NEAR(g.MisfitBottom(), 0.1, 1e-12);
    EXPECT_EQ(g.MisfitTicks(), (std::vector<PlotTick>{{-1385, "10"}, {-2923, "100"}}));
    EXPECT_EQ(g.MisfitY(2.7), -4000);
    EXPECT_FALSE(g.HasTarget());
}

TEST(ConvergenceMisfitAxis, TargetBelowTheCurveLowersTheAxis) {
    const ConvergenceGeometry g(MakeHistory({1000, 100, 10}, Ones(3), std::sqrt(10.0)), W, H);
    ASSERT_TRUE(g.HasTarget());
    EXPECT_NEAR(g.MisfitBottom(), 0.3, 1e-12);
    EXPECT_EQ(g.TargetY(), -296); // 0.2 decades above the frame's bottom
    EXPECT_EQ(g.TargetText(), "Target misfit = 3.16");
    EXPECT_EQ(g.TargetTextPosition(), (PlotPoint{2000, -396}));
    EXPECT_EQ(Texts(g.MisfitTicks()), (std::vector<std::string>{"10", "100", "1000"}));

    // Above the largest misfit the line leaves the frame; nothing clips it.
    const ConvergenceGeometry high(MakeHistory({1000, 100, 10}, Ones(3), 1e4), W, H);
    EXPECT_EQ(high.TargetY(), -5818);
}

TEST(ConvergenceAxes, MisfitTopTruncatesWhileNormTopFloors) {
    ConvergenceHistory h;
    h.misfit = {-1.5, -3.0};
    h.misfitMin = -3.0;
    h.misfitMax = -1.5;
    h.modelNorm = {-1.5, -3.0};
    h.normMin = -3.0;
    h.normMax = -1.5;
    const ConvergenceGeometry g(h, W, H);
    EXPECT_EQ(Texts(g.MisfitTicks()), (std::vector<std::string>{"0.001", "0.01", "0.1"}));
    EXPECT_EQ(g.MisfitTicks().back().position, -5176); // trunc(-1.5) is above the top
    EXPECT_EQ(Texts(g.NormTicks()), (std::vector<std::string>{"0.001", "0.01"}));
}

TEST(ConvergenceNormAxis, ZeroFirstNormStartsAtIterationOne) {
    const ConvergenceGeometry g(MakeHistory(Ones(4), {0, 1000, 100, 10}), W, H);
    ASSERT_TRUE(g.HasNormAxis());
    EXPECT_EQ(g.FirstNormEntry(), 1);
    EXPECT_EQ(g.NormRuns(), (std::vector<CurveRun>{{{2500, -4000}, {5000, -2049}, {7500, -98}}}));
    EXPECT_EQ(g.NormTicks(), (std::vector<PlotTick>{{-98, "10"}, {-2049, "100"}, {-4000, "1000"}}));

    // A later zero is an ordinary point at the log value 0, here far below the frame.
    const ConvergenceGeometry later(MakeHistory(Ones(3), {1000, 0, 100}), W, H);
    EXPECT_EQ(later.FirstNormEntry(), 0);
    ASSERT_EQ(later.NormRuns().size(), 1u);
    EXPECT_EQ(later.NormRuns()[0][1], (PlotPoint{3333, 7429}));
}

TEST(ConvergenceNormAxis, NoPositiveNormLeavesTheAxisOut) {
    const ConvergenceGeometry g(MakeHistory({100, 10, 1}, {0, 0, -3}), W, H);
    EXPECT_FALSE(g.HasNormAxis());
    EXPECT_TRUE(g.NormRuns().empty());
    EXPECT_TRUE(g.NormTicks().empty());
    EXPECT_TRUE(g.HasMisfitAxis());
}

TEST(ConvergenceMisfitAxis, EntriesWithoutALogarithmBreakTheCurve) {
    // 0 logs to -inf (and drags the stored minimum along), -1 to NaN.
    const ConvergenceGeometry g(MakeHistory({100, 0, 10, 5, -1, 1}, Ones(6), 0.0), W, H);
    ASSERT_TRUE(g.HasMisfitAxis());
    EXPECT_FALSE(g.HasTarget()); // a target of 0 has no position either
    EXPECT_NEAR(g.MisfitBottom(), -0.2, 1e-12);
    const std::vector<CurveRun> runs = g.MisfitRuns();
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0], (CurveRun{{0, -4000}}));
    EXPECT_EQ(runs[1].size(), 2u);
    EXPECT_EQ(runs[2], (CurveRun{{8333, -364}}));
    EXPECT_EQ(Texts(g.MisfitTicks()), (std::vector<std::string>{"1", "10", "100"}));

    const ConvergenceGeometry none(MakeHistory({0, -2}, {0, 10}, 5.0), W, H);
    EXPECT_FALSE(none.HasMisfitAxis());
    EXPECT_FALSE(none.HasTarget());
    EXPECT_TRUE(none.MisfitRuns().empty());
    EXPECT_TRUE(none.MisfitTicks().empty());
}

TEST(ConvergenceAxes, AbsurdRangesThinTheTicks) {
    // Misfits from 1e-300 to 1e300: 601 decades, drawn every tenth.
    const ConvergenceGeometry wide(MakeHistory({1e300, 1e-300}, {1e-300, 1e300}), W, H);
    const std::vector<PlotTick> ticks = wide.MisfitTicks();
    ASSERT_EQ(ticks.size(), 61u);
    EXPECT_EQ(ticks.front().text, "1e-300");
    EXPECT_EQ(ticks[1].text, "1e-290");
    EXPECT_EQ(wide.NormTicks().size(), 61u);

    // Logged values no file can produce must still finish at once and stay on the page.
    ConvergenceHistory h;
    h.misfit = {1e300, -1e300};
    h.misfitMin = -1e300;
    h.misfitMax = 1e300;
    h.modelNorm = {-1e307, 1e307};
    h.normMin = -1e307;
    h.normMax = 1e307;
    const auto start = std::chrono::steady_clock::now();
    const ConvergenceGeometry g(h, W, std::numeric_limits<double>::quiet_NaN());
    for (const std::vector<PlotTick>& axis : {g.MisfitTicks(), g.NormTicks()}) {
        EXPECT_GT(axis.size(), 0u);
        EXPECT_LE(axis.size(), static_cast<std::size_t>(MaxAxisTicks));
        for (const PlotTick& t : axis) {
            EXPECT_GE(t.position, -4000);
            EXPECT_LE(t.position, 0);
        }
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(g.OriginY(), 6000);
}

TEST(ConvergenceNumbers, DecadesPrintExactly) {
    EXPECT_EQ(PowerOfTenText(-2), "0.01");
    EXPECT_EQ(PowerOfTenText(5), "100000");
    EXPECT_EQ(PowerOfTenText(6), "1e+06");
    EXPECT_EQ(PowerOfTenText(1e9), "inf");
    EXPECT_EQ(RoundPage(-2.5), -3);
    EXPECT_EQ(TruncPage(-2.7), -2);
    EXPECT_EQ(RoundPage(1e300), 1000000000);
    EXPECT_EQ(RoundPage(std::numeric_limits<double>::quiet_NaN()), 0);
}
