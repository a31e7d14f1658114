#pragma once

#include <QCursor>
#include <QGuiApplication>

// The wait cursor over the whole application while a command reads its files: a model of
// millions of cells takes a noticeable moment. A read that fails shows its message box
// inside that time; MessageBoxMessages gives the box the normal cursor back.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// Lifts every wait cursor for as long as it lives (a message box waiting for the user
// during a read), and puts them back afterwards.
class NormalCursor {
public:
    NormalCursor() {
        while (QGuiApplication::overrideCursor()) {
            QGuiApplication::restoreOverrideCursor();
            ++lifted_;
        }
    }
    ~NormalCursor() {
        for (int i = 0; i < lifted_; ++i)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;

private:
    int lifted_ = 0;
};
