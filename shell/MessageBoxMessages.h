#pragma once

#include "document/Messages.h"

class QWidget;

// Shows each message in a modal QMessageBox captioned "korvex-model-viewer".
// Without a parent (start-up reads run before any window exists) the box has no owner.
class MessageBoxMessages : public Messages {
public:
    explicit MessageBoxMessages(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void error(const std::string& text) override;
    void warning(const std::string& text) override;
    void information(const std::string& text) override;
    bool askYesNo(const std::string& text) override;

    static const char* const Caption;

private:
    QWidget* parent_;
};
