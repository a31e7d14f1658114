#pragma once

#include <optional>
#include <string>

class CTest1Doc;
class PageMapping;
struct ViewState;

// The status-bar text for a left press at a client pixel: the position in metres and
// the value of the cell under it, or "" outside the visible section. Nothing while
// the document holds no loaded data (the status bar is then left alone).
std::optional<std::string> ReadoutText(const CTest1Doc& document, const ViewState& state,
                                       const PageMapping& mapping, double px, double py);
