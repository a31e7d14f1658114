#include "shell/ReadoutController.h"

#include "plot/CTest1View.h"
#include "plot/PageMapping.h"
#include "plot/PointerReadout.h"
#include "shell/CMainFrame.h"

#include <QMouseEvent>

ReadoutController::ReadoutController(CTest1View& view, CMainFrame& frame)
    : QObject(&view), view_(view), frame_(frame) {
    view.installEventFilter(this);
}

void ReadoutController::readoutAt(const QPointF& position) {
    const auto text =
        ReadoutText(view_.document(), view_.state(), view_.mapping(), position.x(), position.y());
    if (text)
        frame_.SetStatusText(QString::fromStdString(*text));
}

bool ReadoutController::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &view_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        // With Shift the left button drags the picture instead (the view's pan).
        if (mouse->button() == Qt::LeftButton && !(mouse->modifiers() & Qt::ShiftModifier))
            readoutAt(mouse->position());
        break;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if ((mouse->buttons() & Qt::LeftButton) && !view_.isPanning())
            readoutAt(mouse->position());
        break;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            frame_.SetStatusText(frame_.idleText());
        break;
    default:
        break;
    }
    return false;
}
