#pragma once

#include <QPainter>

// save() on construction, restore() on destruction, so an early return cannot leave a
// transform, clip, pen or font behind.
class PainterGuard {
public:
    explicit PainterGuard(QPainter& painter) : painter_(painter) { painter_.save(); }
    ~PainterGuard() { painter_.restore(); }
    PainterGuard(const PainterGuard&) = delete;
    PainterGuard& operator=(const PainterGuard&) = delete;

private:
    QPainter& painter_;
};
