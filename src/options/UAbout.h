#pragma once
// FAbout: which configurator this is, with fixed English texts.

#include "ui/UPrompts.h"

#include <QDialog>

class QLabel;

namespace kt {

class TFAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFAbout(Prompts& prompts, QWidget* parent = nullptr);
    void Label4Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Prompts& prompts_;
    QLabel* Image2;
    QLabel* Label2;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label12;
    QLabel* Label4;
};

} // namespace kt
