#include "core/UDialogHeader.h"

#include <QLabel>
#include <QVBoxLayout>

namespace kt {

DialogHeader::DialogHeader(const QString& code, QWidget* parent) : QWidget(parent) {
    setObjectName("P_Title");
    setFixedHeight(69);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    code_ = new QLabel(code, this);
    code_->setObjectName("L_SW_Code");
    QFont big = code_->font();
    big.setPointSize(18);
    big.setBold(true);
    code_->setFont(big);
    code_->setStyleSheet("color: #808080;");

    desc_ = new QLabel(this);
    desc_->setObjectName("L_SW_Desc");
    QFont bold = desc_->font();
    bold.setBold(true);
    desc_->setFont(bold);
    desc_->setStyleSheet("color: #808080;");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 6, 12, 6);
    layout->setSpacing(2);
    layout->addWidget(code_);
    layout->addWidget(desc_);
}

} // namespace kt
