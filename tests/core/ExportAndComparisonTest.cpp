// The numbers behind a comparison of two models and behind the exported files: which
// cells, which values, and a file that never appears half written.
#include "TestFiles.h"

#include "document/CTest1Doc.h"
#include "document/DoiIndex.h"
#include "document/ModelComparison.h"
#include "document/RecordingMessages.h"
#include "export/CellExport.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <sstream>

namespace {
using Mode = ComparisonMode;

TEST(Comparison, PercentAndRatioInTheShownQuantity) {
    const float loaded = std::log10(0.01f); // 0.01 S/m, 100 ohm-m
    const float doubled = std::log10(0.02f);
    // Twice the conductivity is half the resistivity.
    EXPECT_NEAR(ComparisonValue(loaded, doubled, Conductivity, true, Mode::Percent), 100.0, 1e-4);
    EXPECT_NEAR(ComparisonValue(loaded, doubled, Conductivity, false, Mode::Percent), -50.0, 1e-4);
    EXPECT_NEAR(ComparisonValue(loaded, doubled, Conductivity, false, Mode::Ratio), 0.5, 1e-6);
    EXPECT_NEAR(ComparisonValue(2.0f, 3.0f, Chargeability, true, Mode::Percent), 50.0, 1e-9);

    // A blank cell in either model, a loaded chargeability of 0 and a ratio that has no
    // logarithm give no value.
    EXPECT_TRUE(std::isnan(ComparisonValue(-9.0f, doubled, Conductivity, true, Mode::Percent)));
    EXPECT_TRUE(std::isnan(ComparisonValue(loaded, -9.0f, Conductivity, true, Mode::Ratio)));
    EXPECT_TRUE(std::isnan(ComparisonValue(0.0f, 3.0f, Chargeability, true, Mode::Percent)));
    EXPECT_TRUE(std::isnan(ComparisonValue(2.0f, -1.0f, Chargeability, true, Mode::Ratio)));
    EXPECT_NEAR(ComparisonValue(2.0f, -1.0f, Chargeability, true, Mode::Percent), -150.0, 1e-9);
}

// A 4 x 3 cell chargeability model on 10 m cells, filled in memory.
class SmallDocument : public ::testing::Test {
protected:
    void SetUp() override {
        document.modelKind = Chargeability;
        document.mesh = {4, 3, {0, 10, 20, 30, 40}, {0, 10, 20, 30}};
        document.model.values = {{1, 2, 3, 4}, {5, -20, 7, 8}, {9, 10, 11, 12}};
        document.loaded = true;
    }
    std::string write(CellFormat format, const CellExportView& view) const {
        std::string text;
        WriteCells(format, document, view, [&](std::string_view bytes) { text += bytes; });
        return text;
    }

    RecordingMessages messages;
    CTest1Doc document{messages, "/"};
};

TEST_F(SmallDocument, ComparisonRangeIsSymmetricOverTheVisibleCells) {
    ModelComparison comparison;
    comparison.second.values = {{2, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 3e38f}};
    ComputeComparison(document, true, comparison);
    // 3e38 against 12 is a percent beyond the float range: blank rather than an infinity.
    EXPECT_TRUE(std::isnan(comparison.values.values[2][3]));
    EXPECT_TRUE(std::isnan(comparison.values.values[1][1])); // blank in the loaded model
    EXPECT_FLOAT_EQ(comparison.values.values[0][0], 100.0f);

    // The +100 % cell lies in the left padding: the range comes from what is visible.
    comparison.second.values[1][2] = 3.5f;
    ComputeComparison(document, true, comparison);
    SetSymmetricRange(comparison, document.mesh, 1, 0, 0);
    EXPECT_FLOAT_EQ(comparison.rangeMax, 50.0f);
    EXPECT_FLOAT_EQ(comparison.rangeMin, -50.0f);
    // Nothing but no change still spreads the colours about the middle.
    comparison.second = document.model;
    ComputeComparison(document, true, comparison);
    SetSymmetricRange(comparison, document.mesh, 0, 0, 0);
    EXPECT_EQ(comparison.rangeMax, 1.0);
}

TEST_F(SmallDocument, SecondModelMustFitTheMeshAndReadsWithTheModelReader) {
    TestFolder folder;
    document.modelKind = Conductivity;
    document.mesh.nz = 2; // counts of the loaded mesh: 4 x 2
    CellModel second;
    second.valueMin = 7.0;
    folder.write("wide.con", "5 2\n1 1 1 1 1\n1 1 1 1 1\n");
    EXPECT_EQ(ReadSecondModel(document, folder.at("wide.con"), second, messages),
              SecondModelRead::DoesNotFit);
    EXPECT_TRUE(messages.entries.empty());
    EXPECT_EQ(second.valueMin, 7.0); // untouched

    folder.write("zero.con", "4 2\n1 1 1 1\n1 0 1 1\n");
    EXPECT_EQ(ReadSecondModel(document, folder.at("zero.con"), second, messages),
              SecondModelRead::Failed);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, "Values cannot be less than 0.\n" + folder.at("zero.con"));

