#pragma once

#include <string>
#include <vector>

namespace tess {

// Where a model's texture files are looked for. Models name their textures with
// backslashes and the extension .blp; the editor reads .tga files of the same name from
// the model file's directory, on a case-sensitive file system, and .png files of the same
// name where no .tga can be used.

// The directory part of a model file name: everything up to and including the last '/' or
// '\' (turned into '/'); empty when there is none (relative to the working directory).
std::string modelDirectory(const std::string& modelFileName);

// A texture's file name: every '\' becomes '/', and a name of at least four characters
// ending in ".blp" (any letter case) ends in ".tga" instead.
std::string textureFileName(const std::string& image);

// The fallback name of texture `image`: the part after its last '\' (all of it when there
// is none), with the extension rule of textureFileName. Only backslashes end the directory
// part here: a forward slash stays in the name, where it still separates directories.
std::string textureBaseName(const std::string& image);

// `directory` + `relative` when that file exists; otherwise the path found by matching each
// component of `relative` against the directory entries without regard to ASCII letter case
// (the first match in name order wins); empty when nothing matches. `directory` itself is
// used as given. Empty components and "." are skipped.
std::string findFileIgnoringCase(const std::string& directory, const std::string& relative);

// The files to try, in order, for a texture `image` of the model `modelFileName`: the full
// name (textureFileName), then the base name (textureBaseName), then the same two names
// with ".png" for their ".tga" ending (none for a name without it), each in the model's
// directory and resolved by findFileIgnoringCase. Names that match no file, and a second
// match of the same file, are left out, so the list may be empty.
std::vector<std::string> textureCandidates(const std::string& modelFileName, const std::string& image);

}  // namespace tess
