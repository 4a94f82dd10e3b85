#include "ui/UIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <numbers>

namespace kt {

namespace {

const QColor kInk(0x4A, 0x5A, 0x6A);

void DrawInfo(QPainter& p, double s) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1F, 0x6F, 0xB0));
    p.drawEllipse(QRectF(s * 0.08, s * 0.08, s * 0.84, s * 0.84));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(s * 0.45, s * 0.22, s * 0.1, s * 0.1));
    p.drawRoundedRect(QRectF(s * 0.45, s * 0.38, s * 0.1, s * 0.38), s * 0.03, s * 0.03);
}

void DrawGear(QPainter& p, double s) {
    const QPointF c(s / 2, s / 2);
    const int teeth = 8;
    QPainterPath gear;
    for (int i = 0; i < teeth * 2; ++i) {
        const double r = (i % 2 == 0) ? s * 0.44 : s * 0.34;
        const double a0 = (i - 0.5) * std::numbers::pi / teeth;
        const double a1 = (i + 0.5) * std::numbers::pi / teeth;
        const QPointF p0 = c + QPointF(std::cos(a0) * r, std::sin(a0) * r);
        const QPointF p1 = c + QPointF(std::cos(a1) * r, std::sin(a1) * r);
        if (i == 0)
            gear.moveTo(p0);
        else
            gear.lineTo(p0);
        gear.lineTo(p1);
    }
    gear.closeSubpath();
    gear.addEllipse(c, s * 0.14, s * 0.14);
    gear.setFillRule(Qt::OddEvenFill);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPath(gear);
}

void DrawClose(QPainter& p, double s) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xB0, 0x30, 0x30));
    p.drawEllipse(QRectF(s * 0.08, s * 0.08, s * 0.84, s * 0.84));
    QPen pen(Qt::white, s * 0.1, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.drawLine(QPointF(s * 0.34, s * 0.34), QPointF(s * 0.66, s * 0.66));
    p.drawLine(QPointF(s * 0.66, s * 0.34), QPointF(s * 0.34, s * 0.66));
}

} // namespace

QIcon MakeIcon(IconKind kind, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case IconKind::Info:
        DrawInfo(p, size);
        break;
    case IconKind::Options:
        DrawGear(p, size);
        break;
    case IconKind::Close:
        DrawClose(p, size);
        break;
    }
    return QIcon(pm);
}

} // namespace kt
