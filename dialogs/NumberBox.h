#pragma once

#include <QLineEdit>

#include <cstdint>
#include <optional>

class Messages;

// A dialog's number box: right-aligned, never takes drops, optionally digits only.
class NumberBox : public QLineEdit {
    Q_OBJECT
public:
    enum class Kind { Float, Integer, Digits };
    explicit NumberBox(Kind kind, QWidget* parent = nullptr);

    void setFloat(double value);
    void setInteger(std::int32_t value);

    // Reads the box; on failure shows "Enter a number." / "Enter an integer.", gives
    // the box the focus with its text selected, and returns nothing.
    std::optional<double> readFloat(Messages& messages);
    std::optional<std::int32_t> readInteger(Messages& messages);

private:
    void refuse(Messages& messages, const char* text);
    Kind kind_;
};
