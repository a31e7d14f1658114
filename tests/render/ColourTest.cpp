#include "document/CellModel.h"
#include "plot/ColourTable.h"
#include "plot/DisplaySettings.h"
#include "plot/ValueScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

TEST(ColourRamp, SixtyOneColoursAsPublished) {
    // Colours 1 .. 61 of the colour ramp, red then green then blue.
    const int expected[61][3] = {
        {255, 70, 150}, {255, 70, 142}, {255, 70, 134}, {255, 70, 125}, {255, 70, 116},
        {255, 70, 106}, {255, 70, 94},  {255, 70, 82},  {255, 70, 67},  {255, 70, 47},
        {255, 70, 0},   {255, 80, 0},   {255, 114, 0},  {255, 139, 0},  {255, 161, 0},
        {255, 180, 0},  {255, 197, 0},  {255, 213, 0},  {255, 228, 0},  {255, 241, 0},
        {255, 255, 0},  {241, 255, 0},  {228, 255, 0},  {213, 255, 0},  {197, 255, 0},
        {180, 255, 0},  {161, 255, 0},  {139, 255, 0},  {114, 255, 0},  {80, 255, 0},
        {0, 255, 0},    {0, 255, 80},   {0, 255, 114},  {0, 255, 139},  {0, 255, 161},
        {0, 255, 180},  {0, 255, 197},  {0, 255, 213},  {0, 255, 228},  {0, 255, 241},
        {0, 255, 255},  {0, 241, 255},  {0, 228, 255},  {0, 213, 255},  {0, 197, 255},
        {0, 180, 255},  {0, 161, 255},  {0, 139, 255},  {0, 114, 255},  {0, 80, 255},
        {0, 0, 255},    {0, 0, 241},    {0, 0, 232},    {0, 0, 223},    {0, 0, 213},
        {0, 0, 202},    {0, 0, 191},    {0, 0, 180},    {0, 0, 167},    {0, 0, 154},
        {0, 0, 139}};
    const auto ramp = ColourTable::Ramp(true);
    for (int i = 0; i < 61; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(qRed(ramp[i]), expected[i][0]);
        EXPECT_EQ(qGreen(ramp[i]), expected[i][1]);
        EXPECT_EQ(qBlue(ramp[i]), expected[i][2]);
    }
}

struct TableEnds {
    bool useColour, flip;
    QRgb lowest, highest;
};

class ColourTableEnds : public ::testing::TestWithParam<TableEnds> {};

TEST_P(ColourTableEnds, LowestAndHighestEntries) {
    const TableEnds c = GetParam();
    const ColourTable table(c.useColour, c.flip);
    EXPECT_EQ(table.entry(0) & 0xffffff, c.lowest & 0xffffff);
    EXPECT_EQ(table.entry(60) & 0xffffff, c.highest & 0xffffff);
}

INSTANTIATE_TEST_SUITE_P(
    Maps, ColourTableEnds,
    ::testing::Values(TableEnds{true, true, qRgb(0, 0, 139), qRgb(255, 70, 150)},
                      TableEnds{true, false, qRgb(255, 70, 150), qRgb(0, 0, 139)},
                      TableEnds{false, true, qRgb(250, 250, 250), qRgb(0, 0, 0)},
                      TableEnds{false, false, qRgb(0, 0, 0), qRgb(250, 250, 250)}));

TEST(ColourTable, GreyRampRisesWithTheSquareRoot) {
    const auto grey = ColourTable::Ramp(false);
    for (int i = 1; i < 61; ++i) {
        EXPECT_EQ(qRed(grey[i]), qGreen(grey[i]));
        EXPECT_EQ(qRed(grey[i]), qBlue(grey[i]));
        EXPECT_GT(qRed(grey[i]), qRed(grey[i - 1]));
    }
    EXPECT_EQ(qRed(grey[15]), static_cast<int>(250.0 * std::sqrt(15.0 / 60.0)));
}

