#include "shape.h"

#include <QPainter>

namespace forms {

Shape::Shape(QWidget *parent, float unitsPerPixel, Kind kind) : Control<QWidget>(parent, unitsPerPixel), m_kind(kind)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setFillColor(colors::Color c)
{
    m_fill = c;
    update();
}

void Shape::setFilled(bool f)
{
    m_filled = f;
    update();
}

void Shape::setBorderColor(colors::Color c)
{
    m_borderColor = c;
    update();
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(colors::toQColor(m_borderColor), 1));
    p.setBrush(m_filled ? QBrush(colors::toQColor(m_fill)) : QBrush(Qt::NoBrush));
    if (m_kind == Kind::Rectangle) {
        p.drawRect(r);
    } else {
        // A circle in the middle of the shape's rectangle.
        p.setRenderHint(QPainter::Antialiasing, true);
        const double d = std::min(r.width(), r.height());
        p.drawEllipse(QRectF(r.center().x() - d / 2, r.center().y() - d / 2, d, d));
    }
}

DragOutline::DragOutline(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

void DragOutline::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    p.setPen(QPen(Qt::white, 1));
    p.drawRect(r);
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.drawRect(r);
    p.drawRect(r.adjusted(1, 1, -1, -1));
}

} // namespace forms
