#include "document/MeshGrid.h"
#include "document/MeshStatistics.h"
#include "document/NumberText.h"

#include <gtest/gtest.h>

namespace {
TEST(MeshStatisticsTest, SummarisesTheWholeMesh) {
    MeshGrid mesh;
    mesh.nx = 4;
    mesh.nz = 2;
    mesh.xNodes = {0, 25, 50, 75, 100};
    mesh.zNodes = {0, 10, 30};
    EXPECT_EQ(MeshStatisticsText(mesh), "Mesh Statistics:\n\n"
                                        "# of cells:  4 x 2\n"
                                        "total # of cells:  8\n"
                                        "mesh dimensions:  100 x 30\n"
                                        "smallest cell dimensions:  25 x 10\n");
}

TEST(MeshStatisticsTest, NarrowPaddingCellsAndSixDigitWidths) {
    MeshGrid mesh;
    mesh.nx = 3;
    mesh.nz = 1;
    mesh.xNodes = {-12.5, 0, 1.0 / 3, 100};
    mesh.zNodes = {0, 12.5};
    const std::string text = MeshStatisticsText(mesh);
    EXPECT_NE(text.find("mesh dimensions:  112.5 x 12.5\n"), std::string::npos);
    EXPECT_NE(text.find("smallest cell dimensions:  0.333333 x 12.5\n"), std::string::npos);
}

TEST(MeshStatisticsTest, TotalOfAHugeMeshDoesNotOverflow) {
    MeshGrid mesh;
    mesh.nx = 70000;
    mesh.nz = 70000;
    mesh.xNodes.resize(70001);
    mesh.zNodes.resize(70001);
    for (int i = 0; i <= 70000; ++i)
        mesh.xNodes[i] = mesh.zNodes[i] = i;
    EXPECT_NE(MeshStatisticsText(mesh).find("total # of cells:  4900000000\n"), std::string::npos);
}

TEST(NumberFieldTest, FloatsAreWrittenWithFifteenSignificantDigits) {
    EXPECT_EQ(FormatFloatField(0.1), "0.1");
    EXPECT_EQ(FormatFloatField(-2.5), "-2.5");
    EXPECT_EQ(FormatFloatField(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(FormatFloatField(1e-9), "1e-09");
    EXPECT_EQ(FormatFloatField(123456789012345678.0), "1.23456789012346e+17");
    EXPECT_EQ(FormatIntField(-12), "-12");
}

TEST(NumberFieldTest, ReadingTakesTheLeadingNumberLikeScanf) {
    EXPECT_EQ(ScanFloatField("12abc"), 12.0);
    EXPECT_EQ(ScanFloatField("  -1.5e2 m"), -150.0);
    EXPECT_EQ(ScanFloatField(".5"), 0.5);
    EXPECT_EQ(ScanIntField(" 42 cells"), 42);
    EXPECT_EQ(ScanIntField("7.9"), 7);
    EXPECT_EQ(ScanIntField("+3"), 3);
}

TEST(NumberFieldTest, TextThatIsNoFiniteNumberInRangeIsRefused) {
    for (const char* text : {"", "   ", "abc", "-", "nan", "inf", "-infinity", "1e999", "-1e999"})
        EXPECT_EQ(ScanFloatField(text), std::nullopt) << text;
    for (const char* text : {"", "x1", "2147483648", "-2147483649", "99999999999999999999"})
        EXPECT_EQ(ScanIntField(text), std::nullopt) << text;
    EXPECT_EQ(ScanIntField("2147483647"), 2147483647);
    EXPECT_EQ(ScanIntField("-2147483648"), -2147483647 - 1);
}
} // namespace
