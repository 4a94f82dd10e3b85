#pragma once
// Prompts for window tests: records every question and answers from queues.

#include "core/UPrompts.h"

#include <QStringList>

#include <deque>

namespace kt::test {

class FakePrompts final : public Prompts {
public:
    QStringList errors;
    QStringList infos;
    QStringList questions;
    QStringList saveDialogs; // "dir|filter" per dialog shown
    QStringList urls;
    std::deque<bool> confirmAnswers;     // empty: answer No
    std::deque<QString> saveAnswers;     // empty: cancel

    void error(const QString& text) override { errors << text; }
    void info(const QString& text) override { infos << text; }
    bool confirm(const QString& text) override {
        questions << text;
        if (confirmAnswers.empty()) return false;
        const bool a = confirmAnswers.front();
        confirmAnswers.pop_front();
        return a;
    }
    QString saveFileName(const QString& dir, const QString& filter) override {
        saveDialogs << dir + "|" + filter;
        if (saveAnswers.empty()) return {};
        QString a = saveAnswers.front();
        saveAnswers.pop_front();
        return a;
    }
    void openUrl(const QString& url) override { urls << url; }

    void clear() {
        errors.clear();
        infos.clear();
        questions.clear();
        saveDialogs.clear();
        urls.clear();
    }
};

} // namespace kt::test
