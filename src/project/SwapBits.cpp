#include "project/SwapBits.h"

#include "base/TextUtil.h"

namespace kt {

namespace {
[[nodiscard]] constexpr std::uint8_t LinkMask(int k) {
    return static_cast<std::uint8_t>(1u << (8 - k));
}
} // namespace

bool SwapLink(std::uint8_t value, int k) {
    if (k < 1 || k > 7) return false;
    return (value & LinkMask(k)) != 0;
}

ByteSwapState SwapByteState(std::uint8_t value, int byte) {
    const bool before = SwapLink(value, byte - 1);
    const bool after = SwapLink(value, byte);
    if (before && after) return ByteSwapState::Swap;
    if (before) return ByteSwapState::End;
    if (after) return ByteSwapState::Start;
    return ByteSwapState::NoSwap;
}

const char* SwapStateText(ByteSwapState state) {
    switch (state) {
    case ByteSwapState::Start:
        return "START";
    case ByteSwapState::Swap:
        return "SWAP";
    case ByteSwapState::End:
        return "END";
    case ByteSwapState::NoSwap:
        break;
    }
    return "NO SWAP";
}

std::uint8_t SwapToggle(std::uint8_t value, int toggle, bool pressed) {
    if (toggle < 1 || toggle > 7) return value;
    return pressed ? static_cast<std::uint8_t>(value | LinkMask(toggle))
                   : static_cast<std::uint8_t>(value & ~LinkMask(toggle));
}

std::string SwapValueText(std::uint8_t value) {
    return "0x" + HexDigits(value, 2);
}

} // namespace kt
