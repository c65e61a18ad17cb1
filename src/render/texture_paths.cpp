#include "render/texture_paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace tess {

namespace {

namespace fs = std::filesystem;

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

bool isRegularFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool isDirectory(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

// The entry of `directory` named `component` exactly, or else the first one in name order
// that differs from it only in letter case; empty when there is none.
std::string matchComponent(const fs::path& directory, const std::string& component) {
    std::error_code error;
    if (fs::exists(directory / component, error)) return component;
    std::vector<std::string> matches;
    fs::directory_iterator it(directory.empty() ? fs::path(".") : directory, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::string name = it->path().filename().string();
        if (equalIgnoringCase(name, component)) matches.push_back(std::move(name));
    }
    if (matches.empty()) return {};
    return *std::min_element(matches.begin(), matches.end());
}

// `name` with its ".tga" ending (any letter case) turned into ".png"; empty when it has none.
std::string pngName(const std::string& name) {
    const std::size_t n = name.size();
    if (n < 4 || !equalIgnoringCase(name.substr(n - 4), ".tga")) return {};
    return name.substr(0, n - 3) + "png";
}

std::vector<std::string> splitComponents(const std::string& relative) {
    std::vector<std::string> components;
    std::size_t start = 0;
    while (start <= relative.size()) {
        const std::size_t end = std::min(relative.find('/', start), relative.size());
        std::string component = relative.substr(start, end - start);
        if (!component.empty() && component != ".") components.push_back(std::move(component));
        start = end + 1;
    }
    return components;
}

}  // namespace

std::string modelDirectory(const std::string& modelFileName) {
    const std::size_t last = modelFileName.find_last_of("/\\");
    if (last == std::string::npos) return {};
    std::string directory = modelFileName.substr(0, last + 1);
    std::replace(directory.begin(), directory.end(), '\\', '/');
    return directory;
}

std::string textureFileName(const std::string& image) {
    std::string name = image;
    std::replace(name.begin(), name.end(), '\\', '/');
    const std::size_t n = name.size();
    if (n >= 4 && name[n - 4] == '.' && lowerAscii(name[n - 3]) == 'b' && lowerAscii(name[n - 2]) == 'l' &&
        lowerAscii(name[n - 1]) == 'p')
        name.replace(n - 3, 3, "tga");
    return name;
}

std::string textureBaseName(const std::string& image) {
    const std::size_t last = image.find_last_of('\\');
    return textureFileName(last == std::string::npos ? image : image.substr(last + 1));
}

std::string findFileIgnoringCase(const std::string& directory, const std::string& relative) {
    const std::string exact = directory + relative;
    if (isRegularFile(exact)) return exact;

    const std::vector<std::string> components = splitComponents(relative);
    if (components.empty()) return {};
    fs::path path = directory;
    for (std::size_t i = 0; i < components.size(); ++i) {
        if (i > 0 && !isDirectory(path)) return {};
        const std::string match = matchComponent(path, components[i]);
        if (match.empty()) return {};
        path /= match;
    }
    return isRegularFile(path) ? path.string() : std::string();
}

std::vector<std::string> textureCandidates(const std::string& modelFileName, const std::string& image) {
    const std::string directory = modelDirectory(modelFileName);
    const std::string full = textureFileName(image), base = textureBaseName(image);
    std::vector<std::string> candidates;
    for (const std::string& relative : {full, base, pngName(full), pngName(base)}) {
        if (relative.empty()) continue;
        std::string found = findFileIgnoringCase(directory, relative);
        if (!found.empty() && std::find(candidates.begin(), candidates.end(), found) == candidates.end())
            candidates.push_back(std::move(found));
    }
    return candidates;
}

}  // namespace tess
