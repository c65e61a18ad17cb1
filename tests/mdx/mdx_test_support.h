#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "mdx/mdx_reader.h"
#include "mdx/mdx_writer.h"
#include "model/model.h"
#include "model/report.h"

namespace tess::testing {

inline std::vector<std::uint8_t> writeOrFail(const Model& model) {
    std::vector<std::uint8_t> bytes;
    RecordingReportSink reports;
    const MdxWriteResult result = writeMdx(model, bytes, reports);
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_TRUE(reports.checks.empty());
    return bytes;
}

struct ReadResult {
    Model model;
    std::vector<int> checks;
    std::string trace;
};

inline ReadResult readBytes(std::span<const std::uint8_t> bytes) {
    ReadResult result;
    RecordingReportSink reports;
    std::ostringstream trace;
    readMdx(result.model, bytes, reports, trace);
    result.checks = reports.checks;
    result.trace = trace.str();
    return result;
}

inline std::uint32_t u32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(bytes.at(offset + i)) << (8 * i);
    return v;
}

inline void putU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<std::uint8_t>(v >> (8 * i));
}

inline float f32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return std::bit_cast<float>(u32At(bytes, offset));
}

inline std::string textAt(const std::vector<std::uint8_t>& bytes, std::size_t offset, std::size_t length) {
    return std::string(reinterpret_cast<const char*>(bytes.data() + offset), length);
}

// A top-level chunk of a file image: its tag, where its tag starts, its body size.
struct ChunkSpan {
    std::string tag;
    std::size_t offset;
    std::uint32_t size;
    std::size_t body() const { return offset + 8; }
    std::size_t end() const { return offset + 8 + size; }
};

// Walks the chunks of a well-formed image (after the magic).
inline std::vector<ChunkSpan> chunksOf(const std::vector<std::uint8_t>& bytes) {
    std::vector<ChunkSpan> chunks;
    for (std::size_t at = 4; at + 8 <= bytes.size(); at = chunks.back().end())
        chunks.push_back({textAt(bytes, at, 4), at, u32At(bytes, at + 4)});
    return chunks;
}

inline ChunkSpan chunkNamed(const std::vector<std::uint8_t>& bytes, const std::string& tag) {
    for (const ChunkSpan& chunk : chunksOf(bytes))
        if (chunk.tag == tag) return chunk;
    ADD_FAILURE() << "no chunk " << tag;
    return {tag, 0, 0};
}

// Builds little-endian byte images by hand, for inputs the writer would never produce.
struct ByteBuilder {
    std::vector<std::uint8_t> bytes;

    // The `size` low bytes of `v`, least significant first.
    ByteBuilder& le(std::uint32_t v, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    ByteBuilder& u32(std::uint32_t v) { return le(v, 4); }
    ByteBuilder& u16(std::uint16_t v) { return le(v, 2); }
    ByteBuilder& u8(std::uint8_t v) { return le(v, 1); }
    ByteBuilder& f32(float v) { return u32(std::bit_cast<std::uint32_t>(v)); }
    ByteBuilder& tag(const char* text) { return append(std::vector<std::uint8_t>(text, text + 4)); }
    ByteBuilder& text(const std::string& value, std::size_t width) {
        std::vector<std::uint8_t> field(width, 0);
        std::memcpy(field.data(), value.data(), std::min(value.size(), width));
        return append(field);
    }
    ByteBuilder& zeros(std::size_t count) { return append(std::vector<std::uint8_t>(count, 0)); }
    ByteBuilder& append(const std::vector<std::uint8_t>& more) {
        bytes.insert(bytes.end(), more.begin(), more.end());
        return *this;
    }
    // A chunk: tag, body size, body.
    ByteBuilder& chunk(const char* tagText, const std::vector<std::uint8_t>& body) {
        return tag(tagText).u32(static_cast<std::uint32_t>(body.size())).append(body);
    }
    // A record with its inclusive size in front.
    ByteBuilder& sized(const std::vector<std::uint8_t>& body) {
        return u32(static_cast<std::uint32_t>(4 + body.size())).append(body);
    }
};

// "MDLX" and a VERS chunk: the smallest file that reads without a report.
inline ByteBuilder fileStart() {
    return ByteBuilder().tag("MDLX").chunk("VERS", ByteBuilder().u32(800).bytes);
}

// A TEXS chunk of one texture "after.blp": placed after damage, it must still be read.
inline std::vector<std::uint8_t> texsAfter() {
    return ByteBuilder().chunk("TEXS", ByteBuilder().u32(5).text("after.blp", 256).u32(0).u32(0).bytes).bytes;
}

}  // namespace tess::testing
