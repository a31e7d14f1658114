#pragma once

#include "dialogs/DialogRunner.h"
#include "plot/CTest1View.h"

#include <string>

class Messages;

// What the view's commands do beyond a line: the display toggles and font steps with
// their repaints, the three settings dialogs, the copy, and the depth of investigation.
class ViewCommands {
public:
    ViewCommands(CTest1View& view, Messages& messages);

    void SetDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }

    // Flips a display flag and repaints the way that flag needs.
    void Toggle(bool DisplaySettings::*flag, CTest1View::Repaint repaint);
    // Flips useColour or flipColours, rebuilds the colour table and repaints over it.
    void ToggleColours(bool DisplaySettings::*flag);
    void StepFont(int step);
    // Takes another colour map, rebuilds the colour table and repaints over it.
    void SetColourMap(ColourMap map);

    // Padding counts from the dialog: taken where they fit the mesh (sums in 64 bits,
    // negative counts refused), the rest kept; then the layout runs again.
    void ApplyPadding(long long left, long long right, long long bottom);

    void OnPaddingCells();
    void OnMinMax();
    void OnAreaOfInterest();
    void OnVerticalExaggeration();
    void OnEditCopy();
    // "Depth of investigation ...": the dialog, then the index from the second model.
    void OnDepthOfInvestigation();
    // The second model and the method of the last depth-of-investigation index.
    const std::string& doiFileName() const { return doiFileName_; }
    bool doiRecovered() const { return doiRecovered_; }
    // Conductivity / Resistivity; a comparison shown follows it into the other quantity.
    void OnConductivityResistivity();
    // "Compare with model ...": the dialog, then the second model read and shown against
    // the loaded one; a model that cannot be read or does not fit changes nothing.
    void OnCompare();
    // "Export data ...": a file name from the save chooser, then the shown cells written
    // to it (the format by its ending, else by the chosen filter).
    void OnExportData();

private:
    CTest1View& view_;
    Messages& messages_;
    DialogRunner runDialog_ = DefaultDialogRunner();
    // The last file and method accepted in the depth-of-investigation dialog, kept for
    // the rest of the run.
    std::string doiFileName_;
    bool doiRecovered_ = true;
    // The same for the comparison dialog.
    std::string compareFileName_;
    bool compareRatio_ = false;
};
