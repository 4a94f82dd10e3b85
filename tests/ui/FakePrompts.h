#pragma once
// Prompts for window tests: records every request and answers questions and file dialogs
// from queues (an empty queue answers No / cancel).

#include "core/UPrompts.h"

#include <QQueue>
#include <QString>
#include <QStringList>

namespace kt::test {

class FakePrompts final : public Prompts {
public:
    struct Call {
        QString kind; // "error", "info", "confirm", "saveFileName", "openUrl"
        QString text;
    };

    void error(const QString& text) override { calls.append({"error", text}); }
    void info(const QString& text) override { calls.append({"info", text}); }
    bool confirm(const QString& text) override {
        calls.append({"confirm", text});
        return !confirmAnswers.isEmpty() && confirmAnswers.dequeue();
    }
    QString saveFileName(const QString& dir, const QString& filter) override {
        calls.append({"saveFileName", dir + "|" + filter});
        return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
    }
    void openUrl(const QString& url) override { calls.append({"openUrl", url}); }

    // Texts of the calls of one kind, in order.
    [[nodiscard]] QStringList texts(const QString& kind) const {
        QStringList out;
        for (const Call& c : calls)
            if (c.kind == kind) out << c.text;
        return out;
    }

    QList<Call> calls;
    QQueue<bool> confirmAnswers;
    QQueue<QString> fileAnswers;
};

} // namespace kt::test
