#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tess {

// Exit statuses of tessarine-thumbnailer.
enum ThumbnailStatus : int {
    kThumbnailOk = 0,
    kThumbnailFailed = 1,  // the model cannot be read, or the picture cannot be drawn or written
    kThumbnailUsage = 2,   // wrong arguments
};

inline constexpr int kDefaultThumbnailSize = 256;
inline constexpr int kMaxThumbnailSize = 4096;

// `tessarine-thumbnailer [-s SIZE] INPUT OUTPUT.png` without the process around it; `args`
// are the arguments after the program name. Reads the model INPUT (MDX when its name ends
// in x or X, else MDL), poses it at the start of its first sequence (the rest pose without
// one), frames every vertex of it in a three-quarter perspective view from the front, right
// and above, and draws it as the editor does (without grid or overlays; textures found
// beside INPUT, the placeholder where they are missing) into a SIZE x SIZE picture (1 to
// kMaxThumbnailSize, default kDefaultThumbnailSize) on a transparent background, headless.
// The PNG replaces OUTPUT atomically; on any failure OUTPUT is left as it was. Messages go
// to `err`.
int runThumbnailer(const std::vector<std::string>& args, std::ostream& err);

}  // namespace tess
