#include "model/diagnostics.h"

#include <algorithm>

namespace tess {

std::string assertionText(int checkNumber) {
    return "Assertion failed (line " + std::to_string(checkNumber) + ")";
}

void Diagnostics::check(int checkNumber, Severity severity) {
    add({severity, checkNumber, 0, {}, assertionText(checkNumber)});
}

void Diagnostics::error(std::string text, int checkNumber) {
    add({Severity::Error, checkNumber, 0, {}, std::move(text)});
}

void Diagnostics::warning(std::string text, int checkNumber) {
    add({Severity::Warning, checkNumber, 0, {}, std::move(text)});
}

void Diagnostics::append(const Diagnostics& other) {
    entries.insert(entries.end(), other.entries.begin(), other.entries.end());
}

bool Diagnostics::hasErrors() const {
    return count(Severity::Error) > 0;
}

std::size_t Diagnostics::count(Severity severity) const {
    return static_cast<std::size_t>(std::count_if(
        entries.begin(), entries.end(), [&](const Diagnostic& d) { return d.severity == severity; }));
}

}  // namespace tess
