#include "SectionFixture.h"

#include "plot/PlotLabels.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Texts(const std::vector<TickLabel>& ticks) {
    std::vector<std::string> texts;
    for (const TickLabel& t : ticks)
        texts.push_back(t.text);
    return texts;
}

std::vector<int> Positions(const std::vector<TickLabel>& ticks) {
    std::vector<int> positions;
    for (const TickLabel& t : ticks)
        positions.push_back(t.position);
    return positions;
}

using Strings = std::vector<std::string>;

TEST(Axes, KilometreSectionLabels) {
    SectionFixture f;
    f.loadSmallSection();
    const auto x = XAxisTicks(f.document.mesh, f.state.settings, f.state.layout);
    EXPECT_EQ(Texts(x), (Strings{"0", "167", "333", "500", "667", "833", "1000"}));
    EXPECT_EQ(Positions(x), (std::vector<int>{0, 1667, 3333, 5000, 6667, 8333, 10000}));
    const auto depth = DepthAxisTicks(f.document.mesh, f.state.settings, f.state.layout);
    EXPECT_EQ(Texts(depth), (Strings{"0", "83", "167", "250"}));
    EXPECT_EQ(Positions(depth), (std::vector<int>{0, 833, 1667, 2500}));
}

TEST(Axes, XLabelsRoundHalfAwayFromZero) {
    SectionFixture f;
    f.load({-1234.5, -1000, 0, 1165.5}, {0, 100}, {{-2.0f, -2.0f, -2.0f}});
    const auto x = XAxisTicks(f.document.mesh, f.state.settings, f.state.layout);
    EXPECT_EQ(Texts(x), (Strings{"-1235", "-835", "-435", "-35", "366", "766", "1166"}));
}

TEST(Axes, XLabelsStartAtTheFirstVisibleNode) {
    SectionFixture f;
    f.loadSmallSection();
    f.state.settings.padLeft = 1;
    f.state.relayout(f.document);
    const auto x = XAxisTicks(f.document.mesh, f.state.settings, f.state.layout);
    EXPECT_EQ(x.front().text, "250");
    EXPECT_EQ(x.front().position, 0);
    EXPECT_EQ(x.back().text, "1000");
}

TEST(Axes, DepthIntervalRule) {
    EXPECT_EQ(DepthIntervalCount(10000, 20000), 12); // twice as deep as wide: trunc(12.5)
    EXPECT_EQ(DepthIntervalCount(10000, 2500), 3);   // a quarter: at least 3
    EXPECT_EQ(DepthIntervalCount(10000, 0), 3);      // no depth yet
    EXPECT_EQ(DepthIntervalCount(10000, 1e12), MaxDepthIntervals); // very deep, narrow
    EXPECT_EQ(DepthIntervalCount(10000, std::numeric_limits<double>::infinity()),
              MaxDepthIntervals);
}

TEST(Axes, VeryDeepNarrowMeshHasABoundedNumberOfDepthLabels) {
    SectionFixture f;
    f.load({0, 1}, {0, 1e7}, {{-2.0f}});
    const auto depth = DepthAxisTicks(f.document.mesh, f.state.settings, f.state.layout);
    EXPECT_EQ(depth.size(), static_cast<std::size_t>(MaxDepthIntervals) + 1);
    EXPECT_EQ(depth.back().text, "10000000");
}

struct BarCase {
    bool showConductivity, showLog;
    Strings labels;
};

class ColourBar : public ::testing::TestWithParam<BarCase> {};

TEST_P(ColourBar, LabelsFromBottomToTop) {
    const BarCase c = GetParam();
    DisplaySettings s;
    s.showConductivity = c.showConductivity;
    s.showLog = c.showLog;
    s.rangeMin = -3;
    s.rangeMax = -1;
    PlotLayout layout;
    layout.plotHeight = 2400;
    const auto labels = ColourBarLabels(s, layout);
    EXPECT_EQ(Texts(labels), c.labels);
    EXPECT_EQ(Positions(labels), (std::vector<int>{2400, 2000, 1600, 1200, 800, 400, 0}));
}

INSTANTIATE_TEST_SUITE_P(
    Displays, ColourBar,
    ::testing::Values(
        BarCase{
            true, false, {"0.001", "0.002154", "0.004642", "0.01", "0.02154", "0.04642", "0.1"}},
        BarCase{false, false, {"10", "21.54", "46.42", "100", "215.4", "464.2", "1000"}},
        BarCase{true, true, {"-3", "-2.667", "-2.333", "-2", "-1.667", "-1.333", "-1"}},
        BarCase{false, true, {"1", "1.333", "1.667", "2", "2.333", "2.667", "3"}}));

TEST(ColourBar, EqualEndsGiveSevenEqualLabels) {
    DisplaySettings s;
    s.rangeMin = s.rangeMax = -2;
    const auto labels = ColourBarLabels(s, PlotLayout{});
    EXPECT_EQ(Texts(labels), Strings(7, "100"));
}

TEST(ColourBar, ValuesWithoutAFiniteShownValueAreNotWrittenAsInf) {
    DisplaySettings s; // linear resistivity of the reader's empty-range markers
    s.rangeMin = 1e20;
    s.rangeMax = -1e20;
    for (const TickLabel& label : ColourBarLabels(s, PlotLayout{}))
        EXPECT_EQ(label.text.find("inf"), std::string::npos) << label.text;
    s.showConductivity = true;
    s.rangeMin = -1;
    s.rangeMax = 400; // typed in log display, 10^400 has no double
    const auto labels = ColourBarLabels(s, PlotLayout{});
    EXPECT_EQ(labels.front().text, "0.1");
    EXPECT_EQ(labels.back().text, "");
}

TEST(ColourBar, SwatchOrderFollowsTheDisplay) {
    DisplaySettings s;
    s.showConductivity = true;
    EXPECT_EQ(SwatchEntry(0, s), 0);
    EXPECT_EQ(SwatchEntry(60, s), 60);
    s.showConductivity = false;
    EXPECT_EQ(SwatchEntry(0, s), 60);
    EXPECT_EQ(SwatchEntry(60, s), 0);
}

TEST(Texts, TitleAndUnitByKindAndDisplay) {
    DisplaySettings s;
    s.showLog = true;
    EXPECT_EQ(TitleText(Conductivity, s), "Log Resistivity Model");
    EXPECT_EQ(UnitText(Conductivity, s), "Log Ohm - m");
    s.showConductivity = true;
    EXPECT_EQ(TitleText(Conductivity, s), "Log Conductivity Model");
    EXPECT_EQ(UnitText(Conductivity, s), "Log S / m");
    s.showLog = false;
    EXPECT_EQ(TitleText(Conductivity, s), "Conductivity Model");
    EXPECT_EQ(UnitText(Conductivity, s), "S / m");
    for (bool log : {false, true}) {
        s.showLog = log;
        EXPECT_EQ(TitleText(Sensitivity, s), "Sensitivity");
        EXPECT_EQ(TitleText(Chargeability, s), "Chargeability Model");
        EXPECT_EQ(UnitText(Sensitivity, s), "");
        EXPECT_EQ(UnitText(Chargeability, s), "");
    }
    EXPECT_EQ(TitleText(static_cast<ModelKind>(7), s), "");
}

} // namespace
