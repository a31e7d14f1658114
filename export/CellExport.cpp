#include "export/CellExport.h"

#include "document/CTest1Doc.h"
#include "document/DoiIndex.h"
#include "document/ModelComparison.h"
#include "export/AtomicFile.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace {
constexpr std::size_t ChunkSize = 1 << 20;
constexpr int PositionDigits = 12; // millimetres at a thousand kilometres
constexpr float NotANumber = std::numeric_limits<float>::quiet_NaN();

// Collects the text and hands it on a chunk at a time.
class Output {
public:
    explicit Output(const ByteSink& sink) : sink_(sink) { buffer_.reserve(ChunkSize + 4096); }

    void text(std::string_view text) { buffer_.append(text); }
    void character(char c) { buffer_.push_back(c); }
    // printf's "%.9g" (enough digits to read the same float back), without its locale.
    void value(float value) {
        char text[32];
        buffer_.append(text, std::to_chars(text, text + sizeof text, static_cast<double>(value),
                                           std::chars_format::general, 9)
                                 .ptr);
    }
    template <typename T> void raw(T value) {
        char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        buffer_.append(bytes, sizeof(T));
    }
    // Called between records: hands a full chunk on.
    void record() {
        if (buffer_.size() >= ChunkSize)
            flush();
    }
    void flush() {
        if (!buffer_.empty())
            sink_(buffer_);
        buffer_.clear();
    }

private:
    const ByteSink& sink_;
    std::string buffer_;
};

std::string NumberText(double value, int digits) {
    char text[48];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits).ptr;
    return std::string(text, end);
}

// The values of one cell that a file holds, NaN where there is none to write.
class CellValues {
public:
    CellValues(const CTest1Doc& document, const CellExportView& view)
        : doc_(document), view_(view), blank_(blankLevel(document.modelKind)) {}

    bool hasDoi() const { return view_.doi && view_.doi->shown; }
    bool hasComparison() const { return view_.comparison && view_.comparison->shown; }
    bool logarithmic() const { return doc_.modelKind != Chargeability; }

    float quantity(int row, int column) const {
        const float stored = doc_.model.values[row][column];
        return stored > blank_ ? Finite(ShownQuantity(stored, doc_.modelKind, view_.conductivity))
                               : NotANumber;
    }
    float logQuantity(int row, int column) const {
        const float stored = doc_.model.values[row][column];
        if (!(stored > blank_))
            return NotANumber;
        return doc_.modelKind == Conductivity && !view_.conductivity ? -stored : stored;
    }
    float doi(int row, int column) const { return Finite(view_.doi->values[row][column]); }
    float comparison(int row, int column) const {
        return FiniteFloat(ComparisonValue(
            doc_.model.values[row][column], view_.comparison->second.values[row][column],
            doc_.modelKind, view_.conductivity, view_.comparison->mode));
    }
    std::string comparisonName() const {
        return view_.comparison->mode == ComparisonMode::Percent ? "difference_percent" : "ratio";
    }

private:
    static float Finite(float value) { return std::isfinite(value) ? value : NotANumber; }

    const CTest1Doc& doc_;
    const CellExportView& view_;
    float blank_;
};

// A CSV field: empty for a value that is not a number.
void Field(Output& out, float value) {
    out.character(',');
    if (!std::isnan(value))
        out.value(value);
}

std::string CsvQuantityColumn(ModelKind kind, bool conductivity) {
    switch (kind) {
    case Conductivity:
        return conductivity ? "conductivity_s_per_m" : "resistivity_ohm_m";
    case Chargeability:
        return "chargeability";
    case Sensitivity:
        return "sensitivity";
    }
    return "value";
}

// Centre positions as text, once per column and row rather than once per cell.
std::vector<std::string> CentreTexts(const std::vector<double>& nodes, int first, int end,
                                     double sign) {
    std::vector<std::string> texts;
    for (int i = first; i < end; ++i)
        texts.push_back(NumberText(0.0 + sign * (nodes[i] + nodes[i + 1]) / 2.0, PositionDigits));
    return texts;
}

