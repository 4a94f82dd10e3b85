#pragma once
// Readable text of a configuration image, for checking what goes into the device.

#include "base/Status.h"

#include <string>
#include <string_view>
#include <vector>

namespace kt {

// Decodes a 4096-byte image: the used entries of both frame tables, the named fields of the
// parameter block and whether the stored checksum matches. Any other size fails.
[[nodiscard]] Result<std::string> DumpConfigImage(std::string_view bytes);

// What in a 4096-byte image differs from every image the configurator writes: a checksum
// that does not match, a fixed word (parameter offsets 4, 8, 196, 200) with another value,
// an unused table entry without its pattern. One English line each; empty when none.
[[nodiscard]] std::vector<std::string> ConfigImageProblems(std::string_view bytes);

} // namespace kt
