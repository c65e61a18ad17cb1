#include "convert.h"

#include <charconv>
#include <ctime>
#include <filesystem>
#include <map>
#include <optional>
#include <string_view>
#include <thread>

#include "batch.h"
#include "convert_file.h"

namespace tess {
namespace {

constexpr const char* kUsage =
    "Usage: tessarine-convert [--strict] INPUT OUTPUT\n"
    "       tessarine-convert [--strict] [-j N] --to mdl|mdx -o DIR INPUT...\n"
    "       tessarine-convert --check [-j N] INPUT...\n"
    "       tessarine-convert --help\n"
    "\n"
    "Converts models between the MDX (binary) and MDL (text) formats. A file name whose\n"
    "last character is x or X is MDX; any other name is MDL. Options come before the files.\n"
    "\n"
    "  INPUT OUTPUT   read INPUT and write it to OUTPUT as it is. Whatever breaks the rules\n"
    "                 the editor relies on (a missing pivot point, a reference that points\n"
    "                 nowhere) is printed as a warning and kept, so a damaged model can be\n"
    "                 converted to text and repaired there. OUTPUT is replaced only after\n"
    "                 the whole output was written; when INPUT cannot be read (a read error,\n"
    "                 a truncated or damaged MDX file, an MDL parse error) or OUTPUT's format\n"
    "                 cannot hold the model, it is left as it was.\n"
    "  --strict       also leave OUTPUT as it was when there is any warning.\n"
    "  --to mdl|mdx -o DIR INPUT...\n"
    "                 convert every INPUT the same way into the folder DIR, named after\n"
    "                 INPUT with its extension replaced by .mdl or .mdx. A failed input\n"
    "                 leaves no output. When two inputs would give the same output name,\n"
    "                 the later one is not converted.\n"
    "  --check INPUT...\n"
    "                 read each INPUT and list every broken reference or index, one per line.\n"
    "  -j N           work on N files at once (default: one per processor core).\n"
    "  --help         show this text.\n"
    "\n"
    "Standard output carries the MDX reader's \"Tag:\" lines, the MDL parse report and the\n"
    "--check list; assertion reports, warnings (\"Warning: FILE: text\") and errors go to\n"
    "standard error.\n"
    "With --to, -j or several inputs to --check, what each input prints is kept together and\n"
    "printed in the order of the inputs, its standard output after a line \"==> INPUT <==\".\n"
    "Standard error then shows a progress line while it is a terminal, and ends with a\n"
    "line per failed input and a total.\n"
    "Exit status: 0 success (warnings included), 1 faulty input, failed write, findings of\n"
    "--check or warnings under --strict (for any input), 2 wrong arguments.\n";

struct Options {
    bool help = false, strict = false, check = false;
    std::optional<std::string> format, outputDir;
    std::optional<std::size_t> jobs;
    std::vector<std::string> inputs;
};

bool parseCount(std::string_view text, std::optional<std::size_t>& count) {
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value == 0) return false;
    count = value;
    return true;
}

bool takeValue(const std::vector<std::string>& args, std::size_t& at, std::optional<std::string>& value) {
    if (value || at + 1 >= args.size()) return false;
    value = args[++at];
    return true;
}

// Options, then the files. An argument starting with "--" is always an option; of those
// with one dash only -j, -jN, -o and -h are, so a single-file conversion still takes any
// other name. False on anything malformed.
bool parseArguments(const std::vector<std::string>& args, Options& options) {
    std::size_t at = 0;
    for (; at < args.size(); ++at) {
        const std::string& arg = args[at];
        bool good = true;
        if (arg == "--help" || arg == "-h") {
            good = !options.help;
            options.help = true;
        } else if (arg == "--strict") {
            good = !options.strict;
            options.strict = true;
        } else if (arg == "--check") {
            good = !options.check;
            options.check = true;
        } else if (arg == "--to") {
            good =
                takeValue(args, at, options.format) && (options.format == "mdl" || options.format == "mdx");
        } else if (arg == "-o") {
            good = takeValue(args, at, options.outputDir) && !options.outputDir->empty();
        } else if (arg == "-j") {
            good = !options.jobs && at + 1 < args.size() && parseCount(args[++at], options.jobs);
        } else if (arg.starts_with("-j") && arg.size() > 2) {
            good = !options.jobs && parseCount(std::string_view(arg).substr(2), options.jobs);
        } else if (arg.starts_with("--")) {
            good = false;
        } else {
            break;
        }
        if (!good) return false;
    }
    for (; at < args.size(); ++at) {
        if (args[at].starts_with("--")) return false;
        options.inputs.push_back(args[at]);
    }
    return true;
}

enum class Mode { Usage, Help, Convert, ConvertBatch, Check, CheckBatch };

// What the parsed options ask for; Usage for a combination that makes no sense.
Mode chooseMode(const Options& options, std::size_t argumentCount) {
    const bool toFolder = options.format || options.outputDir;
    const std::size_t inputs = options.inputs.size();
    if (options.help) return argumentCount == 1 ? Mode::Help : Mode::Usage;
    if (options.check) {
        if (options.strict || toFolder || inputs == 0) return Mode::Usage;
        return inputs == 1 && !options.jobs ? Mode::Check : Mode::CheckBatch;
    }
    if (toFolder) return options.format && options.outputDir && inputs > 0 ? Mode::ConvertBatch : Mode::Usage;
    return inputs == 2 && !options.jobs ? Mode::Convert : Mode::Usage;
}

std::size_t defaultJobs() {
    return std::max(1u, std::thread::hardware_concurrency());
}

// DIR/NAME.EXT for the input's base name NAME.ANY (or NAME).
std::string outputPath(const std::string& input, const std::string& dir, const std::string& format) {
    const std::size_t slash = input.rfind('/');
    std::string name = slash == std::string::npos ? input : input.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return dir + (dir.ends_with('/') ? "" : "/") + name + "." + format;
}

int convertBatch(const Options& options, bool showProgress, std::ostream& out, std::ostream& err) {
    const std::string& dir = *options.outputDir;
    std::error_code error;
    if (!std::filesystem::is_directory(dir, error)) {
        err << kConverterPrefix << dir << ": no such folder\n";
        return kConvertFailed;
    }
    // Two inputs written to one name would race, and one conversion would be lost unseen;
    // each output name belongs to the first input that gives it.
    std::vector<std::string> outputs;
    std::vector<std::size_t> owner;
    std::map<std::string, std::size_t> firstWithName;
    for (std::size_t i = 0; i < options.inputs.size(); ++i) {
        outputs.push_back(outputPath(options.inputs[i], dir, *options.format));
        owner.push_back(firstWithName.try_emplace(outputs.back(), i).first->second);
    }
    const std::time_t now = std::time(nullptr);  // one stamp for every MDL output of the run
    const FileTask task = [&](std::size_t i, std::ostream& fileOut, std::ostream& fileErr) {
        if (owner[i] != i) {
            fileErr << kConverterPrefix << options.inputs[i] << " not converted: " << outputs[i]
                    << " is the output of " << options.inputs[owner[i]] << '\n';
            return int{kConvertFailed};
        }
        return convertFile(options.inputs[i], outputs[i], options.strict, now, fileOut, fileErr);
    };
    return runBatch(options.inputs, task, {options.jobs.value_or(defaultJobs()), showProgress, "converted"},
                    out, err);
}

int checkBatch(const Options& options, bool showProgress, std::ostream& out, std::ostream& err) {
    const FileTask task = [&](std::size_t i, std::ostream& fileOut, std::ostream& fileErr) {
        return checkFile(options.inputs[i], fileOut, fileErr);
    };
    return runBatch(options.inputs, task, {options.jobs.value_or(defaultJobs()), showProgress, "passed"}, out,
                    err);
}

}  // namespace

int runConverter(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 bool showProgress) {
    Options options;
    switch (parseArguments(args, options) ? chooseMode(options, args.size()) : Mode::Usage) {
        case Mode::Help:
            out << kUsage;
            return kConvertOk;
        case Mode::Convert:
            return convertFile(options.inputs[0], options.inputs[1], options.strict, std::time(nullptr), out,
                               err);
        case Mode::ConvertBatch:
            return convertBatch(options, showProgress, out, err);
        case Mode::Check:
            return checkFile(options.inputs[0], out, err);
        case Mode::CheckBatch:
            return checkBatch(options, showProgress, out, err);
        case Mode::Usage:
            break;
    }
    err << kUsage;
    return kConvertUsage;
}

}  // namespace tess
