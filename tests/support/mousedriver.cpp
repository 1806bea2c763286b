#include "mousedriver.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QWindow>
#include <QtTest>
#include <cmath>

namespace testing {

Mouse::Mouse(QWidget *anyWidget) : m_top(anyWidget->window()) {}

void Mouse::send(QWidget *w, QPointF pos, Qt::MouseButton b, QEvent::Type type)
{
    QWindow *win = m_top->windowHandle();
    QVERIFY2(win, "the window must be shown");
    const QPointF local = w->mapTo(m_top, pos);
    const QPointF global = m_top->mapToGlobal(local);
    // One test clock with QTest's own events; a release moves it past the double-click
    // interval, so two clicks in a row are two single clicks.
    QTest::lastMouseTimestamp += 1;
    qt_handleMouseEvent(win, local, global, m_held, b, type, Qt::NoModifier, QTest::lastMouseTimestamp);
    if (type == QEvent::MouseButtonRelease)
        QTest::lastMouseTimestamp += QTest::mouseDoubleClickInterval;
    QCoreApplication::processEvents();
}

void Mouse::press(QWidget *w, QPointF pos, Qt::MouseButton b)
{
    m_held |= b;
    send(w, pos, b, QEvent::MouseButtonPress);
}

void Mouse::move(QWidget *w, QPointF pos) { send(w, pos, Qt::NoButton, QEvent::MouseMove); }

void Mouse::release(QWidget *w, QPointF pos, Qt::MouseButton b)
{
    m_held &= ~Qt::MouseButtons(b);
    send(w, pos, b, QEvent::MouseButtonRelease);
}

void Mouse::click(QWidget *w, QPointF pos, Qt::MouseButton b)
{
    press(w, pos, b);
    release(w, pos, b);
}

void sendMouse(QWidget *receiver, QEvent::Type type, QPointF global, Qt::MouseButton button, Qt::MouseButtons held)
{
    const QPointF local = receiver->mapFromGlobal(global);
    const QPointF scene = receiver->window()->mapFromGlobal(global);
    QMouseEvent e(type, local, scene, global, button, held, Qt::NoModifier, QPointingDevice::primaryPointingDevice());
    QApplication::sendEvent(receiver, &e);
}

QWidget *widgetUnder(QWidget *w, QPointF pos)
{
    QWidget *top = w->window();
    const QPointF p = w->mapTo(top, pos);
    QWidget *hit = top->childAt(QPoint(int(std::floor(p.x())), int(std::floor(p.y()))));
    return hit ? hit : top;
}

} // namespace testing
