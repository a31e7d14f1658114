#pragma once

#include "dialogs/DialogRunner.h"
#include "shell/CommandTarget.h"

#include <string>

class CTest1View;
class Messages;

// The view's place on the command route: the display toggles, the font steps, the
// three settings dialogs, the copy, and the depth-of-investigation and weights views.
class ViewCommands : public CommandTarget {
public:
    ViewCommands(CTest1View& view, Messages& messages);

    void SetDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }

    bool HandlesCommand(int id) const override;
    void RunCommand(int id) override;
    std::optional<bool> CommandEnabled(int id) const override;
    std::optional<bool> CommandChecked(int id) const override;

    // Padding counts from the dialog: taken where they fit the mesh (sums in 64 bits,
    // negative counts refused), the rest kept; then the layout runs again.
    void ApplyPadding(long long left, long long right, long long bottom);

    // "Depth of investigation ...": the dialog, then the index from the second model.
    void OnDepthOfInvestigation();

private:
    void OnPaddingCells();
    void OnMinMax();
    void OnAreaOfInterest();
    void OnEditCopy();

    CTest1View& view_;
    Messages& messages_;
    DialogRunner runDialog_ = DefaultDialogRunner();
    // The last file and method accepted in the depth-of-investigation dialog, kept for
    // the rest of the run.
    std::string doiFileName_;
    bool doiRecovered_ = true;
};
