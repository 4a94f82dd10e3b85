#pragma once
// Drives a modal dialog that a click is about to open: the action runs once the dialog
// is the active modal widget, so a test never blocks in exec().

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <source_location>
#include <string>

namespace kt::test {

namespace detail {

struct ModalWait {
    QString expected;
    bool seen = false;
    bool cancelled = false;
    std::source_location where;
};

inline void Fail(const ModalWait& w, const std::string& why) {
    QTest::qFail(why.c_str(), w.where.file_name(), static_cast<int>(w.where.line()));
}

} // namespace detail

// Keep it alive across the action that opens the dialog: when it ends it waits for the
// dialog (at most ~5 s) and fails the running test if none came up.
class [[nodiscard]] ModalAnswer {
public:
    explicit ModalAnswer(std::shared_ptr<detail::ModalWait> wait) : wait_(std::move(wait)) {}
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;
    ~ModalAnswer() {
        if (!wait_->seen) static_cast<void>(QTest::qWaitFor([this] { return wait_->seen; }, 5000));
        if (wait_->seen) return;
        wait_->cancelled = true;
        detail::Fail(*wait_,
                     "no modal dialog came up; expected \"" + wait_->expected.toStdString() + "\"");
    }

private:
    std::shared_ptr<detail::ModalWait> wait_;
};

// Once a modal widget is up, activates it so keys reach it and calls act(modal). The
// dialog must carry the objectName `expected`; another one fails the test and is closed
// unanswered so the test does not hang in its exec().
inline ModalAnswer WhenModal(const QString& expected, std::function<void(QWidget*)> act,
                             std::source_location where = std::source_location::current()) {
    auto wait = std::make_shared<detail::ModalWait>();
    wait->expected = expected;
    wait->where = where;
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [act = std::move(act), wait, poll]() {
        // The closure must not destroy itself while it runs: drop it from the event loop.
        const auto done = [poll] { QTimer::singleShot(0, [poll] { *poll = nullptr; }); };
        if (wait->cancelled) return done();
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            QTimer::singleShot(10, *poll);
            return;
        }
        wait->seen = true;
        done();
        if (modal->objectName() != wait->expected) {
            detail::Fail(*wait, "modal dialog \"" + modal->objectName().toStdString() +
                                    "\" came up; expected \"" + wait->expected.toStdString() +
                                    "\"");
            if (auto* d = qobject_cast<QDialog*>(modal))
                d->reject();
            else
                modal->close();
            return;
        }
        modal->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(modal));
        act(modal);
    };
    QTimer::singleShot(0, *poll);
    return ModalAnswer(std::move(wait));
}

} // namespace kt::test
