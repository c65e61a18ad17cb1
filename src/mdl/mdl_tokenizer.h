#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tess {

// The shape of one MDL line.
enum class MdlTokenKind : std::int32_t {
    EndOfInput = -1,
    Invalid = 0,
    ChunkOpener = 1,              // word {   /   word int {   /   word int int {
    LabeledChunkOpener = 2,       // word "quoted" {
    ChunkCloser = 3,              // }   /   } ,
    Flag = 4,                     // word ,
    LabeledWord = 5,              // word word ,   /   word { word } ,
    LabeledData = 6,              // word number ,
    StaticLabeledData = 7,        // static word number ,
    LabeledStringData = 8,        // word "quoted" ,
    BracedData = 9,               // { v, v, ... },
    BracedLabeledData = 10,       // word { v, ... },
    StaticBracedLabeledData = 11, // static word { v, ... },
    AnimationKey = 12,            // int : number ,   /   int : { v, ... },
    BareInteger = 13,             // int ,
    Blank = 14,                   // no words; never handed out by nextToken
};

// Display name of a kind for diagnostics ("Chunk-opener", ..., "Unknown").
const char* kindName(MdlTokenKind kind);

// Hands out the lines of a text one at a time: up to each LF, which is dropped, and a
// CR before it, which is dropped too. A final line without LF is a line.
class MdlLineSource {
public:
    explicit MdlLineSource(std::string_view text) : text_(text) {}
    bool atEnd() const { return pos_ >= text_.size(); }
    // Returns false at the end of the text.
    bool nextLine(std::string_view& line);

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// One classified line. The parser reuses a single token for the whole input; each
// read overwrites every field (keyTime keeps its last value unless the line is an
// animation key). Numbers: an integer word beyond 32 bits keeps its low 32 bits
// (two's complement); a float word beyond the f32 range becomes the largest finite
// f32 of its sign.
struct MdlToken {
    MdlTokenKind kind = MdlTokenKind::Blank;
    std::string name;
    std::string text;
    std::vector<float> floats;
    bool allFloat = false;
    std::vector<std::int32_t> ints;
    bool allInt = false;
    float floatValue = 0;
    bool isFloat = false;
    std::int32_t intValue = 0;
    bool isInt = false;
    std::int32_t keyTime = 0;
    std::int32_t lineNumber = 0;  // counts every line read, blank and comment lines too
    std::string lineText;         // the line after comment removal and trimming

    MdlToken() = default;
    // Builds the token and classifies `line` (which counts as line 1).
    explicit MdlToken(std::string_view line);

    // Reads lines until one is not blank and classifies it; EndOfInput at the end.
    void nextToken(MdlLineSource& source);
    // Counts the line, cleans it, splits it into words and classifies it.
    void classifyLine(std::string_view line);

    // The word the parser matches: `name` for kinds 1, 2, 5, 8; `text` for 4, 6, 7, 10, 11.
    const std::string& keyword() const;
    // The argument: `text` for kinds 2, 5 and 8.
    const std::string& argument() const { return text; }
};

}  // namespace tess
