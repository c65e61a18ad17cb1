#include "editor/autosave.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <optional>
#include <ostream>
#include <span>
#include <string_view>
#include <system_error>

#include "mdx/mdx_reader.h"
#include "mdx/mdx_writer.h"
#include "model/file_io.h"

namespace tess {
namespace {

constexpr std::string_view kPrefix = "autosave-";
constexpr std::string_view kModelSuffix = ".mdx";
constexpr std::string_view kRecordSuffix = ".record";
constexpr std::string_view kRecordHeader = "tessarine autosave\n";

struct Record {
    std::int64_t process = 0;
    std::string started;
    std::int64_t seconds = 0;
    std::string originalPath;
};

std::string numberText(std::int64_t value) {
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

template <class T>
std::optional<T> parseNumber(std::string_view text) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string fileText(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(path, bytes).empty()) return {};
    return std::string(bytes.begin(), bytes.end());
}

// When and in which boot process `pid` started ("BOOT-ID/TICKS"); empty when it cannot be
// read. Together with the id it names one process, even after the id has been reused.
std::string processStart(std::int64_t pid) {
    std::string boot = fileText("/proc/sys/kernel/random/boot_id");
    const std::string stat = fileText("/proc/" + numberText(pid) + "/stat");
    // The command name in parentheses may hold spaces and parentheses: count fields after
    // the last ')'. The start time is field 22, the 20th after it.
    const std::size_t close = stat.rfind(')');
    if (boot.empty() || close == std::string::npos) return {};
    while (!boot.empty() && boot.back() == '\n') boot.pop_back();
    std::size_t at = close + 1;
    for (int field = 0; field < 19 && at != std::string::npos; ++field) at = stat.find(' ', at + 1);
    if (at == std::string::npos) return {};
    const std::size_t end = stat.find_first_of(" \n", at + 1);
    return boot + "/" + stat.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
}

bool stillRunning(const Record& record) {
    if (::kill(static_cast<pid_t>(record.process), 0) != 0 && errno == ESRCH) return false;
    return record.started.empty() || processStart(record.process) == record.started;
}

std::string recordText(const Record& record) {
    return std::string(kRecordHeader) + "process " + numberText(record.process) + "\nstarted " +
           record.started + "\ntime " + numberText(record.seconds) + "\npath " + record.originalPath + "\n";
}

// Takes the line "KEY VALUE\n" from the front of `text`.
std::optional<std::string_view> takeLine(std::string_view& text, std::string_view key) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos || text.substr(0, key.size()) != key || text.size() <= key.size() ||
        text[key.size()] != ' ')
        return std::nullopt;
    const std::string_view value = text.substr(key.size() + 1, end - key.size() - 1);
    text.remove_prefix(end + 1);
    return value;
}

// The path is the rest of the record less its final line end, so it may hold any byte.
std::optional<Record> parseRecord(std::string_view text) {
    if (text.substr(0, kRecordHeader.size()) != kRecordHeader) return std::nullopt;
    text.remove_prefix(kRecordHeader.size());
    const auto process = takeLine(text, "process");
    const auto started = takeLine(text, "started");
    const auto time = takeLine(text, "time");
    if (!process || !started || !time || text.substr(0, 5) != "path " || text.back() != '\n')
        return std::nullopt;
    Record record;
    const auto pid = parseNumber<std::int64_t>(*process);
    const auto seconds = parseNumber<std::int64_t>(*time);
    // Ids 0 and below address process groups, not one process.
    if (!pid || *pid <= 0 || *pid > INT_MAX || !seconds) return std::nullopt;
    record.process = *pid;
    record.started = *started;
    record.seconds = *seconds;
    record.originalPath = text.substr(5, text.size() - 6);
    return record;
}

std::string ownPath(const std::string& folder, std::string_view suffix) {
    return folder + "/" + std::string(kPrefix) + numberText(::getpid()) + std::string(suffix);
}

Diagnostics failure(std::string reason) {
    Diagnostics diagnostics;
    diagnostics.error(std::move(reason));
    return diagnostics;
}

// mkdir -p with mode 0700 for every folder it creates.
Diagnostics createFolder(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string prefix = folder.substr(0, slash);
        if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST)
            return failure("cannot create " + prefix + ": " + std::strerror(errno));
        if (slash == std::string::npos) break;
    }
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return failure("cannot use " + folder + ": not a folder");
    return {};
}

