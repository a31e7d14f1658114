#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The 0 .. 1000 m by 0 .. 250 m mesh of four columns and two rows, and a conductivity
// model from 0.001 to 0.1 S/m with one blank cell.
class RenderCli : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        write("mesh.msh", "1 0 1000 4\n1 0 250 2\n");
        write("model.con", "4 2\n0.001 0.01 0.1 0.05\n0.002 1e-9 0.02 0.004\n");
    }

    void write(const QString& name, const QByteArray& text) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    // Runs korvex-render in the temporary folder; returns its exit status.
    int run(const QStringList& args) {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(KORVEX_RENDER_PATH, args);
        EXPECT_TRUE(process.waitForFinished(120000));
        err = QString::fromLocal8Bit(process.readAllStandardError());
        out = QString::fromLocal8Bit(process.readAllStandardOutput());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1000;
    }

    QStringList data() const { return {path("mesh.msh"), path("model.con")}; }

    QTemporaryDir dir;
    QString err;
    QString out;
};

TEST_F(RenderCli, WritesThePageAtTheClientAreasScale) {
    EXPECT_EQ(run(QStringList{"--output", path("a.png"), "--size", "800x600"} + data()), 0)
        << err.toStdString();
    const QImage image(path("a.png"));
    EXPECT_EQ(image.size(), QSize(800, 245));
    // The section's top-left corner is at pixel (100, 50); the first cell is dark blue.
    EXPECT_EQ(image.pixel(100 + 10, 50 + 10) & 0xffffff, qRgb(0, 0, 139) & 0xffffffu);

    EXPECT_EQ(run(QStringList{"-o", path("b.png")} + data()), 0) << err.toStdString();
    EXPECT_EQ(QImage(path("b.png")).size(), QSize(1600, 490));
    EXPECT_EQ(run(QStringList{"--output=" + path("c.svg")} + data()), 0) << err.toStdString();
    EXPECT_TRUE(QFile::exists(path("c.svg")));
    EXPECT_EQ(run(QStringList{"-o", path("d.pdf")} + data()), 0) << err.toStdString();
    EXPECT_TRUE(QFile::exists(path("d.pdf")));
}

TEST_F(RenderCli, SettingsChangeThePicture) {
    ASSERT_EQ(run(QStringList{"-o", path("plain.png")} + data()), 0);
    ASSERT_EQ(
        run(QStringList{"-o", path("grey.png"), "--set", "useColour=0", "--set", "flipColours=0"} +
            data()),
        0)
        << err.toStdString();
    const QImage plain(path("plain.png"));
    const QImage grey(path("grey.png"));
    const QPoint lowestCell(200 + 125, 100 + 62); // cell (0, 0) at f = 0.1
    EXPECT_EQ(plain.pixel(lowestCell) & 0xffffff, qRgb(0, 0, 139) & 0xffffffu);
    EXPECT_EQ(grey.pixel(lowestCell) & 0xffffff, 0u);

    // Log display changes labels, never a cell.
    ASSERT_EQ(run(QStringList{"-o", path("log.png"), "--set", "showLog=1"} + data()), 0);
    const QImage log(path("log.png"));
    EXPECT_EQ(log.pixel(lowestCell), plain.pixel(lowestCell));
    EXPECT_NE(log, plain);
}

TEST_F(RenderCli, PairChecksDoNotDependOnOrder) {
    EXPECT_EQ(
        run(QStringList{"-o", path("a.png"), "--set", "padRight=3", "--set", "padLeft=0"} + data()),
        0)
        << err.toStdString();
    EXPECT_EQ(
        run(QStringList{"-o", path("b.png"), "--set", "rangeMax=-0.5", "--set", "rangeMin=-1"} +
            data()),
        0)
        << err.toStdString();
    EXPECT_EQ(run(QStringList{"-o", path("c.png"), "--set", "areaRight=800", "--set",
                              "areaLeft=600", "--set", "areaDepth=50"} +
                  data()),
              0)
        << err.toStdString();
}

