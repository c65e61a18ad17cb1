#include "batch.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <sstream>
#include <string_view>
#include <thread>

#include "convert.h"
#include "convert_file.h"

namespace tess {
namespace {

// Longest input name shown on the progress line, so that the line does not wrap (a
// wrapped line cannot be rewritten with \r).
constexpr std::size_t kShownNameLength = 60;
constexpr const char* kClearLine = "\r\x1b[K";

struct FileResult {
    std::string out, err;
    int status = kConvertOk;
    bool finished = false;
};

// What the workers share; every member is guarded by `lock`.
class BatchPrinter {
public:
    BatchPrinter(const std::vector<std::string>& inputs, bool showProgress, std::ostream& out,
                 std::ostream& err)
        : inputs_(inputs), results_(inputs.size()), showProgress_(showProgress), out_(out), err_(err) {}

    void started(std::size_t index) {
        const std::lock_guard guard(lock_);
        latest_ = index;
        drawProgress();
    }

    void finished(std::size_t index, FileResult result) {
        const std::lock_guard guard(lock_);
        results_[index] = std::move(result);
        results_[index].finished = true;
        ++finishedCount_;
        while (printed_ < results_.size() && results_[printed_].finished) printResult(printed_++);
        drawProgress();
    }

    // After every worker has ended.
    const std::vector<FileResult>& results() const { return results_; }
    void clearProgress() {
        if (showProgress_) err_ << kClearLine << std::flush;
    }

private:
    void printResult(std::size_t index) {
        clearProgress();
        FileResult& result = results_[index];
        if (!result.out.empty()) out_ << "==> " << inputs_[index] << " <==\n" << result.out;
        out_.flush();
        err_ << result.err;
        err_.flush();
        result.out = {};
        result.err = {};
    }

    void drawProgress() {
        if (!showProgress_) return;
        const std::string& name = inputs_[latest_];
        const std::size_t skip = name.size() > kShownNameLength ? name.size() - kShownNameLength : 0;
        err_ << kClearLine << '[' << finishedCount_ << '/' << inputs_.size() << "] " << (skip ? "..." : "")
             << std::string_view(name).substr(skip) << std::flush;
    }

    std::mutex lock_;
    const std::vector<std::string>& inputs_;
    std::vector<FileResult> results_;
    std::size_t printed_ = 0, finishedCount_ = 0, latest_ = 0;
    const bool showProgress_;
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace

int runBatch(const std::vector<std::string>& inputs, const FileTask& task, const BatchOptions& options,
             std::ostream& out, std::ostream& err) {
    BatchPrinter printer(inputs, options.showProgress, out, err);
    std::atomic<std::size_t> next = 0;
    const auto work = [&] {
        for (std::size_t index = next++; index < inputs.size(); index = next++) {
            printer.started(index);
            std::ostringstream fileOut, fileErr;
            const int status = task(index, fileOut, fileErr);
            printer.finished(index, {std::move(fileOut).str(), std::move(fileErr).str(), status});
        }
    };
    const std::size_t threadCount =
        std::clamp<std::size_t>(options.jobs, 1, std::max<std::size_t>(inputs.size(), 1));
    std::vector<std::jthread> workers;
    for (std::size_t i = 1; i < threadCount; ++i) workers.emplace_back(work);
    work();
    workers.clear();

    printer.clearProgress();
    std::size_t failed = 0;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        if (printer.results()[i].status == kConvertOk) continue;
        err << kConverterPrefix << "failed: " << inputs[i] << '\n';
        ++failed;
    }
    err << kConverterPrefix << inputs.size() - failed << " of " << inputs.size() << ' ' << options.doneWord
        << ", " << failed << " failed\n";
    return failed == 0 ? kConvertOk : kConvertFailed;
}

}  // namespace tess
