#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/model.h"
#include "render/tga.h"

namespace tess {

inline constexpr std::size_t kTextureSlotCount = 256;
inline constexpr std::size_t kWhiteSlot = 0;           // 1 x 1 opaque white
inline constexpr std::size_t kReplaceableRedSlot = 1;  // 1 x 1 opaque red, for ReplaceableId 1
inline constexpr std::size_t kSelectionTintSlot = 2;   // 1 x 1 grey (136, 136, 136, 136)
inline constexpr std::size_t kFirstModelSlot = 3;      // Textures[i] lives in slot 3 + i
inline constexpr std::size_t kMaxTableTextures = kTextureSlotCount - kFirstModelSlot;

// The GL texture objects of the open document. Names are GL texture names, 0 for none.
// The table owns its texture objects: reloadTextures and releaseTextures delete them. The
// GL context they were made in must be current whenever the table is filled or released.
struct TextureTable {
    std::array<std::uint32_t, kTextureSlotCount> slots{};
    // The grey 1 x 1 image that stands for model textures beyond the table's 253 slots and
    // for texture indices that name no texture.
    std::uint32_t placeholder = 0;
    std::size_t modelTextureCount = 0;  // model textures that have a slot of their own
};

// The image of one model texture: the generated 64 x 64 glow for ReplaceableId 2, otherwise
// the first readable image file among textureCandidates, else placeholderImage. No GL needed.
TgaImage loadTextureImage(const std::string& currentFileName, const Texture& texture);

// Rebuilds the table for `model`: deletes the previous document's texture objects, uploads
// the three built-in 1 x 1 textures and the placeholder, then each model texture: the
// generated 64 x 64 glow for ReplaceableId 2, otherwise the first readable image file among
// textureCandidates (the placeholder grey when none is). Images larger than the GL accepts
// are scaled down to sizes it does.
void reloadTextures(TextureTable& table, const Model& model, const std::string& currentFileName);

// Deletes every texture object of the table and empties it.
void releaseTextures(TextureTable& table);

// The GL texture name to bind for model texture `textureIndex`: its own slot when it has
// one, the placeholder otherwise (beyond 253 textures, or an index naming no texture).
std::uint32_t modelTextureName(const TextureTable& table, std::size_t textureIndex);

}  // namespace tess
