#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tess {

// Exit statuses of tessarine-convert.
enum ConvertStatus : int {
    kConvertOk = 0,
    kConvertFailed = 1,  // unreadable or faulty input, invalid model, or failed write
    kConvertUsage = 2,   // wrong arguments
};

// The command-line converter without the process around it. `args` are the arguments
// after the program name. `out` receives what the readers print (the MDX "Tag:" trace,
// the MDL parse report) and the --check findings; `err` the assertion reports
// ("Assertion failure: Assertion failed (line N)") and error messages. A conversion
// writes OUTPUT only after a read without any report and a sound model, and then only
// by an atomic replace, so a failure leaves OUTPUT as it was.
int runConverter(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tess
