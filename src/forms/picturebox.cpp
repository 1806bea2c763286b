#include "picturebox.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace forms {

// The area inside the border: holds the children and shows background and drawing.
class PictureSurface : public QWidget {
public:
    explicit PictureSurface(PictureBox *box) : QWidget(box), m_box(box)
    {
        setAttribute(Qt::WA_NoMousePropagation);
        setFocusProxy(box);
        setFocusPolicy(Qt::ClickFocus);
        setMouseTracking(false);
    }

protected:
    void paintEvent(QPaintEvent *e) override
    {
        QPainter p(this);
        p.setClipRegion(e->region());
        p.fillRect(rect(), colors::toQColor(m_box->backColor()));
        if (m_box->m_drawn && !m_box->m_layer.isNull())
            p.drawImage(QPointF(0, 0), m_box->m_layer);
    }
    void mousePressEvent(QMouseEvent *e) override { m_box->handleMouse(e, e->position()); }
    void mouseMoveEvent(QMouseEvent *e) override { m_box->handleMouse(e, e->position()); }
    void mouseReleaseEvent(QMouseEvent *e) override { m_box->handleMouse(e, e->position()); }
    void mouseDoubleClickEvent(QMouseEvent *e) override { e->accept(); }

private:
    PictureBox *m_box;
};

PictureBox::PictureBox(QWidget *parent, float unitsPerPixel) : Control<QWidget>(parent, unitsPerPixel)
{
    setFocusPolicy(Qt::ClickFocus);
    setBackColor(colors::ButtonFace);
    setForeColor(colors::WindowText);
}

PictureBox::~PictureBox() = default;

QWidget *PictureBox::surface()
{
    if (!m_surface) {
        m_surface = new PictureSurface(this);
        layoutSurface();
        m_surface->show(); // shows with the box
    }
    return m_surface;
}

void PictureBox::setBorder(Border b)
{
    m_border = b;
    layoutSurface();
    update();
}

void PictureBox::setFlat(bool flat)
{
    m_flat = flat;
    layoutSurface();
    update();
}

int PictureBox::borderWidth() const
{
    if (m_border == Border::None)
        return 0;
    return m_flat ? 1 : 2;
}

QRect PictureBox::innerRect() const
{
    const int bw = borderWidth();
    return {bw, bw, std::max(0, QWidget::width() - 2 * bw), std::max(0, QWidget::height() - 2 * bw)};
}

int PictureBox::innerWidthPx() const { return innerRect().width(); }
int PictureBox::innerHeightPx() const { return innerRect().height(); }

void PictureBox::updateInner()
{
    if (m_surface)
        m_surface->update();
    else
        update(innerRect());
}

void PictureBox::setPixelScale()
{
    m_scaleKind = ScaleKind::Pixel;
    m_scaleLeft = m_scaleTop = 0;
}

void PictureBox::setTwipScale()
{
    m_scaleKind = ScaleKind::Twip;
    m_scaleLeft = m_scaleTop = 0;
}

void PictureBox::setUserScale(float left, float top, float width, float height)
{
    m_scaleKind = ScaleKind::User;
    m_scaleLeft = left;
    m_scaleTop = top;
    m_userWidth = width;
    m_userHeight = height;
}

float PictureBox::scaleWidth() const
{
    switch (m_scaleKind) {
    case ScaleKind::Pixel: return float(innerWidthPx());
    case ScaleKind::Twip: return float(innerWidthPx()) * TwipsPerPixel;
    case ScaleKind::User: break;
    }
    return m_userWidth;
}

float PictureBox::scaleHeight() const
{
    switch (m_scaleKind) {
    case ScaleKind::Pixel: return float(innerHeightPx());
    case ScaleKind::Twip: return float(innerHeightPx()) * TwipsPerPixel;
    case ScaleKind::User: break;
    }
    return m_userHeight;
}

