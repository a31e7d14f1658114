#pragma once

#include "document/CellModel.h"
#include "document/MeshGrid.h"
#include "document/ModelKind.h"

#include <string>

class CTest1Doc;
class Messages;

// How a second model is set against the loaded one, in the shown quantity q:
// 100 * (q_second - q_loaded) / q_loaded, or q_second / q_loaded.
enum class ComparisonMode { Percent, Ratio };

// A second model on the loaded mesh and the change from the loaded model to it, one
// value per cell. Held by the view beside the depth-of-investigation index.
struct ModelComparison {
    CellModel second; // stored form, read with the loaded model's kind
    ComparisonMode mode = ComparisonMode::Percent;
    bool shown = false;
    // Per cell the percent difference, or log10 of the ratio (the scale it is coloured
    // on); NaN where either model is blank or the result is not a finite number.
    CellModel values;
    bool valuesConductivity = false; // the quantity `values` were worked out in
    // The colour range in the units of `values`; symmetric about 0 unless set by hand.
    double rangeMin = -1.0;
    double rangeMax = 1.0;
    bool automaticRange = true;

    void Clear() {
        shown = false;
        second = CellModel();
        values = CellModel();
        automaticRange = true;
    }
};

// "resistivity", "conductivity", "chargeability" or "sensitivity": what a model of the kind
// shows with the conductivity display on or off.
std::string QuantityName(ModelKind kind, bool conductivity);

// The shown quantity of a stored value: 10 to the stored (or negated) power for the
// logarithmic kinds, the value itself for chargeability; in single precision, as the
// readout gives it.
float ShownQuantity(float stored, ModelKind kind, bool conductivity);

// The percent difference or the ratio (not its logarithm) of one cell from the two
// stored values; NaN when either is blank or the result is not a finite number (a
// loaded chargeability of 0, a ratio of 0 or below).
double ComparisonValue(float loaded, float second, ModelKind kind, bool conductivity,
                       ComparisonMode mode);

// The float nearest a double, or NaN for a double that is no finite number or lies
// beyond the float range (such a conversion would be undefined).
float FiniteFloat(double value);

// Works out `values` for every cell of the document's model and `second`, in the
// quantity the conductivity flag picks.
void ComputeComparison(const CTest1Doc& document, bool conductivity, ModelComparison& comparison);

// The symmetric range +-max|value| over the cells that the padding counts leave
// visible; +-1 when none of them holds a value other than 0.
void SetSymmetricRange(ModelComparison& comparison, const MeshGrid& mesh, int padLeft, int padRight,
                       int padBottom);

// Reads a second model for the loaded mesh with the loaded model's kind (a relative
// name taken from the document's folder). The model reader shows its own messages;
// DoesNotFit (counts other than the mesh's) shows none, so that the caller can say
// "The second model does not fit the loaded mesh." its own way.
enum class SecondModelRead { Ok, Failed, DoesNotFit };
SecondModelRead ReadSecondModel(const CTest1Doc& document, const std::string& fileName,
                                CellModel& second, Messages& messages);

inline const char* DoesNotFitMessage() {
    return "The second model does not fit the loaded mesh.";
}
