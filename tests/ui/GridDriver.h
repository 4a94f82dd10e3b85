#pragma once
// Drives a frame grid as a user would: F2 opens a cell, keys type, Return commits.

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

namespace kt::test {

class GridDriver {
public:
    explicit GridDriver(QAbstractItemView& grid) : grid_(grid) {}

    QModelIndex at(int row, int column) const { return grid_.model()->index(row, column); }
    QString cell(int row, int column) const {
        return at(row, column).data(Qt::EditRole).toString();
    }
    void go(int row, int column) { grid_.setCurrentIndex(at(row, column)); }

    // Replaces a text cell's content by typing.
    void type(int row, int column, const QString& text) {
        go(row, column);
        QTest::keyClick(&grid_, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY2(editor, "no text editor opened");
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }

    // Picks entry `index` of the pick list by stepping down with the arrow key.
    void pick(int row, int column, int index) {
        for (int i = 0; i <= index; ++i) {
            go(row, column);
            QTest::keyClick(&grid_, Qt::Key_F2);
            auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
            QVERIFY2(combo, "no pick list opened");
            if (i == 0) combo->setCurrentIndex(-1);
            QTest::keyClick(combo, Qt::Key_Down);
        }
    }

    void click(int row, int column) {
        QTest::mouseClick(grid_.viewport(), Qt::LeftButton, {},
                          grid_.visualRect(at(row, column)).center());
    }

private:
    QAbstractItemView& grid_;
};

} // namespace kt::test
