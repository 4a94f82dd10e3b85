#pragma once
// The header panel shared by the dialogs: software code large and grey, a bold grey line.

#include <QWidget>

#include <initializer_list>

class QBoxLayout;
class QDialog;
class QLabel;
class QPushButton;
class QLayout;
class QVBoxLayout;

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

// One part of a dialog's frame: a widget or a layout, and its stretch.
struct DialogPart {
    DialogPart(QWidget* w, int s = 0) : widget(w), stretch(s) {}
    DialogPart(QLayout* l, int s = 0) : layout(l), stretch(s) {}
    QWidget* widget = nullptr;
    QLayout* layout = nullptr;
    int stretch = 0;
};

// The frame of every dialog: its parts (header, body, buttons) stacked top to bottom, edge to
// edge, without spacing. Returns the dialog's layout.
QVBoxLayout* StackDialog(QDialog* dialog, std::initializer_list<DialogPart> parts);
// The same for a body that gets the usual margins and takes the height left.
void StackDialog(QDialog* dialog, DialogHeader* header, QBoxLayout* body, QWidget* buttons);

} // namespace kt
