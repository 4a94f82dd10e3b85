#pragma once
// The byte swap value of a CAN frame: bits 7..1 link neighbouring data bytes, bit 0 is kept
// but means nothing to the editor.

#include <cstdint>
#include <string>

namespace kt {

enum class ByteSwapState { NoSwap, Start, Swap, End };

inline constexpr int SwapBytes = 8;   // bytes offered by the editor, whatever the frame's length
inline constexpr int SwapToggles = 8; // toggle 8 has no link behind it

// True when byte k is joined to byte k+1 (bit 8-k). Links 0 and 8 and anything outside
// 1..7 are never set.
[[nodiscard]] bool SwapLink(std::uint8_t value, int k);

// State of data byte 1..8 from its two neighbouring links.
[[nodiscard]] ByteSwapState SwapByteState(std::uint8_t value, int byte);

// "NO SWAP", "START", "SWAP" or "END".
[[nodiscard]] const char* SwapStateText(ByteSwapState state);

// Every state but NoSwap belongs to a swap group and is shown in red.
[[nodiscard]] inline bool SwapStateMarked(ByteSwapState state) {
    return state != ByteSwapState::NoSwap;
}

// The value after toggle 1..7 was pressed or released; toggle 8 (or any other) changes nothing.
[[nodiscard]] std::uint8_t SwapToggle(std::uint8_t value, int toggle, bool pressed);

// "0x" and two upper-case hexadecimal digits.
[[nodiscard]] std::string SwapValueText(std::uint8_t value);

} // namespace kt
