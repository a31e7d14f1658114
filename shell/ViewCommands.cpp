#include "shell/ViewCommands.h"

#include "document/Messages.h"

#include "dialogs/BusyCursor.h"
#include "dialogs/CAreaIntrst.h"
#include "dialogs/CDoi.h"
#include "dialogs/CMinMax.h"
#include "dialogs/CPadDlg.h"
#include "document/CTest1Doc.h"
#include "doi/DoiComputation.h"
#include "plot/CTest1View.h"
#include "plot/ValueScale.h"
#include "shell/CommandIds.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

using Repaint = CTest1View::Repaint;

ViewCommands::ViewCommands(CTest1View& view, Messages& messages)
    : view_(view), messages_(messages) {}

bool ViewCommands::HandlesCommand(int id) const {
    switch (id) {
    case ID_PADDING_CELLS:
    case ID_MIN_MAX:
    case ID_LOG10:
    case ID_MESH:
    case ID_COND_RES:
    case ID_COLOUR_MAP:
    case ID_CONVERGENCE:
    case ID_AREA_OF_INTEREST:
    case ID_FLIP_COLOURS:
    case ID_DEPTH_OF_INVESTIGATION:
    case ID_FONT_DECREASE:
    case ID_FONT_INCREASE:
    case ID_VIEW_WEIGHTS:
    case ID_EDIT_COPY:
        return true;
    default:
        return false;
    }
}

std::optional<bool> ViewCommands::CommandEnabled(int id) const {
    const CTest1Doc& doc = view_.document();
    const DisplaySettings& s = view_.state().settings;
    switch (id) {
    case ID_PADDING_CELLS:
    case ID_MIN_MAX:
    case ID_MESH:
    case ID_DEPTH_OF_INVESTIGATION:
        return doc.loaded;
    case ID_LOG10:
        return doc.modelKind != Chargeability;
    case ID_COND_RES:
        return doc.modelKind == Conductivity;
    case ID_CONVERGENCE:
        return doc.loaded && doc.convergenceLoaded;
    case ID_FONT_DECREASE:
        return doc.loaded && s.fontHeight > 1;
    case ID_FONT_INCREASE:
        return doc.loaded && s.fontHeight < DisplaySettings::MaxFontHeight;
    case ID_VIEW_WEIGHTS:
        return doc.weightsLoaded;
    default:
        return std::nullopt;
    }
}

std::optional<bool> ViewCommands::CommandChecked(int id) const {
    const DisplaySettings& s = view_.state().settings;
    switch (id) {
    case ID_LOG10:
        return s.showLog;
    case ID_MESH:
        return s.showMesh;
    case ID_CONVERGENCE:
        return s.showConvergence;
    case ID_VIEW_WEIGHTS:
        return s.showWeights;
    default:
        return std::nullopt;
    }
}

void ViewCommands::RunCommand(int id) {
    ViewState& state = view_.state();
    DisplaySettings& s = state.settings;
    switch (id) {
    case ID_LOG10:
        s.showLog = !s.showLog;
        view_.repaintView(Repaint::PartialWithErase);
        break;
    case ID_COND_RES:
        s.showConductivity = !s.showConductivity;
        view_.repaintView(Repaint::PartialWithErase);
        break;
    case ID_MESH:
        s.showMesh = !s.showMesh;
        view_.repaintView(Repaint::FullWithErase);
        break;
    case ID_COLOUR_MAP:
        s.useColour = !s.useColour;
        state.rebuildColours();
        view_.repaintView(Repaint::FullWithoutErase);
        break;
    case ID_FLIP_COLOURS:
        s.flipColours = !s.flipColours;
        state.rebuildColours();
        view_.repaintView(Repaint::FullWithoutErase);
        break;
    case ID_CONVERGENCE:
        s.showConvergence = !s.showConvergence;
        view_.repaintView(Repaint::FullWithErase);
        break;
    case ID_VIEW_WEIGHTS:
        s.showWeights = !s.showWeights;
        view_.repaintView(Repaint::FullWithErase);
        break;
    case ID_FONT_DECREASE:
        s.fontHeight -= DisplaySettings::FontStep;
        view_.repaintView(Repaint::FullWithErase);
        break;
    case ID_FONT_INCREASE:
        s.fontHeight += DisplaySettings::FontStep;
        view_.repaintView(Repaint::FullWithErase);
        break;
    case ID_PADDING_CELLS:
        OnPaddingCells();
        break;
    case ID_MIN_MAX:
        OnMinMax();
        break;
    case ID_AREA_OF_INTEREST:
        OnAreaOfInterest();
        break;
    case ID_EDIT_COPY:
        OnEditCopy();
        break;
    case ID_DEPTH_OF_INVESTIGATION:
        OnDepthOfInvestigation();
        break;
    default:
        break;
    }
}

