#pragma once
// Mouse input for tests, two ways:
// - Mouse feeds events into the window system layer, so Qt routes them exactly as it
//   routes real ones: the widget under the pointer gets the press (and the focus), the
//   pressed widget keeps the implicit grab until the last button goes up, double clicks
//   are recognised. On the way Qt 6.4 rounds the pointer to whole pixels.
// - sendMouse hands one event straight to a widget, with fractional positions intact:
//   what the grabbing widget would receive from a pointer between pixels.

#include <QEvent>
#include <QPointF>
#include <QWidget>

namespace testing {

class Mouse {
public:
    // `anyWidget` is any widget of the (shown) window the events go to.
    explicit Mouse(QWidget *anyWidget);

    // Positions are in the coordinates of `w`.
    void press(QWidget *w, QPointF pos, Qt::MouseButton b = Qt::LeftButton);
    void move(QWidget *w, QPointF pos);
    void release(QWidget *w, QPointF pos, Qt::MouseButton b = Qt::LeftButton);
    void click(QWidget *w, QPointF pos, Qt::MouseButton b = Qt::LeftButton);
    Qt::MouseButtons held() const { return m_held; }

private:
    void send(QWidget *w, QPointF pos, Qt::MouseButton b, QEvent::Type type);
    QWidget *m_top;
    Qt::MouseButtons m_held;
};

// One mouse event straight to `receiver`; the positions follow from the global one.
void sendMouse(QWidget *receiver, QEvent::Type type, QPointF global, Qt::MouseButton button,
               Qt::MouseButtons held);

// The widget a press at `pos` (in `w`'s coordinates) lands on: the deepest one under it.
QWidget *widgetUnder(QWidget *w, QPointF pos);

} // namespace testing
