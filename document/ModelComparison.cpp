#include "document/ModelComparison.h"

#include "document/CTest1Doc.h"
#include "document/ModelReader.h"

#include <cmath>
#include <limits>

namespace {
constexpr double NotANumber = std::numeric_limits<double>::quiet_NaN();
} // namespace

std::string QuantityName(ModelKind kind, bool conductivity) {
    switch (kind) {
    case Conductivity:
        return conductivity ? "conductivity" : "resistivity";
    case Chargeability:
        return "chargeability";
    case Sensitivity:
        return "sensitivity";
    }
    return {};
}

float ShownQuantity(float stored, ModelKind kind, bool conductivity) {
    switch (kind) {
    case Conductivity:
        return std::pow(10.0f, conductivity ? stored : -stored);
    case Chargeability:
        return stored;
    case Sensitivity:
        return std::pow(10.0f, stored);
    }
    return stored;
}

double ComparisonValue(float loaded, float second, ModelKind kind, bool conductivity,
                       ComparisonMode mode) {
    const float blank = blankLevel(kind);
    if (!(loaded > blank) || !(second > blank))
        return NotANumber;
    double ratio = 0.0;
    double percent = 0.0;
    if (kind == Chargeability) {
        ratio = double(second) / double(loaded);
        percent = 100.0 * (double(second) - double(loaded)) / double(loaded);
    } else {
        // Both are logarithms: the ratio is 10 to their difference, turned round for
        // resistivity.
        const double difference = double(second) - double(loaded);
        ratio = std::pow(10.0, kind == Conductivity && !conductivity ? -difference : difference);
        percent = 100.0 * (ratio - 1.0);
    }
    // A ratio of 0 or below has no place on its logarithmic scale.
    const double value = mode == ComparisonMode::Percent ? percent
                         : ratio > 0.0                   ? ratio
                                                         : NotANumber;
    return std::isfinite(value) ? value : NotANumber;
}

float FiniteFloat(double value) {
    if (!(std::fabs(value) <= std::numeric_limits<float>::max()))
        return std::numeric_limits<float>::quiet_NaN();
    return static_cast<float>(value);
}

void ComputeComparison(const CTest1Doc& document, bool conductivity, ModelComparison& comparison) {
    // A copy has the loaded model's shape whatever holds the values.
    comparison.values = document.model;
    comparison.valuesConductivity = conductivity;
    const bool ratio = comparison.mode == ComparisonMode::Ratio;
    for (int r = 0; r < document.mesh.nz; ++r) {
        for (int c = 0; c < document.mesh.nx; ++c) {
            const double value =
                ComparisonValue(document.model.values[r][c], comparison.second.values[r][c],
                                document.modelKind, conductivity, comparison.mode);
            comparison.values.values[r][c] = FiniteFloat(ratio ? std::log10(value) : value);
        }
    }
}

void SetSymmetricRange(ModelComparison& comparison, const MeshGrid& mesh, int padLeft, int padRight,
                       int padBottom) {
    float largest = 0.0f;
    for (int r = 0; r < mesh.nz - padBottom; ++r) {
        for (int c = padLeft; c < mesh.nx - padRight; ++c) {
            const float size = std::fabs(comparison.values.values[r][c]);
            // NaN fails the comparison; a float too large for a range is left out too.
            if (size > largest && std::isfinite(size))
                largest = size;
        }
    }
    const double half = largest > 0.0f ? largest : 1.0;
    comparison.rangeMin = -half;
    comparison.rangeMax = half;
}

SecondModelRead ReadSecondModel(const CTest1Doc& document, const std::string& fileName,
                                CellModel& second, Messages& messages) {
    // An empty mesh takes any counts; they are held against the loaded mesh afterwards.
    MeshGrid counts;
    CellModel read;
    if (ReadModel(document.folder(), fileName, document.modelKind, counts, read, messages) !=
        ReadResult::Ok)
        return SecondModelRead::Failed;
    if (counts.nx != document.mesh.nx || counts.nz != document.mesh.nz)
        return SecondModelRead::DoesNotFit;
    second = std::move(read);
    return SecondModelRead::Ok;
}
