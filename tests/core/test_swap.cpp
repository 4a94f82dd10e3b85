#include "project/SwapBits.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using kt::ByteSwapState;

// One letter a byte: N no swap, S start, W swap, E end.
std::string States(std::uint8_t value) {
    std::string s;
    for (int byte = 1; byte <= kt::SwapBytes; ++byte) {
        switch (kt::SwapByteState(value, byte)) {
        case ByteSwapState::NoSwap:
            s += 'N';
            break;
        case ByteSwapState::Start:
            s += 'S';
            break;
        case ByteSwapState::Swap:
            s += 'W';
            break;
        case ByteSwapState::End:
            s += 'E';
            break;
        }
    }
    return s;
}

struct StateCase {
    const char* name;
    std::uint8_t value;
    const char* states;
};

class SwapStates : public testing::TestWithParam<StateCase> {};

TEST_P(SwapStates, EachByteFollowsItsTwoLinks) {
    EXPECT_EQ(States(GetParam().value), GetParam().states);
}

INSTANTIATE_TEST_SUITE_P(Values, SwapStates,
                         testing::Values(StateCase{"Zero", 0x00, "NNNNNNNN"},
                                         StateCase{"Bit0Only", 0x01, "NNNNNNNN"},
                                         StateCase{"FirstPair", 0x80, "SENNNNNN"},
                                         StateCase{"FirstThree", 0xC0, "SWENNNNN"},
                                         StateCase{"TwoGroups", 0xA0, "SESENNNN"},
                                         StateCase{"SecondLinkOnly", 0x40, "NSENNNNN"},
                                         StateCase{"AllJoined", 0xFE, "SWWWWWWE"},
                                         StateCase{"AllBits", 0xFF, "SWWWWWWE"},
                                         StateCase{"LastPair", 0x02, "NNNNNNSE"}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(SwapToggle, PressAndReleaseTouchOnlyTheirLink) {
    std::uint8_t v = 0;
    v = kt::SwapToggle(v, 1, true);
    v = kt::SwapToggle(v, 2, true);
    EXPECT_EQ(v, 0xC0);
    EXPECT_EQ(kt::SwapToggle(v, 1, false), 0x40);
    EXPECT_EQ(kt::SwapToggle(0x01, 1, true), 0x81);
    EXPECT_EQ(kt::SwapToggle(0x81, 1, false), 0x01);
    EXPECT_EQ(kt::SwapToggle(0x00, 7, true), 0x02);
}

TEST(SwapToggle, ToggleEightAndOutOfRangeChangeNothing) {
    for (std::uint8_t v : {0x00, 0x01, 0x5A, 0xFF}) {
        EXPECT_EQ(kt::SwapToggle(v, 8, true), v);
        EXPECT_EQ(kt::SwapToggle(v, 8, false), v);
        EXPECT_EQ(kt::SwapToggle(v, 0, true), v);
        EXPECT_EQ(kt::SwapToggle(v, 9, true), v);
    }
}

TEST(SwapToggle, EveryToggleTwiceRestoresEveryValue) {
    for (int v = 0; v < 256; ++v)
        for (int k = 1; k <= 7; ++k) {
            const auto value = static_cast<std::uint8_t>(v);
            const bool pressed = kt::SwapLink(value, k);
            EXPECT_EQ(kt::SwapToggle(kt::SwapToggle(value, k, !pressed), k, pressed), value);
        }
}

TEST(SwapText, ValueAndStates) {
    EXPECT_EQ(kt::SwapValueText(0x00), "0x00");
    EXPECT_EQ(kt::SwapValueText(0x2C), "0x2C");
    EXPECT_EQ(kt::SwapValueText(0xFF), "0xFF");
    EXPECT_STREQ(kt::SwapStateText(ByteSwapState::NoSwap), "NO SWAP");
    EXPECT_STREQ(kt::SwapStateText(ByteSwapState::Start), "START");
    EXPECT_STREQ(kt::SwapStateText(ByteSwapState::Swap), "SWAP");
    EXPECT_STREQ(kt::SwapStateText(ByteSwapState::End), "END");
}

} // namespace
