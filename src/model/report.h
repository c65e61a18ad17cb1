#pragma once

#include <string>
#include <vector>

namespace tess {

// Where internal consistency reports go. The editor shows each as a message box
// (caption kAssertionCaption); the converter prints it to standard error. Reporting
// never stops the caller: it carries on after the report.
class ReportSink {
public:
    virtual ~ReportSink() = default;
    // `checkNumber` identifies the check that failed; each check keeps its own number.
    virtual void assertionFailed(int checkNumber) = 0;
};

inline constexpr const char* kAssertionCaption = "Assertion failure";

// "Assertion failed (line N)".
std::string assertionText(int checkNumber);

// Keeps the check numbers in order; used by tests and by callers that decide afterwards.
class RecordingReportSink : public ReportSink {
public:
    void assertionFailed(int checkNumber) override { checks.push_back(checkNumber); }
    std::vector<int> checks;
};

}  // namespace tess
