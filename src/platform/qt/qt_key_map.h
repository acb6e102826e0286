#pragma once

#include <cstdint>

namespace ostrel::platform {

// The system's virtual-key code for a Qt key (Qt::Key), its keyboard modifiers (for the keypad)
// and the native key symbol (which tells left and right modifiers apart on X11). Symbols that
// need Shift on a US layout give the code of their key. 0 for a key the system has no code for.
int VirtualKeyFromQt(int qtKey, unsigned qtModifiers, std::uint32_t nativeKeySymbol);

}  // namespace ostrel::platform
