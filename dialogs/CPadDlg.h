#pragma once

#include "dialogs/SettingsDialog.h"

#include <cstdint>

class NumberBox;

// "Remove Padding Cells": cells to hide at the left, right and bottom. The caller
// decides whether the counts fit the mesh.
class CPadDlg : public SettingsDialog {
    Q_OBJECT
public:
    explicit CPadDlg(Messages& messages, QWidget* parent = nullptr);

    std::int32_t bottom = 0;
    std::int32_t left = 0;
    std::int32_t right = 0;

    NumberBox* bottomBox() const { return bottomBox_; }
    NumberBox* leftBox() const { return leftBox_; }
    NumberBox* rightBox() const { return rightBox_; }

protected:
    void showEvent(QShowEvent* event) override;
    void onOk() override;

private:
    NumberBox* bottomBox_;
    NumberBox* leftBox_;
    NumberBox* rightBox_;
};
