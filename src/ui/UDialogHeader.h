#pragma once
// The header panel shared by the dialogs: software code large and grey, a bold grey line.

#include <QWidget>

class QBoxLayout;
class QDialog;
class QLabel;
class QPushButton;

namespace kt {

class DialogHeader : public QWidget {
public:
    DialogHeader(const QString& code, QWidget* parent);
    [[nodiscard]] QLabel* description() const { return desc_; }

private:
    QLabel* desc_;
};

// The P_Button panel along a dialog's bottom edge: OK (named okName) and Cancel at its right.
struct ButtonPanel {
    QWidget* panel;
    QPushButton* ok;
    QPushButton* cancel;
};
[[nodiscard]] ButtonPanel MakeButtonPanel(QWidget* parent, const char* okName = "Btn_OK");

// Hands back a new widget with its objectName set, for building a window in few lines.
template <typename T> T* Named(T* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

// Stacks header, body and button panel in the dialog, edge to edge.
void StackDialog(QDialog* dialog, DialogHeader* header, QBoxLayout* body, QWidget* buttons);

} // namespace kt