TEST_F(RenderCli, RefusedSettingsWriteNothing) {
    const QList<QStringList> refused = {
        {"--set", "colour=1"},
        {"--set", "showMesh=2"},
        {"--set", "fontHeight=2001"},
        {"--set", "fontHeight=-20"},
        {"--set", "rangeMin=nan"},
        {"--set", "rangeMax=inf"},
        {"--set", "rangeMin=-1", "--set", "rangeMax=-2"},
        {"--set", "padLeft=2", "--set", "padRight=2"},
        {"--set", "padBottom=2"},
        {"--set", "padLeft=-1"},
        {"--set", "areaLeft=500", "--set", "areaRight=100"},
        {"--set", "areaDepth=-1"},
        {"--set", "showConvergence=1"}, // no "/conv"
        {"--set", "showWeights=1"},
        {"--set", "verticalExaggeration=0.5"},
        {"--set", "verticalExaggeration=101"},
        {"--set", "verticalExaggeration=inf"},
        {"--set", "colourMap=jet"},
        {"--doi-style", "dots"},
        {"--view", "1000,2000,0,250"}, // outside the section
        {"--view", "0,1000,-50,0"},
        {"--view", "500,100,0,50"},
        {"--view", "0,100,50,50"},
        {"--view", "0,nan,0,50"},
        {"--view", "0,100,0"},
        {"--set", "noequals"},
        {"--size", "0x100"},
        {"--size", "100"},
        {"--frobnicate"},
    };
    for (const QStringList& options : refused) {
        SCOPED_TRACE(options.join(' ').toStdString());
        EXPECT_EQ(run(QStringList{"-o", path("x.png")} + options + data()), 2);
        EXPECT_TRUE(err.startsWith("error: ")) << err.toStdString();
        EXPECT_FALSE(QFile::exists(path("x.png")));
    }
    EXPECT_EQ(run(QStringList{"-o", path("x.jpg")} + data()), 2);
    EXPECT_EQ(run(data()), 2); // no output named
}

TEST_F(RenderCli, HelpWinsOverRefusedOptionsButTheVersionDoesNot) {
    EXPECT_EQ(run(QStringList{"--frobnicate", "--size", "0x0", "--help"} + data()), 0);
    EXPECT_TRUE(out.startsWith("usage: korvex-render ")) << out.toStdString();
    EXPECT_TRUE(err.isEmpty());
    EXPECT_EQ(run({"--version"}), 0);
    EXPECT_EQ(out, "korvex-render " KORVEX_VERSION "\n");
    EXPECT_EQ(run({"--frobnicate", "--version"}), 2);
    EXPECT_TRUE(err.startsWith("error: unknown option: --frobnicate\n")) << err.toStdString();
    EXPECT_TRUE(out.isEmpty());
}

TEST_F(RenderCli, ViewDrawsAWindowCutToTheSection) {
    write("fine.msh", "1 0 1000 20\n1 0 250 5\n");
    QByteArray model = "20 5\n";
    for (int i = 0; i < 100; ++i)
        model += QByteArray::number(0.001 * (1 + i % 37)) + " ";
    write("fine.con", model);
    const QStringList fine{path("fine.msh"), path("fine.con")};
    // Half of it lies left of the section: cut to x 0 .. 500, depth 0 .. 125, so one
    // page unit is 0.05 m and pixel (110, 60) at 800 x 600 lies 10 m across and down,
    // in the first cell (0.001 S/m: 1000 ohm-m).
    EXPECT_EQ(run(QStringList{"-o", path("v.png"), "--size", "800x600", "--view", "-500,500,0,125",
                              "--readout", "110,60"} +
                  fine),
              0)
        << err.toStdString();
    EXPECT_EQ(out, "(x, depth, value) = (10.0,  10.0,  1000)\n");
    EXPECT_EQ(QImage(path("v.png")).size(), QSize(800, 245));
}

TEST_F(RenderCli, LoadFailuresEndAsTheViewerDoes) {
    EXPECT_EQ(run({"-o", path("x.png"), path("mesh.msh")}), 1);
    EXPECT_TRUE(err.startsWith("error: ")) << err.toStdString();

    EXPECT_EQ(run({"-o", path("x.png"), path("mesh.msh"), path("missing.con")}), 255);
    EXPECT_TRUE(err.contains("error: Model file not found: ")) << err.toStdString();
    // A folder in a file's place is a file that is not there.
    EXPECT_EQ(run({"-o", path("x.png"), dir.path(), path("model.con")}), 255);
    EXPECT_EQ(err, "error: Mesh file not found: " + dir.path() + "\n");

    write("wide.msh", "1 0 1000 5\n1 0 250 2\n");
    EXPECT_EQ(run({"-o", path("x.png"), path("wide.msh"), path("model.con")}), 255);
    EXPECT_TRUE(
        err.contains("error: Number of cells in the mesh is not the\nsame as in the model."))
        << err.toStdString();
    EXPECT_FALSE(QFile::exists(path("x.png")));
}

