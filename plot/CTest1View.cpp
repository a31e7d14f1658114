#include "plot/CTest1View.h"

#include "document/CTest1Doc.h"
#include "plot/PageMapping.h"
#include "plot/SectionPainter.h"

#include <QPaintEvent>
#include <QPainter>

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
