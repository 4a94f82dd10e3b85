#pragma once
// The main window's icon buttons, drawn so that no picture files need shipping.

#include <QIcon>

namespace kt {

enum class IconKind { Info, Options, Close };

[[nodiscard]] QIcon MakeIcon(IconKind kind, int size = 40);

} // namespace kt
