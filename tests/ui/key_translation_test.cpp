#include "ui/key_translation.h"

#include <QtCore/qnamespace.h>
#include <gtest/gtest.h>

#include <tuple>

namespace tess {
namespace {

TEST(KeyTranslation, QtKeysMapToVirtualKeyCodes) {
    // clang-format off
    const std::tuple<int, bool, int> cases[] = {  // Qt key, on the keypad, virtual key
        {Qt::Key_A, false, 'A'}, {Qt::Key_Z, false, 'Z'}, {Qt::Key_0, false, '0'}, {Qt::Key_9, false, '9'},
        {Qt::Key_F1, false, 0x70}, {Qt::Key_F12, false, 0x7B},
        {Qt::Key_Escape, false, 0x1B}, {Qt::Key_Left, false, 0x25}, {Qt::Key_Up, false, 0x26},
        {Qt::Key_Right, false, 0x27}, {Qt::Key_Down, false, 0x28}, {Qt::Key_Delete, false, 0x2E},
        {Qt::Key_Return, false, 0x0D}, {Qt::Key_Enter, true, 0x0D}, {Qt::Key_Space, false, 0x20},
        {Qt::Key_Backspace, false, 0x08}, {Qt::Key_Backtab, false, 0x09}, {Qt::Key_Home, false, 0x24},
        {Qt::Key_Shift, false, 0x10}, {Qt::Key_Control, false, 0x11}, {Qt::Key_Alt, false, 0x12},
        // The shifted digit row keeps its digit key.
        {Qt::Key_Exclam, false, '1'}, {Qt::Key_Dollar, false, '4'}, {Qt::Key_ParenRight, false, '0'},
        // The keypad has codes of its own for digits and arithmetic, not for arrows.
        {Qt::Key_0, true, 0x60}, {Qt::Key_7, true, 0x67}, {Qt::Key_Plus, true, 0x6B},
        {Qt::Key_Minus, true, 0x6D}, {Qt::Key_Slash, true, 0x6F}, {Qt::Key_Right, true, 0x27},
        {Qt::Key_Plus, false, 0xBB}, {Qt::Key_Minus, false, 0xBD}, {Qt::Key_Slash, false, 0xBF},
        {Qt::Key_unknown, false, -1}, {Qt::Key_VolumeUp, false, -1}, {Qt::Key_Adiaeresis, false, -1},
        {0, false, -1},
    };
    // clang-format on
    for (const auto& [qtKey, keypad, virtualKey] : cases)
        EXPECT_EQ(virtualKeyFromQt(qtKey, keypad), virtualKey)
            << "Qt key 0x" << std::hex << qtKey << (keypad ? " on the keypad" : "");
}

}  // namespace
}  // namespace tess
