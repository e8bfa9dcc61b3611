// Keyboard messages as Windows builds them, from SDL key events; no window needed.
#include "platform/sdl/desktop_events.h"
#include "platform/sdl/key_mapping.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD repeatOne = 1;
constexpr DWORD extendedBit = 1u << 24;
constexpr DWORD altContext = 1u << 29;
constexpr DWORD wasDown = 1u << 30;
constexpr DWORD released = 1u << 31;

DWORD bits(const KeyMessage& k) {
    return static_cast<DWORD>(k.lParam);
}
DWORD scanOf(const KeyMessage& k) {
    return bits(k) >> 16 & 0xFF;
}

TEST(KeyMapping, LettersAreCapitalsWhateverShiftSays) {
    for (const bool shift : {false, true}) {
        const KeyMessage a = keyMessageForName("A", true, false, false, false, shift);
        EXPECT_EQ(a.message, static_cast<UINT>(WM_KEYDOWN));
        EXPECT_EQ(a.virtualKey, static_cast<WPARAM>('A'));
        EXPECT_EQ(scanOf(a), 0x1Eu);
    }
    EXPECT_EQ(keyMessageForName("Z", true).virtualKey, static_cast<WPARAM>('Z'));
    EXPECT_EQ(keyMessageForName("7", true).virtualKey, static_cast<WPARAM>('7'));
    // The virtual key follows the layout's character, the scan code the key's position:
    // on a layout whose Q position types 'a' (SDL scan code 20), the key is 'A' at scan 0x10.
    const KeyMessage azerty = keyMessageFor('a', 20, 0, true, false);
    EXPECT_EQ(azerty.virtualKey, static_cast<WPARAM>('A'));
    EXPECT_EQ(scanOf(azerty), 0x10u);
}

TEST(KeyMapping, NamedKeysAndTheirExtendedBit) {
    const struct {
        const char* name;
        WPARAM virtualKey;
        DWORD scan;
        bool extended;
    } cases[] = {
        {"Up", VK_UP, 0x48, true},
        {"Down", VK_DOWN, 0x50, true},
        {"Left", VK_LEFT, 0x4B, true},
        {"Right", VK_RIGHT, 0x4D, true},
        {"Escape", VK_ESCAPE, 0x01, false},
        {"Return", VK_RETURN, 0x1C, false},
        {"Keypad Enter", VK_RETURN, 0x1C, true},
        {"Space", VK_SPACE, 0x39, false},
        {"F1", VK_F1, 0x3B, false},
        {"F12", VK_F12, 0x58, false},
        {"Keypad 5", VK_NUMPAD0 + 5, 0x4C, false},
        {"Keypad *", VK_MULTIPLY, 0x37, false},
        {"Left Shift", VK_SHIFT, 0x2A, false},
        {"Right Shift", VK_SHIFT, 0x36, false},
        {"Left Ctrl", VK_CONTROL, 0x1D, false},
        {"Right Ctrl", VK_CONTROL, 0x1D, true},
        {"Delete", VK_DELETE, 0x53, true},
        {"CapsLock", VK_CAPITAL, 0x3A, false},
    };
    for (const auto& c : cases) {
        const KeyMessage k = keyMessageForName(c.name, true);
        EXPECT_EQ(k.message, static_cast<UINT>(WM_KEYDOWN)) << c.name;
        EXPECT_EQ(k.virtualKey, c.virtualKey) << c.name;
        EXPECT_EQ(scanOf(k), c.scan) << c.name;
        EXPECT_EQ((bits(k) & extendedBit) != 0, c.extended) << c.name;
        EXPECT_EQ(bits(k) & 0xFFFF, repeatOne) << c.name;
    }
    EXPECT_EQ(keyMessageForName("Mute", true).message, 0u); // no key Windows would report here
}

TEST(KeyMapping, PreviousStateAndTransitionBits) {
    const DWORD press = bits(keyMessageForName("Up", true));
    const DWORD repeat = bits(keyMessageForName("Up", true, true));
    const KeyMessage up = keyMessageForName("Up", false);
    EXPECT_EQ(press & (wasDown | released), 0u);
    EXPECT_EQ(repeat & (wasDown | released), wasDown);
    EXPECT_EQ(up.message, static_cast<UINT>(WM_KEYUP));
    EXPECT_EQ(bits(up) & (wasDown | released), wasDown | released);
}

TEST(KeyMapping, AltMakesSystemKeysUnlessCtrlIsHeld) {
    const KeyMessage f4 = keyMessageForName("F4", true, false, true);
    EXPECT_EQ(f4.message, static_cast<UINT>(WM_SYSKEYDOWN));
    EXPECT_EQ(f4.virtualKey, static_cast<WPARAM>(VK_F4));
    EXPECT_EQ(bits(f4) & altContext, altContext);
    EXPECT_EQ(keyMessageForName("W", false, false, true).message, static_cast<UINT>(WM_SYSKEYUP));
    const KeyMessage alt = keyMessageForName("Left Alt", true);
    EXPECT_EQ(alt.message, static_cast<UINT>(WM_SYSKEYDOWN));
    EXPECT_EQ(alt.virtualKey, static_cast<WPARAM>(VK_MENU));
    EXPECT_EQ(keyMessageForName("Left Alt", false).message, static_cast<UINT>(WM_SYSKEYUP));
    EXPECT_EQ(keyMessageForName("F10", true).message, static_cast<UINT>(WM_SYSKEYDOWN));
    // Ctrl with Alt (AltGr on many layouts) gives ordinary key messages.
    const KeyMessage altGr = keyMessageForName("Q", true, false, true, true);
    EXPECT_EQ(altGr.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(bits(altGr) & altContext, 0u);
}

} // namespace
