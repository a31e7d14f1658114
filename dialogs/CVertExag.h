#pragma once

#include "dialogs/SettingsDialog.h"

class NumberBox;

// "Vertical Exaggeration": the factor, from 1 to 100, that multiplies the section's
// height on the page.
class CVertExag : public SettingsDialog {
    Q_OBJECT
public:
    explicit CVertExag(Messages& messages, QWidget* parent = nullptr);

    double factor = 1.0;

    NumberBox* factorBox() const { return factorBox_; }

protected:
    void showEvent(QShowEvent* event) override;
    void onOk() override;

private:
    NumberBox* factorBox_;
};
