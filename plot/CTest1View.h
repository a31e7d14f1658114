#pragma once

#include "plot/ViewState.h"

#include <QWidget>

#include <functional>
#include <optional>

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
    // Called whenever a zoom or pan changed the shown window.
    void setWindowChangedHandler(std::function<void()> handler);

    // Zoom and pan. A factor above 1 zooms in. The wheel zooms about the point under
    // the pointer by ZoomStep a notch; the middle button, or the left one with Shift
    // held, drags the picture. canZoomIn is false without data and at the zoom limit.
    bool canZoomIn() const;
    void zoomAt(const QPointF& pixel, double factor);
    void zoomAboutCentre(double factor);
    void showWholeSection();
    bool isPanning() const { return pan_.has_value(); }

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
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Shows the window (held inside the section by its maker) and repaints.
    void showWindow(const SectionWindow& window);
    bool hasSection() const;

    const CTest1Doc& document_;
    ViewState state_;
    std::function<void(bool)> hideScaleButtons_;
    std::function<void()> windowChanged_;
    // A drag in progress: where it started and the window shown then.
    struct Pan {
        QPointF start;
        SectionWindow window;
    };
    std::optional<Pan> pan_;
};
