#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tess {

// The one way readers, writers and checks report: a list of findings, each an error
// (something could not be read or written) or a warning (the model is kept and usable,
// but breaks a rule the editor relies on). Nothing here prints or shows anything; the
// editor turns entries into message boxes and the parse report, the converter prints them.

enum class Severity : std::uint8_t { Error, Warning };

struct Diagnostic {
    Severity severity = Severity::Error;
    int check = 0;           // check number (model/checks.h); 0 for MDL parse errors
    std::uint32_t line = 0;  // MDL line number, 0 when not tied to a line
    std::string lineText;    // the MDL line's text, for the parse report
    std::string text;        // what went wrong, in words

    friend bool operator==(const Diagnostic&, const Diagnostic&) = default;
};

struct Diagnostics {
    std::vector<Diagnostic> entries;

    void add(Diagnostic diagnostic) { entries.push_back(std::move(diagnostic)); }
    // A check failure: text "Assertion failed (line N)".
    void check(int checkNumber, Severity severity = Severity::Error);
    void error(std::string text, int checkNumber = 0);
    void warning(std::string text, int checkNumber = 0);
    void append(const Diagnostics& other);

    bool empty() const { return entries.empty(); }
    bool hasErrors() const;
    std::size_t count(Severity severity) const;
};

inline constexpr const char* kAssertionCaption = "Assertion failure";

// "Assertion failed (line N)": the text of a check failure.
std::string assertionText(int checkNumber);

}  // namespace tess
