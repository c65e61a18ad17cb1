#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tess {

// Exit statuses of tessarine-convert.
enum ConvertStatus : int {
    kConvertOk = 0,
    kConvertFailed = 1,  // unreadable or faulty input, refused or failed write, --check findings,
                         // or warnings under --strict; in a batch, any of these for any input
    kConvertUsage = 2,   // wrong arguments
};

// The command-line converter without the process around it. `args` are the arguments
// after the program name. `out` receives what the readers print (the MDX "Tag:" trace,
// the MDL parse report) and the --check findings; `err` the assertion reports
// ("Assertion failure: Assertion failed (line N)"), the warnings ("Warning: FILE: text")
// and error messages. A conversion reads INPUT, prints what is wrong with the model as
// warnings and writes it as it is: it fails only when INPUT cannot be read (a read error,
// a truncated or damaged MDX file, an MDL parse error), when the writer refuses the model,
// or, with --strict, when there is any warning. OUTPUT is replaced by an atomic rename
// after the whole image was written, so a failure leaves it as it was.
//
// A batch (--to FORMAT -o DIR INPUT..., or --check with several inputs or -j) converts or
// checks each input that way on several threads, keeps each input's output together and
// in input order, and ends with the failed inputs and a total on `err`. `showProgress`
// (for an `err` that is a terminal) adds a progress line on `err`, rewritten in place.
int runConverter(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 bool showProgress = false);

}  // namespace tess