void WriteTable(CellFormat format, const CTest1Doc& document, const CellExportView& view,
                Output& out) {
    const MeshGrid& mesh = document.mesh;
    const CellSelection& selection = view.selection;
    const CellSelection::Block block = selection.ShownBlock(mesh);
    const CellValues values(document, view);
    const bool csv = format == CellFormat::Csv;
    if (csv) {
        out.text("x_m,depth_m,");
        out.text(CsvQuantityColumn(document.modelKind, view.conductivity));
        if (values.hasDoi())
            out.text(",doi_index");
        if (values.hasComparison())
            out.text("," + values.comparisonName());
        out.character('\n');
    }
    const std::vector<std::string> xs =
        CentreTexts(mesh.xNodes, block.firstColumn, block.endColumn, 1.0);
    const std::vector<std::string> depths =
        CentreTexts(mesh.zNodes, block.firstRow, block.endRow, csv ? 1.0 : -1.0);
    for (int r = block.firstRow; r < block.endRow; ++r) {
        const double depth = (mesh.zNodes[r] + mesh.zNodes[r + 1]) / 2.0;
        for (int c = block.firstColumn; c < block.endColumn; ++c) {
            if (!selection.AreaKeeps((mesh.xNodes[c] + mesh.xNodes[c + 1]) / 2.0, depth))
                continue;
            const float value = values.quantity(r, c);
            if (!csv && std::isnan(value))
                continue;
            out.text(xs[c - block.firstColumn]);
            out.character(csv ? ',' : ' ');
            out.text(depths[r - block.firstRow]);
            if (csv) {
                Field(out, value);
                if (values.hasDoi())
                    Field(out, values.doi(r, c));
                if (values.hasComparison())
                    Field(out, values.comparison(r, c));
            } else {
                out.character(' ');
                out.value(value);
            }
            out.character('\n');
            out.record();
        }
    }
}

// One array of the VTK file: its name, type and the bytes of its values.
struct VtkArray {
    std::string name;
    const char* type;
    std::uint64_t bytes;
};

