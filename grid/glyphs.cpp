#include "glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace grid {

namespace {

QPolygonF triangleRight(const QPointF& centre, double size) {
    return QPolygonF({centre + QPointF(-size / 2, -size), centre + QPointF(size / 2 + 0.5, 0),
                      centre + QPointF(-size / 2, size)});
}

void paintPencil(QPainter& painter, const QPointF& centre, const QColor& colour) {
    painter.setPen(QPen(colour, 1.2));
    painter.drawLine(centre + QPointF(-3, 4), centre + QPointF(3, -4));
    painter.drawLine(centre + QPointF(-1.5, 4.5), centre + QPointF(3.5, -2.5));
    painter.drawLine(centre + QPointF(-3, 4), centre + QPointF(-3.5, 5));
}

void paintAsterisk(QPainter& painter, const QPointF& centre, const QColor& colour) {
    painter.setPen(QPen(colour, 1.2));
    painter.drawLine(centre + QPointF(0, -4), centre + QPointF(0, 4));
    painter.drawLine(centre + QPointF(-3.5, -2), centre + QPointF(3.5, 2));
    painter.drawLine(centre + QPointF(-3.5, 2), centre + QPointF(3.5, -2));
}

}  // namespace

void paintIndicatorMark(QPainter& painter, const QRect& cell, IndicatorMark mark,
                        const QColor& colour) {
    const QPointF centre = QRectF(cell).center();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    switch (mark) {
        case IndicatorMark::None:
            break;
        case IndicatorMark::Focused:
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour);
            painter.drawPolygon(triangleRight(centre, 3.5));
            break;
        case IndicatorMark::Editing:
            paintPencil(painter, centre, colour);
            break;
        case IndicatorMark::Inserting:
            paintAsterisk(painter, centre, colour);
            break;
    }
    painter.restore();
}

void paintExpandButton(QPainter& painter, const QRect& box, bool expanded, const QColor& colour) {
    painter.save();
    painter.setPen(colour);
    painter.setBrush(Qt::white);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    const QPoint c = box.center();
    painter.drawLine(c.x() - 2, c.y(), c.x() + 2, c.y());
    if (!expanded) painter.drawLine(c.x(), c.y() - 2, c.x(), c.y() + 2);
    painter.restore();
}

void paintSortArrow(QPainter& painter, const QRect& area, bool descending, const QColor& colour) {
    const QPointF c = QRectF(area).center();
    const double w = 3.5, h = 2.5;
    const QPolygonF up({c + QPointF(-w, h), c + QPointF(w, h), c + QPointF(0, -h)});
    const QPolygonF down({c + QPointF(-w, -h), c + QPointF(w, -h), c + QPointF(0, h)});
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(descending ? down : up);
    painter.restore();
}

void paintDropDownArrow(QPainter& painter, const QRect& area, const QColor& colour) {
    const QPointF c = QRectF(area).center();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(
        QPolygonF({c + QPointF(-3, -1.5), c + QPointF(3, -1.5), c + QPointF(0, 2)}));
    painter.restore();
}

namespace {

void drawBar(QPainter& p, double x) { p.drawRect(QRectF(x, 4, 1.6, 8)); }
void drawLeft(QPainter& p, double x) {
    p.drawPolygon(QPolygonF({{x, 8}, {x + 4.5, 4}, {x + 4.5, 12}}));
}
void drawRight(QPainter& p, double x) { p.drawPolygon(QPolygonF({{x + 4.5, 8}, {x, 4}, {x, 12}})); }

void paintNavigatorFace(QPainter& p, NavigatorButton button) {
    const QColor ink(0x20, 0x40, 0x80);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    switch (button) {
        case NavigatorButton::First:
            drawBar(p, 4);
            drawLeft(p, 6.5);
            break;
        case NavigatorButton::PriorPage:
            drawLeft(p, 3);
            drawLeft(p, 8);
            break;
        case NavigatorButton::Prior:
            drawLeft(p, 5.5);
            break;
        case NavigatorButton::Next:
            drawRight(p, 6);
            break;
        case NavigatorButton::NextPage:
            drawRight(p, 3.5);
            drawRight(p, 8.5);
            break;
        case NavigatorButton::Last:
            drawRight(p, 5);
            drawBar(p, 10.5);
            break;
        case NavigatorButton::Insert:
            p.setBrush(QColor(0x20, 0x80, 0x20));
            p.drawRect(QRectF(7, 3, 2, 10));
            p.drawRect(QRectF(3, 7, 10, 2));
            break;
        case NavigatorButton::Delete:
            p.setBrush(QColor(0xC0, 0x20, 0x20));
            p.drawRect(QRectF(3, 7, 10, 2));
            break;
        case NavigatorButton::Edit:
            paintPencil(p, {8, 8}, ink);
            break;
        case NavigatorButton::Post:
            p.setPen(QPen(QColor(0x20, 0x80, 0x20), 2));
            p.setBrush(Qt::NoBrush);
            p.drawPolyline(QPolygonF({{3.5, 8}, {6.5, 11}, {12.5, 4.5}}));
            break;
        case NavigatorButton::Cancel:
            p.setPen(QPen(QColor(0xC0, 0x20, 0x20), 2));
            p.drawLine(QPointF(4, 4), QPointF(12, 12));
            p.drawLine(QPointF(12, 4), QPointF(4, 12));
            break;
        case NavigatorButton::Refresh: {
            p.setPen(QPen(ink, 1.6));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(3.5, 3.5, 9, 9), 60 * 16, 280 * 16);
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawPolygon(QPolygonF({{10, 2}, {13.5, 5}, {9.5, 6.5}}));
            break;
        }
        case NavigatorButton::SaveBookmark:
        case NavigatorButton::GotoBookmark: {
            QPainterPath flag;
            flag.moveTo(4.5, 2.5);
            flag.lineTo(11.5, 2.5);
            flag.lineTo(11.5, 13.5);
            flag.lineTo(8, 10.5);
            flag.lineTo(4.5, 13.5);
            flag.closeSubpath();
            p.setBrush(button == NavigatorButton::SaveBookmark ? QColor(0x30, 0x80, 0xD0)
                                                               : QColor(0xE0, 0x90, 0x20));
            p.drawPath(flag);
            break;
        }
        case NavigatorButton::Filter:
            p.drawPolygon(QPolygonF({{2.5, 3}, {13.5, 3}, {9, 8.5}, {9, 13}, {7, 12}, {7, 8.5}}));
            break;
    }
}

}  // namespace

QIcon navigatorIcon(NavigatorButton button) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paintNavigatorFace(painter, button);
    return QIcon(pixmap);
}

}  // namespace grid
