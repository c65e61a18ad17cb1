#include "model/parse_log.h"

namespace tess {

void ParseLog::clear() {
    messages.clear();
    lineTexts.clear();
    lineNumbers.clear();
    stop = 0;
}

void ParseLog::addError(const std::string& lineText, std::uint32_t lineNumber, const std::string& message,
                        std::uint8_t stopValue) {
    messages.push_back(message);
    lineTexts.push_back(lineText);
    lineNumbers.push_back(lineNumber);
    stop = stopValue;
}

void ParseLog::printReport(std::ostream& out) const {
    out << messages.size() << " errors\n";
    for (std::size_t i = 0; i < messages.size(); ++i) {
        out << "  Line " << lineNumbers[i] << ": " << lineTexts[i] << '\n';
        out << "    " << messages[i] << '\n';
    }
}

}  // namespace tess
