#include "shell/ViewCommands.h"

#include "document/Messages.h"

#include "dialogs/BusyCursor.h"
#include "dialogs/CAreaIntrst.h"
#include "dialogs/CCompare.h"
#include "dialogs/CDoi.h"
#include "dialogs/CMinMax.h"
#include "dialogs/CPadDlg.h"
#include "dialogs/CVertExag.h"
#include "dialogs/FileChooser.h"
#include "dialogs/FileNameBox.h"
#include "document/CTest1Doc.h"
#include "doi/DoiComputation.h"
#include "export/CellExport.h"
#include "plot/CTest1View.h"
#include "plot/SectionValues.h"
#include "plot/ValueScale.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include <filesystem>

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
    view_.state().refreshComparison(view_.document());
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
    ViewState& state = view_.state();
    const CTest1Doc& doc = view_.document();
    ModelComparison& comparison = state.comparison;
    // A comparison's range is typed in its own values, as its colour bar writes them.
    DisplaySettings shownAs = SectionValues(doc, state).settings();
    CMinMax dialog(messages_, &view_);
    const DialogRange shown = RangeForDialog(shownAs, doc.modelKind);
    dialog.max = shown.high;
    dialog.min = shown.low;
    if (runDialog_(dialog) != QDialog::Accepted)
        return;
    if (!comparison.shown) {
        // Linear values of a logarithmic model have no logarithm at 0 or below: such a
        // range would colour nothing, so it is refused and the old one kept.
        if (ApplyDialogRange(dialog.min, dialog.max, state.settings, doc.model) ==
            RangeEntry::Refused)
            messages_.warning("Min and max must be greater than 0 unless Log10 is checked.");
    } else if (dialog.min == 0.0 && dialog.max == 0.0) {
        comparison.automaticRange = true;
        state.refreshComparison(doc);
    } else if (ApplyDialogRange(dialog.min, dialog.max, shownAs, doc.model) ==
               RangeEntry::Refused) {
        messages_.warning("Min and max must be greater than 0 for a ratio.");
    } else {
        comparison.rangeMin = shownAs.rangeMin;
        comparison.rangeMax = shownAs.rangeMax;
        comparison.automaticRange = false;
    }
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

void ViewCommands::OnConductivityResistivity() {
    ViewState& state = view_.state();
    state.settings.showConductivity = !state.settings.showConductivity;
    if (!state.comparison.shown) {
        view_.repaintView(Repaint::PartialWithErase);
        return;
    }
    state.refreshComparison(view_.document());
    view_.repaintView(Repaint::FullWithErase);
}

void ViewCommands::OnCompare() {
    ViewState& state = view_.state();
    const CTest1Doc& doc = view_.document();
    CCompare dialog(messages_, doc.folder(), &view_);
    dialog.fileName = compareFileName_;
    dialog.ratio = compareRatio_;
    if (runDialog_(dialog) != QDialog::Accepted)
        return;
    if (dialog.resetRequested) {
        state.comparison.Clear();
        view_.repaintView(Repaint::FullWithErase);
        return;
    }
    compareFileName_ = dialog.fileName;
    compareRatio_ = dialog.ratio;
    const BusyCursor busy;
    CellModel second;
    switch (ReadSecondModel(doc, dialog.fileName, second, messages_)) {
    case SecondModelRead::Failed:
        return;
    case SecondModelRead::DoesNotFit:
        messages_.warning(DoesNotFitMessage());
        return;
    case SecondModelRead::Ok:
        break;
    }
    state.showComparison(doc, std::move(second),
                         dialog.ratio ? ComparisonMode::Ratio : ComparisonMode::Percent);
    view_.repaintView(Repaint::FullWithErase);
}

namespace {
// The save chooser's filters and the ending each gives a name that has none of them.
struct CellFilter {
    const char* filter;
    const char* ending;
};
constexpr CellFilter CellFilters[] = {
    {"CSV (*.csv)", ".csv"},
    {"XYZ (*.xyz)", ".xyz"},
    {"VTK rectilinear grid (*.vtr)", ".vtr"},
};
} // namespace

void ViewCommands::OnExportData() {
    const CTest1Doc& doc = view_.document();
    QStringList filters;
    for (const CellFilter& filter : CellFilters)
        filters << QString::fromUtf8(filter.filter);
    QString selected = filters.front();
    // Named after the model, in its folder.
    const std::string start =
        std::filesystem::path(doc.modelFileName).stem().string() + CellFilters[0].ending;
    const QString chosen = ChooseFileToSave(&view_, QStringLiteral("Export data"),
                                            ChooserStart(doc.folder(), FileNameText(start)),
                                            filters.join(";;"), &selected);
    if (chosen.isEmpty())
        return;
    std::string name = ChosenFileName(doc.folder(), chosen);
    CellFormat format = CellFormatFor(name);
    if (format == CellFormat::Unknown) {
        const auto index = std::max<qsizetype>(0, filters.indexOf(selected));
        name += CellFilters[index].ending;
        format = CellFormatFor(name);
    }
    const ViewState& state = view_.state();
    const CellExportView cells{.selection = state.cellSelection(),
                               .conductivity = state.settings.showConductivity,
                               .doi = &state.doi,
                               .comparison = &state.comparison};
    std::string error;
    const BusyCursor busy;
    if (!ExportCells(name, format, doc, cells, error))
        messages_.warning(error);
}
