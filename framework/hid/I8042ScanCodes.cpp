// Keyboard usages to the scan codes a PC keyboard controller delivers (set 1): a key's make code
// is one byte, or two behind an 0xE0 prefix; its break code sets the top bit of the byte after
// the prefix. Print Screen and Pause send sequences of their own that depend on the modifiers.

#include <array>
#include <vector>

#include "framework/hid/HidParser.h"

namespace dsp {
namespace hidservices {
namespace {

constexpr USAGE kLastKeyboardUsage = 0xE7;
constexpr std::uint8_t kExtended = 0xE0;
constexpr std::uint8_t kBreakBit = 0x80;

// The usages with their own handling.
constexpr USAGE kPrintScreen = 0x46;
constexpr USAGE kPause = 0x48;
constexpr USAGE kCapsLock = 0x39;
constexpr USAGE kScrollLock = 0x47;
constexpr USAGE kNumLock = 0x53;
constexpr USAGE kLeftControl = 0xE0;

struct TScanCode {
    std::uint8_t code = 0;  // 0: the usage has no scan code
    bool extended = false;  // behind the 0xE0 prefix
    bool makeOnly = false;  // the key sends nothing when it goes up
};

struct TUsageCode {
    USAGE usage;
    TScanCode scan;
};

constexpr TScanCode Key(std::uint8_t code) { return {code, false, false}; }
constexpr TScanCode Ext(std::uint8_t code) { return {code, true, false}; }
constexpr TScanCode Once(std::uint8_t code) { return {code, false, true}; }

// clang-format off
constexpr TUsageCode kUsageCodes[] = {
    {0x01, Once(0xFF)},  // error roll-over
    {0x02, Once(0xFC)},  // self-test failed
    // a to z
    {0x04, Key(0x1E)}, {0x05, Key(0x30)}, {0x06, Key(0x2E)}, {0x07, Key(0x20)},
    {0x08, Key(0x12)}, {0x09, Key(0x21)}, {0x0A, Key(0x22)}, {0x0B, Key(0x23)},
    {0x0C, Key(0x17)}, {0x0D, Key(0x24)}, {0x0E, Key(0x25)}, {0x0F, Key(0x26)},
    {0x10, Key(0x32)}, {0x11, Key(0x31)}, {0x12, Key(0x18)}, {0x13, Key(0x19)},
    {0x14, Key(0x10)}, {0x15, Key(0x13)}, {0x16, Key(0x1F)}, {0x17, Key(0x14)},
    {0x18, Key(0x16)}, {0x19, Key(0x2F)}, {0x1A, Key(0x11)}, {0x1B, Key(0x2D)},
    {0x1C, Key(0x15)}, {0x1D, Key(0x2C)},
    // 1 to 9, 0
    {0x1E, Key(0x02)}, {0x1F, Key(0x03)}, {0x20, Key(0x04)}, {0x21, Key(0x05)},
    {0x22, Key(0x06)}, {0x23, Key(0x07)}, {0x24, Key(0x08)}, {0x25, Key(0x09)},
    {0x26, Key(0x0A)}, {0x27, Key(0x0B)},
    // Enter, Escape, Backspace, Tab, Space, - = [ ] \ non-US # ; ' ` , . /
    {0x28, Key(0x1C)}, {0x29, Key(0x01)}, {0x2A, Key(0x0E)}, {0x2B, Key(0x0F)},
    {0x2C, Key(0x39)}, {0x2D, Key(0x0C)}, {0x2E, Key(0x0D)}, {0x2F, Key(0x1A)},
    {0x30, Key(0x1B)}, {0x31, Key(0x2B)}, {0x32, Key(0x2B)}, {0x33, Key(0x27)},
    {0x34, Key(0x28)}, {0x35, Key(0x29)}, {0x36, Key(0x33)}, {0x37, Key(0x34)},
    {0x38, Key(0x35)},
    // Caps Lock, F1 to F12
    {0x39, Key(0x3A)},
    {0x3A, Key(0x3B)}, {0x3B, Key(0x3C)}, {0x3C, Key(0x3D)}, {0x3D, Key(0x3E)},
    {0x3E, Key(0x3F)}, {0x3F, Key(0x40)}, {0x40, Key(0x41)}, {0x41, Key(0x42)},
    {0x42, Key(0x43)}, {0x43, Key(0x44)}, {0x44, Key(0x57)}, {0x45, Key(0x58)},
    // Scroll Lock (Print Screen and Pause have sequences of their own)
    {0x47, Key(0x46)},
    // Insert, Home, Page Up, Delete, End, Page Down, Right, Left, Down, Up
    {0x49, Ext(0x52)}, {0x4A, Ext(0x47)}, {0x4B, Ext(0x49)}, {0x4C, Ext(0x53)},
    {0x4D, Ext(0x4F)}, {0x4E, Ext(0x51)}, {0x4F, Ext(0x4D)}, {0x50, Ext(0x4B)},
    {0x51, Ext(0x50)}, {0x52, Ext(0x48)},
    // Num Lock, keypad / * - + Enter 1 to 9 0 .
    {0x53, Key(0x45)}, {0x54, Ext(0x35)}, {0x55, Key(0x37)}, {0x56, Key(0x4A)},
    {0x57, Key(0x4E)}, {0x58, Ext(0x1C)}, {0x59, Key(0x4F)}, {0x5A, Key(0x50)},
    {0x5B, Key(0x51)}, {0x5C, Key(0x4B)}, {0x5D, Key(0x4C)}, {0x5E, Key(0x4D)},
    {0x5F, Key(0x47)}, {0x60, Key(0x48)}, {0x61, Key(0x49)}, {0x62, Key(0x52)},
    {0x63, Key(0x53)},
    // non-US \, Application, Power, keypad =
    {0x64, Key(0x56)}, {0x65, Ext(0x5D)}, {0x66, Ext(0x5E)}, {0x67, Key(0x59)},
    // F13 to F24
    {0x68, Key(0x64)}, {0x69, Key(0x65)}, {0x6A, Key(0x66)}, {0x6B, Key(0x67)},
    {0x6C, Key(0x68)}, {0x6D, Key(0x69)}, {0x6E, Key(0x6A)}, {0x6F, Key(0x6B)},
    {0x70, Key(0x6C)}, {0x71, Key(0x6D)}, {0x72, Key(0x6E)}, {0x73, Key(0x76)},
    // Mute, Volume Up, Volume Down
    {0x7F, Ext(0x20)}, {0x80, Ext(0x30)}, {0x81, Ext(0x2E)},
    // keypad comma, international 1 to 6
    {0x85, Key(0x7E)},
    {0x87, Key(0x73)}, {0x88, Key(0x70)}, {0x89, Key(0x7D)}, {0x8A, Key(0x79)},
    {0x8B, Key(0x7B)}, {0x8C, Key(0x5C)},
    // language 1 to 5
    {0x90, Once(0xF2)}, {0x91, Once(0xF1)}, {0x92, Key(0x78)}, {0x93, Key(0x77)},
    {0x94, Key(0x76)},
    // left Control, Shift, Alt, GUI; right Control, Shift, Alt, GUI
    {0xE0, Key(0x1D)}, {0xE1, Key(0x2A)}, {0xE2, Key(0x38)}, {0xE3, Ext(0x5B)},
    {0xE4, Ext(0x1D)}, {0xE5, Key(0x36)}, {0xE6, Ext(0x38)}, {0xE7, Ext(0x5C)},
};
// clang-format on

constexpr std::array<TScanCode, kLastKeyboardUsage + 1> MakeTable() {
    std::array<TScanCode, kLastKeyboardUsage + 1> table{};
    for (const TUsageCode& entry : kUsageCodes) table[entry.usage] = entry.scan;
    return table;
}

constexpr std::array<TScanCode, kLastKeyboardUsage + 1> kScanCodes = MakeTable();

bool ControlHeld(const HIDP_KEYBOARD_MODIFIER_STATE& s) { return s.LeftControl || s.RightControl; }
bool ShiftHeld(const HIDP_KEYBOARD_MODIFIER_STATE& s) { return s.LeftShift || s.RightShift; }
bool AltHeld(const HIDP_KEYBOARD_MODIFIER_STATE& s) { return s.LeftAlt || s.RightAlt; }

// Print Screen: alone it sends a fake left Shift around its code; with Shift or Control held it
// sends its code alone, and with Alt held the System Request code.
std::vector<std::uint8_t> PrintScreenCodes(bool make, const HIDP_KEYBOARD_MODIFIER_STATE& s) {
    const std::uint8_t up = make ? 0 : kBreakBit;
    if (AltHeld(s)) return {std::uint8_t(0x54 | up)};
    if (ShiftHeld(s) || ControlHeld(s)) return {kExtended, std::uint8_t(0x37 | up)};
    if (make) return {kExtended, 0x2A, kExtended, 0x37};
    return {kExtended, 0xB7, kExtended, 0xAA};
}

// Pause sends its whole sequence going down and nothing going up; with Control held it is
// Break.
std::vector<std::uint8_t> PauseCodes(bool make, const HIDP_KEYBOARD_MODIFIER_STATE& s) {
    if (!make) return {};
    if (ControlHeld(s)) return {kExtended, 0x46, kExtended, 0xC6};
    return {0xE1, 0x1D, 0x45, 0xE1, 0x9D, 0xC5};
}

// Keeps the modifier keys held and toggles the lock keys each time they go down.
void TrackModifiers(USAGE usage, bool make, HIDP_KEYBOARD_MODIFIER_STATE& s) {
    if (usage >= kLeftControl && usage <= kLastKeyboardUsage) {
        const std::uint32_t on = make ? 1 : 0;
        switch (usage - kLeftControl) {
            case 0: s.LeftControl = on; break;
            case 1: s.LeftShift = on; break;
            case 2: s.LeftAlt = on; break;
            case 3: s.LeftGUI = on; break;
            case 4: s.RightControl = on; break;
            case 5: s.RightShift = on; break;
            case 6: s.RightAlt = on; break;
            default: s.RightGUI = on; break;
        }
        return;
    }
    if (!make) return;
    if (usage == kCapsLock) s.CapsLock = !s.CapsLock;
    if (usage == kScrollLock) s.ScrollLock = !s.ScrollLock;
    if (usage == kNumLock) s.NumLock = !s.NumLock;
}

// The codes of one key, or false when it has none.
bool CodesOf(USAGE usage, bool make, const HIDP_KEYBOARD_MODIFIER_STATE& s,
             std::vector<std::uint8_t>& codes) {
    if (usage == kPrintScreen) {
        codes = PrintScreenCodes(make, s);
        return true;
    }
    if (usage == kPause) {
        codes = PauseCodes(make, s);
        return true;
    }
    if (usage > kLastKeyboardUsage || kScanCodes[usage].code == 0) return false;
    const TScanCode& scan = kScanCodes[usage];
    codes.clear();
    if (!make && scan.makeOnly) return true;
    if (scan.extended) codes.push_back(kExtended);
    codes.push_back(make ? scan.code : std::uint8_t(scan.code | kBreakBit));
    return true;
}

}  // namespace

NTSTATUS HidP_TranslateUsagesToI8042ScanCodes(USAGE* changedUsageList,
                                              std::uint32_t usageListLength,
                                              HIDP_KEYBOARD_DIRECTION keyAction,
                                              HIDP_KEYBOARD_MODIFIER_STATE* modifierState,
                                              PHIDP_INSERT_SCANCODES insertCodesProcedure,
                                              void* insertCodesContext) {
    if (keyAction != HidP_Keyboard_Break && keyAction != HidP_Keyboard_Make)
        return HIDP_STATUS_I8042_TRANS_UNKNOWN;
    if (changedUsageList == nullptr && usageListLength != 0) return HIDP_STATUS_BUFFER_TOO_SMALL;
    const bool make = keyAction == HidP_Keyboard_Make;
    HIDP_KEYBOARD_MODIFIER_STATE untracked{};
    HIDP_KEYBOARD_MODIFIER_STATE& state = modifierState != nullptr ? *modifierState : untracked;
    std::vector<std::uint8_t> codes;
    for (std::uint32_t i = 0; i < usageListLength && changedUsageList[i] != 0; ++i) {
        const USAGE usage = changedUsageList[i];
        if (!CodesOf(usage, make, state, codes)) return HIDP_STATUS_I8042_TRANS_UNKNOWN;
        TrackModifiers(usage, make, state);
        if (!codes.empty() && insertCodesProcedure != nullptr)
            insertCodesProcedure(insertCodesContext, codes.data(), std::uint32_t(codes.size()));
    }
    return HIDP_STATUS_SUCCESS;
}

}  // namespace hidservices
}  // namespace dsp