void WriteVtk(const CTest1Doc& document, const CellExportView& view, Output& out) {
    const MeshGrid& mesh = document.mesh;
    // The grid stays whole: padding cells are flagged rather than left out, and the area
    // of interest cuts nothing; a zoom keeps the rows and columns it meets.
    const CellSelection::Block block = view.selection.windowed
                                           ? view.selection.ShownBlock(mesh)
                                           : CellSelection::Block{0, mesh.nz, 0, mesh.nx};
    const int columns = block.endColumn - block.firstColumn;
    const int rows = block.endRow - block.firstRow;
    const std::uint64_t cells = std::uint64_t(columns) * std::uint64_t(rows);
    const CellValues values(document, view);
    const std::string quantity = QuantityName(document.modelKind, view.conductivity);

    std::vector<VtkArray> cellArrays{{quantity, "Float32", cells * 4}};
    if (values.logarithmic())
        cellArrays.push_back({"log10_" + quantity, "Float32", cells * 4});
    if (values.hasDoi())
        cellArrays.push_back({"doi_index", "Float32", cells * 4});
    if (values.hasComparison())
        cellArrays.push_back({values.comparisonName(), "Float32", cells * 4});
    cellArrays.push_back({"padding", "UInt8", cells});
    const std::vector<VtkArray> coordinates{{"x", "Float64", (columns + 1) * 8ull},
                                            {"y", "Float64", 8},
                                            {"z", "Float64", (rows + 1) * 8ull}};

    const std::string extent = "0 " + std::to_string(columns) + " 0 0 0 " + std::to_string(rows);
    out.text("<?xml version=\"1.0\"?>\n<VTKFile type=\"RectilinearGrid\" version=\"1.0\" "
             "byte_order=\"");
    out.text(std::endian::native == std::endian::little ? "LittleEndian" : "BigEndian");
    out.text("\" header_type=\"UInt64\">\n  <RectilinearGrid WholeExtent=\"" + extent +
             "\">\n    <Piece Extent=\"" + extent + "\">\n      <CellData Scalars=\"" + quantity +
             "\">\n");
    std::uint64_t offset = 0;
    auto declare = [&](const VtkArray& array) {
        out.text("        <DataArray type=\"" + std::string(array.type) + "\" Name=\"" +
                 array.name + "\" format=\"appended\" offset=\"" + std::to_string(offset) +
                 "\"/>\n");
        offset += sizeof(std::uint64_t) + array.bytes;
    };
    for (const VtkArray& array : cellArrays)
        declare(array);
    out.text("      </CellData>\n      <Coordinates>\n");
    for (const VtkArray& array : coordinates)
        declare(array);
    out.text("      </Coordinates>\n    </Piece>\n  </RectilinearGrid>\n"
             "  <AppendedData encoding=\"raw\">\n   _");

    // VTK runs x fastest, then z upward: the deepest row comes first.
    auto eachCell = [&](auto&& write) {
        for (int r = block.endRow - 1; r >= block.firstRow; --r) {
            for (int c = block.firstColumn; c < block.endColumn; ++c)
                write(r, c);
            out.record();
        }
    };
    for (const VtkArray& array : cellArrays) {
        out.raw(array.bytes);
        if (array.name == "padding")
            eachCell([&](int r, int c) {
                out.raw(std::uint8_t(view.selection.IsPadding(mesh, r, c) ? 1 : 0));
            });
        else if (array.name == quantity)
            eachCell([&](int r, int c) { out.raw(values.quantity(r, c)); });
        else if (array.name == "log10_" + quantity)
            eachCell([&](int r, int c) { out.raw(values.logQuantity(r, c)); });
        else if (array.name == "doi_index")
            eachCell([&](int r, int c) { out.raw(values.doi(r, c)); });
        else
            eachCell([&](int r, int c) { out.raw(values.comparison(r, c)); });
    }
    out.raw(coordinates[0].bytes);
    for (int c = block.firstColumn; c <= block.endColumn; ++c)
        out.raw(mesh.xNodes[c]);
    out.raw(coordinates[1].bytes);
    out.raw(0.0);
    out.raw(coordinates[2].bytes);
    for (int r = block.endRow; r >= block.firstRow; --r)
        out.raw(0.0 - mesh.zNodes[r]);
    out.text("\n  </AppendedData>\n</VTKFile>\n");
}

bool EndsWith(const std::string& name, const char* ending) {
    const std::size_t length = std::strlen(ending);
    if (name.size() < length)
        return false;
    return std::equal(name.end() - length, name.end(), ending, [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}
} // namespace

CellFormat CellFormatFor(const std::string& fileName) {
    if (EndsWith(fileName, ".csv"))
        return CellFormat::Csv;
    if (EndsWith(fileName, ".xyz"))
        return CellFormat::Xyz;
    if (EndsWith(fileName, ".vtr"))
        return CellFormat::Vtk;
    return CellFormat::Unknown;
}

void WriteCells(CellFormat format, const CTest1Doc& document, const CellExportView& view,
                const ByteSink& sink) {
    Output out(sink);
    if (format == CellFormat::Vtk)
        WriteVtk(document, view, out);
    else if (format != CellFormat::Unknown)
        WriteTable(format, document, view, out);
    out.flush();
}

bool ExportCells(const std::string& fileName, CellFormat format, const CTest1Doc& document,
                 const CellExportView& view, std::string& error) {
    AtomicFile file(fileName);
    WriteCells(format, document, view, [&](std::string_view bytes) { file.write(bytes); });
    if (format == CellFormat::Unknown || !file.commit()) {
        error = "Cannot write " + fileName;
        return false;
    }
    return true;
}
