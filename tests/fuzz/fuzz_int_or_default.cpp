// IntOrDefault: never crashes, ignores its fallback when the text is a number, and agrees with
// a 64-bit reading for decimal texts.
#include "project/IntOrDefault.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::int32_t a = kt::IntOrDefault(text, 0);
    const std::int32_t b = kt::IntOrDefault(text, 1);
    const bool number = !(a == 0 && b == 1);
    if (number && a != b) std::abort();

    // Blanks, one optional sign, 1 to 18 decimal digits: compare with from_chars.
    std::string_view rest = text.substr(std::min(text.size(), text.find_first_not_of(' ')));
    bool negative = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    if (rest.empty() || rest.size() > 18 ||
        rest.find_first_not_of("0123456789") != std::string_view::npos)
        return 0;
    std::int64_t ref = 0;
    std::from_chars(rest.data(), rest.data() + rest.size(), ref);
    if (negative) ref = -ref;
    const bool fits = ref >= INT32_MIN && ref <= INT32_MAX;
    if (fits != number) std::abort();
    if (fits && a != ref) std::abort();
    return 0;
}
