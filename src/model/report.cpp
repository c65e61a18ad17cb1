#include "model/report.h"

namespace tess {

std::string assertionText(int checkNumber) {
    return "Assertion failed (line " + std::to_string(checkNumber) + ")";
}

}  // namespace tess
