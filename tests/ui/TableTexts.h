#pragma once
// The texts of a table window's row, as the user reads them.

#include <QStringList>
#include <QTableWidget>

namespace kt::test {

// Every cell of the row; an empty cell gives an empty text.
[[nodiscard]] inline QStringList RowTexts(const QTableWidget* t, int row) {
    QStringList out;
    for (int c = 0; c < t->columnCount(); ++c)
        out << (t->item(row, c) ? t->item(row, c)->text() : QString());
    return out;
}

} // namespace kt::test
