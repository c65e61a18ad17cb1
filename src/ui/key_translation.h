#pragma once

namespace tess {

// Returns the Windows virtual-key code for a Qt key (a Qt::Key value), or -1 for a key the
// table does not know. `keypad` is true when the event came from the numeric keypad: digits
// and the arithmetic keys there have codes of their own (0x60-0x6F), as on the desktop the
// design was written for. Letters map to their upper-case codes, the shifted characters of
// the digit row (US layout) to their digit, the punctuation keys to their US-layout codes.
int virtualKeyFromQt(int qtKey, bool keypad);

}  // namespace tess
