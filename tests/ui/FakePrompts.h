#pragma once
// A Prompts that records every message, question and file dialog, and answers the questions
// and file dialogs from queues the test fills beforehand.

#include "ui/UPrompts.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace kt::test {

class FakePrompts final : public Prompts {
public:
    enum class Kind { Error, Info, Confirm, SaveFileName, OpenFileName, FolderName, OpenUrl };
    struct Call {
        Kind kind;
        QString text;           // message, question, URL, or the dialog's folder
        QString filter;         // file dialogs only; the caption of a folder chooser
        bool defaultNo = false; // questions: No is the default button
    };

    // Answers, taken front first. A question asked with an empty queue is answered No and a
    // file dialog is cancelled; both are counted in unanswered.
    QList<bool> confirmAnswers;
    QStringList saveAnswers;
    QStringList folderAnswers;
    QStringList openAnswers;
    // Runs on every call after it was recorded (e.g. to look at a window while a box is up).
    std::function<void(const Call&)> onCall;

    QList<Call> calls;
    int unanswered = 0;

    void error(const QString& text) override { record({Kind::Error, text, {}}); }
    void info(const QString& text) override { record({Kind::Info, text, {}}); }
    bool confirm(const QString& text) override { return ask(text, false); }
    bool confirmDestructive(const QString& text) override { return ask(text, true); }
    QString saveFileName(const QString& dir, const QString& filter) override {
        record({Kind::SaveFileName, dir, filter});
        if (saveAnswers.isEmpty()) {
            ++unanswered;
            return {};
        }
        return saveAnswers.takeFirst();
    }
    QString folderName(const QString& dir, const QString& caption) override {
        record({Kind::FolderName, dir, caption});
        if (folderAnswers.isEmpty()) {
            ++unanswered;
            return {};
        }
        return folderAnswers.takeFirst();
    }
    QString openFileName(const QString& dir, const QString& filter) override {
        record({Kind::OpenFileName, dir, filter});
        if (openAnswers.isEmpty()) {
            ++unanswered;
            return {};
        }
        return openAnswers.takeFirst();
    }
    void openUrl(const QString& url) override { record({Kind::OpenUrl, url, {}}); }

    // The texts of the calls of one kind, in order.
    [[nodiscard]] QStringList texts(Kind kind) const {
        QStringList out;
        for (const Call& c : calls)
            if (c.kind == kind) out << c.text;
        return out;
    }
    [[nodiscard]] QStringList errors() const { return texts(Kind::Error); }
    [[nodiscard]] QStringList questions() const { return texts(Kind::Confirm); }
    // The questions asked with No as the default button.
    [[nodiscard]] QStringList destructiveQuestions() const {
        QStringList out;
        for (const Call& c : calls)
            if (c.kind == Kind::Confirm && c.defaultNo) out << c.text;
        return out;
    }
    void clear() {
        calls.clear();
        confirmAnswers.clear();
        saveAnswers.clear();
        folderAnswers.clear();
        openAnswers.clear();
        unanswered = 0;
    }

private:
    bool ask(const QString& text, bool defaultNo) {
        record({Kind::Confirm, text, {}, defaultNo});
        if (confirmAnswers.isEmpty()) {
            ++unanswered;
            return false;
        }
        return confirmAnswers.takeFirst();
    }
    void record(const Call& c) {
        calls.append(c);
        if (onCall) onCall(c);
    }
};

} // namespace kt::test