TEST_F(RenderCli, CommandLinePaddingAndChargeabilitySwitch) {
    write("model.chg", "4 2\n1 2 3 4\n5 6 7 8\n");
    ASSERT_EQ(
        run({"-o", path("ip.png"), path("mesh.msh"), path("model.chg"), "/ip", "/padd=1,1,0"}), 0)
        << err.toStdString();
    // Two visible columns of 250 m: the first visible cell (value 2) spans the left half.
    const QImage image(path("ip.png"));
    EXPECT_EQ(image.size(), QSize(1600, 740)); // scale 20: 5000 + 2400 units
    // Chargeability cannot leave log display.
    EXPECT_EQ(run({"-o", path("y.png"), "--set", "showLog=0", path("mesh.msh"), path("model.chg"),
                   "/ip"}),
              2);
}

TEST_F(RenderCli, PrintsTheReadoutAndTheStatisticsWithoutAPicture) {
    // 800 x 600: the section's corner is at (100, 50) and one pixel is 20 page units,
    // 2 m here; pixel (110, 60) is 20 m across and 20 m down, in the first cell.
    EXPECT_EQ(run(QStringList{"--size", "800x600", "--readout", "110,60", "--stats"} + data()), 0)
        << err.toStdString();
    EXPECT_EQ(out, "Mesh Statistics:\n\n# of cells:  4 x 2\ntotal # of cells:  8\n"
                   "mesh dimensions:  1000 x 250\nsmallest cell dimensions:  250 x 125\n"
                   "(x, depth, value) = (20.0,  20.0,  1000)\n");
    // In the title band the readout is empty.
    EXPECT_EQ(run(QStringList{"--size", "800x600", "--readout", "110,10"} + data()), 0);
    EXPECT_EQ(out, "\n");
    EXPECT_EQ(run(QStringList{"--readout", "1;2"} + data()), 2);
}

TEST_F(RenderCli, WeightsAndDepthOfInvestigationChangeThePicture) {
    write("all.wts", "4 2\n1 1 1 1 1 1 1 1\n0.5 1 1\n1 1 1\n1 1 1 1\n");
    write("second.con", "4 2\n0.001 0.001 0.001 0.001\n0.00001 0.00001 0.00001 0.00001\n");
    ASSERT_EQ(run(QStringList{"-o", path("plain.png"), "--size", "800x600"} + data()), 0);
    ASSERT_EQ(
        run(QStringList{"-o", path("w.png"), "--size", "800x600", "--weights", path("all.wts")} +
            data()),
        0)
        << err.toStdString();
    // The face at x = 250 m in the top row: 100 + 250 / 2 pixels across.
    EXPECT_EQ(QImage(path("w.png")).pixel(225, 80) & 0xffffff, 0u);
    EXPECT_NE(QImage(path("plain.png")).pixel(225, 80) & 0xffffff, 0u);

    ASSERT_EQ(run(QStringList{"-o", path("doi.png"), "--size", "800x600", "--doi",
                              path("second.con"), "--doi-cutoff", "0.1"} +
                  data()),
              0)
        << err.toStdString();
    EXPECT_NE(QImage(path("doi.png")), QImage(path("plain.png")));

    // The readers' messages reach standard error; the picture is still written.
    EXPECT_EQ(run(QStringList{"-o", path("x.png"), "--weights", path("none.wts")} + data()), 0);
    EXPECT_EQ(err, "error: Weight file not found: " + path("none.wts") + "\n");
    EXPECT_EQ(run(QStringList{"-o", path("x.png"), "--doi", path("model.con")} + data()), 0);
    EXPECT_EQ(err, "warning: The two reference models appear to be identical.\n");
    EXPECT_EQ(run(QStringList{"-o", path("x.png"), "--xweights", path("all.wts")} + data()), 2);
    EXPECT_EQ(run(QStringList{"-o", path("x.png"), "--doi-cutoff", "0.35"} + data()), 2);
    EXPECT_EQ(run(QStringList{"-o", path("x.png"), "--doi-method", "both"} + data()), 2);
}

TEST_F(RenderCli, RelativeFeatureFilesAreFoundAfterTheModelReadMovedTheFolder) {
    QDir(dir.path()).mkdir("run");
    write("run/mesh.msh", "1 0 1000 4\n1 0 250 2\n");
    write("run/model.con", "4 2\n0.001 0.01 0.1 0.05\n0.002 1e-9 0.02 0.004\n");
    write("all.wts", "4 2\n1 1 1 1 1 1 1 1\n0.5 1 1\n1 1 1\n1 1 1 1\n");
    write("second.con", "4 2\n0.001 0.001 0.001 0.001\n0.00001 0.00001 0.00001 0.00001\n");
    EXPECT_EQ(run({"-o", "out.png", "--weights", "all.wts", "--doi", "second.con", "run/mesh.msh",
                   "run/model.con"}),
              0);
    EXPECT_EQ(err, "");
    EXPECT_TRUE(QFile::exists(path("out.png")));

    // "/conv" looks for its file beside the model, not in the launch folder.
    const QByteArray output = "2\n0 1000 0\n1 100 10\n2 10 20\n5 target\n";
    write("ohmsolv.out", output);
    EXPECT_EQ(run({"-o", "conv.png", "run/mesh.msh", "run/model.con", "/conv"}), 255);
    EXPECT_EQ(err, "error: Output file not found: ohmsolv.out\n");
    EXPECT_FALSE(QFile::exists(path("conv.png")));
    write("run/ohmsolv.out", output);
    EXPECT_EQ(run({"-o", "conv.png", "run/mesh.msh", "run/model.con", "/conv"}), 0);
    EXPECT_EQ(err, "");
    EXPECT_TRUE(QFile::exists(path("conv.png")));
}

