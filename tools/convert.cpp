#include "convert.h"

#include <cstdint>
#include <span>
#include <string_view>

#include "mdl/mdl_reader.h"
#include "mdl/mdl_writer.h"
#include "mdx/mdx_reader.h"
#include "mdx/mdx_writer.h"
#include "model/file_io.h"
#include "model/validate.h"

namespace tess {
namespace {

constexpr const char* kUsage =
    "Usage: tessarine-convert INPUT OUTPUT\n"
    "       tessarine-convert --check INPUT\n"
    "       tessarine-convert --help\n"
    "\n"
    "Converts a model between the MDX (binary) and MDL (text) formats. A file name whose\n"
    "last character is x or X is MDX; any other name is MDL.\n"
    "\n"
    "  INPUT OUTPUT   read INPUT, check it, and write it to OUTPUT. OUTPUT is replaced only\n"
    "                 after the input was read without any problem and the whole output was\n"
    "                 written; otherwise it is left as it was.\n"
    "  --check INPUT  read INPUT and list every broken reference or index, one per line.\n"
    "  --help         show this text.\n"
    "\n"
    "Standard output carries the MDX reader's \"Tag:\" lines and the MDL parse report;\n"
    "assertion reports and errors go to standard error.\n"
    "Exit status: 0 success, 1 faulty input or failed write, 2 wrong arguments.\n";

bool isMdxName(std::string_view path) { return !path.empty() && (path.back() == 'x' || path.back() == 'X'); }

// Prints each assertion report on its own line and counts them.
class StreamReportSink : public ReportSink {
public:
    explicit StreamReportSink(std::ostream& err) : err_(err) {}
    void assertionFailed(int checkNumber) override {
        err_ << kAssertionCaption << ": " << assertionText(checkNumber) << '\n';
        ++count;
    }
    int count = 0;

private:
    std::ostream& err_;
};

// Reads `path` into `model` with the reader its name selects; false when the file could
// not be read or the reader reported anything.
bool loadModel(const std::string& path, Model& model, std::ostream& out, std::ostream& err) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!readWholeFile(path, bytes, error)) {
        err << "tessarine-convert: " << error << '\n';
        return false;
    }
    if (isMdxName(path)) {
        StreamReportSink reports(err);
        readMdx(model, bytes, reports, out);
        if (reports.count > 0) {
            err << "tessarine-convert: " << path << ": " << reports.count << " problem(s) while reading\n";
            return false;
        }
        return true;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    readMdl(model, text, out);
    if (model.parseLog.errorCount() > 0) {
        err << "tessarine-convert: " << path << ": " << model.parseLog.errorCount() << " parse error(s)\n";
        return false;
    }
    return true;
}

bool saveModel(const std::string& path, const Model& model, std::ostream& err) {
    StreamReportSink reports(err);
    std::vector<std::uint8_t> bytes;
    if (isMdxName(path)) {
        const MdxWriteResult result = writeMdx(model, bytes, reports);
        if (!result.ok) {
            err << "tessarine-convert: cannot write " << path << ": " << result.error << '\n';
            return false;
        }
    } else {
        std::string text;
        writeMdl(model, text, reports);
        bytes.assign(text.begin(), text.end());
    }
    if (reports.count > 0) {
        err << "tessarine-convert: " << path << " not written: the model holds values its format cannot keep\n";
        return false;
    }
    std::string error;
    if (!writeFileAtomically(path, bytes, error)) {
        err << "tessarine-convert: " << error << '\n';
        return false;
    }
    return true;
}

int check(const std::string& path, std::ostream& out, std::ostream& err) {
    Model model;
    const bool readCleanly = loadModel(path, model, out, err);
    const std::vector<std::string> violations = validateModel(model);
    for (const std::string& line : violations) out << line << '\n';
    return readCleanly && violations.empty() ? kConvertOk : kConvertFailed;
}

int convert(const std::string& input, const std::string& output, std::ostream& out, std::ostream& err) {
    Model model;
    if (!loadModel(input, model, out, err)) {
        err << "tessarine-convert: " << output << " was not written\n";
        return kConvertFailed;
    }
    const std::vector<std::string> violations = validateModel(model);
    if (!violations.empty()) {
        for (const std::string& line : violations) err << input << ": " << line << '\n';
        err << "tessarine-convert: " << output << " was not written\n";
        return kConvertFailed;
    }
    return saveModel(output, model, err) ? kConvertOk : kConvertFailed;
}

}  // namespace

int runConverter(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << kUsage;
        return kConvertOk;
    }
    if (args.size() == 2 && args[0] == "--check") return check(args[1], out, err);
    if (args.size() == 2 && !args[0].starts_with("--") && !args[1].starts_with("--"))
        return convert(args[0], args[1], out, err);
    err << kUsage;
    return kConvertUsage;
}

}  // namespace tess
