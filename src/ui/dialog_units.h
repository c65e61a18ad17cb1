#pragma once

#include <QtCore/QRect>

namespace tess {

// The dialogs are laid out in dialog units of their 8-point font: a quarter of its average
// character width (6 pixels) across and an eighth of its height (13 pixels) down.
constexpr QRect dialogUnits(int x, int y, int width, int height) {
    return {x * 6 / 4, y * 13 / 8, width * 6 / 4, height * 13 / 8};
}

}  // namespace tess
