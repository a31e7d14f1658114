#include "plot/CTest1View.h"

#include "document/CTest1Doc.h"
#include "plot/PageMapping.h"
#include "plot/SectionPainter.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

#include <utility>

CTest1View::CTest1View(const CTest1Doc& document, PageLayer belowSection, QWidget* parent)
    : QWidget(parent), document_(document) {
    state_.belowSection = std::move(belowSection);
    // paintEvent erases what it repaints itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

void CTest1View::setHideScaleButtonsHandler(std::function<void(bool)> handler) {
    hideScaleButtons_ = std::move(handler);
}

void CTest1View::setWindowChangedHandler(std::function<void()> handler) {
    windowChanged_ = std::move(handler);
}

bool CTest1View::hasSection() const {
    return document_.loaded && state_.layout.scale > 0.0 && state_.layout.depthScale > 0.0;
}

bool CTest1View::canZoomIn() const {
    // A little room for rounding, so that a zoom stopped at the limit counts as there.
    return hasSection() && state_.layout.window.width() >
                               MinWindowWidth(document_.mesh, state_.settings) * (1.0 + 1e-9);
}

void CTest1View::showWindow(const SectionWindow& window) {
    if (window == state_.layout.window)
        return;
    state_.setZoom(document_, window);
    repaintView(Repaint::FullWithErase);
    if (windowChanged_)
        windowChanged_();
}

void CTest1View::zoomAt(const QPointF& pixel, double factor) {
    const PageMapping pageMapping = mapping();
    if (!hasSection() || !pageMapping.isValid())
        return;
    const QPointF page = pageMapping.toPage(pixel.x(), pixel.y());
    const PlotLayout& layout = state_.layout;
    showWindow(ZoomWindow(layout.window, WholeSection(document_.mesh, state_.settings),
                          layout.modelX(page.x()), layout.modelDepth(page.y()), factor,
                          MinWindowWidth(document_.mesh, state_.settings)));
}

void CTest1View::zoomAboutCentre(double factor) {
    if (!hasSection())
        return;
    const SectionWindow& w = state_.layout.window;
    showWindow(ZoomWindow(w, WholeSection(document_.mesh, state_.settings),
                          (w.left + w.right) / 2.0, (w.top + w.bottom) / 2.0, factor,
                          MinWindowWidth(document_.mesh, state_.settings)));
}

void CTest1View::showWholeSection() {
    if (hasSection())
        showWindow(WholeSection(document_.mesh, state_.settings));
}

void CTest1View::wheelEvent(QWheelEvent* event) {
    // 120 is one notch; finer wheels and touch pads send parts of it.
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0.0)
        zoomAt(event->position(), std::pow(DisplaySettings::ZoomStep, notches));
    event->accept();
}

void CTest1View::mousePressEvent(QMouseEvent* event) {
    const bool drag =
        event->button() == Qt::MiddleButton ||
        (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ShiftModifier));
    if (drag && hasSection()) {
        pan_ = Pan{event->position(), state_.layout.window};
        setCursor(Qt::ClosedHandCursor);
    }
}

void CTest1View::mouseMoveEvent(QMouseEvent* event) {
    const PageMapping pageMapping = mapping();
    if (!pan_ || !hasSection() || !pageMapping.isValid())
        return;
    // The window keeps its size, so the mapping stays as it was when the drag began;
    // the point under the pointer stays under it.
    const QPointF moved = (event->position() - pan_->start) / pageMapping.factor();
    showWindow(PanWindow(pan_->window, WholeSection(document_.mesh, state_.settings),
                         -moved.x() / state_.layout.scale, -moved.y() / state_.layout.depthScale));
}

void CTest1View::mouseReleaseEvent(QMouseEvent* event) {
    if (pan_ && (event->button() == Qt::MiddleButton || event->button() == Qt::LeftButton)) {
        pan_.reset();
        unsetCursor();
    }
}

void CTest1View::OnUpdate() {
    const DocumentUpdateResult result = ApplyDocumentUpdate(state_, document_);
    if (!result.applied)
        return;
    if (result.hideScaleButtons && hideScaleButtons_)
        hideScaleButtons_(*result.hideScaleButtons);
    repaintView(Repaint::FullWithErase);
}

void CTest1View::repaintView(Repaint kind) {
    if (kind == Repaint::PartialWithErase)
        update(QRegion(rect()) - sectionRect());
    else
        update();
}

PageMapping CTest1View::mapping() const {
    return MappingFor(state_, size());
}

QRect CTest1View::sectionRect() const {
    return SectionRect(state_.layout, mapping());
}

QImage CTest1View::pageImage() const {
    return RenderPageImage(document_, state_, size());
}

void CTest1View::paintEvent(QPaintEvent* event) {
    // Every paint starts from white, whoever asked for it: Qt also repaints on its own
    // (focus changes, exposure), and antialiased text drawn over itself darkens. The
    // painter is clipped to the region.
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    PaintPage(painter, document_, state_, mapping(), event->region());
}