void ViewCommands::OnDepthOfInvestigation() {
    DoiIndex& doi = view_.state().doi;
    CDoi dialog(messages_, view_.document().folder(), &view_);
    dialog.fileName = doiFileName_;
    dialog.cutoffIndex = CutoffListPosition(doi.cutoff);
    dialog.useRecoveredModel = doiRecovered_;
    if (runDialog_(dialog) != QDialog::Accepted)
        return;
    doi.Clear();
    if (!dialog.resetRequested) {
        doiFileName_ = dialog.fileName;
        doiRecovered_ = dialog.useRecoveredModel;
        if (dialog.cutoffIndex >= 0 && dialog.cutoffIndex <= 8)
            doi.cutoff = CutoffForPosition(dialog.cutoffIndex);
        const BusyCursor busy;
        ComputeDoi(view_.document(), dialog.fileName,
                   dialog.useRecoveredModel ? DoiMethod::RecoveredModel : DoiMethod::Sensitivity,
                   doi, messages_);
    }
    view_.repaintView(Repaint::FullWithErase);
}

void ViewCommands::ApplyPadding(long long left, long long right, long long bottom) {
    DisplaySettings& s = view_.state().settings;
    const MeshGrid& mesh = view_.document().mesh;
    if (left >= 0 && right >= 0 && left + right < mesh.nx) {
        s.padLeft = static_cast<int>(left);
        s.padRight = static_cast<int>(right);
    }
    if (bottom >= 0 && bottom < mesh.nz)
        s.padBottom = static_cast<int>(bottom);
    view_.relayout();
    view_.repaintView(Repaint::FullWithErase);
}

void ViewCommands::OnPaddingCells() {
    const DisplaySettings& s = view_.state().settings;
    CPadDlg dialog(messages_, &view_);
    dialog.left = s.padLeft;
    dialog.right = s.padRight;
    dialog.bottom = s.padBottom;
    if (runDialog_(dialog) != QDialog::Accepted)
        return;
    ApplyPadding(dialog.left, dialog.right, dialog.bottom);
}

void ViewCommands::OnMinMax() {
    DisplaySettings& s = view_.state().settings;
    const CTest1Doc& doc = view_.document();
    CMinMax dialog(messages_, &view_);
    const DialogRange shown = RangeForDialog(s, doc.modelKind);
    dialog.max = shown.high;
    dialog.min = shown.low;
    if (runDialog_(dialog) != QDialog::Accepted)
        return;
    // Linear values of a logarithmic model have no logarithm at 0 or below: such a
    // range would colour nothing, so it is refused and the old one kept.
    if (ApplyDialogRange(dialog.min, dialog.max, s, doc.model) == RangeEntry::Refused)
        messages_.warning("Min and max must be greater than 0 unless Log10 is checked.");
    view_.repaintView(Repaint::FullWithErase);
}

void ViewCommands::OnAreaOfInterest() {
    DisplaySettings& s = view_.state().settings;
    CAreaIntrst dialog(messages_, &view_);
    dialog.left = s.areaLeft;
    dialog.right = s.areaRight;
    dialog.depth = s.areaDepth;
    if (runDialog_(dialog) != QDialog::Accepted)
        return;
    s.areaLeft = dialog.left;
    s.areaRight = dialog.right;
    s.areaDepth = dialog.depth;
    view_.repaintView(Repaint::FullWithErase);
}

void ViewCommands::OnEditCopy() {
    const QImage image = view_.pageImage();
    if (!image.isNull())
        QGuiApplication::clipboard()->setImage(image);
}
