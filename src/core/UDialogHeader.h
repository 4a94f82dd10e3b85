#pragma once
// The header panel shared by the dialogs: software code large and grey, a bold grey line.

#include <QWidget>

class QLabel;

namespace kt {

class DialogHeader : public QWidget {
public:
    DialogHeader(const QString& code, QWidget* parent);
    [[nodiscard]] QLabel* code() const { return code_; }
    [[nodiscard]] QLabel* description() const { return desc_; }

private:
    QLabel* code_;
    QLabel* desc_;
};

} // namespace kt
