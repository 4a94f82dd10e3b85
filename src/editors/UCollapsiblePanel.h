#pragma once
// A panel with a title bar that folds its content away; the controls inside are placed at
// fixed positions below the title bar.

#include <QWidget>

class QToolButton;

namespace kt {

class CollapsiblePanel : public QWidget {
    Q_OBJECT
public:
    CollapsiblePanel(const QString& name, QWidget* parent);

    void setTitle(const QString& title);
    [[nodiscard]] QString title() const;
    // The widget the panel's controls go into.
    [[nodiscard]] QWidget* content() const { return content_; }
    [[nodiscard]] int headerHeight() const;
    // Height when open; the title bar plus the content.
    void setExpandedHeight(int height);
    [[nodiscard]] int expandedHeight() const { return expandedHeight_; }
    [[nodiscard]] bool isCollapsed() const;
    void setCollapsed(bool collapsed);
    [[nodiscard]] QToolButton* header() const { return header_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Place();

    QToolButton* header_;
    QWidget* content_;
    int expandedHeight_ = 0;
};

} // namespace kt
