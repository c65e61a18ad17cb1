#include "convert_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "convert.h"
#include "mdl/mdl_reader.h"
#include "mdl/mdl_writer.h"
#include "mdx/mdx_reader.h"
#include "mdx/mdx_writer.h"
#include "model/file_io.h"
#include "model/validate.h"

namespace tess {
namespace {

bool isMdxName(std::string_view path) {
    return !path.empty() && (path.back() == 'x' || path.back() == 'X');
}

// Prints findings to standard error: check failures as assertion reports, warnings with
// the file (and MDL line) they concern, other errors in words after `errorPrefix`. MDL
// parse errors are left out: the parse report on standard output lists them. Returns the
// number of warnings.
std::size_t printDiagnostics(const Diagnostics& diagnostics, const std::string& path, std::ostream& err,
                             const std::string& errorPrefix = {}) {
    for (const Diagnostic& entry : diagnostics.entries) {
        if (entry.severity == Severity::Warning) {
            err << "Warning: " << path;
            if (entry.line != 0) err << ": line " << entry.line;
            err << ": " << entry.text << '\n';
        } else if (entry.check != 0) {
            err << kAssertionCaption << ": " << entry.text << '\n';
        } else if (entry.line == 0) {
            err << kConverterPrefix << errorPrefix << entry.text << '\n';
        }
    }
    return diagnostics.count(Severity::Warning);
}

// Reads `path` into `model` with the reader its name selects and prints what it found.
// False when the file could not be read or the reader gave an error; `warnings` counts
// the reader's warnings.
bool loadModel(const std::string& path, Model& model, std::ostream& out, std::ostream& err,
               std::size_t& warnings) {
    std::vector<std::uint8_t> bytes;
    const Diagnostics fileErrors = readWholeFile(path, bytes);
    if (fileErrors.hasErrors()) {
        printDiagnostics(fileErrors, path, err);
        return false;
    }
    if (isMdxName(path)) {
        const Diagnostics found = readMdx(model, bytes, out);
        warnings += printDiagnostics(found, path, err);
        // The reader leaves a model empty, without a finding, when the magic is missing;
        // converting that to an empty model would hide that the file is no MDX at all.
        if (bytes.size() < 4 || std::memcmp(bytes.data(), "MDLX", 4) != 0) {
            err << kConverterPrefix << path << ": not an MDX file (it does not start with MDLX)\n";
            return false;
        }
        if (found.hasErrors()) {
            err << kConverterPrefix << path << ": " << found.count(Severity::Error)
                << " problem(s) while reading\n";
            return false;
        }
        return true;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const Diagnostics found = readMdl(model, text);
    printParseReport(found, out);
    warnings += printDiagnostics(found, path, err);
    if (found.hasErrors()) {
        err << kConverterPrefix << path << ": " << found.count(Severity::Error) << " parse error(s)\n";
        return false;
    }
    return true;
}

// Builds the file image of `model` in the format `path` selects and prints what the writer
// found. False when the writer refused the model or found a value its format cannot keep.
bool encodeModel(const std::string& path, const Model& model, std::time_t now,
                 std::vector<std::uint8_t>& bytes, std::ostream& err, std::size_t& warnings) {
    Diagnostics found;
    if (isMdxName(path)) {
        found = writeMdx(model, bytes);
    } else {
        std::string text;
        found = writeMdl(model, text, now);
        bytes.assign(text.begin(), text.end());
    }
    warnings += printDiagnostics(found, path, err, "cannot write " + path + ": ");
    const bool unkept = std::any_of(found.entries.begin(), found.entries.end(), [](const Diagnostic& entry) {
        return entry.severity == Severity::Error && entry.check != 0;
    });
    if (unkept)
        err << kConverterPrefix << path << " not written: the model holds values its format cannot keep\n";
    return !found.hasErrors();
}

}  // namespace

int checkFile(const std::string& path, std::ostream& out, std::ostream& err) {
    Model model;
    std::size_t warnings = 0;
    const bool readCleanly = loadModel(path, model, out, err, warnings);
    const Diagnostics findings = validateModel(model);
    for (const Diagnostic& entry : findings.entries) out << entry.text << '\n';
    return readCleanly && warnings == 0 && findings.empty() ? kConvertOk : kConvertFailed;
}

int convertFile(const std::string& input, const std::string& output, bool strict, std::time_t now,
                std::ostream& out, std::ostream& err) {
    Model model;
    std::size_t warnings = 0;
    std::vector<std::uint8_t> bytes;
    bool ok = loadModel(input, model, out, err, warnings);
    if (ok) {
        warnings += printDiagnostics(validateModel(model), input, err);
        ok = encodeModel(output, model, now, bytes, err, warnings);
    }
    if (ok && strict && warnings > 0) {
        err << kConverterPrefix << warnings << " warning(s) with --strict\n";
        ok = false;
    }
    if (!ok) {
        err << kConverterPrefix << output << " was not written\n";
        return kConvertFailed;
    }
    const Diagnostics fileErrors = writeFileAtomically(output, bytes);
    printDiagnostics(fileErrors, output, err);
    return fileErrors.hasErrors() ? kConvertFailed : kConvertOk;
}

}  // namespace tess