TEST_F(RenderCli, SettingsAtTheLargestDoublesStillDrawThePicture) {
    const QList<QStringList> extreme = {
        {"--set", "rangeMin=-1e308", "--set", "rangeMax=1e308"},
        {"--set", "rangeMin=1e308", "--set", "rangeMax=1e308"},
        {"--set", "rangeMin=-1.7976931348623157e308", "--set", "rangeMax=-1e308"},
        {"--set", "showLog=1", "--set", "rangeMin=-1e308", "--set", "rangeMax=1e308"},
        {"--set", "areaLeft=-1e308", "--set", "areaRight=1e308", "--set", "areaDepth=1e308"},
        {"--set", "areaLeft=1e308", "--set", "areaRight=1e308", "--set", "areaDepth=1e-308"},
        {"--set", "showMesh=1", "--set", "areaLeft=-1.7976931348623157e308", "--set",
         "areaRight=1.7976931348623157e308", "--set", "areaDepth=1"},
    };
    for (const QStringList& options : extreme) {
        SCOPED_TRACE(options.join(' ').toStdString());
        QFile::remove(path("x.png"));
        EXPECT_EQ(run(QStringList{"-o", path("x.png"), "--size", "800x600"} + options + data()), 0)
            << err.toStdString();
        EXPECT_EQ(QImage(path("x.png")).size(), QSize(800, 245));
    }
    // Beyond the largest double the value is no finite number and is refused.
    EXPECT_EQ(run(QStringList{"-o", path("x.png"), "--set", "areaRight=1e309"} + data()), 2);
}

} // namespace

namespace {
// Every conductivity doubled, and the blank cell (row 1, column 1) filled.
const char* const Doubled = "4 2\n0.002 0.02 0.2 0.1\n0.004 0.01 0.04 0.008\n";
} // namespace

TEST_F(RenderCli, ComparisonShowsTheChangeAndRefusesAModelOfOtherCounts) {
    write("doubled.con", Doubled);
    // Pixel (325, 162) is the centre of the first cell, (575, 287) the blank one.
    for (const auto& [flag, change] : {std::pair{"0", "-50"}, {"1", "100"}}) {
        EXPECT_EQ(run(QStringList{"--readout", "325,162", "--compare", "doubled.con", "--set",
                                  QString("showConductivity=") + flag} +
                      data()),
                  0)
            << err.toStdString();
        EXPECT_EQ(out, "(x, depth, value) = (125.0,  62.0,  " + QString(change) + ")\n");
    }
    EXPECT_EQ(run(QStringList{"--readout", "575,287", "--compare", "doubled.con", "--compare-mode",
                              "ratio"} +
                  data()),
              0);
    EXPECT_EQ(out, "(x, depth, value) = (375.0,  187.0,  blank)\n");

    write("wide.con", "5 2\n1 1 1 1 1\n1 1 1 1 1\n");
    EXPECT_EQ(run(QStringList{"-o", path("c.csv"), "--compare", "wide.con"} + data()), 2);
    EXPECT_EQ(err, "error: The second model does not fit the loaded mesh.\n");
    EXPECT_FALSE(QFile::exists(path("c.csv")));
    // Read errors end as the model reader's do.
    EXPECT_EQ(run(QStringList{"-o", path("c.csv"), "--compare", "missing.con"} + data()), 255);
    EXPECT_TRUE(err.startsWith("error: Model file not found: ")) << err.toStdString();
    EXPECT_EQ(run(QStringList{"-o", path("c.csv"), "--compare-mode", "log"} + data()), 2);
}

TEST_F(RenderCli, CellValuesThatCannotBeWrittenEndWithStatusOne) {
    EXPECT_EQ(run(QStringList{"-o", path("no/such/folder/c.xyz")} + data()), 1);
    EXPECT_EQ(err, "error: Cannot write " + path("no/such/folder/c.xyz") + "\n");
    EXPECT_EQ(run(QStringList{"-o", path("c.txt")} + data()), 2);
}