QPointF PictureBox::toPixels(QPointF s) const
{
    switch (m_scaleKind) {
    case ScaleKind::Pixel: return s;
    case ScaleKind::Twip: return s / double(TwipsPerPixel);
    case ScaleKind::User: break;
    }
    const double sx = m_userWidth != 0 ? innerWidthPx() / double(m_userWidth) : 0.0;
    const double sy = m_userHeight != 0 ? innerHeightPx() / double(m_userHeight) : 0.0;
    return {(s.x() - m_scaleLeft) * sx, (s.y() - m_scaleTop) * sy};
}

QPointF PictureBox::fromPixels(QPointF px) const
{
    switch (m_scaleKind) {
    case ScaleKind::Pixel: return px;
    case ScaleKind::Twip: return px * double(TwipsPerPixel);
    case ScaleKind::User: break;
    }
    const double w = innerWidthPx(), h = innerHeightPx();
    return {m_scaleLeft + (w > 0 ? px.x() * m_userWidth / w : 0.0),
            m_scaleTop + (h > 0 ? px.y() * m_userHeight / h : 0.0)};
}

void PictureBox::setMousePointer(int code)
{
    m_mousePointer = code;
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (code) {
    case 2: shape = Qt::CrossCursor; break;
    case 3: shape = Qt::IBeamCursor; break;
    case 5: case 15: shape = Qt::SizeAllCursor; break;
    case 6: shape = Qt::SizeBDiagCursor; break;
    case 7: shape = Qt::SizeVerCursor; break;
    case 8: shape = Qt::SizeFDiagCursor; break;
    case 9: shape = Qt::SizeHorCursor; break;
    case 10: shape = Qt::UpArrowCursor; break;
    case 11: shape = Qt::WaitCursor; break;
    case 12: shape = Qt::ForbiddenCursor; break;
    case 13: shape = Qt::BusyCursor; break;
    case 14: shape = Qt::WhatsThisCursor; break;
    default: break;
    }
    if (code == 0)
        unsetCursor();
    else
        setCursor(shape);
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!m_surface) {
        // What the surface shows where there is none.
        const QRect inner = innerRect();
        p.fillRect(inner, colors::toQColor(backColor()));
        if (m_drawn && !m_layer.isNull()) {
            p.save();
            p.setClipRect(inner);
            p.drawImage(QPointF(inner.topLeft()), m_layer);
            p.restore();
        }
    }
    if (borderWidth() == 0)
        return;
    const QRect r = rect();
    if (m_flat) {
        p.setPen(QColor(0, 0, 0));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        return;
    }
    // Sunken frame: dark above and left, light below and right.
    const QPalette pal = palette();
    p.setPen(pal.color(QPalette::Dark));
    p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
    p.setPen(pal.color(QPalette::Shadow));
    p.drawLine(r.left() + 1, r.top() + 1, r.right() - 2, r.top() + 1);
    p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 2);
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    p.setPen(pal.color(QPalette::Midlight));
    p.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
    p.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
}

void PictureBox::resizeEvent(QResizeEvent *) { layoutSurface(); }

// A hidden box gets no resize event, yet its inner size must follow at once.
void PictureBox::applyGeometry()
{
    Control<QWidget>::applyGeometry();
    layoutSurface();
}

void PictureBox::layoutSurface()
{
    if (m_surface)
        m_surface->setGeometry(innerRect());
}

// The background and the drawing are painted with the colour numbers themselves;
// the box's palette stays as it is, so its colours never spread to the controls
// lying on it.
void PictureBox::applyColors() { updateInner(); }

