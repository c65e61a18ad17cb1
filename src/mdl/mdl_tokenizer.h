#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tess {

// The shape of one MDL line.
enum class MdlTokenKind : std::int32_t {
    EndOfInput = -1,
    Invalid = 0,
    ChunkOpener = 1,               // word {   /   word int {   /   word int int {
    LabeledChunkOpener = 2,        // word "quoted" {
    ChunkCloser = 3,               // }   /   } ,
    Flag = 4,                      // word ,
    LabeledWord = 5,               // word word ,   /   word { word } ,
    LabeledData = 6,               // word number ,
    StaticLabeledData = 7,         // static word number ,
    LabeledStringData = 8,         // word "quoted" ,
    BracedData = 9,                // { v, v, ... },
    BracedLabeledData = 10,        // word { v, ... },
    StaticBracedLabeledData = 11,  // static word { v, ... },
    AnimationKey = 12,             // int : number ,   /   int : { v, ... },
    BareInteger = 13,              // int ,
    Blank = 14,                    // no words; never handed out by nextToken
};

// Display name of a kind for diagnostics ("Chunk-opener", ..., "Unknown"). Kinds without a
// name of their own, EndOfInput and values outside the enum give "Unknown". LabeledData,
// whose name depends on its value, gives "Labled data (int or float)"; the MdlToken
// overload below picks the exact one.
const char* kindName(MdlTokenKind kind);

// Hands out the lines of a text one at a time: up to each LF, which is dropped, and a
// CR before it, which is dropped too. A final line without LF is a line. The text is
// not owned and must outlive the source and every line handed out.
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
// animation key; EndOfInput sets only `kind`). Any bytes are accepted (NUL, CR,
// unterminated quotes, very long lines); classifying takes time linear in the line.
// Numbers: an integer word is an optional '-' and at least one digit; beyond 32 bits it
// keeps its low 32 bits (two's complement), so u32 values written as unsigned read back
// bit-exact. A float word holds only digits and + - e E . and starts with a decimal
// number (read as far as it goes: "1.5e" is 1.5); beyond the f32 range it becomes the
// largest finite f32 of its sign, below it a zero of its sign.
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
    // Counts the line, cleans it, splits it into words and classifies it. `line` may
    // view this token's own lineText.
    void classifyLine(std::string_view line);

    // The word the parser matches: `name` for kinds 1, 2, 5, 8; `text` for 4, 6, 7, 10, 11;
    // an empty string for the other kinds.
    const std::string& keyword() const;
    // The argument: `text` for kinds 2, 5 and 8.
    const std::string& argument() const { return text; }

    // One word of the line being classified, with both conversions tried on it.
    struct Word {
        std::string_view text;      // a view into lineText
        float floatValue = 0;       // 0 when not a float
        std::int32_t intValue = 0;  // 0 when not an integer
        bool isFloat = false;
        bool isInt = false;
        bool isWord = false;  // false for the single characters { } , : and "
        char single = 0;      // the character of a one-character word, else 0
    };

private:
    MdlTokenKind applyRules();
    bool matchList(std::size_t start);
    bool dropList();  // empties floats and ints; returns false
    void takeValue(const Word& word);

    // Scratch of classifyLine, empty between calls; kept only for its capacity.
    std::vector<Word> words_;
};

// The display name of the token's kind; for LabeledData the one its value calls for:
// "Labeled data (int)", "Labeled data (float)", "Labled data (int or float)" or
// "Labeled data (no data, error)".
const char* kindName(const MdlToken& token);

}  // namespace tess
