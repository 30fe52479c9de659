#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "framework/hid/HidParser.h"

namespace dsp {
namespace {

using namespace hidservices;
using Codes = std::vector<std::uint8_t>;

// Collects the codes handed over, one entry per key.
struct TRecorder {
    std::vector<Codes> keys;

    static bool Insert(void* context, std::uint8_t* codes, std::uint32_t length) {
        static_cast<TRecorder*>(context)->keys.emplace_back(codes, codes + length);
        return true;
    }
};

// Translates the keys going down or up with the state given and returns the codes per key.
std::vector<Codes> Translate(std::vector<USAGE> usages, HIDP_KEYBOARD_DIRECTION action,
                             HIDP_KEYBOARD_MODIFIER_STATE& state, NTSTATUS* status = nullptr) {
    TRecorder recorder;
    const NTSTATUS s = HidP_TranslateUsagesToI8042ScanCodes(
        usages.data(), std::uint32_t(usages.size()), action, &state, &TRecorder::Insert, &recorder);
    if (status != nullptr) *status = s;
    return recorder.keys;
}

struct KeyCase {
    const char* name;
    USAGE usage;
    std::vector<USAGE> held;  // modifiers down before the key
    Codes make, breaks;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class KeyCodes : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyCodes, MakeAndBreakFollowTheModifiersHeld) {
    const KeyCase& c = GetParam();
    HIDP_KEYBOARD_MODIFIER_STATE state{};
    Translate(c.held, HidP_Keyboard_Make, state);
    const std::vector<Codes> down = Translate({c.usage}, HidP_Keyboard_Make, state);
    const std::vector<Codes> up = Translate({c.usage}, HidP_Keyboard_Break, state);
    EXPECT_EQ(down, c.make.empty() ? std::vector<Codes>{} : std::vector<Codes>{c.make});
    EXPECT_EQ(up, c.breaks.empty() ? std::vector<Codes>{} : std::vector<Codes>{c.breaks});
}

INSTANTIATE_TEST_SUITE_P(
    Keyboard, KeyCodes,
    ::testing::Values(
        KeyCase{"a", 0x04, {}, {0x1E}, {0x9E}}, KeyCase{"z", 0x1D, {}, {0x2C}, {0xAC}},
        KeyCase{"zero", 0x27, {}, {0x0B}, {0x8B}}, KeyCase{"enter", 0x28, {}, {0x1C}, {0x9C}},
        KeyCase{"F12", 0x45, {}, {0x58}, {0xD8}},
        KeyCase{"right arrow", 0x4F, {}, {0xE0, 0x4D}, {0xE0, 0xCD}},
        KeyCase{"keypad enter", 0x58, {}, {0xE0, 0x1C}, {0xE0, 0x9C}},
        KeyCase{"keypad 7", 0x5F, {}, {0x47}, {0xC7}},
        KeyCase{"right control", 0xE4, {}, {0xE0, 0x1D}, {0xE0, 0x9D}},
        KeyCase{"right GUI", 0xE7, {}, {0xE0, 0x5C}, {0xE0, 0xDC}},
        KeyCase{"F24", 0x73, {}, {0x76}, {0xF6}},
        KeyCase{"volume up", 0x80, {}, {0xE0, 0x30}, {0xE0, 0xB0}},
        KeyCase{"language 1 sends no break", 0x90, {}, {0xF2}, {}},
        KeyCase{"print screen alone", 0x46, {}, {0xE0, 0x2A, 0xE0, 0x37}, {0xE0, 0xB7, 0xE0, 0xAA}},
        KeyCase{"print screen with shift", 0x46, {0xE5}, {0xE0, 0x37}, {0xE0, 0xB7}},
        KeyCase{"print screen with alt", 0x46, {0xE2}, {0x54}, {0xD4}},
        KeyCase{"pause", 0x48, {}, {0xE1, 0x1D, 0x45, 0xE1, 0x9D, 0xC5}, {}},
        KeyCase{"pause with control is break", 0x48, {0xE0}, {0xE0, 0x46, 0xE0, 0xC6}, {}}),
    [](const ::testing::TestParamInfo<KeyCase>& param) {
        std::string name;
        for (const char* p = param.param.name; *p != '\0'; ++p)
            if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
        return name;
    });

TEST(KeyboardTranslation, ModifiersAreHeldAndLocksToggle) {
    HIDP_KEYBOARD_MODIFIER_STATE state{};
    Translate({0xE1, 0xE6, 0x39}, HidP_Keyboard_Make, state);
    EXPECT_TRUE(state.LeftShift);
    EXPECT_TRUE(state.RightAlt);
    EXPECT_TRUE(state.CapsLock);
    EXPECT_FALSE(state.LeftControl);

    Translate({0xE1, 0x39}, HidP_Keyboard_Break, state);
    EXPECT_FALSE(state.LeftShift);
    EXPECT_TRUE(state.CapsLock);  // a lock changes only as its key goes down
    Translate({0x39, 0x53, 0x47}, HidP_Keyboard_Make, state);
    EXPECT_FALSE(state.CapsLock);
    EXPECT_TRUE(state.NumLock);
    EXPECT_TRUE(state.ScrollLock);
}

TEST(KeyboardTranslation, ListEndsAtZeroAndStopsAtAKeyWithoutCodes) {
    HIDP_KEYBOARD_MODIFIER_STATE state{};
    NTSTATUS status = 0;
    EXPECT_EQ(Translate({0x04, 0, 0x05}, HidP_Keyboard_Make, state, &status),
              (std::vector<Codes>{{0x1E}}));
    EXPECT_EQ(status, HIDP_STATUS_SUCCESS);

    // Help (0x75) has no scan code: the keys before it are handed over, the ones after are not.
    EXPECT_EQ(Translate({0x04, 0x75, 0x05}, HidP_Keyboard_Make, state, &status),
              (std::vector<Codes>{{0x1E}}));
    EXPECT_EQ(status, HIDP_STATUS_I8042_TRANS_UNKNOWN);
    EXPECT_EQ(Translate({0x100}, HidP_Keyboard_Make, state, &status), std::vector<Codes>{});
    EXPECT_EQ(status, HIDP_STATUS_I8042_TRANS_UNKNOWN);

    USAGE key = 0x04;
    EXPECT_EQ(HidP_TranslateUsagesToI8042ScanCodes(&key, 1, HIDP_KEYBOARD_DIRECTION(2), &state,
                                                   &TRecorder::Insert, nullptr),
              HIDP_STATUS_I8042_TRANS_UNKNOWN);
    // Without a procedure or a state the keys are still checked.
    EXPECT_EQ(HidP_TranslateUsagesToI8042ScanCodes(&key, 1, HidP_Keyboard_Make, nullptr, nullptr,
                                                   nullptr),
              HIDP_STATUS_SUCCESS);
}

}  // namespace
}  // namespace dsp
