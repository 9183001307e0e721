#include "forms/ButtonIcons.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tavolin {

namespace {

constexpr int Size = 64;

QPixmap tile(const QColor& colour) {
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient shade(0, 0, 0, Size);
    shade.setColorAt(0, colour.lighter(125));
    shade.setColorAt(1, colour.darker(115));
    p.setPen(QPen(colour.darker(135), 1.5));
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(2, 2, Size - 4, Size - 4), 13, 13);
    return pixmap;
}

}  // namespace

QIcon tileIcon(const QString& symbol, const QColor& colour) {
    QPixmap pixmap = tile(colour);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(symbol.size() > 1 ? 26 : 36);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, Size, Size - 2), Qt::AlignCenter, symbol);
    return QIcon(pixmap);
}

QIcon peopleTileIcon(const QColor& colour) {
    QPixmap pixmap = tile(colour);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    // One person behind another.
    const auto person = [&](qreal x, qreal y, qreal scale, const QColor& c) {
        p.setBrush(c);
        p.drawEllipse(QPointF(x, y), 8 * scale, 8 * scale);
        QPainterPath body;
        body.moveTo(x - 15 * scale, y + 27 * scale);
        body.cubicTo(x - 15 * scale, y + 9 * scale, x + 15 * scale, y + 9 * scale, x + 15 * scale, y + 27 * scale);
        body.closeSubpath();
        p.drawPath(body);
    };
    person(40, 20, 0.85, QColor(255, 255, 255, 170));
    person(27, 24, 1.0, Qt::white);
    return QIcon(pixmap);
}

}  // namespace tavolin
