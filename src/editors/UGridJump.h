#pragma once
// The Enter jump of the frame grids, shared by the grid view and its cell editors.

#include <QTableView>

namespace kt {

[[nodiscard]] bool IsEnterKey(int key);

// With the jump on and key Enter: moves the current cell right, or to the first field of the
// next row (from the last row to the first), and returns true (the key is consumed). The
// row-number column never moves. Otherwise false and nothing happens.
bool Grid_Enter_Jump(QTableView& grid, int key, bool enabled);

} // namespace kt
