#pragma once

#include <QtGui/QImage>
#include <cstdint>
#include <string>

#include "editor/document.h"

namespace tess {

// The texture the UV editor shows: `chosen` (the window's uvTexture) when it is not -1;
// without a choice, the texture of the first layer of the material of the first shown
// geoset that has texture coordinates. -1 when that names no texture of the model.
std::int32_t uvShownTexture(const Document& document, std::int32_t chosen);

// The image of texture `index` of `model` as the UV editor draws it, top row first: the
// generated 64 x 64 glow for ReplaceableId 2, else the first readable TGA among the model
// file's texture candidates, else the 1 x 1 grey placeholder. The file's rows are stored
// bottom-up, so they are flipped. A null image when `index` names no texture.
QImage uvTextureImage(const Model& model, const std::string& modelFileName, std::int32_t index);

}  // namespace tess
