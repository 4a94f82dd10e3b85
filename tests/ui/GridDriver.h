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
        QApplication::processEvents(); // the editor hands its text over from the event loop
    }

    // Picks entry `index` of the pick list by typing its key ("A" or "B").
    void pick(int row, int column, int index) {
        go(row, column);
        QTest::keyClick(&grid_, index == 0 ? Qt::Key_A : Qt::Key_B);
    }

    // Types into whatever has the focus, as a user would: "<Tab>", "<BackTab>", "<Space>",
    // "<Return>", "<Escape>", "<Up>" and "<Down>" are keys, anything else is typed text. The event
    // loop runs after each key, as between a user's keystrokes.
    static void keys(const QStringList& tokens) {
        for (const QString& t : tokens) {
            QWidget* w = QApplication::focusWidget();
            QVERIFY2(w, "nothing has the focus");
            if (t == "<Tab>")
                QTest::keyClick(w, Qt::Key_Tab);
            else if (t == "<BackTab>")
                QTest::keyClick(w, Qt::Key_Backtab, Qt::ShiftModifier);
            else if (t == "<Space>")
                QTest::keyClick(w, Qt::Key_Space);
            else if (t == "<Return>")
                QTest::keyClick(w, Qt::Key_Return);
            else if (t == "<Escape>")
                QTest::keyClick(w, Qt::Key_Escape);
            else if (t == "<Up>")
                QTest::keyClick(w, Qt::Key_Up);
            else if (t == "<Down>")
                QTest::keyClick(w, Qt::Key_Down);
            else
                for (const QChar c : t) { // each key to whatever has the focus by then
                    QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
                    QApplication::processEvents();
                }
            QApplication::processEvents();
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
