#include "core/UNew_Project.h"

#include "base/Identity.h"
#include "project/Project.h"
#include "ui/UDialogHeader.h"
#include "ui/UQtText.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kt {

TFNew_Project::TFNew_Project(AppState& state, Prompts& prompts, QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts) {
    setObjectName("FNew_Project");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    P_Title = new DialogHeader(SwCode, this);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    E_New_Proj = new QLineEdit(this);
    E_New_Proj->setObjectName("E_New_Proj");
    E_New_Proj->setFixedWidth(297);

    const ButtonPanel buttons = MakeButtonPanel(this);
    Btn_OK = buttons.ok;
    Btn_Cancel = buttons.cancel;
    auto* body = new QVBoxLayout;
    body->addWidget(Label1);
    body->addWidget(E_New_Proj);
    body->addStretch();
    StackDialog(this, P_Title, body, buttons.panel);

    // Enter in the name field acts as OK, errors included; OK is not a default button
    // so that the dialog never closes without the checks.
    Btn_OK->setAutoDefault(false);
    Btn_Cancel->setAutoDefault(false);
    connect(E_New_Proj, &QLineEdit::returnPressed, this, &TFNew_Project::Btn_OKClick);
    connect(Btn_OK, &QPushButton::clicked, this, &TFNew_Project::Btn_OKClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(331, 162);
    Set_Lang();
}

void TFNew_Project::Set_Lang() {
    const auto t = [this](TextId id) { return Q(state_.Text(id)); };
    setWindowTitle(t(TextId::NewTitle));
    P_Title->description()->setText(t(TextId::NewDescription));
    Label1->setText(t(TextId::NewNameLabel));
    Btn_OK->setText(t(TextId::NewOk));
    Btn_Cancel->setText(t(TextId::NewCancel));
    E_New_Proj->setToolTip(t(TextId::NewNameHint));
    Btn_OK->setToolTip(t(TextId::NewOkHint));
    Btn_Cancel->setToolTip(t(TextId::NewCancelHint));
}

void TFNew_Project::showEvent(QShowEvent* event) {
    E_New_Proj->clear();
    E_New_Proj->setFocus();
    QDialog::showEvent(event);
}

void TFNew_Project::keyPressEvent(QKeyEvent* event) {
    // The buttons are no default buttons (see above), so Enter on a focused one arrives here.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget());
            button == Btn_OK || button == Btn_Cancel) {
            button->click();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void TFNew_Project::Btn_OKClick() {
    const std::string name = S(E_New_Proj->text());
    const Status r = CreateProject(state_.Workspace.ProjectsDir, name);
    if (!r.ok()) {
        const auto refusal = static_cast<TextId>(r.textId);
        // NewNameNotValid alone does not tell the user what to change.
        QString text = Q(state_.Text(refusal));
        if (refusal == TextId::NewNameNotValid) text += "\n" + Q(state_.Text(TextId::NewNameRules));
        prompts_.error(text);
        return;
    }
    state_.MakeProjectCurrent(name);
    accept();
}

} // namespace kt
