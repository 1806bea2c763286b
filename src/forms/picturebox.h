#pragma once
// PictureBox: a rectangle with its own background colour and a retained drawing
// surface that keeps what is drawn on it until it is cleared (nothing is redrawn on
// repaint). It can hold child controls, has an optional user scale (fields draw in
// 0..1) and reports mouse, key and focus events with the game's button codes
// (1 left, 2 right, 4 middle) and positions in its own scale.
//
// A box that holds controls gets an inner surface: it covers the area inside the
// border, holds the children (clipped at the border) and paints the background and
// the drawing layer. A box that holds none (a field, a token, a swatch) paints all
// of that itself and is one widget, not two.

#include "ctl.h"

#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QVector>

namespace forms {

class PictureSurface;

class PictureBox : public Control<QWidget> {
    Q_OBJECT
public:
    enum class Border { None, Single };

    PictureBox(QWidget *parent, float unitsPerPixel);
    ~PictureBox() override;

    // The parent for controls that lie on this box, made when first asked for.
    QWidget *surface();

    void setBorder(Border b);
    Border border() const { return m_border; }
    // Flat: a thin one-pixel line; otherwise a sunken two-pixel frame.
    void setFlat(bool flat);
    bool flat() const { return m_flat; }
    int borderWidth() const;

    // Inner (client) size in logical pixels.
    int innerWidthPx() const;
    int innerHeightPx() const;

    // Scale of the inner area. By default one unit is one pixel (or one twip with
    // setTwipScale); setUserScale maps the inner area onto the given rectangle.
    void setPixelScale();
    void setTwipScale();
    void setUserScale(float left, float top, float width, float height);
    float scaleLeft() const { return m_scaleLeft; }
    float scaleTop() const { return m_scaleTop; }
    float scaleWidth() const;
    float scaleHeight() const;
    QPointF toPixels(QPointF scaled) const;
    QPointF fromPixels(QPointF px) const;

    // Drawing on the retained layer, in the box's scale. Print uses the box's font;
    // controls lying on the box keep their own.
    void clear();
    void drawLine(float x1, float y1, float x2, float y2, colors::Color c);
    void drawLines(const QVector<QLineF> &scaledLines, colors::Color c);
    void drawCircle(float x, float y, float radius, colors::Color c);
    void printText(const QString &text);
    float currentX = 0, currentY = 0;
    int drawWidth() const { return m_drawWidth; }
    void setDrawWidth(int w) { m_drawWidth = std::max(1, w); }

    // Mouse pointer codes: 0 default, 1 arrow, 2 cross, 3 I-beam, 5 size,
    // 6..9 the four sizing arrows, 10 up arrow, 11 hourglass, 12 no drop,
    // 13 arrow and hourglass, 14 arrow and question mark, 15 size all, 99 custom.
    int mousePointer() const { return m_mousePointer; }
    void setMousePointer(int code);

    // The retained drawing (transparent where nothing is drawn) and the picture as
    // shown: background plus drawing, without child controls. Both at device pixels.
    const QImage &drawing() const { return m_layer; }
    QImage image() const;
    bool hasDrawing() const { return m_drawn; }

    // Screen position of the last mouse event, fractional where the platform gives it.
    QPointF lastGlobalPos() const { return m_lastGlobal; }

signals:
    void mousePressed(int button, int shift, float x, float y);
    void mouseMoved(int button, int shift, float x, float y);
    void mouseReleased(int button, int shift, float x, float y);
    void clicked();
    void keyPressed(int keyCode, int shift);
    void focusGained();
    void focusLost();

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;
    void applyColors() override;
    void applyGeometry() override;

private:
    friend class PictureSurface;
    void handleMouse(QMouseEvent *e, QPointF surfacePos);
    void layoutSurface();
    // The area inside the border, in the box's own pixels.
    QRect innerRect() const;
    void updateInner();
    bool ensureLayer();
    QPainter *beginPaint(QPainter &p, colors::Color c);
    void drawn();

    PictureSurface *m_surface = nullptr;
    Border m_border = Border::Single;
    bool m_flat = false;
    enum class ScaleKind { Pixel, Twip, User } m_scaleKind = ScaleKind::Pixel;
    float m_scaleLeft = 0, m_scaleTop = 0, m_userWidth = 1, m_userHeight = 1;
    int m_drawWidth = 1;
    int m_mousePointer = 0;
    QImage m_layer;
    bool m_drawn = false;
    QPointF m_lastGlobal;
    Qt::MouseButton m_pressed = Qt::NoButton;
    // The focus came here within the window and has not left it within the window.
    bool m_hasFocus = false;
};

// Game key codes for Qt keys: cursor keys 37..40, letters and digits as their
// upper-case characters, a few others as the usual virtual-key numbers.
int keyCodeFromQt(int qtKey);
// Button code of one Qt button: 1 left, 2 right, 4 middle, 0 other.
int buttonCode(Qt::MouseButtons b);
// Shift state: 1 shift, 2 control, 4 alt.
int shiftCode(Qt::KeyboardModifiers m);

} // namespace forms
