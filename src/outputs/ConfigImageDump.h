#pragma once
// Readable text of a configuration image, for checking what goes into the device.

#include "base/Status.h"

#include <string>
#include <string_view>

namespace kt {

// Decodes a 4096-byte image: the used entries of both frame tables, the named fields of the
// parameter block and whether the stored checksum matches. Any other size fails.
[[nodiscard]] Result<std::string> DumpConfigImage(std::string_view bytes);

} // namespace kt