void PictureBox::handleMouse(QMouseEvent *e, QPointF surfacePos)
{
    // From position(): QApplication hands globalPosition() on rounded to whole pixels.
    const QRect inner = innerRect();
    m_lastGlobal = mapToGlobal(surfacePos + QPointF(inner.topLeft()));
    const QPointF s = fromPixels(surfacePos);
    const int shift = shiftCode(e->modifiers());
    const float x = float(s.x()), y = float(s.y());
    switch (e->type()) {
    case QEvent::MouseButtonPress: {
        if (m_pressed == Qt::NoButton)
            m_pressed = e->button();
        emit mousePressed(buttonCode(e->button()), shift, x, y);
        break;
    }
    case QEvent::MouseMove: emit mouseMoved(buttonCode(e->buttons()), shift, x, y); break;
    case QEvent::MouseButtonRelease: {
        const bool isClick = e->button() == Qt::LeftButton && m_pressed == Qt::LeftButton
                             && QRectF(QPointF(0, 0), QSizeF(inner.size())).contains(surfacePos);
        if (e->buttons() == Qt::NoButton)
            m_pressed = Qt::NoButton;
        emit mouseReleased(buttonCode(e->button()), shift, x, y);
        if (isClick)
            emit clicked();
        break;
    }
    default: break;
    }
    e->accept();
}

void PictureBox::mousePressEvent(QMouseEvent *e) { handleMouse(e, e->position() - QPointF(borderWidth(), borderWidth())); }
void PictureBox::mouseMoveEvent(QMouseEvent *e) { handleMouse(e, e->position() - QPointF(borderWidth(), borderWidth())); }
void PictureBox::mouseReleaseEvent(QMouseEvent *e)
{
    handleMouse(e, e->position() - QPointF(borderWidth(), borderWidth()));
}
// The second press of a double click is no press of its own.
void PictureBox::mouseDoubleClickEvent(QMouseEvent *e) { e->accept(); }

void PictureBox::keyPressEvent(QKeyEvent *e)
{
    emit keyPressed(keyCodeFromQt(e->key()), shiftCode(e->modifiers()));
    e->accept();
}

namespace {
// Focus that moves because a menu, a dialog or another application takes over is
// no focus change within the window.
bool withinWindow(Qt::FocusReason r)
{
    return r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason && r != Qt::MenuBarFocusReason;
}
} // namespace

// When the window becomes active again, the focus comes back to where it was, or to
// the box whose click activated the window: that much is a change within the window.
void PictureBox::focusInEvent(QFocusEvent *e)
{
    Control<QWidget>::focusInEvent(e);
    if (withinWindow(e->reason()) || (e->reason() == Qt::ActiveWindowFocusReason && !m_hasFocus)) {
        m_hasFocus = true;
        emit focusGained();
    }
}

void PictureBox::focusOutEvent(QFocusEvent *e)
{
    Control<QWidget>::focusOutEvent(e);
    if (withinWindow(e->reason())) {
        m_hasFocus = false;
        emit focusLost();
    } else if (m_hasFocus && window()) {
        // The window went away; see where the focus is when it comes back.
        window()->installEventFilter(this);
    }
}

bool PictureBox::eventFilter(QObject *o, QEvent *e)
{
    if (e->type() == QEvent::WindowActivate && o == window()) {
        o->removeEventFilter(this);
        if (m_hasFocus && window()->focusWidget() != this) {
            m_hasFocus = false;
            emit focusLost();
        }
    }
    return Control<QWidget>::eventFilter(o, e);
}

int keyCodeFromQt(int k)
{
    switch (k) {
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: break;
    }
    if ((k >= Qt::Key_0 && k <= Qt::Key_9) || (k >= Qt::Key_A && k <= Qt::Key_Z))
        return k;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return 112 + (k - Qt::Key_F1);
    return 0;
}

int buttonCode(Qt::MouseButtons b)
{
    int code = 0;
    if (b & Qt::LeftButton)
        code |= 1;
    if (b & Qt::RightButton)
        code |= 2;
    if (b & Qt::MiddleButton)
        code |= 4;
    return code;
}

int shiftCode(Qt::KeyboardModifiers m)
{
    int code = 0;
    if (m & Qt::ShiftModifier)
        code |= 1;
    if (m & Qt::ControlModifier)
        code |= 2;
    if (m & Qt::AltModifier)
        code |= 4;
    return code;
}

} // namespace forms
