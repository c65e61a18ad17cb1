#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tess::testing {

// A fresh folder under the system temporary folder, removed with its contents when the
// object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    // Names of the entries in the folder, sorted.
    std::vector<std::string> entries() const;

private:
    std::string path_;
};

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
void writeText(const std::string& path, const std::string& text);
std::vector<std::uint8_t> readBytes(const std::string& path);

}  // namespace tess::testing
