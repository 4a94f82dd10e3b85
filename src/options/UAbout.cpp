#include "options/UAbout.h"

#include "base/Identity.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace kt {

namespace {

// The maker's logo, drawn rather than shipped as a picture file.
QPixmap Logo(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x1F, 0x5F, 0x9F));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0, 0, size, size), size / 8.0, size / 8.0);
    QFont f;
    f.setBold(true);
    f.setPixelSize(size * 2 / 3);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, "T");
    return pm;
}

QLabel* MakeLabel(const char* name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

} // namespace

TFAbout::TFAbout(Prompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts) {
    setObjectName("FAbout");
    setWindowTitle("About...");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);

    Image2 = new QLabel(this);
    Image2->setObjectName("Image2");
    Image2->setFixedSize(96, 96);
    Image2->setPixmap(Logo(96));
    Image2->setCursor(Qt::PointingHandCursor);
    Image2->installEventFilter(this);

    auto* Label1 = MakeLabel("Label1", "Software Korvel ", this);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label2 = MakeLabel("Label2", QString(), this);
    Label9 = MakeLabel("Label9", QString(), this);
    Label10 = MakeLabel("Label10", QString(), this);
    Label12 = MakeLabel("Label12", QString(), this);
    Label4 = MakeLabel("Label4", QString(), this);
    Label4->setText(QString("<a href=\"%1\">%2</a>").arg(HomePageUrl, VisibleAddress));
    Label4->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    Label4->setCursor(Qt::PointingHandCursor);
    connect(Label4, &QLabel::linkActivated, this, [this] { Label4Click(); });

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(Label2, 1, 0, 1, 2);
    grid->addWidget(MakeLabel("Label6", "Software Code : ", this), 2, 0);
    grid->addWidget(Label9, 2, 1);
    grid->addWidget(MakeLabel("Label3", "Version :", this), 3, 0);
    grid->addWidget(Label10, 3, 1);
    grid->addWidget(MakeLabel("Label8", "Document Code :", this), 4, 0);
    grid->addWidget(Label12, 4, 1);
    grid->addWidget(Label4, 5, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    auto* LbButton1 = new QPushButton("OK", this);
    LbButton1->setObjectName("LbButton1");
    connect(LbButton1, &QPushButton::clicked, this, &QDialog::accept);
    auto* right = new QVBoxLayout;
    right->addLayout(grid);
    right->addStretch();
    auto* okRow = new QHBoxLayout;
    okRow->addStretch();
    okRow->addWidget(LbButton1);
    right->addLayout(okRow);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->addWidget(Image2, 0, Qt::AlignTop);
    layout->addSpacing(8);
    layout->addLayout(right, 1);
}

void TFAbout::showEvent(QShowEvent* event) {
    Label2->setText(SwDescription);
    Label9->setText(SwCode);
    Label10->setText("1.000");
    Label12->setText(DocumentCode);
    setFixedSize(425, 148);
    QDialog::showEvent(event);
}

void TFAbout::Label4Click() {
    prompts_.openUrl(HomePageUrl);
}

bool TFAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image2 && event->type() == QEvent::MouseButtonRelease) {
        Label4Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kt
