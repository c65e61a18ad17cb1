#include "ui/key_translation.h"

#include <QtCore/qnamespace.h>
#include <gtest/gtest.h>

#include <tuple>

namespace tess {
namespace {

TEST(KeyTranslation, QtKeysMapToVirtualKeyCodes) {
    // clang-format off
    const std::tuple<int, bool, int> cases[] = {  // Qt key, on the keypad, virtual key
        {Qt::Key_A, false, 'A'}, {Qt::Key_Z, false, 'Z'}, {Qt::Key_9, false, '9'}, {Qt::Key_F1, false, 0x70},
        {Qt::Key_F12, false, 0x7B}, {Qt::Key_Escape, false, 0x1B}, {Qt::Key_Right, false, 0x27},
        {Qt::Key_Delete, false, 0x2E}, {Qt::Key_Enter, true, 0x0D}, {Qt::Key_Control, false, 0x11},
        // The shifted digit row keeps its digit key; the keypad has codes of its own for digits and
        // arithmetic, not for arrows.
        {Qt::Key_Exclam, false, '1'}, {Qt::Key_ParenRight, false, '0'}, {Qt::Key_0, true, 0x60},
        {Qt::Key_7, true, 0x67}, {Qt::Key_Plus, true, 0x6B}, {Qt::Key_Right, true, 0x27},
        {Qt::Key_Plus, false, 0xBB}, {Qt::Key_unknown, false, -1}, {Qt::Key_Adiaeresis, false, -1},
    };
    // clang-format on
    for (const auto& [qtKey, keypad, virtualKey] : cases)
        EXPECT_EQ(virtualKeyFromQt(qtKey, keypad), virtualKey)
            << "Qt key 0x" << std::hex << qtKey << (keypad ? " on the keypad" : "");
}

}  // namespace
}  // namespace tess