bool samePath(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

Diagnostics removeFiles(const std::string& recordPath, const std::string& modelPath) {
    // The record goes first: a model without its record is never offered.
    for (const std::string* path : {&recordPath, &modelPath})
        if (::unlink(path->c_str()) != 0 && errno != ENOENT)
            return failure("cannot remove " + *path + ": " + std::strerror(errno));
    return {};
}

std::string twoDigits(int value) {
    return std::string{static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

}  // namespace

std::string autosaveFolder(const char* stateHome, const char* home) {
    if (stateHome != nullptr && stateHome[0] == '/') return std::string(stateHome) + "/tessarine";
    if (home != nullptr && home[0] == '/') return std::string(home) + "/.local/state/tessarine";
    return {};
}

Diagnostics writeAutosave(const std::string& folder, const Model& model, const std::string& originalPath,
                          WallClock::time_point now) {
    const std::string modelPath = ownPath(folder, kModelSuffix);
    const std::string recordPath = ownPath(folder, kRecordSuffix);
    if (!originalPath.empty() && (samePath(originalPath, modelPath) || samePath(originalPath, recordPath)))
        return failure("cannot autosave " + originalPath + " over itself");
    Diagnostics result = createFolder(folder);
    if (result.hasErrors()) return result;
    std::vector<std::uint8_t> bytes;
    result = writeMdx(model, bytes);
    if (result.hasErrors()) return result;
    result.append(writeFileAtomically(modelPath, bytes));
    if (result.hasErrors()) return result;
    Record record;
    record.process = ::getpid();
    record.started = processStart(record.process);
    record.seconds = std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch()).count();
    record.originalPath = originalPath;
    const std::string text = recordText(record);
    result.append(writeFileAtomically(
        recordPath, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())));
    return result;
}

Diagnostics removeAutosave(const std::string& folder) {
    return removeFiles(ownPath(folder, kRecordSuffix), ownPath(folder, kModelSuffix));
}

LeftAutosaves findLeftAutosaves(const std::string& folder) {
    LeftAutosaves left;
    std::error_code error;
    // Stepped with error codes: a failing range-for step would throw.
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with(kPrefix) || !name.ends_with(kRecordSuffix)) continue;
        const std::string recordPath = folder + "/" + name;
        const std::string modelPath =
            recordPath.substr(0, recordPath.size() - kRecordSuffix.size()) + std::string(kModelSuffix);
        const std::optional<Record> record = parseRecord(fileText(recordPath));
        struct stat info {};
        if (!record || ::stat(modelPath.c_str(), &info) != 0) {
            left.problems.warning("damaged autosave skipped: " + recordPath);
            continue;
        }
        if (stillRunning(*record)) continue;
        left.found.push_back({modelPath, recordPath, record->originalPath, record->process,
                              WallClock::time_point(std::chrono::seconds(record->seconds))});
    }
    std::sort(left.found.begin(), left.found.end(),
              [](const LeftAutosave& a, const LeftAutosave& b) { return a.time < b.time; });
    return left;
}

std::string recoveryQuestion(const LeftAutosave& autosave) {
    const std::size_t slash = autosave.originalPath.rfind('/');
    const std::string name = autosave.originalPath.empty() ? "Untitled"
                             : slash == std::string::npos  ? autosave.originalPath
                                                           : autosave.originalPath.substr(slash + 1);
    const std::time_t seconds = WallClock::to_time_t(autosave.time);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    const std::string time = numberText(local.tm_year + 1900) + "-" + twoDigits(local.tm_mon + 1) + "-" +
                             twoDigits(local.tm_mday) + " " + twoDigits(local.tm_hour) + ":" +
                             twoDigits(local.tm_min);
    return "Recover unsaved changes to " + name + " from " + time + "?";
}

Diagnostics loadAutosave(const LeftAutosave& autosave, Model& model) {
    std::vector<std::uint8_t> bytes;
    Diagnostics result = readWholeFile(autosave.modelPath, bytes);
    if (result.hasErrors()) return result;
    std::ostream noTrace(nullptr);
    return readMdx(model, bytes, noTrace);
}

Diagnostics deleteAutosave(const LeftAutosave& autosave) {
    return removeFiles(autosave.recordPath, autosave.modelPath);
}

}  // namespace tess
