#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace tess {

// Errors of the last MDL parse: parallel arrays, one entry per error in the order
// logged, and the flag that tells the parser to stop after the current top-level block.
struct ParseLog {
    std::vector<std::string> messages;
    std::vector<std::string> lineTexts;
    std::vector<std::uint32_t> lineNumbers;
    std::uint8_t stop = 0;

    void clear();
    void addError(const std::string& lineText, std::uint32_t lineNumber, const std::string& message,
                  std::uint8_t stopValue = 1);
    std::size_t errorCount() const { return messages.size(); }
    // "%d errors", then per error "  Line N: text" and "    message".
    void printReport(std::ostream& out) const;
};

}  // namespace tess
