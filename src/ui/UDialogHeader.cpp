#include "ui/UDialogHeader.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kt {

DialogHeader::DialogHeader(const QString& code, QWidget* parent) : QWidget(parent) {
    setObjectName("P_Title");
    setFixedHeight(69);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    auto* codeLabel = new QLabel(code, this);
    codeLabel->setObjectName("L_SW_Code");
    QFont big = codeLabel->font();
    big.setPointSize(18);
    big.setBold(true);
    codeLabel->setFont(big);
    codeLabel->setStyleSheet("color: #808080;");

    desc_ = new QLabel(this);
    desc_->setObjectName("L_SW_Desc");
    QFont bold = desc_->font();
    bold.setBold(true);
    desc_->setFont(bold);
    desc_->setStyleSheet("color: #808080;");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 6, 12, 6);
    layout->setSpacing(2);
    layout->addWidget(codeLabel);
    layout->addWidget(desc_);
}

ButtonPanel MakeButtonPanel(QWidget* parent, const char* okName) {
    auto* panel = new QWidget(parent);
    panel->setObjectName("P_Button");
    panel->setFixedHeight(40);
    auto* ok = new QPushButton(panel);
    ok->setObjectName(okName);
    auto* cancel = new QPushButton(panel);
    cancel->setObjectName("Btn_Cancel");
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(12, 4, 12, 4);
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return {panel, ok, cancel};
}

QVBoxLayout* StackDialog(QDialog* dialog, std::initializer_list<DialogPart> parts) {
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const DialogPart& p : parts) {
        if (p.widget)
            layout->addWidget(p.widget, p.stretch);
        else
            layout->addLayout(p.layout, p.stretch);
    }
    return layout;
}

void StackDialog(QDialog* dialog, DialogHeader* header, QBoxLayout* body, QWidget* buttons) {
    body->setContentsMargins(16, 8, 16, 8);
    StackDialog(dialog, {header, {body, 1}, buttons});
}

} // namespace kt
