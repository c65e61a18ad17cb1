#pragma once

#include <gtest/gtest.h>

#include <algorithm>
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
    return static_cast<std::uint32_t>(bytes.at(offset)) |
           static_cast<std::uint32_t>(bytes.at(offset + 1)) << 8 |
           static_cast<std::uint32_t>(bytes.at(offset + 2)) << 16 |
           static_cast<std::uint32_t>(bytes.at(offset + 3)) << 24;
}

inline void putU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<std::uint8_t>(v >> (8 * i));
}

inline float f32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    const std::uint32_t bits = u32At(bytes, offset);
    float value;
    std::memcpy(&value, &bits, 4);
    return value;
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
    for (std::size_t at = 4; at + 8 <= bytes.size();) {
        chunks.push_back({textAt(bytes, at, 4), at, u32At(bytes, at + 4)});
        at = chunks.back().end();
    }
    return chunks;
}

inline ChunkSpan chunkNamed(const std::vector<std::uint8_t>& bytes, const std::string& tag) {
    for (const ChunkSpan& chunk : chunksOf(bytes))
        if (chunk.tag == tag) return chunk;
    ADD_FAILURE() << "no chunk " << tag;
    return {tag, 0, 0};
}

inline std::vector<std::string> chunkTags(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::string> tags;
    for (const ChunkSpan& chunk : chunksOf(bytes)) tags.push_back(chunk.tag);
    return tags;
}

// Builds little-endian byte images by hand, for inputs the writer would never produce.
class ByteBuilder {
public:
    ByteBuilder& u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    ByteBuilder& u16(std::uint16_t v) {
        bytes.push_back(static_cast<std::uint8_t>(v));
        bytes.push_back(static_cast<std::uint8_t>(v >> 8));
        return *this;
    }
    ByteBuilder& u8(std::uint8_t v) {
        bytes.push_back(v);
        return *this;
    }
    ByteBuilder& f32(float v) {
        std::uint32_t bits;
        std::memcpy(&bits, &v, 4);
        return u32(bits);
    }
    ByteBuilder& tag(const char* text) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(text[i]));
        return *this;
    }
    ByteBuilder& text(const std::string& value, std::size_t width) {
        std::vector<std::uint8_t> field(width, 0);
        std::memcpy(field.data(), value.data(), std::min(value.size(), width));
        return append(field);
    }
    ByteBuilder& zeros(std::size_t count) {
        bytes.insert(bytes.end(), count, 0);
        return *this;
    }
    ByteBuilder& append(const std::vector<std::uint8_t>& more) {
        bytes.insert(bytes.end(), more.begin(), more.end());
        return *this;
    }
    // A chunk: tag, body size, body.
    ByteBuilder& chunk(const char* tagText, const std::vector<std::uint8_t>& body) {
        tag(tagText).u32(static_cast<std::uint32_t>(body.size()));
        return append(body);
    }
    std::vector<std::uint8_t> bytes;
};

// "MDLX" and a VERS chunk: the smallest file that reads without a report.
inline ByteBuilder fileStart() {
    ByteBuilder file;
    file.tag("MDLX").chunk("VERS", ByteBuilder().u32(800).bytes);
    return file;
}

}  // namespace tess::testing
