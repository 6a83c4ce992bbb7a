#include "picturepainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace qeln::ui {

namespace {
QColor toQt(Rgb c) { return QColor(c.r, c.g, c.b); }

QPen makePen(const Pen& pen, double scale)
{
    QPen p(toQt(pen.color));
    const double device = pen.width * scale;
    if (device < 1.0) {
        p.setCosmetic(true);
        p.setWidthF(1.0);
    } else {
        p.setWidthF(pen.width);
    }
    if (pen.dashed)
        p.setDashPattern({4.0, 3.0});
    p.setCapStyle(Qt::FlatCap);
    p.setJoinStyle(Qt::MiterJoin);
    return p;
}

QBrush makeBrush(const Brush& b) { return b.solid ? QBrush(toQt(b.color)) : QBrush(Qt::NoBrush); }

QRectF box(const Primitive& it)
{
    const Point a = it.points.at(0), b = it.points.at(1);
    return QRectF(QPointF(std::min(a.x, b.x), std::min(a.y, b.y)), QPointF(std::max(a.x, b.x), std::max(a.y, b.y)));
}

// Angle in degrees (counter-clockwise as seen, 0 to the right) of a point on the ellipse of r.
double angleOf(const QRectF& r, Point pt)
{
    const double rx = r.width() / 2, ry = r.height() / 2;
    const QPointF c = r.center();
    const double dx = rx > 0 ? (pt.x - c.x()) / rx : 0;
    const double dy = ry > 0 ? (c.y() - pt.y) / ry : 0;
    return std::atan2(dy, dx) * 180.0 / M_PI;
}

void drawText(QPainter& p, const Primitive& it)
{
    QFont f(QString::fromStdString(it.font.name));
    f.setPixelSize(std::max(1, it.font.height));
    p.setFont(f);
    const QString s = QString::fromStdString(it.text);
    const QFontMetricsF fm(f);
    const double w = fm.horizontalAdvance(s);
    const Point ref = it.points.at(0);
    double x = ref.x;
    if (it.halign == HAlign::Center)
        x -= w / 2;
    else if (it.halign == HAlign::Right)
        x -= w;
    double base = ref.y;   // baseline
    if (it.valign == VAlign::Top)
        base += fm.ascent();
    else if (it.valign == VAlign::Bottom)
        base -= fm.descent();
    if (it.brush.solid)
        p.fillRect(QRectF(x, base - fm.ascent(), w, fm.height()), toQt(it.brush.color));
    p.setPen(toQt(it.font.color));
    p.drawText(QPointF(x, base), s);
}
} // namespace

void paintPicture(QPainter& p, const Picture& pic, const QRectF& target)
{
    if (pic.width <= 0 || pic.height <= 0 || target.isEmpty())
        return;
    const double scale = std::min(target.width() / pic.width, target.height() / pic.height);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.translate(target.center().x() - pic.width * scale / 2, target.center().y() - pic.height * scale / 2);
    p.scale(scale, scale);
    p.setClipRect(QRectF(0, 0, pic.width, pic.height));
    for (const Primitive& it : pic.items) {
        p.setPen(makePen(it.pen, scale));
        p.setBrush(makeBrush(it.brush));
        switch (it.kind) {
        case Primitive::Kind::Polyline: {
            if (it.points.size() < 2)
                break;
            QPolygonF poly;
            for (const Point& pt : it.points)
                poly << QPointF(pt.x, pt.y);
            p.drawPolyline(poly);
            break;
        }
        case Primitive::Kind::Arc: {
            if (it.points.size() < 4)
                break;
            const QRectF r = box(it);
            const double a0 = angleOf(r, it.points[2]);
            double span = angleOf(r, it.points[3]) - a0;
            while (span <= 0)
                span += 360;
            QPainterPath path;
            path.arcMoveTo(r, a0);
            path.arcTo(r, a0, span);
            p.setBrush(Qt::NoBrush);
            p.drawPath(path);
            break;
        }
        case Primitive::Kind::Ellipse:
            if (it.points.size() >= 2)
                p.drawEllipse(box(it));
            break;
        case Primitive::Kind::Rectangle:
            if (it.points.size() >= 2)
                p.drawRect(box(it));
            break;
        case Primitive::Kind::Text:
            if (!it.points.empty())
                drawText(p, it);
            break;
        case Primitive::Kind::Polygon: {
            if (it.points.size() < 3)
                break;
            QPolygonF poly;
            for (const Point& pt : it.points)
                poly << QPointF(pt.x, pt.y);
            p.drawPolygon(poly);
            break;
        }
        }
    }
    p.restore();
}

PictureView::PictureView(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setMinimumSize(200, 150);
}

void PictureView::setPicture(const Picture& pic)
{
    pic_ = pic;
    update();
}

void PictureView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paintPicture(p, pic_, QRectF(rect()).adjusted(8, 8, -8, -8));
}

} // namespace qeln::ui
