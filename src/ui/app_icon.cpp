#include "ui/app_icon.h"

#include <QPainter>
#include <QPixmap>
#include <cmath>

namespace meridel {

namespace {

QPixmap DrawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);

    const QColor violet(47, 8, 91);
    const QColor paleBlue(213, 237, 248);
    const QColor yellow(255, 255, 0);

    p.setPen(QPen(paleBlue, 2.5));
    p.setBrush(violet);
    p.drawEllipse(QPointF(32, 32), 29, 29);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(paleBlue, 1.2));
    p.drawEllipse(QPointF(32, 32), 21, 21);
    // Twelve ticks between the rings: the signs of the zodiac.
    for (int k = 0; k < 12; ++k) {
        const double a = k * 3.14159265358979 / 6.0;
        p.drawLine(QPointF(32 + 21 * std::cos(a), 32 + 21 * std::sin(a)),
                   QPointF(32 + 28 * std::cos(a), 32 + 28 * std::sin(a)));
    }
    // Two bodies in trine, joined by their aspect line.
    const QPointF a(32 + 15 * std::cos(-2.2), 32 + 15 * std::sin(-2.2));
    const QPointF b(32 + 15 * std::cos(-0.1), 32 + 15 * std::sin(-0.1));
    p.setPen(QPen(yellow, 1.8));
    p.drawLine(a, b);
    p.setPen(Qt::NoPen);
    p.setBrush(yellow);
    p.drawEllipse(a, 4.5, 4.5);
    p.setBrush(paleBlue);
    p.drawEllipse(b, 4.5, 4.5);
    return pixmap;
}

}  // namespace

QIcon MeridelIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) icon.addPixmap(DrawIcon(size));
    return icon;
}

}  // namespace meridel