// Entry i samples colour min(floor(256 * i / 60), 255) of the published table: entries
// 0, 15, 30, 59 and 60 take colours 0, 64, 128, 251 and 255 (the hex values matplotlib
// writes for them).
TEST(ColourMaps, EntriesTakeThePublishedColoursAndFlipReverses) {
    struct Known {
        ColourMap map;
        QRgb at0, at15, at30, at59, at60;
    };
    const Known known[] = {
        {ColourMap::Viridis, 0x440154, 0x3b528b, 0x21918c, 0xf4e61e, 0xfde725},
        {ColourMap::Cividis, 0x00224e, 0x434e6c, 0x7d7c78, 0xfde334, 0xfee838},
        {ColourMap::Magma, 0x000004, 0x51127c, 0xb73779, 0xfcf6b8, 0xfcfdbf},
        {ColourMap::Turbo, 0x30123b, 0x28bceb, 0xa4fc3c, 0x880802, 0x7a0403},
        {ColourMap::BlueWhiteRed, 0x053061, 0x6bacd1, 0xf7f6f6, 0x730421, 0x67001f},
    };
    for (const Known& k : known) {
        SCOPED_TRACE(static_cast<int>(k.map));
        const ColourTable table(true, true, k.map);
        const auto rgb = [&](int entry) { return table.entry(entry) & 0xffffffu; };
        EXPECT_EQ(rgb(0), k.at0);
        EXPECT_EQ(rgb(15), k.at15);
        EXPECT_EQ(rgb(30), k.at30);
        EXPECT_EQ(rgb(59), k.at59);
        EXPECT_EQ(rgb(60), k.at60);
        const ColourTable flipped(true, false, k.map);
        for (int i = 0; i <= 60; ++i)
            EXPECT_EQ(flipped.entry(i), table.entry(60 - i)) << i;
    }
    // The grey display keeps its ramp whatever the map.
    for (int i = 0; i <= 60; ++i)
        EXPECT_EQ(ColourTable(false, true, ColourMap::Magma).entry(i),
                  ColourTable(false, true).entry(i));
}

struct IndexCase {
    float stored;
    double rangeMin, rangeMax;
    int expected;
};

class ColourIndexRule : public ::testing::TestWithParam<IndexCase> {};

TEST_P(ColourIndexRule, StoredValueToEntry) {
    const IndexCase c = GetParam();
    EXPECT_EQ(ColourIndex(c.stored, -8.0f, c.rangeMin, c.rangeMax), c.expected)
        << c.stored << " in [" << c.rangeMin << ", " << c.rangeMax << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Values, ColourIndexRule,
    ::testing::Values(IndexCase{-3.0f, -3, -1, 0}, IndexCase{-2.0f, -3, -1, 30},
                      IndexCase{-1.0001f, -3, -1, 59}, IndexCase{-1.0f, -3, -1, 60},
                      IndexCase{-3.02f, -3, -1, 0}, // below by less than a step: truncated
                      IndexCase{-7.0f, -3, -1, 0}, IndexCase{5.0f, -3, -1, 60},
                      // an empty range: at it 0 (p is not a number), below 0, above 60
                      IndexCase{-2.0f, -2, -2, 0}, IndexCase{-2.5f, -2, -2, 0},
                      IndexCase{-1.5f, -2, -2, 60},
                      // blank: at the level, below it, not a number
                      IndexCase{-8.0f, -3, -1, -1}, IndexCase{-9.0f, -3, -1, -1},
                      IndexCase{std::numeric_limits<float>::quiet_NaN(), -3, -1, -1},
                      IndexCase{-7.9999f, -8, -1, 0},
                      // ranges that are not finite never give an entry outside the table
                      IndexCase{-2.0f, NaN, -1, 0}, IndexCase{-2.0f, -Inf, Inf, 0},
                      IndexCase{-2.0f, -3, Inf, 0}, IndexCase{1e30f, -3, -1, 60}));

TEST(ShownValue, ConductivityResistivityLogAndLinear) {
    DisplaySettings s;
    s.showConductivity = true;
    s.showLog = true;
    EXPECT_DOUBLE_EQ(ShownValue(-2.0, s), -2.0);
    s.showLog = false;
    EXPECT_DOUBLE_EQ(ShownValue(-2.0, s), 0.01);
    s.showConductivity = false;
    EXPECT_DOUBLE_EQ(ShownValue(-2.0, s), 100.0);
    s.showLog = true;
    EXPECT_DOUBLE_EQ(ShownValue(-2.0, s), 2.0);
}

