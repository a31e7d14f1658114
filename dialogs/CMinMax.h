#pragma once

#include "dialogs/SettingsDialog.h"

class NumberBox;

// "Set data range": the colour bar's maximum and minimum in shown units. "Reset"
// ends with OK and both at 0, which asks for the model's own range.
class CMinMax : public SettingsDialog {
    Q_OBJECT
public:
    explicit CMinMax(Messages& messages, QWidget* parent = nullptr);

    double max = 0.0;
    double min = 0.0;

    NumberBox* maxBox() const { return maxBox_; }
    NumberBox* minBox() const { return minBox_; }
    QPushButton* resetButton() const { return reset_; }

protected:
    void showEvent(QShowEvent* event) override;
    void onOk() override;

private:
    NumberBox* maxBox_;
    NumberBox* minBox_;
    QPushButton* reset_;
};
