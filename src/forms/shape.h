#pragma once
// Shape: a rectangle or a filled circle drawn on its container. Mouse presses go
// through it to the container.

#include "ctl.h"

namespace forms {

class Shape : public Control<QWidget> {
public:
    enum class Kind { Rectangle, Circle };
    Shape(QWidget *parent, float unitsPerPixel, Kind kind);

    Kind kind() const { return m_kind; }
    colors::Color fillColor() const { return m_fill; }
    void setFillColor(colors::Color c);
    bool filled() const { return m_filled; }
    void setFilled(bool f);
    colors::Color borderColor() const { return m_borderColor; }
    void setBorderColor(colors::Color c);

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    Kind m_kind;
    colors::Color m_fill = 0;
    colors::Color m_borderColor = 0;
    bool m_filled = false;
};

// The outline that follows the pointer while a field is dragged.
class DragOutline : public QWidget {
public:
    explicit DragOutline(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *e) override;
};

} // namespace forms
