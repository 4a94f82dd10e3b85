#pragma once
// SHA-256 (FIPS 180-4) for the fingerprints in the commissioning report.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kt {

using Sha256Digest = std::array<std::uint8_t, 32>;

// The digest of `bytes`.
[[nodiscard]] Sha256Digest Sha256(std::string_view bytes);
// The digest as 64 lower-case hexadecimal digits, the form checksum tools print.
[[nodiscard]] std::string Sha256Hex(std::string_view bytes);

} // namespace kt
