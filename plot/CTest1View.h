#pragma once

#include "plot/ViewState.h"

#include <QWidget>

#include <functional>

class CTest1Doc;
class PageMapping;

// The view: draws the document's model section, scaled to fit the client area. It
// reads the document (never changes it) and owns only its display state.
class CTest1View : public QWidget {
    Q_OBJECT
public:
    // `belowSection` is the page layer a feature above the plot draws under the section
    // (the convergence curves).
    explicit CTest1View(const CTest1Doc& document, PageLayer belowSection = {},
                        QWidget* parent = nullptr);

    // Document update: resets the display state from new data, lays out and repaints.
    void OnUpdate();

    // Called by every document update with true for chargeability models (the Log10
    // and Conductivity / Resistivity toolbar buttons hide) and false for the others.
    void setHideScaleButtonsHandler(std::function<void(bool hide)> handler);

    // How the display commands repaint. Partial repaints everything except
    // sectionRect, so the cells are neither erased nor refilled. Every repainted pixel
    // starts from white: Qt paints into a back buffer, so erasing never flickers, and
    // labels drawn over themselves would darken. Without erase thus ends as with erase.
    enum class Repaint { FullWithErase, FullWithoutErase, PartialWithErase };
    void repaintView(Repaint kind);

    // Display commands change the state, then relayout / rebuild colours / repaint.
    ViewState& state() { return state_; }
    const ViewState& state() const { return state_; }
    const CTest1Doc& document() const { return document_; }
    void relayout() { state_.relayout(document_); }

    // The mapping of the current client area; used by the readout and the copy.
    PageMapping mapping() const;
    QRect sectionRect() const;
    // The whole page at the current window's scale, as the clipboard copy takes it.
    QImage pageImage() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CTest1Doc& document_;
    ViewState state_;
    std::function<void(bool)> hideScaleButtons_;
};