    folder.write("fits.con", "4 2\n0.1 1 1 1\n1 1 1 10\n");
    EXPECT_EQ(ReadSecondModel(document, folder.at("fits.con"), second, messages),
              SecondModelRead::Ok);
    EXPECT_FLOAT_EQ(second.values[1][3], 1.0f); // stored as the logarithm
}

TEST_F(SmallDocument, TablesHoldTheCellsThePictureShows) {
    CellExportView view;
    view.conductivity = true;
    CellSelection& shown = view.selection;
    shown.padLeft = 1;
    shown.padBottom = 1;
    // The window meets columns 1 to 3 and rows 0 and 1 (row 2 is padding anyway).
    shown.windowed = true;
    shown.windowLeft = 15;
    shown.windowRight = 40;
    shown.windowTop = 0;
    shown.windowBottom = 12;
    // The trapezoid keeps x 12.9 .. 37.1 at depth 5 and 18.7 .. 31.3 at depth 15.
    shown.areaLeft = 10;
    shown.areaRight = 40;
    shown.areaDepth = 20;
    EXPECT_EQ(write(CellFormat::Csv, view), "x_m,depth_m,chargeability\n"
                                            "15,5,2\n25,5,3\n35,5,4\n"
                                            "25,15,7\n");

    // Without the area: the blank cell is an empty field in CSV and left out of XYZ,
    // and the columns of the mask and the comparison follow the value.
    shown.areaDepth = 0;
    DoiIndex doi;
    doi.values = {{0, 0, 0, 0}, {0, 0.25f, 0, 0}, {0, 0, 0, 0}};
    doi.shown = true;
    ModelComparison comparison;
    comparison.second.values = {{1, 1, 1, 1}, {1, 1, 14, 1}, {1, 1, 1, 1}};
    comparison.mode = Mode::Ratio;
    comparison.shown = true;
    view.doi = &doi;
    view.comparison = &comparison;
    std::istringstream csv(write(CellFormat::Csv, view));
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(line, "x_m,depth_m,chargeability,doi_index,ratio");
    for (int skip = 0; skip < 3; ++skip)
        std::getline(csv, line);
    std::getline(csv, line);
    EXPECT_EQ(line, "15,15,,0.25,");
    std::getline(csv, line);
    EXPECT_EQ(line, "25,15,7,0,2");
    EXPECT_EQ(write(CellFormat::Xyz, view), "15 -5 2\n25 -5 3\n35 -5 4\n25 -15 7\n35 -15 8\n");
}

TEST_F(SmallDocument, AFileIsWrittenWholeOrNotAtAll) {
    TestFolder folder;
    CellExportView view;
    std::string error;
    const std::string good = folder.at("cells.csv");
    ASSERT_TRUE(ExportCells(good, CellFormat::Csv, document, view, error)) << error;
    EXPECT_EQ(std::filesystem::file_size(good), write(CellFormat::Csv, view).size());

    // A name held by a folder: the text is written beside it, and the rename fails.
    std::filesystem::create_directory(folder.at("taken.csv"));
    EXPECT_FALSE(ExportCells(folder.at("taken.csv"), CellFormat::Csv, document, view, error));
    EXPECT_EQ(error, "Cannot write " + folder.at("taken.csv"));
    EXPECT_FALSE(
        ExportCells(folder.at("missing/cells.vtr"), CellFormat::Vtk, document, view, error));
    EXPECT_EQ(error, "Cannot write " + folder.at("missing/cells.vtr"));
    // Nothing is left but the good file and the folder.
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
        ++entries;
    EXPECT_EQ(entries, 2);
}
} // namespace
