#pragma once
// Drives a modal dialog that a click is about to open: the action runs once the dialog
// is the active modal widget, so a test never blocks in exec().

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace kt::test {

// Polls until a modal widget is up (at most ~5 s), activates it so keys reach it, then
// calls act(modal).
inline void WhenModal(std::function<void(QWidget*)> act) {
    auto tries = std::make_shared<int>(0);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [act = std::move(act), tries, poll]() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(modal));
            act(modal);
            *poll = nullptr; // break the self-reference
            return;
        }
        if (++*tries > 500) {
            *poll = nullptr;
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

} // namespace kt::test
