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
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1000;
    }

    QStringList data() const { return {path("mesh.msh"), path("model.con")}; }

    QTemporaryDir dir;
    QString err;
};

TEST_F(RenderCli, WritesThePageAtTheClientAreasScale) {
    EXPECT_EQ(run(QStringList{"--output", path("a.png"), "--size", "800x600"} + data()), 0)
        << err.toStdString();
    const QImage image(path("a.png"));
    EXPECT_EQ(image.size(), QSize(800, 245));
    // The section's top-left corner is at pixel (100, 50); the first cell is dark blue.
    EXPECT_EQ(image.pixel(100 + 10, 50 + 10) & 0xffffff, qRgb(0, 0, 139) & 0xffffffu);

    EXPECT_EQ(run(QStringList{"-o", path("b.png")} + data()), 0);
    EXPECT_EQ(QImage(path("b.png")).size(), QSize(1600, 490));
    EXPECT_EQ(run(QStringList{"--output=" + path("c.svg")} + data()), 0);
    EXPECT_TRUE(QFile::exists(path("c.svg")));
    EXPECT_EQ(run(QStringList{"-o", path("d.pdf")} + data()), 0);
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

TEST_F(RenderCli, LoadFailuresEndAsTheViewerDoes) {
    EXPECT_EQ(run({"-o", path("x.png"), path("mesh.msh")}), 1);
    EXPECT_TRUE(err.startsWith("error: ")) << err.toStdString();

    EXPECT_EQ(run({"-o", path("x.png"), path("mesh.msh"), path("missing.con")}), 255);
    EXPECT_TRUE(err.contains("error: Model file not found: ")) << err.toStdString();

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

} // namespace
