#pragma once
// Control<W>: a Qt widget with the properties the game works with.
//
// Left, top, width and height are kept as floats in the container's units (twips
// for the window and the boxes on it, board pixels on the board); fractional values
// survive, only the on-screen geometry is rounded. Every control carries a Tag text
// and a ToolTipText (which is also the Qt tooltip), back and fore colours as colour
// numbers, and its own Visible flag.

#include "colors.h"

#include <QPalette>
#include <QString>
#include <QWidget>
#include <cmath>

namespace forms {

// Twips per logical pixel, whatever the screen's scale.
constexpr float TwipsPerPixel = 15.0f;

template <class W>
class Control : public W {
public:
    explicit Control(QWidget *parent, float unitsPerPixel) : W(parent), m_unit(unitsPerPixel)
    {
        // A press on anything lying on a picture box never reaches the box itself,
        // also not while the control is disabled.
        this->setAttribute(Qt::WA_NoMousePropagation);
        // A click on any control takes the keyboard focus, so a field keeps it (and
        // with it the cursor keys) only until something else is clicked.
        this->setFocusPolicy(Qt::FocusPolicy(this->focusPolicy() | Qt::ClickFocus));
    }

    float left() const { return m_left; }
    float top() const { return m_top; }
    float width() const { return m_width; }
    float height() const { return m_height; }
    float unitsPerPixel() const { return m_unit; }

    void setLeft(float v) { m_left = v; applyGeometry(); }
    void setTop(float v) { m_top = v; applyGeometry(); }
    void setWidth(float v) { m_width = std::max(0.0f, v); applyGeometry(); }
    void setHeight(float v) { m_height = std::max(0.0f, v); applyGeometry(); }
    void setPos(float l, float t) { m_left = l; m_top = t; applyGeometry(); }
    void setBounds(float l, float t, float w, float h)
    {
        m_left = l; m_top = t; m_width = std::max(0.0f, w); m_height = std::max(0.0f, h);
        applyGeometry();
    }

    const QString &tag() const { return m_tag; }
    void setTag(const QString &t) { m_tag = t; }

    QString toolTipText() const { return this->toolTip(); }
    void setToolTipText(const QString &t) { this->setToolTip(t); }

    colors::Color backColor() const { return m_back; }
    void setBackColor(colors::Color c) { m_back = c; m_backSet = true; applyColors(); }
    colors::Color foreColor() const { return m_fore; }
    void setForeColor(colors::Color c) { m_fore = c; m_foreSet = true; applyColors(); }

    // The control's own visibility flag, independent of whether its window is shown.
    bool visible() const { return m_visible; }
    void setVisible(bool v) override
    {
        m_visible = v;
        W::setVisible(v);
    }

protected:
    virtual void applyColors()
    {
        QPalette pal = this->palette();
        if (m_backSet) {
            const QColor c = colors::toQColor(m_back);
            for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
                pal.setColor(role, c);
            this->setAutoFillBackground(true);
        }
        if (m_foreSet) {
            const QColor c = colors::toQColor(m_fore);
            for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
                pal.setColor(role, c);
        }
        this->setPalette(pal);
    }

    virtual void applyGeometry()
    {
        // Rounded once from the exact values (halves upwards, also below zero), so a
        // nudge by one unit is one pixel and the size never changes with the position.
        const auto px = [this](float v) { return int(std::floor(double(v) / m_unit + 0.5)); };
        const int x = px(m_left), y = px(m_top);
        this->setGeometry(x, y, std::max(0, px(m_left + m_width) - x), std::max(0, px(m_top + m_height) - y));
    }

private:
    float m_unit;
    float m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    QString m_tag;
    colors::Color m_back = 0, m_fore = 0;
    bool m_backSet = false, m_foreSet = false;
    bool m_visible = true;
};

} // namespace forms
