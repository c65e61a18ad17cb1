#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "mdx/mdx_reader.h"
#include "mdx/mdx_writer.h"
#include "model/checks.h"

namespace tess::testing {

inline std::vector<std::uint8_t> writeOrFail(const Model& model) {
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(writeMdx(model, bytes).entries, std::vector<Diagnostic>{});
    return bytes;
}

struct ReadResult {
    Model model;
    std::vector<int> checks;
    std::string trace;
};

// Reads an image; every finding of the reader must be an error that names its check.
inline ReadResult readBytes(std::span<const std::uint8_t> bytes) {
    ReadResult result;
    std::ostringstream trace;
    for (const Diagnostic& entry : readMdx(result.model, bytes, trace).entries) {
        EXPECT_EQ(entry, (Diagnostic{Severity::Error, entry.check, 0, {}, assertionText(entry.check)}));
        result.checks.push_back(entry.check);
    }
    result.trace = trace.str();
    return result;
}

inline std::uint32_t u32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(bytes.at(offset + i)) << (8 * i);
    return v;
}

inline std::string textAt(const std::vector<std::uint8_t>& bytes, std::size_t offset, std::size_t length) {
    return std::string(reinterpret_cast<const char*>(bytes.data() + offset), length);
}

// Where the body of chunk `tag` of a well-formed image starts.
inline std::size_t chunkBody(const std::vector<std::uint8_t>& bytes, const std::string& tag) {
    for (std::size_t at = 4; at + 8 <= bytes.size(); at += 8 + u32At(bytes, at + 4))
        if (textAt(bytes, at, 4) == tag) return at + 8;
    ADD_FAILURE() << "no chunk " << tag;
    return 0;
}

// Builds little-endian byte images by hand, for inputs the writer would never produce.
struct ByteBuilder {
    std::vector<std::uint8_t> bytes;

    ByteBuilder& le(std::uint32_t v, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    ByteBuilder& u32(std::uint32_t v) { return le(v, 4); }
    ByteBuilder& f32(float v) { return u32(std::bit_cast<std::uint32_t>(v)); }
    ByteBuilder& tag(const char* text) { return append({text, text + 4}); }
    ByteBuilder& text(const std::string& value, std::size_t width) {
        return append({value.begin(), value.end()})
            .append(std::vector<std::uint8_t>(width - value.size(), 0));
    }
    ByteBuilder& append(const std::vector<std::uint8_t>& more) {
        bytes.insert(bytes.end(), more.begin(), more.end());
        return *this;
    }
    ByteBuilder& chunk(const char* tagText, const std::vector<std::uint8_t>& body) {
        return tag(tagText).u32(static_cast<std::uint32_t>(body.size())).append(body);
    }
    // A record with its inclusive size in front.
    ByteBuilder& sized(const std::vector<std::uint8_t>& body) {
        return u32(static_cast<std::uint32_t>(4 + body.size())).append(body);
    }
};

// "MDLX" and a VERS chunk: the smallest file that reads without a finding.
inline ByteBuilder fileStart() {
    return ByteBuilder().tag("MDLX").chunk("VERS", ByteBuilder().u32(800).bytes);
}

// A TEXS chunk of one texture "after.blp": placed after damage, it must still be read.
inline std::vector<std::uint8_t> texsAfter() {
    return ByteBuilder().chunk("TEXS", ByteBuilder().u32(5).text("after.blp", 256).u32(0).u32(0).bytes).bytes;
}

}  // namespace tess::testing