TEST(DialogRange, LinearResistivityEntryIsStoredNegatedAndSwapped) {
    DisplaySettings s; // resistivity, linear
    const CellModel model;
    EXPECT_EQ(ApplyDialogRange(10.0, 1000.0, s, model), RangeEntry::Set);
    EXPECT_DOUBLE_EQ(s.rangeMin, -3.0);
    EXPECT_DOUBLE_EQ(s.rangeMax, -1.0);
    const DialogRange shown = RangeForDialog(s, Conductivity);
    EXPECT_DOUBLE_EQ(shown.low, 10.0);
    EXPECT_DOUBLE_EQ(shown.high, 1000.0);
}

TEST(DialogRange, BothZeroRestoresTheModelRangeInAnyDisplay) {
    CellModel model;
    model.valueMin = -2.5;
    model.valueMax = -0.5;
    for (bool conductivity : {false, true}) {
        DisplaySettings s;
        s.showConductivity = conductivity;
        s.rangeMin = -9;
        s.rangeMax = 9;
        EXPECT_EQ(ApplyDialogRange(0.0, 0.0, s, model), RangeEntry::Reset);
        EXPECT_EQ(s.rangeMin, -2.5);
        EXPECT_EQ(s.rangeMax, -0.5);
    }
}

TEST(DialogRange, EndsWithoutAFiniteStoredValueAreRefused) {
    const CellModel model;
    for (auto [low, high] : {std::pair{0.0, 100.0}, std::pair{-5.0, 100.0}, std::pair{0.1, 0.0},
                             std::pair{0.1, Inf}}) {
        DisplaySettings s; // linear display
        s.rangeMin = -3;
        s.rangeMax = -1;
        EXPECT_EQ(ApplyDialogRange(low, high, s, model), RangeEntry::Refused) << low << " " << high;
        EXPECT_EQ(s.rangeMin, -3);
        EXPECT_EQ(s.rangeMax, -1);
    }
    // In log display negative ends are ordinary values; infinities are not.
    DisplaySettings s;
    s.showLog = true;
    s.showConductivity = true;
    EXPECT_EQ(ApplyDialogRange(-4.0, -0.5, s, model), RangeEntry::Set);
    EXPECT_EQ(s.rangeMin, -4.0);
    EXPECT_EQ(ApplyDialogRange(-Inf, -0.5, s, model), RangeEntry::Refused);
    EXPECT_EQ(ApplyDialogRange(NaN, 1.0, s, model), RangeEntry::Refused);
    EXPECT_EQ(s.rangeMin, -4.0);
}

TEST(DialogRange, OfferedValuesComeBackUnchangedInEveryDisplay) {
    const CellModel model;
    for (int flags = 0; flags < 4; ++flags) {
        DisplaySettings s;
        s.showLog = flags & 1;
        s.showConductivity = flags & 2;
        s.rangeMin = -2.75;
        s.rangeMax = -0.25;
        const DialogRange shown = RangeForDialog(s, Conductivity);
        EXPECT_LE(shown.low, shown.high) << flags;
        ASSERT_EQ(ApplyDialogRange(shown.low, shown.high, s, model), RangeEntry::Set);
        EXPECT_NEAR(s.rangeMin, -2.75, 1e-12) << flags;
        EXPECT_NEAR(s.rangeMax, -0.25, 1e-12) << flags;
    }
}

TEST(DialogRange, ChargeabilityIsOfferedAsStored) {
    DisplaySettings s;
    s.showLog = true;
    s.rangeMin = 2;
    s.rangeMax = 40;
    const DialogRange shown = RangeForDialog(s, Chargeability);
    EXPECT_EQ(shown.low, 2);
    EXPECT_EQ(shown.high, 40);
}

TEST(AutomaticRange, EmptyModelRangeBecomesZero) {
    CellModel model; // 1e20 / -1e20 as the reader leaves them without a visible cell
    const ValueRange range = AutomaticRange(model);
    EXPECT_EQ(range.min, 0.0);
    EXPECT_EQ(range.max, 0.0);
    model.valueMin = -3;
    model.valueMax = -1;
    EXPECT_EQ(AutomaticRange(model).min, -3);
    EXPECT_EQ(AutomaticRange(model).max, -1);
}

} // namespace
