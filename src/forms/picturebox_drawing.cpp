// The picture box's retained drawing layer: lines, circles and text drawn in the
// box's scale, and the picture as shown.
#include "picturebox.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace forms {

bool PictureBox::ensureLayer()
{
    const qreal dpr = devicePixelRatioF();
    const QSize want(std::max(1, int(std::ceil(innerWidthPx() * dpr))), std::max(1, int(std::ceil(innerHeightPx() * dpr))));
    if (m_layer.isNull() || m_layer.size() != want || m_layer.devicePixelRatio() != dpr) {
        QImage next(want, QImage::Format_ARGB32_Premultiplied);
        next.setDevicePixelRatio(dpr);
        next.fill(Qt::transparent);
        if (!m_layer.isNull() && m_drawn) {
            // A box that grows keeps what was drawn on it.
            QPainter p(&next);
            p.drawImage(QPointF(0, 0), m_layer);
        }
        m_layer = next;
    }
    return true;
}

QPainter *PictureBox::beginPaint(QPainter &p, colors::Color c)
{
    ensureLayer();
    p.begin(&m_layer);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(colors::toQColor(c));
    pen.setWidthF(m_drawWidth);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    return &p;
}

void PictureBox::drawn()
{
    m_drawn = true;
    updateInner();
}

void PictureBox::clear()
{
    currentX = m_scaleLeft;
    currentY = m_scaleTop;
    if (!m_drawn)
        return;
    m_layer.fill(Qt::transparent);
    m_drawn = false;
    updateInner();
}

void PictureBox::drawLine(float x1, float y1, float x2, float y2, colors::Color c)
{
    drawLines({QLineF(x1, y1, x2, y2)}, c);
    currentX = x2;
    currentY = y2;
}

namespace {

// Clips the segment to the rectangle [lo, hi] (Liang-Barsky); false when nothing is left.
bool clipSegment(QPointF &a, QPointF &b, QPointF lo, QPointF hi)
{
    double t0 = 0, t1 = 1;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - lo.x(), hi.x() - a.x(), a.y() - lo.y(), hi.y() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF a0 = a;
    a = a0 + QPointF(dx, dy) * t0;
    b = a0 + QPointF(dx, dy) * t1;
    return true;
}

// An aliased line `width` device pixels wide: a Bresenham walk along the major
// axis, `width` pixels across it (the pixel of the line and those before it).
// The walk always starts at the upper end (the left one on a level line): its ties
// depend on the direction, and a segment must give the same pixels from either end.
void rasterLine(QImage &img, QPointF a, QPointF b, int width, QRgb colour)
{
    if (b.y() < a.y() || (b.y() == a.y() && b.x() < a.x()))
        std::swap(a, b);
    const double margin = width + 2;
    if (!clipSegment(a, b, QPointF(-margin, -margin), QPointF(img.width() + margin, img.height() + margin)))
        return;
    int x0 = int(std::floor(a.x())), y0 = int(std::floor(a.y()));
    const int x1 = int(std::floor(b.x())), y1 = int(std::floor(b.y()));
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    const bool flat = dx >= -dy;
    const int w = img.width(), h = img.height();
    uchar *const bits = img.bits();
    const qsizetype stride = img.bytesPerLine();
    const int first = -(width / 2);
    int err = dx + dy;
    for (;;) {
        for (int k = 0; k < width; ++k) {
            const int x = flat ? x0 : x0 + first + k;
            const int y = flat ? y0 + first + k : y0;
            if (x >= 0 && y >= 0 && x < w && y < h)
                reinterpret_cast<QRgb *>(bits + y * stride)[x] = colour;
        }
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

} // namespace

void PictureBox::drawLines(const QVector<QLineF> &scaledLines, colors::Color c)
{
    if (scaledLines.isEmpty())
        return;
    ensureLayer();
    // Thousands of edges on every redraw: the lines are rasterised here directly
    // into the layer, aliased and opaque, which is several times faster than the
    // painter's wide-pen stroker and gives the same kind of pixels.
    const qreal dpr = m_layer.devicePixelRatio();
    const int devWidth = std::max(1, int(std::lround(m_drawWidth * dpr)));
    const QRgb colour = colors::toQColor(c).rgb() | 0xFF000000u;
    for (const QLineF &l : scaledLines) {
        const QLineF p = m_scaleKind == ScaleKind::Pixel ? l : QLineF(toPixels(l.p1()), toPixels(l.p2()));
        rasterLine(m_layer, p.p1() * dpr, p.p2() * dpr, devWidth, colour);
    }
    drawn();
}

void PictureBox::drawCircle(float x, float y, float radius, colors::Color c)
{
    QPainter p;
    beginPaint(p, c);
    const QPointF centre = toPixels(QPointF(x, y));
    // The radius follows the horizontal scale.
    const double r = std::abs(toPixels(QPointF(x + radius, y)).x() - centre.x());
    p.drawEllipse(centre, r, r); // a fresh painter has no brush: a ring
    p.end();
    currentX = x;
    currentY = y;
    drawn();
}

void PictureBox::printText(const QString &text)
{
    QPainter p;
    beginPaint(p, foreColor());
    p.setFont(font());
    const QFontMetricsF fm(font(), this);
    const QPointF at = toPixels(QPointF(currentX, currentY));
    p.drawText(QPointF(at.x(), at.y() + fm.ascent()), text);
    p.end();
    // The drawing position goes to the start of the next line.
    currentX = m_scaleLeft;
    currentY = float(fromPixels(QPointF(0, at.y() + fm.height())).y());
    drawn();
}

QImage PictureBox::image() const
{
    const qreal dpr = devicePixelRatioF();
    QImage img(QSize(std::max(1, int(std::ceil(innerWidthPx() * dpr))), std::max(1, int(std::ceil(innerHeightPx() * dpr)))),
               QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(colors::toQColor(backColor()));
    if (m_drawn) {
        QPainter p(&img);
        p.drawImage(QPointF(0, 0), m_layer);
    }
    return img;
}

} // namespace forms
