#include "shell/ViewCommands.h"

#include "document/Messages.h"

#include "dialogs/BusyCursor.h"
#include "dialogs/CAreaIntrst.h"
#include "dialogs/CDoi.h"
#include "dialogs/CMinMax.h"
#include "dialogs/CPadDlg.h"
#include "dialogs/CVertExag.h"
#include "document/CTest1Doc.h"
#include "doi/DoiComputation.h"
#include "plot/CTest1View.h"
#include "plot/ValueScale.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

using Repaint = CTest1View::Repaint;

ViewCommands::ViewCommands(CTest1View& view, Messages& messages)
    : view_(view), messages_(messages) {}

void ViewCommands::Toggle(bool DisplaySettings::*flag, Repaint repaint) {
    DisplaySettings& s = view_.state().settings;
    s.*flag = !(s.*flag);
    view_.repaintView(repaint);
}

void ViewCommands::ToggleColours(bool DisplaySettings::*flag) {
    ViewState& state = view_.state();
    state.settings.*flag = !(state.settings.*flag);
    state.rebuildColours();
    view_.repaintView(Repaint::FullWithoutErase);
}

void ViewCommands::SetColourMap(ColourMap map) {
    ViewState& state = view_.state();
    state.settings.colourMap = map;
    state.rebuildColours();
    view_.repaintView(Repaint::FullWithoutErase);
}

void ViewCommands::StepFont(int step) {
    view_.state().settings.fontHeight += step;
    view_.repaintView(Repaint::FullWithErase);
}

void ViewCommands::OnDepthOfInvestigation() {
    DoiIndex& doi = view_.state().doi;
    CDoi dialog(messages_, view_.document().folder(), &view_);
    dialog.fileName = doiFileName_;
    dialog.cutoffIndex = CutoffListPosition(doi.cutoff);
    dialog.useRecoveredModel = doiRecovered_;
    DisplaySettings& s = view_.state().settings;
    dialog.fade = s.doiStyle == DoiStyle::Fade;
    if (runDialog_(dialog) != QDialog::Accepted)
        return;
    doi.Clear();
    if (!dialog.resetRequested) {
        doiFileName_ = dialog.fileName;
        doiRecovered_ = dialog.useRecoveredModel;
        s.doiStyle = dialog.fade ? DoiStyle::Fade : DoiStyle::Hatch;
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
    const DisplaySettings before = s;
    const MeshGrid& mesh = view_.document().mesh;
    if (left >= 0 && right >= 0 && left + right < mesh.nx) {
        s.padLeft = static_cast<int>(left);
        s.padRight = static_cast<int>(right);
    }
    if (bottom >= 0 && bottom < mesh.nz)
        s.padBottom = static_cast<int>(bottom);
    // Other padding shows the whole new section.
    if (s.padLeft != before.padLeft || s.padRight != before.padRight ||
        s.padBottom != before.padBottom)
        s.zoom.reset();
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

void ViewCommands::OnVerticalExaggeration() {
    DisplaySettings& s = view_.state().settings;
    CVertExag dialog(messages_, &view_);
    dialog.factor = s.verticalExaggeration;
    if (runDialog_(dialog) != QDialog::Accepted)
        return;
    s.verticalExaggeration = dialog.factor;
    view_.relayout();
    view_.repaintView(Repaint::FullWithErase);
}

void ViewCommands::OnEditCopy() {
    const QImage image = view_.pageImage();
    if (!image.isNull())
        QGuiApplication::clipboard()->setImage(image);
}
