#pragma once

#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace tess {

// One file's work in a batch: handles input `index`, printing to the streams it is
// handed, and returns kConvertOk or kConvertFailed. Called from several threads at once.
using FileTask = std::function<int(std::size_t index, std::ostream& out, std::ostream& err)>;

struct BatchOptions {
    std::size_t jobs = 1;       // worker threads (at most one per input)
    bool showProgress = false;  // draw a progress line on `err`, which is a terminal
    std::string doneWord;       // what happened to the inputs that passed: "converted"
};

// Runs `task` on every input on `jobs` threads. What one task prints is buffered and
// printed whole, in input order, so outputs of different files never mix and do not
// depend on the thread count: the standard output under a "==> INPUT <==" line, then its
// standard error. The progress line ("[done/total] latest started input") is rewritten
// in place with \r and cleared before anything else is printed. Ends with one line per
// failed input and a total on `err`. kConvertFailed when any task failed.
int runBatch(const std::vector<std::string>& inputs, const FileTask& task, const BatchOptions& options,
             std::ostream& out, std::ostream& err);

}  // namespace tess
