#pragma once

#include "dialogs/SettingsDialog.h"

class NumberBox;

// "Area of Interest": the left and right ends at the surface and the depth of the
// trapezoid to show; a depth of 0 shows everything.
class CAreaIntrst : public SettingsDialog {
    Q_OBJECT
public:
    explicit CAreaIntrst(Messages& messages, QWidget* parent = nullptr);

    double depth = 0.0;
    double left = 0.0;
    double right = 0.0;

    NumberBox* depthBox() const { return depthBox_; }
    NumberBox* leftBox() const { return leftBox_; }
    NumberBox* rightBox() const { return rightBox_; }

protected:
    void showEvent(QShowEvent* event) override;
    void onOk() override;

private:
    NumberBox* depthBox_;
    NumberBox* leftBox_;
    NumberBox* rightBox_;
};
