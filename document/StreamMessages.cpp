#include "document/StreamMessages.h"

#include <ostream>

void StreamMessages::error(const std::string& text) {
    out_ << "error: " << text << '\n';
}

void StreamMessages::warning(const std::string& text) {
    out_ << "warning: " << text << '\n';
}

void StreamMessages::information(const std::string& text) {
    out_ << "information: " << text << '\n';
}

bool StreamMessages::askYesNo(const std::string& text) {
    out_ << "question: " << text << '\n';
    return true;
}
