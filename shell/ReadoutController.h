#pragma once

#include <QObject>

class CMainFrame;
class CTest1View;

// The pointer readout: while the left button is held over the view, the status bar
// shows the position and value under the pointer; releasing it brings back the idle
// text. Shift with the left button pans (the view's own) instead.
class ReadoutController : public QObject {
    Q_OBJECT
public:
    ReadoutController(CTest1View& view, CMainFrame& frame);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void readoutAt(const QPointF& position);

    CTest1View& view_;
    CMainFrame& frame_;
};
