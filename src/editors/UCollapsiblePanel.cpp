#include "editors/UCollapsiblePanel.h"

#include <QToolButton>

#include <algorithm>

namespace kt {

namespace {
constexpr int kHeaderHeight = 26;
} // namespace

CollapsiblePanel::CollapsiblePanel(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    header_ = new QToolButton(this);
    header_->setObjectName(name + "_Header");
    header_->setCheckable(true);
    header_->setChecked(true);
    header_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    header_->setArrowType(Qt::DownArrow);
    header_->setAutoRaise(true);
    // The flat header shows no focus, so as a Tab stop it swallowed what was typed next; the
    // mouse opens and closes a panel.
    header_->setFocusPolicy(Qt::NoFocus);
    QFont bold = header_->font();
    bold.setBold(true);
    header_->setFont(bold);
    header_->setStyleSheet("QToolButton { background: #DDE3EA; border: none; text-align: left; }");
    content_ = new QWidget(this);
    content_->setObjectName(name + "_Content");
    connect(header_, &QToolButton::toggled, this, [this](bool open) { setCollapsed(!open); });
}

void CollapsiblePanel::setTitle(const QString& title) {
    header_->setText(title);
}
QString CollapsiblePanel::title() const {
    return header_->text();
}
int CollapsiblePanel::headerHeight() const {
    return kHeaderHeight;
}
bool CollapsiblePanel::isCollapsed() const {
    return !header_->isChecked();
}

void CollapsiblePanel::setExpandedHeight(int height) {
    expandedHeight_ = height;
    setCollapsed(isCollapsed());
}

void CollapsiblePanel::setCollapsed(bool collapsed) {
    if (header_->isChecked() == collapsed) header_->setChecked(!collapsed);
    header_->setArrowType(collapsed ? Qt::RightArrow : Qt::DownArrow);
    content_->setVisible(!collapsed);
    setFixedHeight(collapsed ? kHeaderHeight : expandedHeight_);
    Place();
}

void CollapsiblePanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Place();
}

void CollapsiblePanel::Place() {
    header_->setGeometry(0, 0, width(), kHeaderHeight);
    content_->setGeometry(0, kHeaderHeight, width(), std::max(0, expandedHeight_ - kHeaderHeight));
}

} // namespace kt
